#include "space/GroupUsage.h"

#include "engine/DirUsedSpace.h"

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

} // namespace sweepora
