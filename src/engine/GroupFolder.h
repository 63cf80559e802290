// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/WalkProblems.h"
#include "platform/Folder.h"

#include <QByteArray>
#include <QString>

namespace sweepora {

// A group's folder opened for a walk, or why it was not.
struct GroupFolder
{
    platform::Folder folder;
    platform::EntryStat stat; // of the open folder
    QByteArray path;          // as given, ending in "/"
    // Empty when the folder is open or simply does not exist; otherwise why
    // the group is refused ("is not a full path starting with "/"", ...).
    QString refusal;

    bool isOpen() const { return folder.isOpen(); }
};

// Opens a group's folder as every walk does: the path must be absolute
// (whatever wrote the group table, a relative path would name a folder
// that depends on where the program was started); links on the way are
// followed only as the kernel's protected_symlinks rule allows. A folder
// that does not exist is not open and not refused: there is nothing to
// walk. Empty paths name no folder and are neither opened nor refused.
GroupFolder openGroupFolder(const QString &path);

// Whether a walk that started in a folder looked at as `top` may enter the
// sub-folder looked at as `folder`: never the root of a mount, never
// another file system, never another mount of the same one (a bind mount
// shares its source's device number).
inline bool insideSameMount(const platform::EntryStat &top, const platform::EntryStat &folder)
{
    if (folder.device != top.device || folder.mountRoot)
        return false;
    return top.mountId == 0 || folder.mountId == 0 || folder.mountId == top.mountId;
}

// Whether a sub-folder that could not be opened (with `error`) leaves a
// walk partial. Not when it vanished or was swapped for something else
// meanwhile, nor when it is another user's entry in a folder shared with
// everyone under the sticky bit, which no cleaning run touches.
bool unopenedFolderIsProblem(int error, bool inSharedStickyFolder, std::uint32_t owner, std::uint32_t user);

// Opens the sub-folder `name` of `parent` (whose path is `parentPath`) for
// a walk that started in a folder looked at as `top`. Not open when it is
// not to be entered: a link or no folder any more, a mount point (checked
// again on the open folder, which may have been swapped meanwhile), or a
// folder that cannot be opened, which is noted in `problems` where
// unopenedFolderIsProblem says so. `childStat` is the open folder's look.
platform::Folder openSubfolderForWalk(const platform::Folder &parent, const QByteArray &parentPath, const char *name,
                                      bool parentSharedSticky, const platform::EntryStat &top, std::uint32_t user,
                                      WalkProblems &problems, platform::EntryStat &childStat);

// "Group KEY: REFUSAL" for messages.
QString groupRefusalText(const QString &key, const QString &refusal);

} // namespace sweepora
