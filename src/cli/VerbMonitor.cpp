#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/Helpers.h"
#include "engine/DirUsedSpace.h"
#include "engine/GroupFolder.h"
#include "space/GroupUsage.h"

namespace sweepora::cli {

int runMonitor(const QStringList &args)
{
    if (!args.isEmpty())
        return usageError(QStringLiteral("'monitor' takes no arguments"));

    const UsageGroups usage = groupsForUsage();
    bool whole = true;
    for (const Group &group : usage.groups) {
        const UsedSpace used = group.path.isEmpty() ? UsedSpace() : usedSpace(group.path);
        printRecord({group.name, FormatSize(used.bytes)});
        const QString why = used.refusal.isEmpty() ? used.problems.summary() : used.refusal;
        if (!why.isEmpty()) {
            printError(groupRefusalText(group.key, why));
            whole = false;
        }
    }
    if (usage.error) {
        printError(usage.error.text());
        return Refused;
    }
    return whole ? Success : Refused;
}

} // namespace sweepora::cli
