// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Listing.h"
#include "platform/Folder.h"

#include <QByteArray>

namespace sweepora {


// Whether `folder` is a freedesktop trash: it holds the sub-folders
// "files" and "info" (real folders, not links). A folder that is not open
// is none.
bool isTrashFolder(const platform::Folder &folder);
bool isTrashFolder(const QByteArray &path);

// Lists the trash at `trashPath` (a trailing "/" is optional) as the
// desktop's Trash shows it: one row per trashed item (per entry of files/),
// in the order files/ lists them, empty items included.
//  - Name: the item's original name, the last component of its info file's
//    Path; the name in files/ when the info file is missing or tells none.
//  - Size: the whole item, a folder's tree summed as a listing sums it (no
//    link followed, no other file system entered).
//  - Created, Accessed: the item's own times. Modified: when the item was
//    trashed (its info file's DeletionDate), or its own time of change when
//    the info file tells none.
//  - Full path: the item's entry in files/, what a preview or a delete use.
// The counts and the total are those of a listing of files/: every entry
// met at any depth, the sub-folders met, the sum of the sizes. A path that
// is not a readable trash gives an empty listing. Safe to run on any
// thread.
Listing listTrash(const QByteArray &trashPath, const WalkProgress &progress = {});
// The same for a trash folder already opened.
Listing listTrashFolder(platform::Folder trash, const QByteArray &trashPath, const WalkProgress &progress = {});

// The listing a click on a group shows: listTrash for a trash, listFolder
// for any other folder.
Listing listGroupFolder(const QString &searchPath, const WalkProgress &progress = {});

} // namespace sweepora
