// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstdint>

namespace sweepora::platform {

// Size figures of the file system that holds a path, from one look at it.
struct FileSystemSpace
{
    bool ok = false;                 // false when the file system could not be examined
    std::uint64_t total = 0;         // capacity in bytes
    std::uint64_t free = 0;          // bytes in free blocks, those kept for the
                                     // super-user included
    std::uint64_t freeForCaller = 0; // bytes an unprivileged user may still write
};

// Asks the file system that holds `path` (a file or folder on it) for its
// size. All counts are exact bytes; a product too large for 64 bits is
// clamped to the largest count. A path that does not exist or cannot be
// examined gives `ok` false and zero counts.
FileSystemSpace fileSystemSpace(const QByteArray &path);

} // namespace sweepora::platform
