// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

namespace sweepora {

// The size of the drive (on Linux: the file system) that holds a path. The
// path may be the drive's root or any folder or file on it; an empty path
// means the process's current folder. Counts are exact bytes; a path that
// does not exist or cannot be examined gives 0 for every count, with no
// message.
//
// The counts are those `df` shows: used is what files and the file system
// take (total minus the free blocks), free is what the current user may
// still write. Blocks that the file system keeps free for the super-user
// (on ext4 5% by default) are neither: they are the reserve, and shares are
// taken of used + free, as `df` takes its Use%.

struct DriveSpace
{
    std::uint64_t total = 0;    // capacity (df's size)
    std::uint64_t used = 0;     // total minus the free blocks (df's Used)
    std::uint64_t free = 0;     // bytes the current user may still write (df's Avail)
    std::uint64_t reserved = 0; // free blocks kept for the super-user:
                                // used + free + reserved == total

    // What shares of the drive are taken of: used + free (df's Use% is
    // used / (used + free)). Never more than the total.
    std::uint64_t shareBase() const { return used + free; }
};

// The figures of a drive from its raw counts: the capacity, the bytes in
// free blocks and the bytes the current user may write. Counts that do not
// fit (a free count above the capacity, or more writable than free bytes,
// as some network file systems report) are cut so that
// used + free + reserved == total always holds.
DriveSpace driveSpaceOf(std::uint64_t total, std::uint64_t freeBlocks, std::uint64_t available);

// All counts from a single look, so that they add up even while other
// programs write to the drive.
DriveSpace QueryDrive(const QString &path);

// Each of these looks at the drive afresh.
std::uint64_t GetDriveTotal(const QString &path);
std::uint64_t GetDriveUsed(const QString &path);
std::uint64_t GetDriveFree(const QString &path);

} // namespace sweepora
