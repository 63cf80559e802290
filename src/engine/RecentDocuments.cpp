// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RecentDocuments.h"

#include "platform/FileIdentity.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtDebug>

namespace sweepora {

QString dataHome()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (!home.startsWith(u'/'))
        home = QDir::homePath() + QStringLiteral("/.local/share");
    while (home.size() > 1 && home.endsWith(u'/'))
        home.chop(1);
    return home;
}

QString recentlyUsedListPath()
{
    return dataHome() + QStringLiteral("/recently-used.xbel");
}

QByteArray emptyRecentlyUsedList()
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<xbel version=\"1.0\"\n"
                             "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
                             "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
                             "></xbel>");
}

bool clearRecentlyUsedList(QString *error)
{
    const QString path = recentlyUsedListPath();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isSymLink() || !info.isFile()) {
        qWarning("The recently used list %s is no regular file: left as it is", qUtf8Printable(path));
        return true;
    }
    // QSaveFile gives the new file the old one's permissions and renames it
    // over the old one only when it was written whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(emptyRecentlyUsedList()) != emptyRecentlyUsedList().size()
        || !file.commit()) {
        const QString why = file.errorString();
        file.cancelWriting();
        qWarning("Cannot empty the recently used list %s: %s", qUtf8Printable(path), qUtf8Printable(why));
        if (error)
            *error = why;
        return false;
    }
    return true;
}

bool isRecentDocumentsFolder(const QString &groupPath)
{
    return !groupPath.isEmpty()
        && platform::pathsNameSameFile(groupPath, dataHome() + QStringLiteral("/RecentDocuments"));
}

} // namespace sweepora
