// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "lock/LockedFile.h"
#include "platform/Terminal.h"

#include <QFile>

#include <cstdio>
#include <optional>

namespace sweepora::cli {
namespace {

using lock::LockCommand;
using lock::LockResult;

// The password: asked twice on a terminal, as the password dialog does;
// otherwise the first line of standard input. Empty when none was given.
// No value when the two entries differ.
std::optional<QString> readPassword()
{
    if (platform::stdinIsTerminal()) {
        const QString first = platform::readHiddenLine(QStringLiteral("Enter the password... ")).value_or(QString());
        if (first.isEmpty())
            return QString();
        const QString again = platform::readHiddenLine(QStringLiteral("Please enter the same password again... "))
                                  .value_or(QString());
        if (first != again)
            return std::nullopt;
        return first;
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return QString();
    QByteArray line = in.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLocal8Bit(line);
}

int runCommand(LockCommand command, const char *verb, QStringList args)
{
    // The file's name as the system gave it: it need not be UTF-8.
    QByteArrayList bytes = verbArgumentBytes();
    if (!args.isEmpty() && args.first() == QLatin1String("--")) {
        args.removeFirst();
        bytes.removeFirst();
    }
    if (args.size() != 1 || bytes.size() != 1 || bytes.first().isEmpty())
        return usageError(QStringLiteral("'%1' takes one file").arg(QLatin1String(verb)));
    const lock::LockTarget path{bytes.first(), QString::fromUtf8(escapeBytes(bytes.first()))};

    // Refuse before asking for a password, as the window offers only the
    // command that fits the file.
    if (const LockResult offered = lock::commandOffered(command, path); !offered.ok()) {
        printError(offered.message);
        return Refused;
    }
    const std::optional<QString> password = readPassword();
    if (!password) {
        printError(QStringLiteral("The two passwords are not the same!"));
        return Refused;
    }
    const LockResult result = lock::runLockCommand(command, path, *password);
    if (!result.ok()) {
        printError(result.message);
        return Refused;
    }
    return Success;
}

} // namespace

int runLock(const QStringList &args)
{
    return runCommand(LockCommand::Lock, "lock", args);
}

int runUnlock(const QStringList &args)
{
    return runCommand(LockCommand::Unlock, "unlock", args);
}

} // namespace sweepora::cli
