#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "engine/Cleaning.h"
#include "platform/Process.h"

#include <QTextStream>

#include <algorithm>

#include <cstdio>

namespace sweepora::cli {
namespace {

// The "DELETE ALERT" question on the terminal; only an answer of yes goes on.
bool confirmed(bool all)
{
    std::fputs(all ? "DELETE ALERT\nWARNING:\nDo you wish to delete all the files on the Displayed Folders? [y/N] "
                   : "DELETE ALERT\nWARNING:\nDo you wish to delete all the files on the selected Folders? [y/N] ",
               stderr);
    std::fflush(stderr);
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

} // namespace

int runClean(const QStringList &args)
{
    bool all = false;
    bool yes = false;
    QStringList keys;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--all"))
            all = true;
        else if (arg == QLatin1String("--yes"))
            yes = true;
        else if (arg.startsWith(u'-'))
            return usageError(QStringLiteral("unknown option '%1' for 'clean'").arg(arg));
        else
            keys.append(arg);
    }
    if (all == !keys.isEmpty())
        return usageError(QStringLiteral("'clean' takes --all or one or more group keys"));

    // The groups as the tree shows them: one per key, in table order.
    const GroupParse load = LoadGroups();
    if (load.error && load.error.number != GroupFileError::InputPastEnd) {
        printError(load.error.text());
        return Refused;
    }
    const GroupList groups = mergeDuplicateKeys(load.complete);
    for (const QString &key : keys) {
        const bool known = std::any_of(groups.cbegin(), groups.cend(), [&](const Group &g) {
            return g.key == key && !g.path.isEmpty();
        });
        if (!known) {
            printError(QStringLiteral("No group has the key ") + key);
            return Refused;
        }
    }
    QList<CleanTarget> targets;
    for (const Group &group : groups) {
        if (!group.path.isEmpty() && (all || keys.contains(group.key)))
            targets.append({group.key, group.path});
    }

    if (!yes) {
        if (!platform::standardInputIsTerminal()) {
            printError(QStringLiteral("sweepora-cli: 'clean' asks before deleting; without a terminal, give --yes"));
            return Refused;
        }
        if (!confirmed(all))
            return Refused;
    }

    // The run goes on without a report that cannot be written, and says so.
    QString reportProblem;
    emptyReport(&reportProblem);
    const CleanResult result = runCleaning(targets);
    if (reportProblem.isEmpty())
        reportProblem = result.reportError;
    printLine(QStringLiteral("Operation Complete"));
    if (!reportProblem.isEmpty()) {
        printError(reportProblem);
        return Refused;
    }
    printRecord({reportPath()});
    return Success;
}

} // namespace sweepora::cli
