// SPDX-License-Identifier: GPL-3.0-or-later
// The listing walk: one pass over the tree, one look at each entry.

#include "engine/Listing.h"

#include "engine/FolderStack.h"
#include "engine/GroupFolder.h"
#include "engine/ListingData.h"
#include "platform/Folder.h"
#include "platform/Process.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace sweepora {
namespace {

using platform::DirEntry;
using platform::EntryStat;
using platform::EntryType;
using platform::Folder;

FileTime toFileTime(const platform::Timestamp &t)
{
    return fileTimeFromUnix(t.seconds, t.nanoseconds);
}

bool isDesktopIni(const char *name)
{
    return std::strcmp(name, "desktop.ini") == 0;
}

// Turns the share of the folder tree walked so far into the progress
// callback's figures, calling it only when the share has grown by a step.
class ProgressReporter
{
public:
    explicit ProgressReporter(const WalkProgress &progress) : m_progress(progress) {}

    void start()
    {
        if (m_progress)
            m_progress(0, 1);
    }

    // `walkedShare` runs from 0 to 1 over the walk.
    void update(double walkedShare, std::uint64_t value)
    {
        if (!m_progress)
            return;
        const int step = static_cast<int>(walkedShare * steps);
        if (step <= m_lastStep || walkedShare <= 0)
            return;
        m_lastStep = step;
        const double estimate = static_cast<double>(value) / walkedShare;
        std::uint64_t maximum = estimate < 1.8e19 ? static_cast<std::uint64_t>(estimate) : value;
        m_progress(value, std::max<std::uint64_t>({maximum, value, 1}));
    }

    void finish(std::uint64_t total)
    {
        if (m_progress)
            m_progress(total, std::max<std::uint64_t>(total, 1));
    }

private:
    static constexpr int steps = 1000;
    const WalkProgress &m_progress;
    int m_lastStep = 0;
};

class ListingWalk
{
public:
    ListingWalk(const QByteArray &topPath, const WalkProgress &progress)
        : m_builder(topPath), m_data(m_builder.data()), m_progress(progress)
    {
    }

    Listing run(GroupFolder group)
    {
        m_progress.start();
        m_data.refusal = group.refusal;
        if (group.isOpen()) {
            m_top = group.stat;
            m_user = platform::currentUserId();
            walk(std::move(group));
        }
        m_progress.finish(m_data.total);
        return m_builder.take();
    }

private:
    struct Level
    {
        std::uint32_t id = 0;
        double share = 0;                    // of the whole tree, split among sub-folders
        bool sharedSticky = false;
        std::vector<std::string> subfolders; // in listing order
        std::size_t next = 0;
    };
    using Stack = FolderStack<Level>;

    // Reads one folder: counts every entry, adds the file rows, and notes
    // the sub-folders to enter afterwards.
    void readFolder(Stack::Entry &entry)
    {
        DirEntry dirEntry;
        EntryStat stat;
        Level &level = entry.level;
        while (entry.folder.nextEntry(dirEntry)) {
            if (!entry.folder.statEntry(dirEntry.name, stat))
                continue; // vanished meanwhile
            ++m_data.fileCount;
            if (stat.type == EntryType::Folder) {
                ++m_data.dirCount;
                if (insideSameMount(m_top, stat)) // a mount point is counted, not entered
                    level.subfolders.emplace_back(dirEntry.name, dirEntry.nameLength);
                continue; // a folder entry has no size of its own
            }
            m_data.total += stat.size;
            if (stat.size == 0 || isDesktopIni(dirEntry.name))
                continue;
            FileRow row;
            row.size = stat.size;
            row.created = toFileTime(stat.created);
            row.accessed = toFileTime(stat.accessed);
            row.modified = toFileTime(stat.modified);
            m_builder.addRow(level.id, dirEntry.name, dirEntry.nameLength, row);
        }
    }

    // A folder's share of the tree is walked once it has no sub-folders
    // left to enter.
    void finishedShare(double share)
    {
        m_walkedShare += share;
        m_progress.update(m_walkedShare, m_data.total);
    }

    void walk(GroupFolder group)
    {
        Stack stack(std::move(group.folder), group.stat, group.path, Level{0, 1.0, group.stat.sharedSticky, {}, 0});
        readFolder(stack.top());
        if (stack.top().level.subfolders.empty())
            finishedShare(1.0);

        while (!stack.empty()) {
            Stack::Entry &entry = stack.top();
            Level &level = entry.level;
            if (level.next == level.subfolders.size()) {
                if (!stack.pop()) {
                    m_data.problems.add(stack.path(), QStringLiteral("moved while it was being read"));
                    stack.top().level.next = stack.top().level.subfolders.size();
                }
                continue;
            }
            const std::string &name = level.subfolders[level.next++];
            const double share = level.share / static_cast<double>(level.subfolders.size());
            EntryStat childStat;
            Folder child = openSubfolderForWalk(entry.folder, stack.path(), name.c_str(), level.sharedSticky, m_top,
                                                m_user, m_data.problems, childStat);
            if (!child.isOpen()) {
                finishedShare(share);
                continue;
            }
            const std::uint32_t id = m_builder.addFolder(level.id, name.data(), name.size());
            stack.push(std::move(child), childStat, name.c_str(), Level{id, share, childStat.sharedSticky, {}, 0});
            readFolder(stack.top()); // `entry` and `level` may be invalid from here on
            if (stack.top().level.subfolders.empty())
                finishedShare(share);
        }
    }

    ListingBuilder m_builder;
    ListingData &m_data;
    ProgressReporter m_progress;
    EntryStat m_top;
    std::uint32_t m_user = 0;
    double m_walkedShare = 0;
};

} // namespace

Listing listFolder(const QString &searchPath, const WalkProgress &progress)
{
    GroupFolder group = openGroupFolder(searchPath);
    QByteArray top = group.path;
    if (top.isEmpty()) // an empty path names no folder (not the root, not the current folder)
        top = QByteArrayLiteral("/");
    ListingWalk walk(top, progress);
    return walk.run(std::move(group));
}

} // namespace sweepora
