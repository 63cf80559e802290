#include "engine/DirUsedSpace.h"

#include "platform/Folder.h"

#include <QFile>

namespace sweepora {
namespace {

using platform::EntryStat;
using platform::EntryType;
using platform::Folder;

std::uint64_t sumFolder(Folder &folder, std::uint64_t device)
{
    std::uint64_t total = 0;
    platform::DirEntry entry;
    EntryStat stat;
    while (folder.nextEntry(entry)) {
        if (!folder.statEntry(entry.name, stat, false))
            continue; // vanished meanwhile
        if (stat.type == EntryType::Folder) {
            if (entry.name[0] == '.' || stat.device != device)
                continue;
            Folder child = folder.openChild(entry.name);
            total += sumFolder(child, device);
        } else {
            total += stat.size;
        }
    }
    return total;
}

} // namespace

std::uint64_t DirUsedSpace(QString &path)
{
    if (path.isEmpty())
        return 0; // names no folder: never the root or the current folder
    if (!path.endsWith(u'/'))
        path += u'/';
    Folder top = Folder::openPath(QFile::encodeName(path));
    EntryStat self;
    if (!top.statSelf(self))
        return 0;
    return sumFolder(top, self.device);
}

} // namespace sweepora
