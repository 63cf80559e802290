#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/Helpers.h"
#include "space/GroupUsage.h"

namespace sweepora::cli {

int runMonitor(const QStringList &args)
{
    if (!args.isEmpty())
        return usageError(QStringLiteral("'monitor' takes no arguments"));

    const UsageGroups usage = groupsForUsage();
    for (const Group &group : usage.groups)
        printRecord({group.name, FormatSize(groupUsedSpace(group))});
    if (usage.error) {
        printError(usage.error.text());
        return Refused;
    }
    return Success;
}

} // namespace sweepora::cli
