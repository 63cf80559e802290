// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DirUsedSpace.h"

#include "engine/FolderStack.h"
#include "engine/GroupFolder.h"
#include "platform/Folder.h"
#include "platform/Process.h"

#include <string>
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
void sumFolder(Stack::Entry &entry, const EntryStat &top, std::uint64_t &total)
{
    platform::DirEntry dirEntry;
    EntryStat stat;
    while (entry.folder.nextEntry(dirEntry)) {
        if (!entry.folder.statEntry(dirEntry.name, stat, false))
            continue; // vanished meanwhile
        if (stat.type != EntryType::Folder)
            total += stat.size;
        else if (dirEntry.name[0] != '.' && insideSameMount(top, stat))
            entry.level.subfolders.emplace_back(dirEntry.name, dirEntry.nameLength);
    }
}

} // namespace

UsedSpace usedSpace(const QString &path)
{
    UsedSpace result;
    GroupFolder group = openGroupFolder(path);
    result.refusal = group.refusal;
    if (!group.isOpen())
        return result;
    const EntryStat top = group.stat;
    const std::uint32_t user = platform::currentUserId();
    Stack stack(std::move(group.folder), top, group.path, Level{top.sharedSticky, {}, 0});
    sumFolder(stack.top(), top, result.bytes);
    while (!stack.empty()) {
        Stack::Entry &entry = stack.top();
        Level &level = entry.level;
        if (level.next == level.subfolders.size()) {
            if (!stack.pop()) {
                result.problems.add(stack.path(), QStringLiteral("moved while it was being read"));
                stack.top().level.next = stack.top().level.subfolders.size();
            }
            continue;
        }
        const std::string &name = level.subfolders[level.next++];
        EntryStat childStat;
        Folder child = openSubfolderForWalk(entry.folder, stack.path(), name.c_str(), level.sharedSticky, top, user,
                                            result.problems, childStat);
        if (!child.isOpen())
            continue;
        stack.push(std::move(child), childStat, name.c_str(), Level{childStat.sharedSticky, {}, 0});
        sumFolder(stack.top(), top, result.bytes); // `entry` and `level` may be invalid from here on
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
