// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/GroupUsage.h"

#include "engine/DirUsedSpace.h"
#include "engine/GroupFolder.h"

namespace sweepora {

UsageGroups groupsForUsage(const QString &file)
{
    GroupParse parse = LoadGroups(file);
    return {mergeDuplicateKeys(parse.complete), parse.error};
}

std::uint64_t groupUsedSpace(const Group &group)
{
    QString path = group.path;
    return DirUsedSpace(path);
}

UsedSpace groupUsage(const Group &group)
{
    return group.path.isEmpty() ? UsedSpace() : usedSpace(group.path);
}

QString usageProblemText(const Group &group, const UsedSpace &used)
{
    const QString why = used.refusal.isEmpty() ? used.problems.summary() : used.refusal;
    return why.isEmpty() ? QString() : groupRefusalText(group.key, why);
}

} // namespace sweepora
