// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora {

// The user's data home: XDG_DATA_HOME when it holds an absolute path, else
// ~/.local/share. No trailing "/".
QString dataHome();

// The list of recently used files that GTK desktops (GNOME, Xfce, Cinnamon,
// MATE) keep, and KDE writes besides its own folder:
// dataHome() + "/recently-used.xbel".
QString recentlyUsedListPath();

// The XBEL document with no entries, byte for byte as GLib writes an empty
// list.
QByteArray emptyRecentlyUsedList();

// Empties the recently used list, as the desktop's own "clear" does: the
// file is kept and replaced atomically by an empty, valid list, with its
// permissions. Returns true when the list is empty afterwards or was left
// alone on purpose: when there is no such file, or when it is no regular
// file (users turn the list off by making it a link to /dev/null, or a
// folder; such an entry is not touched). Returns false when the file could
// not be replaced, with the reason in `error` (when given); the old list is
// then unchanged.
bool clearRecentlyUsedList(QString *error = nullptr);

// Whether `groupPath` names the user's recent-documents folder,
// dataHome() + "/RecentDocuments", by identity (the same folder reached
// through any path or link), so that cleaning that group can also empty the
// recently used list. False when either does not exist.
bool isRecentDocumentsFolder(const QString &groupPath);

} // namespace sweepora
