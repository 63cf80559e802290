// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cleaning.h"
#include "engine/DeletedFilesReport.h"
#include "engine/FolderStack.h"
#include "engine/WalkProblems.h"
#include "platform/Folder.h"
#include "platform/OpenFiles.h"

#include <QByteArray>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace sweepora {

// The two passes of a cleaning run; runCleaning() is the way in. Kept as a
// class of its own so that tests can change the tree while a pass runs.
class CleaningRun
{
public:
    CleaningRun(const QString &reportFile, const CleanOptions &options = {});

    // Called with a sub-folder's path (ending in "/") just before either
    // pass opens it.
    void setBeforeOpenFolder(std::function<void(const QByteArray &folderPath)> hook)
    {
        m_beforeOpenFolder = std::move(hook);
    }

    CleanResult run(const QList<CleanTarget> &targets);

    // Why the deleted-files report lost lines; empty when it lost none.
    QString reportError() const { return m_report.error(); }

private:
    // The names of one folder's entries, read whole before any is touched,
    // so deleting never disturbs the listing being read.
    struct EntryNames
    {
        std::string bytes; // each name followed by a NUL
        std::vector<std::size_t> starts;
        bool maySocket = false; // the listing showed a socket (or did not say)
    };
    static EntryNames readNames(platform::Folder &folder);
    void clearRecentListWith(const CleanTarget &target);

    // Where an entry lies, as the rules need it.
    struct Place
    {
        bool sharedSticky = false; // its folder is shared with everyone under the sticky bit
        bool shared = false;       // that, or any folder above it in the group
    };

    // One folder of either pass.
    struct Level
    {
        Place place;                 // of this folder's entries
        EntryNames names;            // the folder pass reads all; the file pass only its sub-folders
        std::size_t next = 0;
        bool emptied = true;         // nothing left behind so far (folder pass)
        bool inUseScope = false;     // a top-level entry of a shared folder that something uses
    };
    using Stack = FolderStack<Level>;

    // A group (or a trashed item) being cleaned.
    struct Tree
    {
        QString key;
        platform::EntryStat top;
        bool inUse = false;               // something in it is in use
        std::set<std::string> inUseTopNames; // shared folders: top-level entries in use
        WalkProblems problems;
        GroupTotals totals;
        QStringList programs;
    };

    // Why an entry may not go (empty when it may): in use, another user's,
    // on the way out of the group, on the keep list, too young.
    QString leaveReason(const char *name, const platform::EntryStat &entry, const Place &place) const;
    // The first rules of leaveReason, which also keep the file pass out of a
    // folder: in a folder shared with everyone, other users' entries and the
    // desktop session's files are never touched, not even entered.
    QString sharedFolderGuard(const char *name, const platform::EntryStat &entry, const Place &place) const;
    bool inUse(const platform::EntryStat &entry) const;
    void noteInUse(Tree &tree, const platform::EntryStat &entry, const Stack &stack, const char *name);
    // Whether a folder (not shared) holds a socket a program has bound: a
    // running program's session folder, kept whole.
    // Notes the program in `tree`.
    bool isSessionFolder(const platform::Folder &folder, const EntryNames &names, const Place &place,
                         Tree &tree) const;
    // Whether the file pass deletes this entry (once its place allows it).
    static bool filePassTakes(const char *name, const platform::EntryStat &entry);
    bool statForRules(const platform::Folder &folder, const char *name, const Place &place,
                      platform::EntryStat &entry) const;
    Place placeOf(const Place &parent, const platform::EntryStat &folder) const;
    platform::Folder enter(const platform::Folder &parent, const QByteArray &parentPath, const char *name,
                           const Place &place, Tree &tree, platform::EntryStat &childStat);
    void leave(Stack &stack, Tree &tree);

    void cleanGroup(platform::Folder folder, const platform::EntryStat &self, const QByteArray &path, Tree &tree);
    void cleanTrash(platform::Folder folder, const QByteArray &path, Tree &tree);
    bool cleanTrashedFolder(platform::Folder folder, const platform::EntryStat &self, const QByteArray &path,
                            Tree &trash);
    void filePass(platform::Folder top, const platform::EntryStat &self, const QByteArray &topPath, Tree &tree);
    void deleteFoundFile(const platform::Folder &folder, const QByteArray &folderPath, const Place &place,
                         const char *name, const platform::EntryStat &entry, Tree &tree);
    bool folderPass(platform::Folder top, const platform::EntryStat &self, const QByteArray &topPath, Tree &tree);
    platform::RemoveResult remove(const platform::Folder &folder, const char *name, bool isFolder) const;
    void left(const QByteArray &path, const QString &why) const;

    DeletedFilesReport m_report;
    CleanOptions m_options;
    platform::OpenFiles m_openFiles;
    std::function<void(const QByteArray &)> m_beforeOpenFolder;
    std::uint32_t m_user = 0;
    std::int64_t m_now = 0;
    std::set<std::pair<std::uint64_t, std::uint64_t>> m_youngFolders; // seen by the file pass
    CleanResult m_result;
};

} // namespace sweepora
