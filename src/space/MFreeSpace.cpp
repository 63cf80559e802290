#include "space/MFreeSpace.h"

#include "platform/FileSystemSpace.h"

#include <QFile>

#include <algorithm>

namespace sweepora {

DriveSpace QueryDrive(const QString &path)
{
    const QByteArray local = path.isEmpty() ? QByteArrayLiteral(".") : QFile::encodeName(path);
    const platform::FileSystemSpace space = platform::fileSystemSpace(local);
    if (!space.ok)
        return {};
    // Quotas could in principle report more room than the drive has; the
    // used count never goes below zero.
    const std::uint64_t free = std::min(space.freeForCaller, space.total);
    return {space.total, space.total - free, free};
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
