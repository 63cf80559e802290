// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemDirs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

namespace sweepora::platform {
namespace {

// The program's folder under an XDG base folder, created when missing. An
// unusable base gives no folder at all, never a path at the root instead;
// the caller reports or logs the reason.
QString ensureFolder(QStandardPaths::StandardLocation base, const char *variable, QString *why)
{
    auto fail = [&](const QString &reason) {
        if (why)
            *why = reason;
        return QString();
    };
    // GenericConfigLocation / GenericDataLocation follow XDG_CONFIG_HOME and
    // XDG_DATA_HOME with their usual defaults under the home folder.
    const QString root = QStandardPaths::writableLocation(base);
    if (root.isEmpty() || !QDir::isAbsolutePath(root) || QDir::cleanPath(root) == QDir::rootPath())
        return fail(QStringLiteral("No folder for the program's files: %1 and the home folder name none").arg(QLatin1String(variable)));
    const QString folder = QDir::cleanPath(root) + QStringLiteral("/sweepora");
    if (!QFileInfo(folder).isDir()) {
        errno = 0;
        if (!QDir().mkpath(folder)) {
            const int error = errno;
            return fail(QStringLiteral("Cannot create the folder %1 (%2): %3")
                            .arg(folder, QLatin1String(variable),
                                 error ? QString::fromLocal8Bit(std::strerror(error)) : QStringLiteral("refused")));
        }
    }
    if (!QFileInfo(folder).isDir())
        return fail(QStringLiteral("Cannot use the folder %1 (%2): it is not a folder").arg(folder, QLatin1String(variable)));
    return folder;
}

} // namespace

QString windowsDir(QString *why)
{
    return ensureFolder(QStandardPaths::GenericConfigLocation, "XDG_CONFIG_HOME", why);
}

QString programDir(QString *why)
{
    return ensureFolder(QStandardPaths::GenericDataLocation, "XDG_DATA_HOME", why);
}

} // namespace sweepora::platform
