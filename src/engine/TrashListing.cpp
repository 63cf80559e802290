// SPDX-License-Identifier: GPL-3.0-or-later
// The Trash's listing: one row per trashed item, named and dated from its
// info file, sized as a whole.

#include "engine/TrashListing.h"

#include "engine/FolderStack.h"
#include "engine/GroupFolder.h"

#include "engine/ListingData.h"
#include "engine/TrashInfo.h"
#include "platform/Folder.h"
#include "platform/Process.h"
#include "platform/ReadFile.h"

#include <QFile>

#include <algorithm>
#include <string>
#include <vector>

namespace sweepora {
namespace {

using platform::DirEntry;
using platform::EntryStat;
using platform::EntryType;
using platform::Folder;

// An info file is a few lines; anything far larger is not one.
constexpr std::size_t infoFileLimit = 64 * 1024;

FileTime toFileTime(const platform::Timestamp &t)
{
    return fileTimeFromUnix(t.seconds, t.nanoseconds);
}

struct TreeCount
{
    std::uint64_t entries = 0;
    std::uint64_t folders = 0;
    std::uint64_t bytes = 0;
};

// Counts everything below the open folder `top` on the file system
// `device`, depth first, one folder open per level.
void countTree(Folder top, const EntryStat &topStat, const EntryStat &trashTop, TreeCount &count)
{
    struct Level
    {
        std::vector<std::string> subfolders;
        std::size_t next = 0;
    };
    using Stack = FolderStack<Level>;
    const auto read = [&](Stack::Entry &current) {
        DirEntry entry;
        EntryStat stat;
        while (current.folder.nextEntry(entry)) {
            if (!current.folder.statEntry(entry.name, stat, false))
                continue; // vanished meanwhile
            ++count.entries;
            if (stat.type == EntryType::Folder) {
                ++count.folders;
                if (insideSameMount(trashTop, stat)) // a mount point is counted, not entered
                    current.level.subfolders.emplace_back(entry.name, entry.nameLength);
                continue;
            }
            count.bytes += stat.size;
        }
    };
    // Only the sizes count here: the path the stack keeps is not needed.
    Stack stack(std::move(top), topStat, QByteArrayLiteral("/"), {});
    read(stack.top());
    while (!stack.empty()) {
        Stack::Entry &current = stack.top();
        Level &level = current.level;
        if (level.next == level.subfolders.size()) {
            if (!stack.pop())
                stack.top().level.next = stack.top().level.subfolders.size();
            continue;
        }
        const std::string &name = level.subfolders[level.next++];
        Folder child = current.folder.openChild(name.c_str());
        EntryStat self;
        if (!child.statSelf(self) || !insideSameMount(trashTop, self))
            continue;
        stack.push(std::move(child), self, name.c_str(), {});
        read(stack.top()); // `current` and `level` may be invalid from here on
    }
}

// Progress by items done: the bytes so far, and the total they promise.
class ItemProgress
{
public:
    explicit ItemProgress(const WalkProgress &progress) : m_progress(progress)
    {
        if (m_progress)
            m_progress(0, 1);
    }

    void update(std::size_t done, std::size_t count, std::uint64_t value)
    {
        const int step = static_cast<int>(done * 1000 / count);
        if (!m_progress || step <= m_lastStep)
            return;
        m_lastStep = step;
        const double estimate = static_cast<double>(value) * static_cast<double>(count) / static_cast<double>(done);
        const std::uint64_t maximum = estimate < 1.8e19 ? static_cast<std::uint64_t>(estimate) : value;
        m_progress(value, std::max<std::uint64_t>({maximum, value, 1}));
    }

    void finish(std::uint64_t total)
    {
        if (m_progress)
            m_progress(total, std::max<std::uint64_t>(total, 1));
    }

private:
    const WalkProgress &m_progress;
    int m_lastStep = 0;
};

TrashInfo readInfo(const QByteArray &trashPath, const std::string &name)
{
    QByteArray content;
    const QByteArray path = trashPath + "info/" + QByteArray::fromStdString(name) + ".trashinfo";
    if (!platform::readSmallFile(path, infoFileLimit, content))
        return {};
    return parseTrashInfo(content);
}

} // namespace

bool isTrashFolder(const Folder &folder)
{
    return folder.isOpen() && folder.openChild("files").isOpen() && folder.openChild("info").isOpen();
}

bool isTrashFolder(const QByteArray &path)
{
    return !path.isEmpty() && isTrashFolder(Folder::openPath(path));
}

Listing listTrash(const QByteArray &trashPath, const WalkProgress &progress)
{
    GroupFolder group = openGroupFolder(QFile::decodeName(trashPath));
    return listTrashFolder(std::move(group.folder), group.path, progress);
}

Listing listTrashFolder(Folder trash, const QByteArray &trashPath, const WalkProgress &progress)
{
    QByteArray top = trashPath;
    if (!top.endsWith('/'))
        top += '/';
    ListingBuilder builder(top);
    ItemProgress reporter(progress);
    Folder files = trash.isOpen() ? trash.openChild("files") : Folder();
    EntryStat filesStat;
    EntryStat trashStat;
    if (!isTrashFolder(trash) || !files.statSelf(filesStat) || !trash.statSelf(trashStat)) {
        reporter.finish(0);
        return builder.take();
    }
    platform::allowManyOpenFolders();

    std::vector<std::string> names;
    DirEntry entry;
    while (files.nextEntry(entry))
        names.emplace_back(entry.name, entry.nameLength);

    ListingData &data = builder.data();
    const std::uint32_t filesId = builder.addFolder(0, "files", 5);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &name = names[i];
        EntryStat stat;
        if (!files.statEntry(name.c_str(), stat))
            continue; // restored or removed meanwhile
        ++data.fileCount;
        std::uint64_t size = stat.size;
        if (stat.type == EntryType::Folder) {
            ++data.dirCount;
            TreeCount tree;
            if (insideSameMount(trashStat, stat)) {
                Folder item = files.openChild(name.c_str());
                EntryStat itemStat;
                if (item.statSelf(itemStat) && insideSameMount(trashStat, itemStat))
                    countTree(std::move(item), itemStat, trashStat, tree);
            }
            data.fileCount += tree.entries;
            data.dirCount += tree.folders;
            size = tree.bytes;
        }
        data.total += size;

        const TrashInfo info = readInfo(top, name);
        QByteArray shown = info.originalName();
        if (shown.isEmpty())
            shown = QByteArray::fromStdString(name);
        FileRow row;
        row.size = size;
        row.created = toFileTime(stat.created);
        row.accessed = toFileTime(stat.accessed);
        row.modified = info.deletionDate != 0 ? info.deletionDate : toFileTime(stat.modified);
        builder.addRow(filesId, name.data(), name.size(), row, shown);
        reporter.update(i + 1, names.size(), data.total);
    }
    reporter.finish(data.total);
    return builder.take();
}

Listing listGroupFolder(const QString &searchPath, const WalkProgress &progress)
{
    // Opened as every walk opens a group folder: a refused one is listed
    // (as nothing, with the refusal) by the folder walk.
    GroupFolder group = openGroupFolder(searchPath);
    if (group.isOpen() && isTrashFolder(group.folder))
        return listTrashFolder(std::move(group.folder), group.path, progress);
    return listFolder(searchPath, progress);
}

} // namespace sweepora
