// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Folder.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sweepora {

// The folders from a walk's top down to the folder being walked, each with
// the walk's own state for it (`Level`), holding a bounded number of them
// open whatever the depth.
//
// Only the deepest `kOpenWindow` folders keep their descriptor (and the top,
// which is never closed). Going back up to a folder that was closed opens
// it again through ".." of the folder just left, or failing that name by
// name from the nearest folder still open, and takes it only when it is
// still the same folder (device and inode): a folder moved or swapped
// meanwhile is never walked in its new place.
//
// The path of the deepest folder is kept in one buffer that grows and
// shrinks with the stack, so memory grows with the names on the way down,
// not with depth times path length.
template<typename Level>
class FolderStack
{
public:
    static constexpr std::size_t kOpenWindow = 24;

    struct Entry
    {
        platform::Folder folder;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::size_t pathLength = 0; // of path() while this folder is the deepest
        std::string name;           // under its parent; empty for the top
        Level level;
    };

    // `top` must be open; `topPath` ends with "/".
    FolderStack(platform::Folder top, const platform::EntryStat &topStat, const QByteArray &topPath, Level level)
        : m_path(topPath)
    {
        m_entries.push_back({std::move(top), topStat.device, topStat.inode, static_cast<std::size_t>(topPath.size()),
                             {}, std::move(level)});
    }

    bool empty() const { return m_entries.empty(); }
    std::size_t depth() const { return m_entries.size(); }
    Entry &top() { return m_entries.back(); }

    // The name of the top folder's entry on the way down to the deepest
    // folder; empty while the top is the deepest.
    const std::string &topLevelName() const { return m_entries.size() > 1 ? m_entries[1].name : m_entries[0].name; }

    // The deepest folder's path, ending in "/".
    const QByteArray &path() const { return m_path; }

    // Enters the open sub-folder `child` (named `name` in the deepest
    // folder, whose look is `childStat`).
    void push(platform::Folder child, const platform::EntryStat &childStat, const char *name, Level level)
    {
        m_path.append(name);
        m_path.append('/');
        m_entries.push_back({std::move(child), childStat.device, childStat.inode,
                             static_cast<std::size_t>(m_path.size()), std::string(name), std::move(level)});
        if (m_entries.size() > kOpenWindow + 1) {
            Entry &old = m_entries[m_entries.size() - kOpenWindow - 1];
            if (&old != &m_entries.front())
                old.folder = platform::Folder(); // closes it; reopened on the way back up
        }
    }

    // Leaves the deepest folder. Returns false when the folder above could
    // not be opened again as the same folder; it stays on the stack, not
    // open, and the caller gives up the rest of its walk and pops it too.
    bool pop()
    {
        platform::Folder left = std::move(m_entries.back().folder);
        m_entries.pop_back();
        if (m_entries.empty())
            return true;
        m_path.truncate(static_cast<qsizetype>(m_entries.back().pathLength));
        Entry &now = m_entries.back();
        if (now.folder.isOpen())
            return true;
        if (left.isOpen() && adopt(now, left.openParent()))
            return true;
        // Name by name from the nearest folder still open.
        std::size_t open = m_entries.size() - 1;
        while (!m_entries[open].folder.isOpen()) {
            if (open == 0)
                return false;
            --open;
        }
        platform::Folder folder = m_entries[open].folder.reopen();
        for (std::size_t i = open + 1; i < m_entries.size(); ++i) {
            platform::Folder child = folder.openChild(m_entries[i].name.c_str());
            if (!sameFolder(m_entries[i], child))
                return false;
            folder = std::move(child);
        }
        now.folder = std::move(folder);
        return true;
    }

private:
    static bool sameFolder(const Entry &entry, const platform::Folder &folder)
    {
        platform::EntryStat self;
        return folder.statSelf(self) && self.device == entry.device && self.inode == entry.inode;
    }

    static bool adopt(Entry &entry, platform::Folder folder)
    {
        if (!sameFolder(entry, folder))
            return false;
        entry.folder = std::move(folder);
        return true;
    }

    std::vector<Entry> m_entries;
    QByteArray m_path;
};

} // namespace sweepora
