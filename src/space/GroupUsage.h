#pragma once

#include "core/GroupFileError.h"
#include "core/GroupTable.h"

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

} // namespace sweepora
