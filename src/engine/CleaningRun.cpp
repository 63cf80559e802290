#include "engine/CleaningRun.h"

#include "core/AppFiles.h"
#include "engine/ProtectedFolders.h"
#include "platform/Process.h"

#include <QFile>
#include <QtDebug>

#include <cstring>

namespace sweepora {

using platform::DirEntry;
using platform::EntryStat;
using platform::EntryType;
using platform::Folder;
using platform::RemoveResult;

CleanResult runCleaning(const QList<CleanTarget> &targets, const QString &reportFile)
{
    QString noFolder;
    const QString report = reportFile.isEmpty() ? reportPath(&noFolder) : reportFile;
    CleaningRun run(report);
    CleanResult result = run.run(targets);
    result.reportError = report.isEmpty() ? noFolder : run.reportError();
    return result;
}

CleaningRun::CleaningRun(const QString &reportFile) : m_report(reportFile) {}

CleanResult CleaningRun::run(const QList<CleanTarget> &targets)
{
    m_result = {};
    m_user = platform::currentUserId();
    m_openFiles = platform::OpenFiles::gather();
    platform::allowManyOpenFolders();

    // Each group folder is opened once, by the path the table gives, and
    // both passes work on that same folder even if the path is changed
    // meanwhile; everything below it is reached through descriptors.
    struct Group
    {
        QString key;
        QByteArray path; // ends with "/"
        Folder folder;
    };
    std::vector<Group> groups;
    for (const CleanTarget &target : targets) {
        if (target.path.isEmpty())
            continue; // no group folder: never the current folder or the root
        QByteArray path = QFile::encodeName(target.path);
        if (!path.endsWith('/'))
            path += '/';
        Folder folder = Folder::openPath(path);
        if (!folder.isOpen())
            continue;
        // The root, the home folder and the system's folders are never
        // cleaned, whatever the table says.
        if (isProtectedFolder(folder)) {
            qWarning("Not cleaning %s: the root, the home folder and system folders are never emptied",
                     path.constData());
            m_result.folderPassFailed = true;
            continue;
        }
        groups.push_back({target.key, path, std::move(folder)});
    }

    auto openGroupFolder = [this](const Group &group) {
        Folder folder = group.folder.reopen();
        EntryStat self;
        if (!folder.statSelf(self))
            return Folder();
        m_device = self.device;
        return folder;
    };
    for (const Group &group : groups) {
        if (Folder top = openGroupFolder(group); top.isOpen())
            filePass(std::move(top), group.path, group.key);
    }
    for (const Group &group : groups) {
        if (Folder top = openGroupFolder(group); top.isOpen() && !folderPass(std::move(top), group.path))
            m_result.folderPassFailed = true;
    }
    return m_result;
}

CleaningRun::EntryNames CleaningRun::readNames(Folder &folder)
{
    EntryNames names;
    DirEntry entry;
    while (folder.nextEntry(entry)) {
        names.starts.push_back(names.bytes.size());
        names.bytes.append(entry.name, entry.nameLength);
        names.bytes.push_back('\0');
    }
    return names;
}

bool CleaningRun::mayTouch(const EntryStat &entry, bool inSharedStickyFolder) const
{
    if (entry.device != m_device)
        return false; // a mount point, or what lies on another file system
    return !inSharedStickyFolder || entry.owner == m_user;
}

bool CleaningRun::inUse(const EntryStat &entry) const
{
    return entry.type == EntryType::File && m_openFiles.contains(entry.device, entry.inode);
}

Folder CleaningRun::openSubfolder(const Folder &parent, const QByteArray &path, const char *name) const
{
    if (m_beforeOpenFolder)
        m_beforeOpenFolder(path);
    // Never follows a link: a folder swapped for one since it was looked at
    // does not open, and so cannot lead the run out of the group folder.
    Folder child = parent.openChild(name);
    EntryStat self;
    if (!child.statSelf(self) || self.device != m_device)
        return {};
    return child;
}

// The file pass: the listing's walk, handing every entry to the delete.
void CleaningRun::filePass(Folder top, const QByteArray &topPath, const QString &key)
{
    struct Level
    {
        Folder folder;
        QByteArray path;
        bool sharedSticky = false;
        std::vector<std::string> subfolders;
        std::size_t next = 0;
    };

    auto readLevel = [&](Level &level) {
        EntryNames names = readNames(level.folder);
        EntryStat entry;
        for (std::size_t start : names.starts) {
            const char *name = names.bytes.data() + start;
            if (!level.folder.statEntry(name, entry, false))
                continue; // vanished meanwhile
            if (entry.type == EntryType::Folder) {
                // Entered later; its entry has no size, so the delete passes it.
                if (mayTouch(entry, level.sharedSticky))
                    level.subfolders.emplace_back(name);
                continue;
            }
            deleteFoundFile(level.folder, level.path, level.sharedSticky, name, entry, key);
        }
    };

    EntryStat self;
    top.statSelf(self);
    std::vector<Level> stack;
    stack.push_back({std::move(top), topPath, self.sharedSticky, {}, 0});
    readLevel(stack.back());
    while (!stack.empty()) {
        Level &level = stack.back();
        if (level.next == level.subfolders.size()) {
            stack.pop_back();
            continue;
        }
        const std::string &name = level.subfolders[level.next++];
        const QByteArray path = level.path + name.c_str() + '/';
        Folder child = openSubfolder(level.folder, path, name.c_str());
        if (!child.isOpen())
            continue;
        EntryStat childSelf;
        child.statSelf(childSelf);
        stack.push_back({std::move(child), path, childSelf.sharedSticky, {}, 0});
        readLevel(stack.back()); // `level` may be invalid from here on
    }
}

void CleaningRun::deleteFoundFile(const Folder &folder, const QByteArray &folderPath, bool sharedSticky,
                                  const char *name, const EntryStat &entry, const QString &key)
{
    if (std::strcmp(name, "desktop.ini") == 0 || std::strcmp(name, "Desktop.ini") == 0 || entry.size == 0)
        return;
    m_result.lastFileGroupKey = key;
    // Passed over like a file that is locked: sockets, files in use, what
    // the run may not touch.
    if (entry.type == EntryType::Socket || inUse(entry) || !mayTouch(entry, sharedSticky))
        return;
    if (folder.removeEntry(name) != RemoveResult::Removed)
        return;
    if (m_report.add(folderPath + name, entry.size))
        ++m_result.filesReported;
}

// The folder pass: removes everything left inside the group folder, depth
// first. Returns true when nothing is left.
bool CleaningRun::folderPass(Folder top, const QByteArray &topPath)
{
    struct Level
    {
        Folder folder;
        QByteArray path;
        bool sharedSticky = false;
        EntryNames names;
        std::size_t next = 0;
        bool emptied = true;   // nothing left behind so far
        std::string nameInParent;
    };

    EntryStat self;
    top.statSelf(self);
    std::vector<Level> stack;
    stack.push_back({std::move(top), topPath, self.sharedSticky, {}, 0, true, {}});
    stack.back().names = readNames(stack.back().folder);
    bool emptied = true;

    while (!stack.empty()) {
        Level &level = stack.back();
        if (level.next == level.names.starts.size()) {
            const bool levelEmptied = level.emptied;
            const std::string name = std::move(level.nameInParent);
            stack.pop_back();
            if (stack.empty()) {
                emptied = levelEmptied; // the group folder itself stays
            } else if (!levelEmptied) {
                stack.back().emptied = false;
            } else {
                const RemoveResult result = stack.back().folder.removeFolder(name.c_str());
                if (result != RemoveResult::Removed && result != RemoveResult::Gone)
                    stack.back().emptied = false;
            }
            continue;
        }

        const char *name = level.names.bytes.data() + level.names.starts[level.next++];
        EntryStat entry;
        if (!level.folder.statEntry(name, entry, false))
            continue; // gone already
        if (!mayTouch(entry, level.sharedSticky)) {
            level.emptied = false;
            continue;
        }
        if (entry.type == EntryType::Folder) {
            const QByteArray path = level.path + name + '/';
            Folder child = openSubfolder(level.folder, path, name);
            if (child.isOpen()) {
                EntryStat childSelf;
                child.statSelf(childSelf);
                Level next{std::move(child), path, childSelf.sharedSticky, {}, 0, true, name};
                next.names = readNames(next.folder);
                stack.push_back(std::move(next)); // `level` is invalid from here on
                continue;
            }
            // Not opened: an unreadable folder may still be empty, and an
            // entry swapped for something else is taken as what it is now.
            if (!level.folder.statEntry(name, entry, false))
                continue;
            if (entry.type == EntryType::Folder) {
                const RemoveResult result = level.folder.removeFolder(name);
                if (result != RemoveResult::Removed && result != RemoveResult::Gone)
                    level.emptied = false;
                continue;
            }
            if (!mayTouch(entry, level.sharedSticky)) {
                level.emptied = false;
                continue;
            }
        }
        if (entry.type == EntryType::Socket || inUse(entry)) {
            level.emptied = false;
            continue;
        }
        const RemoveResult result = level.folder.removeEntry(name);
        if (result != RemoveResult::Removed && result != RemoveResult::Gone)
            level.emptied = false;
    }
    return emptied;
}

} // namespace sweepora
