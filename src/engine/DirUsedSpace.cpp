// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DirUsedSpace.h"

#include "engine/FolderStack.h"
#include "engine/GroupFolder.h"
#include "platform/Folder.h"
#include "platform/Process.h"

#include <QtDebug>

#include <algorithm>
#include <atomic>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace sweepora {
namespace {

using platform::EntryStat;
using platform::EntryType;
using platform::Folder;

struct Level
{
    bool sharedSticky = false;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
};
using Stack = FolderStack<Level>;

// Adds the sizes of one folder's entries and notes its sub-folders.
void sumFolder(Folder &folder, Level &level, const EntryStat &top, std::uint64_t &total)
{
    platform::DirEntry dirEntry;
    EntryStat stat;
    while (folder.nextEntry(dirEntry)) {
        if (!folder.statEntry(dirEntry.name, stat, false))
            continue; // vanished meanwhile
        if (stat.type != EntryType::Folder)
            total += stat.size;
        else if (dirEntry.name[0] != '.' && insideSameMount(top, stat))
            level.subfolders.emplace_back(dirEntry.name, dirEntry.nameLength);
    }
}

// What one walker found in its share of the tree.
struct Share
{
    std::uint64_t bytes = 0;
    WalkProblems problems;
};

// Sums the tree below the open folder `folder` (reached as `path`), depth
// first, holding a bounded number of folders open.
void sumTree(Folder folder, const EntryStat &stat, const QByteArray &path, const EntryStat &top, std::uint32_t user,
             Share &share)
{
    Stack stack(std::move(folder), stat, path, Level{stat.sharedSticky, {}, 0});
    sumFolder(stack.top().folder, stack.top().level, top, share.bytes);
    while (!stack.empty()) {
        Stack::Entry &entry = stack.top();
        Level &level = entry.level;
        if (level.next == level.subfolders.size()) {
            if (!stack.pop()) {
                share.problems.add(stack.path(), QStringLiteral("moved while it was being read"));
                stack.top().level.next = stack.top().level.subfolders.size();
            }
            continue;
        }
        const std::string &name = level.subfolders[level.next++];
        EntryStat childStat;
        Folder child = openSubfolderForWalk(entry.folder, stack.path(), name.c_str(), level.sharedSticky, top, user,
                                            share.problems, childStat);
        if (!child.isOpen())
            continue;
        stack.push(std::move(child), childStat, name.c_str(), Level{childStat.sharedSticky, {}, 0});
        // `entry` and `level` may be invalid from here on.
        sumFolder(stack.top().folder, stack.top().level, top, share.bytes);
    }
}

// How many threads share a sum: looking at entries is nearly all time in
// the kernel, which runs lookups in separate folders side by side. Each
// walker may hold a window of folders open, so a low descriptor limit
// keeps the sum on one thread.
unsigned walkerCount(std::size_t topSubfolders)
{
    constexpr unsigned mostWalkers = 4;
    constexpr std::size_t descriptorsKeptFree = 64; // for everything else the process has open
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t limit = platform::openDescriptorLimit();
    const std::size_t perWalker = Stack::kOpenWindow + 2;
    const std::size_t affordable = limit > descriptorsKeptFree ? (limit - descriptorsKeptFree) / perWalker : 0;
    const std::size_t walkers = std::min<std::size_t>({cores, mostWalkers, affordable, topSubfolders});
    return static_cast<unsigned>(std::max<std::size_t>(walkers, 1));
}

} // namespace

UsedSpace usedSpace(const QString &path)
{
    UsedSpace result;
    GroupFolder group = openGroupFolder(path);
    result.refusal = group.refusal;
    if (!group.isOpen())
        return result;
    platform::allowManyOpenFolders();
    const EntryStat top = group.stat;
    const std::uint32_t user = platform::currentUserId();

    // The top folder is read here; its sub-folders are then shared out
    // among the walkers one at a time, and each share's figures are added
    // up in the folder's order, so the result (problems included) does
    // not depend on which walker took which.
    Level topLevel{top.sharedSticky, {}, 0};
    sumFolder(group.folder, topLevel, top, result.bytes);
    const std::vector<std::string> &names = topLevel.subfolders;
    std::vector<Share> shares(names.size());
    std::atomic<std::size_t> next{0};
    const auto walk = [&] {
        for (std::size_t i = next++; i < names.size(); i = next++) {
            EntryStat childStat;
            Folder child = openSubfolderForWalk(group.folder, group.path, names[i].c_str(), top.sharedSticky, top,
                                                user, shares[i].problems, childStat);
            if (child.isOpen())
                sumTree(std::move(child), childStat, group.path + names[i].c_str() + '/', top, user, shares[i]);
        }
    };
    {
        std::vector<std::jthread> helpers;
        const unsigned walkers = walkerCount(names.size());
        for (unsigned i = 1; i < walkers; ++i) {
            try {
                helpers.emplace_back(walk);
            } catch (const std::system_error &error) {
                qWarning("Summing used space on fewer threads: %s", error.what());
                break; // the walkers already started, this one included, share the rest
            }
        }
        walk();
    } // the helpers are joined here
    for (const Share &share : shares) {
        result.bytes += share.bytes;
        result.problems.add(share.problems);
    }
    return result;
}

std::uint64_t DirUsedSpace(QString &path)
{
    if (path.isEmpty())
        return 0; // names no folder: never the root or the current folder
    if (!path.endsWith(u'/'))
        path += u'/';
    return usedSpace(path).bytes;
}

} // namespace sweepora
