// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/GroupChecks.h"

#include "platform/ProtectedFolders.h"
#include "platform/SystemDirs.h"

namespace sweepora {
namespace {

// The group table's fields are quoted without an escape and end at a line
// break, so neither may appear inside one.
bool breaksTheTable(const QString &text)
{
    return text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r');
}

QString emptyMessage(const char *box)
{
    return QStringLiteral("The %1 Box can not be empty please enter the required information")
        .arg(QLatin1String(box));
}

QString quoteMessage(const char *box)
{
    return QStringLiteral("The %1 Box can not contain double quotes or line breaks").arg(QLatin1String(box));
}

GroupCheck refuse(QString message, GroupBox box)
{
    GroupCheck check;
    check.message = std::move(message);
    check.box = box;
    return check;
}

} // namespace

GroupCheck checkGroupEntry(const Group &entry, const QStringList &otherKeys)
{
    if (entry.name.isEmpty())
        return refuse(emptyMessage("Name"), GroupBox::Name);
    if (breaksTheTable(entry.name))
        return refuse(quoteMessage("Name"), GroupBox::Name);

    if (entry.key.isEmpty())
        return refuse(emptyMessage("Key"), GroupBox::Key);
    if (breaksTheTable(entry.key))
        return refuse(quoteMessage("Key"), GroupBox::Key);
    if (otherKeys.contains(entry.key, Qt::CaseSensitive))
        return refuse(QStringLiteral("The Key is already used by another group, please enter a different one"),
                      GroupBox::Key);

    if (entry.path.isEmpty())
        return refuse(emptyMessage("Path"), GroupBox::Path);
    if (breaksTheTable(entry.path))
        return refuse(quoteMessage("Path"), GroupBox::Path);

    QString folder = entry.path;
    if (!folder.endsWith(platform::pathSeparator))
        folder += platform::pathSeparator;
    const QString refusal = platform::protectedFolderRefusal(folder);
    if (!refusal.isEmpty())
        return refuse(refusal, GroupBox::Path);

    GroupCheck check;
    check.group = entry;
    check.group.path = folder;
    return check;
}

} // namespace sweepora
