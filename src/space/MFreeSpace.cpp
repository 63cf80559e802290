// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/MFreeSpace.h"

#include "platform/FileSystemSpace.h"

#include <QFile>

#include <algorithm>

namespace sweepora {

DriveSpace driveSpaceOf(std::uint64_t total, std::uint64_t freeBlocks, std::uint64_t available)
{
    // What the user may write is free; the free blocks hold at least that.
    const std::uint64_t free = std::min(available, total);
    const std::uint64_t allFree = std::clamp(freeBlocks, free, total);
    return {total, total - allFree, free, allFree - free};
}

DriveSpace QueryDrive(const QString &path)
{
    const QByteArray local = path.isEmpty() ? QByteArrayLiteral(".") : QFile::encodeName(path);
    const platform::FileSystemSpace space = platform::fileSystemSpace(local);
    if (!space.ok)
        return {};
    return driveSpaceOf(space.total, space.free, space.freeForCaller);
}

std::uint64_t GetDriveTotal(const QString &path)
{
    return QueryDrive(path).total;
}

std::uint64_t GetDriveUsed(const QString &path)
{
    return QueryDrive(path).used;
}

std::uint64_t GetDriveFree(const QString &path)
{
    return QueryDrive(path).free;
}

} // namespace sweepora
