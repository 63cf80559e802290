// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CleaningRun.h"

#include "core/AppFiles.h"
#include "core/Registry.h"
#include "engine/GroupFolder.h"
#include "engine/KeepList.h"
#include "engine/ProtectedFolders.h"
#include "engine/RecentDocuments.h"
#include "engine/TrashFolder.h"
#include "engine/TrashListing.h"
#include "platform/Process.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QtDebug>

#include <algorithm>
#include <cstring>

namespace sweepora {

using platform::DirEntry;
using platform::EntryStat;
using platform::EntryType;
using platform::Folder;
using platform::RemoveResult;

std::int64_t sharedMinimumAgeSetting()
{
    constexpr std::int64_t day = 24 * 60 * 60;
    bool ok = false;
    const double days = RegGetValue(QStringLiteral("Software\\Sweepora"), QStringLiteral("SharedTempMinimumAgeDays"))
                            .toDouble(&ok);
    if (!ok || days < 0)
        return 10 * day;
    return static_cast<std::int64_t>(days * day);
}

CleanResult runCleaning(const QList<CleanTarget> &targets, const QString &reportFile, const CleanOptions &options)
{
    QString noFolder;
    const QString report = reportFile.isEmpty() ? reportPath(&noFolder) : reportFile;
    CleaningRun run(report, options);
    CleanResult result = run.run(targets);
    if (!options.dryRun)
        result.reportError = report.isEmpty() ? noFolder : run.reportError();
    return result;
}

CleaningRun::CleaningRun(const QString &reportFile, const CleanOptions &options)
    : m_report(reportFile), m_options(options)
{
}

CleanResult CleaningRun::run(const QList<CleanTarget> &targets)
{
    m_result = {};
    m_user = platform::currentUserId();
    m_now = QDateTime::currentSecsSinceEpoch();
    m_openFiles = platform::OpenFiles::gather();
    m_youngFolders.clear();

    // Each group folder is opened once, by the path the table gives, and
    // both passes work on that same folder even if the path is changed
    // meanwhile; everything below it is reached through descriptors.
    struct Group
    {
        QByteArray path; // ends with "/"
        Folder folder;
        bool trash = false;
        Tree tree;
    };
    std::vector<Group> groups;
    for (const CleanTarget &target : targets) {
        GroupFolder opened = openGroupFolder(target.path);
        if (!opened.refusal.isEmpty()) {
            m_result.problems.append({target.key, opened.refusal});
            continue;
        }
        clearRecentListWith(target);
        if (!opened.isOpen())
            continue; // no group folder (yet): nothing to clean
        // The root, the home folder and the system's folders are never
        // cleaned, whatever the table says.
        if (isProtectedFolder(opened.folder)) {
            qWarning("Not cleaning %s: the root, the home folder and system folders are never emptied",
                     opened.path.constData());
            m_result.problems.append(
                {target.key, u'"' + target.path
                     + QStringLiteral("\" is the root, the home folder or a system folder, which are never emptied")});
            m_result.folderPassFailed = true;
            continue;
        }
        Group group{opened.path, std::move(opened.folder), false, {}};
        group.trash = isTrashFolder(group.folder);
        group.tree.key = target.key;
        group.tree.totals.key = target.key;
        groups.push_back(std::move(group));
    }

    auto openTop = [](const Group &group, EntryStat &self) {
        Folder folder = group.folder.reopen();
        return folder.statSelf(self) ? std::move(folder) : Folder();
    };
    for (Group &group : groups) {
        EntryStat self;
        Folder top = openTop(group, self);
        if (!top.isOpen())
            continue;
        group.tree.top = self;
        if (group.trash)
            cleanTrash(std::move(top), group.path, group.tree);
        else
            filePass(std::move(top), self, group.path, group.tree);
    }
    for (Group &group : groups) {
        EntryStat self;
        if (group.trash)
            continue; // emptied item by item above
        if (Folder top = openTop(group, self); top.isOpen() && !folderPass(std::move(top), self, group.path, group.tree))
            m_result.folderPassFailed = true;
    }
    for (Group &group : groups) {
        Tree &tree = group.tree;
        m_result.totals.append(tree.totals);
        if (tree.inUse || !tree.programs.isEmpty()) {
            tree.programs.sort();
            tree.programs.removeDuplicates();
            m_result.inUse.append({tree.key, tree.programs});
        }
        if (!tree.problems.empty())
            m_result.problems.append({tree.key, tree.problems.summary()});
    }
    m_report.finish();
    return m_result;
}

// GTK desktops keep no recent-documents folder but a list; KDE keeps both.
// Cleaning the group of that folder empties the list too, whether the
// folder exists or not.
void CleaningRun::clearRecentListWith(const CleanTarget &target)
{
    const bool recentGroup = isRecentDocumentsFolder(target.path)
        || QDir::cleanPath(target.path) == QDir::cleanPath(dataHome() + QStringLiteral("/RecentDocuments"));
    if (!recentGroup || m_options.dryRun)
        return;
    QString error;
    if (!clearRecentlyUsedList(&error))
        m_result.problems.append({target.key, error});
}

CleaningRun::EntryNames CleaningRun::readNames(Folder &folder)
{
    EntryNames names;
    DirEntry entry;
    while (folder.nextEntry(entry)) {
        names.starts.push_back(names.bytes.size());
        names.bytes.append(entry.name, entry.nameLength);
        names.bytes.push_back('\0');
        if (entry.type == EntryType::Socket || entry.type == EntryType::Unknown)
            names.maySocket = true;
    }
    return names;
}

bool CleaningRun::inUse(const EntryStat &entry) const
{
    return m_openFiles.inUse(entry);
}

void CleaningRun::noteInUse(Tree &tree, const EntryStat &entry, const Stack &stack, const char *name)
{
    tree.inUse = true;
    tree.programs += m_openFiles.processNames(entry.device, entry.inode);
    if (tree.top.sharedSticky)
        tree.inUseTopNames.insert(stack.depth() > 1 ? stack.topLevelName() : std::string(name));
}

bool CleaningRun::filePassTakes(const char *name, const EntryStat &entry)
{
    return entry.type != EntryType::Folder && entry.size > 0 && std::strcmp(name, "desktop.ini") != 0
        && std::strcmp(name, "Desktop.ini") != 0;
}

QString CleaningRun::sharedFolderGuard(const char *name, const EntryStat &entry, const Place &place) const
{
    if (place.sharedSticky && entry.owner != m_user)
        return QStringLiteral("another user's, in a folder shared with everyone");
    if (place.sharedSticky && isKeptInSharedTemp(name, entry.type))
        return QStringLiteral("a desktop session's file that no program shows as open");
    return {};
}

QString CleaningRun::leaveReason(const char *name, const EntryStat &entry, const Place &place) const
{
    if (const QString why = sharedFolderGuard(name, entry, place); !why.isEmpty())
        return why;
    if (inUse(entry)) {
        const QStringList programs = m_openFiles.processNames(entry.device, entry.inode);
        return programs.isEmpty() ? QStringLiteral("in use")
                                  : QStringLiteral("in use by ") + programs.join(QStringLiteral(", "));
    }
    if (place.shared && entry.type != EntryType::Folder) {
        const std::int64_t newest = std::max(entry.accessed.seconds, entry.modified.seconds);
        if (newest > m_now - m_options.sharedMinimumAgeSeconds)
            return QStringLiteral("changed or read recently, in a folder shared with everyone");
    }
    return {};
}

bool CleaningRun::statForRules(const Folder &folder, const char *name, const Place &place, EntryStat &entry) const
{
    // Times only where the age rule needs them.
    return folder.statEntry(name, entry, place.shared);
}

CleaningRun::Place CleaningRun::placeOf(const Place &parent, const EntryStat &folder) const
{
    return {folder.sharedSticky, parent.shared || folder.sharedSticky};
}

bool CleaningRun::isSessionFolder(const Folder &folder, const EntryNames &names, const Place &place, Tree &tree) const
{
    if (place.sharedSticky || !names.maySocket)
        return false;
    EntryStat entry;
    for (std::size_t start : names.starts) {
        const char *name = names.bytes.data() + start;
        if (folder.statEntry(name, entry, false) && entry.type == EntryType::Socket && inUse(entry)) {
            tree.inUse = true;
            tree.programs += m_openFiles.processNames(entry.device, entry.inode);
            return true;
        }
    }
    return false;
}

Folder CleaningRun::enter(const Folder &parent, const QByteArray &parentPath, const char *name, const Place &place,
                          Tree &tree, EntryStat &childStat)
{
    if (m_beforeOpenFolder)
        m_beforeOpenFolder(parentPath + name + '/');
    // Never follows a link: a folder swapped for one since it was looked at
    // does not open, and so cannot lead the run out of the group folder.
    return openSubfolderForWalk(parent, parentPath, name, place.sharedSticky, tree.top, m_user, tree.problems,
                                childStat);
}

void CleaningRun::leave(Stack &stack, Tree &tree)
{
    if (!stack.pop()) {
        tree.problems.add(stack.path(), QStringLiteral("moved while it was being cleaned"));
        Level &lost = stack.top().level;
        lost.next = lost.names.starts.size();
        lost.emptied = false;
    }
}

RemoveResult CleaningRun::remove(const Folder &folder, const char *name, bool isFolder) const
{
    if (m_options.dryRun)
        return folder.mayChangeEntries() ? RemoveResult::Removed : RemoveResult::Refused;
    return isFolder ? folder.removeFolder(name) : folder.removeEntry(name);
}

void CleaningRun::left(const QByteArray &path, const QString &why) const
{
    if (m_options.dryRun && m_options.wouldLeave)
        m_options.wouldLeave(path, why);
}

// The file pass: the listing's walk, handing every entry to the delete.
void CleaningRun::filePass(Folder top, const EntryStat &self, const QByteArray &topPath, Tree &tree)
{
    auto readLevel = [&](Stack &stack) {
        Stack::Entry &current = stack.top();
        Level &level = current.level;
        level.names = readNames(current.folder);
        if (isSessionFolder(current.folder, level.names, level.place, tree)) {
            level.names = {};
            return; // a running program's session folder: kept whole
        }
        EntryNames subfolders;
        EntryStat entry;
        for (std::size_t start : level.names.starts) {
            const char *name = level.names.bytes.data() + start;
            if (!statForRules(current.folder, name, level.place, entry))
                continue; // vanished meanwhile
            const bool mayTouch = sharedFolderGuard(name, entry, level.place).isEmpty();
            if (mayTouch && inUse(entry))
                noteInUse(tree, entry, stack, name);
            if (entry.type != EntryType::Folder) {
                if (mayTouch)
                    deleteFoundFile(current.folder, stack.path(), level.place, name, entry, tree);
                continue;
            }
            if (!mayTouch || !insideSameMount(tree.top, entry))
                continue;
            if (level.place.shared && entry.modified.seconds > m_now - m_options.sharedMinimumAgeSeconds)
                m_youngFolders.emplace(entry.device, entry.inode);
            // Entered afterwards; its entry has no size, so the delete passes it.
            subfolders.starts.push_back(subfolders.bytes.size());
            subfolders.bytes.append(name);
            subfolders.bytes.push_back('\0');
        }
        level.names = std::move(subfolders);
    };

    Stack stack(std::move(top), self, topPath, Level{placeOf({}, self), {}, 0, true, false});
    readLevel(stack);
    while (!stack.empty()) {
        Stack::Entry &current = stack.top();
        Level &level = current.level;
        if (level.next == level.names.starts.size()) {
            leave(stack, tree);
            continue;
        }
        const char *name = level.names.bytes.data() + level.names.starts[level.next++];
        EntryStat childStat;
        Folder child = enter(current.folder, stack.path(), name, level.place, tree, childStat);
        if (!child.isOpen())
            continue;
        const Place place = placeOf(level.place, childStat);
        stack.push(std::move(child), childStat, name, Level{place, {}, 0, true, false});
        readLevel(stack); // `current` and `level` are invalid from here on
    }
}

void CleaningRun::deleteFoundFile(const Folder &folder, const QByteArray &folderPath, const Place &place,
                                  const char *name, const EntryStat &entry, Tree &tree)
{
    if (!filePassTakes(name, entry)) {
        // Empty files and "desktop.ini" are not the report's. They go now,
        // by the rules the folder pass would apply, so that it need not look
        // at them again; one that stays is the folder pass's to judge.
        if (!m_options.dryRun && entry.type != EntryType::Folder && leaveReason(name, entry, place).isEmpty())
            folder.removeEntry(name);
        return;
    }
    m_result.lastFileGroupKey = tree.key;
    // Passed over like a file that is locked.
    if (!leaveReason(name, entry, place).isEmpty())
        return;
    if (remove(folder, name, false) != RemoveResult::Removed)
        return;
    ++tree.totals.files;
    tree.totals.bytes += entry.size;
    if (m_options.dryRun) {
        if (m_options.wouldDelete)
            m_options.wouldDelete(folderPath + name, entry.size);
    } else if (m_report.add(folderPath + name, entry.size)) {
        ++m_result.filesReported;
    }
}

// The folder pass: removes everything left inside the group folder, depth
// first. Returns true when nothing is left.
bool CleaningRun::folderPass(Folder top, const EntryStat &self, const QByteArray &topPath, Tree &tree)
{
    Stack stack(std::move(top), self, topPath, Level{placeOf({}, self), {}, 0, true, false});
    stack.top().level.names = readNames(stack.top().folder);
    if (isSessionFolder(stack.top().folder, stack.top().level.names, stack.top().level.place, tree)) {
        left(topPath, QStringLiteral("a running program's session folder"));
        return false;
    }
    // No folder of a group in use is removed (in a shared folder: of the
    // top-level entry in use), so running programs keep the layout they
    // expect.
    auto keepsFolders = [&](const Level &level) { return tree.top.sharedSticky ? level.inUseScope : tree.inUse; };
    bool emptied = true;

    while (!stack.empty()) {
        Stack::Entry &current = stack.top();
        Level &level = current.level;
        if (level.next == level.names.starts.size()) {
            const bool levelEmptied = level.emptied;
            const bool keepFolder = keepsFolders(level);
            const std::string name = stack.depth() > 1 ? current.name : std::string();
            leave(stack, tree);
            if (stack.empty()) {
                emptied = levelEmptied; // the group folder itself stays
                continue;
            }
            Level &parent = stack.top().level;
            if (!levelEmptied || keepFolder) {
                parent.emptied = false;
                continue;
            }
            const RemoveResult result = remove(stack.top().folder, name.c_str(), true);
            if (result != RemoveResult::Removed && result != RemoveResult::Gone)
                parent.emptied = false;
            continue;
        }

        const char *name = level.names.bytes.data() + level.names.starts[level.next++];
        EntryStat entry;
        if (!statForRules(current.folder, name, level.place, entry))
            continue; // gone already
        // The entry's path, for what a dry run tells.
        const auto path = [&] { return stack.path() + name; };
        // In a dry run the entries the file pass would delete are still
        // there: they count as gone, as they would be.
        if (m_options.dryRun && filePassTakes(name, entry) && leaveReason(name, entry, level.place).isEmpty()
            && current.folder.mayChangeEntries())
            continue;
        if (const QString why = leaveReason(name, entry, level.place); !why.isEmpty()) {
            left(entry.type == EntryType::Folder ? path() + '/' : path(), why);
            level.emptied = false;
            continue;
        }
        if (entry.type == EntryType::Folder) {
            if (!insideSameMount(tree.top, entry)) {
                left(path() + '/', QStringLiteral("a mount point"));
                level.emptied = false;
                continue;
            }
            if (m_youngFolders.count({entry.device, entry.inode})) {
                left(path() + '/', QStringLiteral("changed recently, in a folder shared with everyone"));
                level.emptied = false;
                continue;
            }
            EntryStat childStat;
            Folder child = enter(current.folder, stack.path(), name, level.place, tree, childStat);
            if (child.isOpen()) {
                Level next{placeOf(level.place, childStat), readNames(child), 0, true, false};
                next.inUseScope = level.inUseScope
                    || (stack.depth() == 1 && tree.inUseTopNames.count(std::string(name)) > 0);
                if (isSessionFolder(child, next.names, next.place, tree)) {
                    left(path() + '/', QStringLiteral("a running program's session folder"));
                    level.emptied = false;
                    continue;
                }
                stack.push(std::move(child), childStat, name, std::move(next)); // `level` is invalid from here on
                continue;
            }
            // Not opened: an unreadable folder may still be empty, and an
            // entry swapped for something else is taken as what it is now.
            if (!current.folder.statEntry(name, entry, false))
                continue;
            if (entry.type == EntryType::Folder) {
                if (keepsFolders(level)) {
                    level.emptied = false;
                    continue;
                }
                const RemoveResult result = remove(current.folder, name, true);
                if (result != RemoveResult::Removed && result != RemoveResult::Gone) {
                    left(path() + '/', QStringLiteral("cannot be read"));
                    level.emptied = false;
                }
                continue;
            }
            if (const QString why = leaveReason(name, entry, level.place); !why.isEmpty()) {
                left(path(), why);
                level.emptied = false;
                continue;
            }
        }
        const RemoveResult result = remove(current.folder, name, false);
        if (result != RemoveResult::Removed && result != RemoveResult::Gone) {
            left(path(), QStringLiteral("its delete is refused"));
            level.emptied = false;
        }
    }
    return emptied;
}

// Empties one trashed folder with both passes. Each item is a program's
// data of its own: what is in use in one keeps no folder of another. True
// when it was emptied and nothing in it is in use.
bool CleaningRun::cleanTrashedFolder(Folder folder, const EntryStat &self, const QByteArray &path, Tree &trash)
{
    Tree item;
    item.key = trash.key;
    item.top = trash.top;
    filePass(folder.reopen(), self, path, item);
    const bool emptied = folderPass(std::move(folder), self, path, item);
    trash.inUse = trash.inUse || item.inUse;
    trash.programs += item.programs;
    trash.problems.add(item.problems);
    trash.totals.files += item.totals.files;
    trash.totals.bytes += item.totals.bytes;
    return emptied && !item.inUse;
}

// A freedesktop trash: each trashed item (its entry in files/) is emptied
// and removed, and its restore information in info/ goes only once the item
// is wholly gone, so nothing is ever left that cannot be restored.
void CleaningRun::cleanTrash(Folder trash, const QByteArray &path, Tree &tree)
{
    EntryStat filesStat;
    EntryStat infoStat;
    Folder files = enter(trash, path, "files", {}, tree, filesStat);
    Folder info = enter(trash, path, "info", {}, tree, infoStat);
    if (!files.isOpen() || !info.isOpen())
        return;
    const QByteArray filesPath = path + "files/";
    const QByteArray infoPath = path + "info/";
    QList<QByteArray> removedItems;

    const EntryNames items = readNames(files);
    for (std::size_t start : items.starts) {
        const char *name = items.bytes.data() + start;
        EntryStat entry;
        if (!files.statEntry(name, entry, false))
            continue;
        if (entry.type == EntryType::Folder && insideSameMount(tree.top, entry)) {
            EntryStat itemStat;
            Folder item = enter(files, filesPath, name, {}, tree, itemStat);
            if (!item.isOpen())
                continue;
            const QByteArray itemPath = filesPath + name + '/';
            if (!cleanTrashedFolder(std::move(item), itemStat, itemPath, tree)) {
                m_result.folderPassFailed = true;
                continue;
            }
            if (remove(files, name, true) != RemoveResult::Removed) {
                m_result.folderPassFailed = true;
                continue;
            }
        } else {
            const QString why = leaveReason(name, entry, {});
            if (!why.isEmpty()) {
                if (inUse(entry)) {
                    tree.inUse = true;
                    tree.programs += m_openFiles.processNames(entry.device, entry.inode);
                }
                left(filesPath + name, why);
                m_result.folderPassFailed = true;
                continue;
            }
            if (filePassTakes(name, entry)) {
                deleteFoundFile(files, filesPath, {}, name, entry, tree);
                EntryStat still;
                if (!m_options.dryRun && files.statEntry(name, still, false))
                    continue;
            } else if (remove(files, name, false) != RemoveResult::Removed) {
                continue;
            }
        }
        removedItems.append(QByteArray(name));
    }
    // Restore information goes with its item, or alone when its item is
    // missing already.
    const EntryNames infos = readNames(info);
    for (std::size_t start : infos.starts) {
        const QByteArray name(infos.bytes.data() + start);
        if (!name.endsWith(".trashinfo"))
            continue;
        const QByteArray item = name.chopped(10);
        EntryStat entry;
        const bool itemThere = !removedItems.contains(item) && files.statEntry(item.constData(), entry, false);
        if (itemThere)
            continue;
        if (!m_options.dryRun)
            info.removeEntry(name.constData());
        removedItems.append(item);
    }
    if (!m_options.dryRun)
        forgetTrashedFolderSizes(trash, path, removedItems);

    // Whatever was expunged half-way stays no longer.
    EntryStat expungedStat;
    if (Folder expunged = enter(trash, path, "expunged", {}, tree, expungedStat); expunged.isOpen())
        cleanTrashedFolder(std::move(expunged), expungedStat, path + "expunged/", tree);
}

} // namespace sweepora
