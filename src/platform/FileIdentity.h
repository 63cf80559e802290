// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora::platform {

// Helpers for replacing a file by a new one written beside it, used where a
// file's content is rewritten through a temporary file and a rename.

// True when `path`, following symbolic links, names the very file that is
// open as descriptor `fd` (same device and inode). False when the path names
// nothing, another file, or cannot be looked up.
bool pathNamesOpenFile(const QString &path, int fd);

// True when both paths, following symbolic links, name the very same file
// or folder (same device and inode). False when either names nothing or
// cannot be looked up.
bool pathsNameSameFile(const QString &first, const QString &second);

// Whether the file open as `fd` can be replaced by a new file that is the
// same to everyone who uses it.
enum class Replaceable {
    Yes,
    OtherNames,   // it has further hard links, which would keep the old content
    ForeignOwner, // a new file could not be given its owner or group
    Unknown,      // it could not be looked at
};
Replaceable replaceable(int fd);

// Gives the file open as `toFd` the mode bits (permissions, set-id and sticky
// bits), owner and group of the file open as `fromFd`. Fails when any of
// them cannot be set (see replaceable() to know beforehand); on failure
// `error` (when given) receives the system's description.
bool copyModeAndOwner(int fromFd, int toFd, QString *error = nullptr);

} // namespace sweepora::platform
