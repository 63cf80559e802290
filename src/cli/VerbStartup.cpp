// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/StartupSwitch.h"
#include "platform/Autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace sweepora::cli {

namespace {

// The desktop program that the start-at-log-in entry starts: installed
// beside sweepora-cli, or in the build tree's app folder, or on the PATH.
QString desktopProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {here.filePath(QStringLiteral("sweepora")),
                                     here.filePath(QStringLiteral("../app/sweepora"))}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return QStandardPaths::findExecutable(QStringLiteral("sweepora"));
}

QString stateText()
{
    return startupSwitchIsOn() ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

int runStartup(const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("'startup' takes one of on, off, status"));
    const QString what = args.first();

    if (what == QLatin1String("status")) {
        printLine(stateText());
        return Success;
    }
    if (what == QLatin1String("on")) {
        const QString program = desktopProgram();
        if (program.isEmpty()) {
            printError(QStringLiteral("sweepora-cli: cannot find the sweepora program"));
            return Refused;
        }
        turnStartupSwitchOn(program);
        const bool written = startupSwitchIsOn()
            && platform::readAutostartEntry() == platform::monitorModeCommandLine(program);
        printLine(stateText());
        if (!written) {
            printError(QStringLiteral("sweepora-cli: cannot write the start-at-log-in entry"));
            return Refused;
        }
        return Success;
    }
    if (what == QLatin1String("off")) {
        turnStartupSwitchOff();
        const bool written = !startupSwitchIsOn() && platform::readAutostartEntry().isEmpty();
        printLine(stateText());
        if (!written) {
            printError(QStringLiteral("sweepora-cli: cannot remove the start-at-log-in entry"));
            return Refused;
        }
        return Success;
    }
    return usageError(QStringLiteral("'startup' takes one of on, off, status"));
}

} // namespace sweepora::cli
