// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Folder.h"

#include <QByteArray>
#include <QList>

namespace sweepora {

// Drops the lines of `items` (names in the trash's "files" folder) from the
// trash's "directorysizes" cache, replacing the file atomically. A cache
// that is missing or no regular file is left alone.
void forgetTrashedFolderSizes(const platform::Folder &trash, const QByteArray &trashPath,
                              const QList<QByteArray> &items);

} // namespace sweepora
