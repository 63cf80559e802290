// SPDX-License-Identifier: GPL-3.0-or-later
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
    bool whole = true;
    for (const Group &group : usage.groups) {
        const UsedSpace used = groupUsage(group);
        printRecord({group.name, FormatSize(used.bytes)});
        if (const QString problem = usageProblemText(group, used); !problem.isEmpty()) {
            printError(problem);
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
