// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/WalkProblems.h"

#include <QString>
#include <cstdint>

namespace sweepora {

// What a used-space sum found.
struct UsedSpace
{
    std::uint64_t bytes = 0;
    // Why the folder was not summed at all (see openGroupFolder); empty when
    // it was, or when it does not exist.
    QString refusal;
    // Sub-folders that could not be entered: the sum is short by them.
    WalkProblems problems;
};

// The used space of a folder tree: the sum of the sizes that the folder's
// entries report (files, and links by their own size), at any depth.
// Sub-folders whose name starts with "." are skipped with everything in
// them, while dotted files count. No link is followed and no mount point
// is entered. The folder is opened as a group folder (openGroupFolder): a
// relative path or a planted link is refused and gives 0. A folder that
// does not exist gives 0. Holds a bounded number of folders open at any
// depth; memory grows with the names on the way down, not with depth.
UsedSpace usedSpace(const QString &path);

// usedSpace(path).bytes, for callers that only show the figure. `path`
// gains a trailing "/" when it has none (the caller's variable too). An
// empty path names no folder and gives 0, so a group without a folder
// never makes the sum walk the root.
std::uint64_t DirUsedSpace(QString &path);

} // namespace sweepora
