// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/GroupTable.h"

namespace sweepora::cli {

int runGroups(const QStringList &args)
{
    if (!args.isEmpty())
        return usageError(QStringLiteral("'groups' takes no arguments"));
    const StartupLoad load = loadGroupsForStartup();
    if (load.error) {
        printError(load.error.text());
        return Refused;
    }
    // As the tree shows them: one line a key, at its first line's place,
    // with the values of its last line.
    for (const Group &group : mergeDuplicateKeys(load.groups))
        printRecord({group.key, QString::number(group.iconNumber()), group.path, group.name});
    return Success;
}

} // namespace sweepora::cli
