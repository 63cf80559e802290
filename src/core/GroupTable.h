// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GroupFileError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace sweepora {

// One group: a folder to watch, with its display name, look-up key and icon.
// Fields are kept as the file holds them; `iconNumber()` applies the
// leading-number rule to the icon text.
struct Group
{
    QString name;
    QString path; // ends with the path separator when entered through the dialogs
    QString key;  // compared exactly, case-sensitive
    QString icon; // decimal text of an icon number 1 to 35

    int iconNumber() const;
    friend bool operator==(const Group &, const Group &) = default;
};

using GroupList = QList<Group>;

// Which built-in default table to write.
enum class DefaultTable { Linux, Windows, Native };

// The XDG base folders the Linux defaults follow. An empty or relative value
// counts as unset, as the XDG base directory rules say, and the folder under
// the home is used instead: ~/.local/share and ~/.cache.
struct BaseFolders
{
    QString dataHome;
    QString cacheHome;
};

// The six default groups, in the order they are written. On Linux,
// Temporary Files is /tmp/; Recent Documents and Trash lie in the data home,
// Firefox Cache, Thumbnails and Chromium Cache in the cache home; "~" stands
// for `home`. Every Linux path ends with "/".
GroupList defaultGroups(DefaultTable table, const QString &home, const BaseFolders &base);

// The same with XDG_DATA_HOME and XDG_CACHE_HOME as the environment holds
// them now.
GroupList defaultGroups(DefaultTable table, const QString &home);

// The file's bytes for `groups`: four quoted fields joined by single
// commas, CR LF after every line, UTF-8 text. Fields are written as given;
// the dialogs keep double quotes and line breaks out of them.
QByteArray serializeGroups(const GroupList &groups);

// Parses the file's bytes. A line that holds nothing or only blanks holds
// no record and is passed over. Blanks before a field are skipped; a field
// that starts with a double quote runs to the next double quote, any other
// field to the next comma or line end; after the fourth field the reader
// moves to the next line. On a record cut short by the end of the data,
// `complete` holds the records before it and the error is InputPastEnd.
struct GroupParse
{
    GroupList complete;
    GroupFileError error;
    // How many bytes at the start of the data hold the complete records,
    // up to and including the line end after the last of them.
    qsizetype completeBytes = 0;
};
GroupParse parseGroups(const QByteArray &data);

// All of the following read or write the file afresh, by default the one at
// groupTablePath(). None keeps the file open between calls. The file is used
// only when it is a regular file: a symbolic link in its place is not
// followed, and a FIFO, device or folder there is PathFileAccess (never
// waited on). With no usable configuration folder the error is PathNotFound.

// All records in file order. FileNotFound for a missing file, InputPastEnd
// for a cut record (with the complete ones in `complete`), PathFileAccess
// when the file cannot be read.
GroupParse LoadGroups(const QString &file = {});

// Replaces the file atomically with `groups` in order, creating the folder
// it lives in when missing.
GroupFileError SaveGroups(const GroupList &groups, const QString &file = {});

// Adds one line after the existing ones, creating the file when missing.
GroupFileError AppendGroup(const Group &group, const QString &file = {});

// Replaces the file atomically with the six default groups of this platform.
GroupFileError WriteDefaultGroups(const QString &file = {});

// Icon number of the last line whose key equals `key` exactly (0 when none
// does, or when the file cannot be read).
int IconsTable(const QString &key, const QString &file = {});

// Path of the last line whose key equals `key` exactly; no value when none
// does, or when the file cannot be read.
std::optional<QString> PathsTable(const QString &key, const QString &file = {});

// Groups with one entry per key, in the order each key first appears; a
// later line with the same key updates that entry's name, path and icon.
// This is what the tree and the monitor show from a file that repeats a key.
GroupList mergeDuplicateKeys(const GroupList &groups);

// The start-up load. A missing file gets the default groups; a file cut
// inside a record is copied beside itself as "wingrdt.dll.damaged" and
// rewritten with the lines of its complete records, byte for byte. Any other failure is returned and
// the file is left alone.
struct StartupLoad
{
    GroupList groups;
    GroupFileError error;
    bool wroteDefaults = false;
    bool recovered = false;
};
StartupLoad loadGroupsForStartup(const QString &file = {});

} // namespace sweepora
