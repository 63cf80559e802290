// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystemSpace.h"

#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include <QtDebug>

namespace sweepora::platform {
namespace {

std::uint64_t bytesOf(std::uint64_t blocks, std::uint64_t blockSize)
{
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(blocks, blockSize, &bytes))
        return std::numeric_limits<std::uint64_t>::max();
    return bytes;
}

} // namespace

FileSystemSpace fileSystemSpace(const QByteArray &path)
{
    struct statvfs info;
    int result;
    do {
        result = ::statvfs(path.constData(), &info);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        qWarning("Cannot read the size of the file system holding %s: %s",
                 path.constData(), std::strerror(errno));
        return {};
    }
    // Block counts are in units of the fragment size; f_bfree counts every
    // free block, f_bavail leaves out those reserved for the super-user.
    const std::uint64_t unit = info.f_frsize ? info.f_frsize : info.f_bsize;
    return {true, bytesOf(info.f_blocks, unit), bytesOf(info.f_bfree, unit), bytesOf(info.f_bavail, unit)};
}

} // namespace sweepora::platform
