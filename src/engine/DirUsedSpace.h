#pragma once

#include <QString>
#include <cstdint>

namespace sweepora {

// The used space of a folder tree: the sum of the sizes that the folder's
// entries report (files, and links by their own size), at any depth.
// Sub-folders whose name starts with "." are skipped with everything in
// them, while dotted files count. No link is followed and no other file
// system is entered. A folder that does not exist or cannot be read gives 0;
// an unreadable sub-folder adds 0.
//
// `path` gains a trailing "/" when it has none (the caller's variable too).
// An empty path names no folder and gives 0, so a group without a folder
// never makes the sum walk the root.
std::uint64_t DirUsedSpace(QString &path);

} // namespace sweepora
