// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Helpers.h"

#include <QByteArray>

namespace sweepora {

// What a trashed item's info file (info/NAME.trashinfo of a freedesktop
// trash) tells about it.
struct TrashInfo
{
    // The "Path" key, percent-decoded: the item's original location, an
    // absolute path or one relative to the trash's top folder. Empty when
    // missing.
    QByteArray originalPath;
    // The "DeletionDate" key, read as local time; 0 when missing or not a
    // date.
    FileTime deletionDate = 0;

    // The last component of `originalPath`: the name the item had before it
    // was trashed. Empty when no path is known.
    QByteArray originalName() const;
};

// Reads an info file's content. Only keys of the "[Trash Info]" group
// count; a content without that group gives an empty TrashInfo.
TrashInfo parseTrashInfo(const QByteArray &content);

} // namespace sweepora
