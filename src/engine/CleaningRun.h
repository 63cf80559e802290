#pragma once

#include "engine/Cleaning.h"
#include "engine/DeletedFilesReport.h"
#include "platform/Folder.h"
#include "platform/OpenFiles.h"

#include <QByteArray>

#include <functional>
#include <string>
#include <vector>

namespace sweepora {

// The two passes of a cleaning run; runCleaning() is the way in. Kept as a
// class of its own so that tests can change the tree while a pass runs.
class CleaningRun
{
public:
    explicit CleaningRun(const QString &reportFile);

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
    };
    static EntryNames readNames(platform::Folder &folder);

    // Whether the run may change an entry of a folder: it lives on the group
    // folder's file system and, in a folder shared under the sticky bit, it
    // belongs to the user running the run.
    bool mayTouch(const platform::EntryStat &entry, bool inSharedStickyFolder) const;
    bool inUse(const platform::EntryStat &entry) const;
    platform::Folder openSubfolder(const platform::Folder &parent, const QByteArray &path, const char *name) const;

    void filePass(platform::Folder top, const QByteArray &topPath, const QString &key);
    void deleteFoundFile(const platform::Folder &folder, const QByteArray &folderPath, bool sharedSticky,
                         const char *name, const platform::EntryStat &entry, const QString &key);
    bool folderPass(platform::Folder top, const QByteArray &topPath);

    DeletedFilesReport m_report;
    platform::OpenFiles m_openFiles;
    std::function<void(const QByteArray &)> m_beforeOpenFolder;
    std::uint32_t m_user = 0;
    std::uint64_t m_device = 0; // of the group folder being cleaned
    CleanResult m_result;
};

} // namespace sweepora
