// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora::platform {

// Why a group may not watch `folder`, a path as the user entered it (already
// ending with the path separator): the refusal message, or an empty text when
// the folder may be used.
//
// Refused are paths that are not absolute, the file system's root, the
// user's home folder and the system's own top folders; the path is compared
// both as written (with "." and ".." resolved) and, when it exists, as the
// folder it really leads to through symbolic links. Subfolders of these,
// any other folder and folders that do not exist pass.
QString protectedFolderRefusal(const QString &folder);

} // namespace sweepora::platform
