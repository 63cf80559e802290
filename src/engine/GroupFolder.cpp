// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/GroupFolder.h"

#include "engine/WalkProblems.h"

#include <QFile>
#include <QtDebug>

#include <cerrno>

namespace sweepora {

GroupFolder openGroupFolder(const QString &path)
{
    GroupFolder group;
    if (path.isEmpty())
        return group;
    group.path = QFile::encodeName(path);
    if (!group.path.endsWith('/'))
        group.path += '/';
    const QString quoted = u'"' + path + u'"';
    if (!path.startsWith(u'/')) {
        group.refusal = quoted + QStringLiteral(" is not a full path starting with \"/\"");
        qWarning("%s", qUtf8Printable(group.refusal));
        return group;
    }
    group.folder = platform::Folder::openGroupPath(group.path);
    if (group.folder.isOpen() && group.folder.statSelf(group.stat))
        return group;
    const int error = group.folder.isOpen() ? errno : group.folder.error();
    group.folder = platform::Folder();
    switch (error) {
    case ENOENT:
        break; // nothing there to walk
    case EPERM:
        group.refusal = quoted
            + QStringLiteral(" leads through a link in a folder shared with everyone that belongs to another user");
        break;
    case ENOTDIR:
        group.refusal = quoted + QStringLiteral(" is not a folder");
        break;
    default:
        group.refusal = quoted + QStringLiteral(" cannot be opened: ")
            + QString::fromLocal8Bit(platform::Folder::errorText(error));
        break;
    }
    if (!group.refusal.isEmpty())
        qWarning("%s", qUtf8Printable(group.refusal));
    return group;
}

bool unopenedFolderIsProblem(int error, bool inSharedStickyFolder, std::uint32_t owner, std::uint32_t user)
{
    if (error == ENOENT || error == ENOTDIR || error == ELOOP)
        return false;
    return !(inSharedStickyFolder && owner != user);
}

platform::Folder openSubfolderForWalk(const platform::Folder &parent, const QByteArray &parentPath, const char *name,
                                      bool parentSharedSticky, const platform::EntryStat &top, std::uint32_t user,
                                      WalkProblems &problems, platform::EntryStat &childStat)
{
    platform::Folder child = parent.openChild(name);
    if (!child.isOpen()) {
        platform::EntryStat seen;
        if (parent.statEntry(name, seen, false) && seen.type == platform::EntryType::Folder
            && unopenedFolderIsProblem(child.error(), parentSharedSticky, seen.owner, user))
            problems.add(parentPath + name + '/', QString::fromLocal8Bit(platform::Folder::errorText(child.error())));
        return child;
    }
    if (!child.statSelf(childStat) || !insideSameMount(top, childStat))
        return {};
    return child;
}

QString groupRefusalText(const QString &key, const QString &refusal)
{
    return QStringLiteral("Group ") + key + QStringLiteral(": ") + refusal;
}

QString WalkProblems::summary() const
{
    if (count == 0)
        return {};
    QString text = count == 1 ? QStringLiteral("1 folder could not be read")
                              : QString::number(count) + QStringLiteral(" folders could not be read");
    if (!first.isEmpty()) {
        text += QStringLiteral(", such as ") + QString::fromUtf8(first.first().path) + QStringLiteral(" (")
            + first.first().reason + u')';
    }
    return text;
}

} // namespace sweepora
