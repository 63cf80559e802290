#pragma once

#include <QString>
#include <cstdint>

namespace sweepora {

// The size of the drive (on Linux: the file system) that holds a path. The
// path may be the drive's root or any folder or file on it; an empty path
// means the process's current folder. Counts are exact bytes; a path that
// does not exist or cannot be examined gives 0 for every count, with no
// message.

struct DriveSpace
{
    std::uint64_t total = 0; // capacity
    std::uint64_t used = 0;  // total minus free
    std::uint64_t free = 0;  // bytes the current user may still write
};

// All three counts from a single look, so that used + free == total holds
// even while other programs write to the drive.
DriveSpace QueryDrive(const QString &path);

// Each of these looks at the drive afresh.
std::uint64_t GetDriveTotal(const QString &path);
std::uint64_t GetDriveUsed(const QString &path);
std::uint64_t GetDriveFree(const QString &path);

} // namespace sweepora
