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
    for (const Group &group : load.groups)
        printRecord({group.key, QString::number(group.iconNumber()), group.path, group.name});
    return Success;
}

} // namespace sweepora::cli
