// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace sweepora {

enum class SingleDeleteResult {
    Deleted,
    Locked, // in use by a running process (see platform::OpenFiles), or the delete was refused for lack of permission
    Failed, // anything else, for example a file that is gone already
};

// Deletes the one file at `path` (a listing row's full path, raw bytes).
// A symbolic link is deleted itself, never what it points to; a folder is
// never deleted. Applies the cleaning runs' rules: an entry in use (open,
// mapped, locked, a working folder, a socket file with a bound socket) or
// another user's entry in a folder shared under the sticky bit is Locked. A
// stale socket file, whose socket is gone, is deleted like a file. Paths of
// any length work. Blocking; gathers the set of entries in use afresh.
SingleDeleteResult deleteSingleFile(const QByteArray &path);

} // namespace sweepora
