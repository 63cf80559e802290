// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GroupFileError.h"
#include "core/GroupTable.h"
#include "engine/DirUsedSpace.h"

#include <cstdint>

namespace sweepora {

// The groups whose used space the drive space and monitor windows show:
// the group table's records in file order, one entry per key (a later line
// with the same key updates the entry of the first, as in the tree).
// `error` is what reading the table gave: FileNotFound for a missing table,
// InputPastEnd for a record cut short (the complete records before it are
// in `groups`), PathFileAccess for an unreadable one.
struct UsageGroups
{
    GroupList groups;
    GroupFileError error;
};
UsageGroups groupsForUsage(const QString &file = {});

// The used space of one group's folder tree; 0 for a folder that does not
// exist or cannot be read. Walks the tree: long work.
std::uint64_t groupUsedSpace(const Group &group);

// The same with why the sum is 0 or short: a refused folder (a relative
// path, a planted link) or sub-folders that could not be entered. An empty
// path gives 0 and nothing to tell.
UsedSpace groupUsage(const Group &group);

// "Group KEY: why", or empty when the sum is whole.
QString usageProblemText(const Group &group, const UsedSpace &used);

} // namespace sweepora
