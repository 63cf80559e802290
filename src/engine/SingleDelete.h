#pragma once

#include <QByteArray>

namespace sweepora {

enum class SingleDeleteResult {
    Deleted,
    Locked, // held open by a running process, a socket, or the delete was refused for lack of permission
    Failed, // anything else, for example a file that is gone already
};

// Deletes the one file at `path` (a listing row's full path, raw bytes).
// A symbolic link is deleted itself, never what it points to; a folder is
// never deleted. Applies the cleaning runs' rules: a file in use or another
// user's entry in a folder shared under the sticky bit is Locked. Paths of
// any length work. Blocking; gathers the set of open files afresh.
SingleDeleteResult deleteSingleFile(const QByteArray &path);

} // namespace sweepora
