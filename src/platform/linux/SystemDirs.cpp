#include "platform/SystemDirs.h"

#include <QDir>
#include <QStandardPaths>
#include <QtDebug>

namespace sweepora::platform {
namespace {

QString ensureFolder(QStandardPaths::StandardLocation base)
{
    // GenericConfigLocation / GenericDataLocation follow XDG_CONFIG_HOME and
    // XDG_DATA_HOME with their usual defaults.
    const QString root = QStandardPaths::writableLocation(base);
    if (root.isEmpty())
        return {};
    const QString folder = root + QStringLiteral("/sweepora");
    if (!QDir().mkpath(folder)) {
        qWarning("Cannot create folder %s", qUtf8Printable(folder));
        return {};
    }
    return folder;
}

} // namespace

QString windowsDir()
{
    return ensureFolder(QStandardPaths::GenericConfigLocation);
}

QString programDir()
{
    return ensureFolder(QStandardPaths::GenericDataLocation);
}

} // namespace sweepora::platform
