// SPDX-License-Identifier: GPL-3.0-or-later
// sweepora-cli: the scriptable front end over Sweepora's engine.

#include "cli/Cli.h"
#include "cli/Verbs.h"
#include "core/Helpers.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <iterator>

using namespace sweepora::cli;

namespace {

const Verb verbs[] = {
    {"groups", "", "list the groups: Key, icon number, Path, Name", runGroups},
    {"list", "KEY", "list a group's files, then the two status texts", runList},
    {"used", "PATH", "the used-space sum of a folder tree", runUsed},
    {"clean", "--all | KEY... [--yes | --dry-run]", "clean all groups or the named ones", runClean},
    {"space", "", "the drive space figures of / with their shares", runSpace},
    {"monitor", "", "each group's name and used space", runMonitor},
    {"startup", "on|off|status", "the start-at-log-in switch", runStartup},
    {"lock", "FILE", "lock FILE with the password on the first line of input", runLock},
    {"unlock", "FILE", "unlock FILE with the password on the first line of input", runUnlock},
};

void printHelp()
{
    QString text = QStringLiteral(
        "Usage: sweepora-cli VERB [ARGUMENTS]\n"
        "Sweepora's command-line front end: the same files, engine and texts as the\n"
        "desktop program. Records are printed one a line, fields separated by a tab.\n\n"
        "Verbs:\n");
    for (const Verb &verb : verbs) {
        const QString call = QStringLiteral("%1 %2").arg(QLatin1String(verb.name), QLatin1String(verb.usage)).trimmed();
        text += QStringLiteral("  %1 %2\n").arg(call.leftJustified(27), QLatin1String(verb.summary));
    }
    text += QStringLiteral(
        "\nOptions:\n"
        "  --help                      show this text\n"
        "  --version                   show the version\n\n"
        "Exit status: 0 on success, 1 when the program refuses or fails, 2 on a usage error.\n");
    std::fputs(text.toUtf8().constData(), stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("sweepora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SWEEPORA_VERSION));

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return usageError(QStringLiteral("no verb given"));
    for (int i = 2; i < argc; ++i)
        verbArgumentBytes().append(QByteArray(argv[i]));

    const QString first = args.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        printHelp();
        return Success;
    }
    if (first == QLatin1String("--version")) {
        printLine(QStringLiteral("sweepora-cli " SWEEPORA_VERSION));
        return Success;
    }
    for (const Verb &verb : verbs) {
        if (first != QLatin1String(verb.name))
            continue;
        // The verbs that read the group table need the configuration folder;
        // without one there is no table to read, and no path at the root
        // stands in for it.
        if (verb.run == runGroups || verb.run == runList || verb.run == runClean || verb.run == runMonitor) {
            QString why;
            if (sweepora::GetWindowsDir(&why).isEmpty()) {
                printError(QStringLiteral("sweepora-cli: ") + why);
                return Refused;
            }
        }
        return verb.run(args);
    }
    return usageError(QStringLiteral("unknown verb '%1'").arg(first));
}
