// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SingleDelete.h"

#include "platform/Folder.h"
#include "platform/OpenFiles.h"
#include "platform/Process.h"

namespace sweepora {

using platform::EntryStat;
using platform::EntryType;
using platform::RemoveResult;

SingleDeleteResult deleteSingleFile(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0 || slash == path.size() - 1)
        return SingleDeleteResult::Failed;
    const QByteArray name = path.mid(slash + 1);
    const platform::Folder folder = platform::Folder::openPath(path.left(slash + 1));
    EntryStat self;
    EntryStat entry;
    if (!folder.statSelf(self) || !folder.statEntry(name.constData(), entry, false))
        return SingleDeleteResult::Failed;
    if (entry.type == EntryType::Folder)
        return SingleDeleteResult::Failed;
    if (self.sharedSticky && entry.owner != platform::currentUserId())
        return SingleDeleteResult::Locked;
    if (platform::OpenFiles::gather().inUse(entry))
        return SingleDeleteResult::Locked;
    switch (folder.removeEntry(name.constData())) {
    case RemoveResult::Removed: return SingleDeleteResult::Deleted;
    case RemoveResult::Refused: return SingleDeleteResult::Locked;
    default: return SingleDeleteResult::Failed;
    }
}

} // namespace sweepora
