// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProtectedFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace sweepora::platform {
namespace {

// Top folders that belong to the system; a group may watch folders below
// them, never one of them as a whole.
const QStringList &systemFolders()
{
    static const QStringList folders{
        QStringLiteral("/bin"),  QStringLiteral("/boot"), QStringLiteral("/dev"),  QStringLiteral("/etc"),
        QStringLiteral("/home"), QStringLiteral("/lib"),  QStringLiteral("/lib64"), QStringLiteral("/opt"),
        QStringLiteral("/proc"), QStringLiteral("/root"), QStringLiteral("/run"),  QStringLiteral("/sbin"),
        QStringLiteral("/srv"),  QStringLiteral("/sys"),  QStringLiteral("/usr"),  QStringLiteral("/var"),
    };
    return folders;
}

// The folder a path really leads to, or an empty text when it does not exist.
QString realFolder(const QString &cleaned)
{
    return QFileInfo(cleaned).canonicalFilePath();
}

// The refusal for one cleaned, absolute form of a path.
QString refusalFor(const QString &cleaned)
{
    if (cleaned == QDir::rootPath())
        return QStringLiteral("Root directories are not allowed to be viewed or deleted");

    const QString home = QDir::cleanPath(QDir::homePath());
    const QString realHome = realFolder(home);
    if (cleaned == home || (!realHome.isEmpty() && cleaned == realHome))
        return QStringLiteral("The Home directory is not allowed to be viewed or deleted");

    if (systemFolders().contains(cleaned))
        return QStringLiteral("The System directory is not allowed to be viewed or deleted");
    return {};
}

} // namespace

QString protectedFolderRefusal(const QString &folder)
{
    // A relative path would be taken from whatever folder the program runs
    // in when the group is cleaned; "~" is not expanded either.
    if (!QDir::isAbsolutePath(folder))
        return QStringLiteral("The Path Box must hold a full path, starting with /");

    // "/usr/../" is "/", "/usr//" is "/usr".
    const QString cleaned = QDir::cleanPath(folder);
    QString refusal = refusalFor(cleaned);
    if (refusal.isEmpty()) {
        const QString real = realFolder(cleaned);
        if (!real.isEmpty() && real != cleaned)
            refusal = refusalFor(real);
    }
    return refusal;
}

} // namespace sweepora::platform
