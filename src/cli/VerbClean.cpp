// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "engine/Cleaning.h"
#include "engine/DeletedFilesReport.h"
#include "engine/GroupFolder.h"
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

// Tells which groups running programs use, and which were not cleaned and
// why; Refused when any group was refused or not walked whole.
int reportOutcome(const CleanResult &result)
{
    for (const GroupInUse &group : result.inUse)
        printRecord({QStringLiteral("In use"), group.key, group.programs.join(QStringLiteral(", "))});
    for (const GroupProblem &problem : result.problems)
        printError(QStringLiteral("Not cleaned whole: ") + groupRefusalText(problem.key, problem.reason));
    return result.complete() ? Success : Refused;
}

} // namespace

int runClean(const QStringList &args)
{
    bool all = false;
    bool yes = false;
    bool dryRun = false;
    QStringList keys;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--all"))
            all = true;
        else if (arg == QLatin1String("--yes"))
            yes = true;
        else if (arg == QLatin1String("--dry-run"))
            dryRun = true;
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

    CleanOptions options;
    options.sharedMinimumAgeSeconds = sharedMinimumAgeSetting();
    if (dryRun) {
        // What the run would do, by the same walk and rules; nothing changes
        // and the report stays as it is.
        options.dryRun = true;
        options.wouldDelete = [](const QByteArray &path, std::uint64_t size) {
            QByteArray line = reportLine(path, size);
            line.chop(2); // the report's CR LF
            line += '\n';
            std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
        };
        options.wouldLeave = [](const QByteArray &path, const QString &why) {
            const QByteArray line = "Would leave\t" + escapeBytes(path) + '\t' + escapeField(why).toUtf8() + '\n';
            std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
        };
        const CleanResult result = runCleaning(targets, {}, options);
        for (const GroupTotals &totals : result.totals) {
            printRecord({QStringLiteral("Would delete"), totals.key, QString::number(totals.files) + QStringLiteral(" files"),
                         QString::number(totals.bytes) + QStringLiteral(" bytes")});
        }
        return reportOutcome(result);
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
    const CleanResult result = runCleaning(targets, {}, options);
    if (reportProblem.isEmpty())
        reportProblem = result.reportError;
    printLine(QStringLiteral("Operation Complete"));
    if (reportProblem.isEmpty())
        printRecord({reportPath()});
    else
        printError(reportProblem);
    const int outcome = reportOutcome(result);
    return reportProblem.isEmpty() ? outcome : Refused;
}

} // namespace sweepora::cli
