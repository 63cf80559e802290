// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/Icons.h"

#include "Resources.h"

#include <QStringList>

namespace sweepora {

namespace {

// Toolbar keys, each with a picture named after it in lower case.
const QStringList &toolbarKeys()
{
    static const QStringList keys{
        QStringLiteral("monitor"), QStringLiteral("minimize"), QStringLiteral("groups"),
        QStringLiteral("view"),    QStringLiteral("space"),    QStringLiteral("report"),
        QStringLiteral("lock"),    QStringLiteral("shutdown"), QStringLiteral("help"),
    };
    return keys;
}

QIcon resourceIcon(const QString &path)
{
    initResources();
    return QIcon(path);
}

} // namespace

QString groupIconPath(int number)
{
    if (number < 1 || number > groupIconCount)
        return {};
    return QStringLiteral(":/icons/groups/icon%1.svg").arg(number, 2, 10, QLatin1Char('0'));
}

QIcon groupIcon(int number)
{
    const QString path = groupIconPath(number);
    return path.isEmpty() ? QIcon() : resourceIcon(path);
}

QIcon toolbarIcon(const QString &key)
{
    const QString name = key.toLower();
    if (!toolbarKeys().contains(name))
        return {};
    return resourceIcon(QStringLiteral(":/icons/toolbar/%1.svg").arg(name));
}

QIcon lockWindowIcon(const QString &key)
{
    static const QStringList keys{QStringLiteral("browse"), QStringLiteral("lock"), QStringLiteral("unlock"),
                                  QStringLiteral("exit")};
    const QString name = key.toLower();
    if (!keys.contains(name))
        return {};
    return resourceIcon(QStringLiteral(":/icons/lock/%1.svg").arg(name));
}

QIcon fileIcon()
{
    return resourceIcon(QStringLiteral(":/icons/file.svg"));
}

QIcon appIcon()
{
    return resourceIcon(QStringLiteral(":/icons/sweepora.svg"));
}

QPixmap treeBackgroundTile()
{
    initResources();
    return QPixmap(QString::fromLatin1(treeBackgroundTilePath));
}

} // namespace sweepora
