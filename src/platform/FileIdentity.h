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

// Gives the file open as `toFd` the mode bits (permissions, set-id and sticky
// bits), owner and group of the file open as `fromFd`. The mode must be set
// for the call to succeed; owner and group are set as far as the system
// allows (only a privileged user may give a file away; a group the user
// belongs to is kept), a refusal there is logged and not a failure. On
// failure `error` (when given) receives the system's description.
bool copyModeAndOwner(int fromFd, int toFd, QString *error = nullptr);

} // namespace sweepora::platform
