// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Helpers.h"
#include "engine/WalkProblems.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSharedDataPointer>
#include <QString>

#include <cstdint>
#include <functional>

namespace sweepora {

// One file row of a listing, kept compact: the name lives in the listing's
// name store and the folder in its folder table, so a row takes 48 bytes
// plus its name.
struct FileRow
{
    std::uint64_t size = 0;
    FileTime created = 0;
    FileTime accessed = 0;
    FileTime modified = 0;
    std::uint64_t nameOffset = 0; // in the listing's name store
    std::uint32_t folder = 0;     // index in the listing's folder table
    std::uint16_t nameLength = 0;
};
static_assert(sizeof(FileRow) == 48);

class ListingData;

// The files of a group's folder tree as one listing shows them: a row per
// non-empty entry other than "desktop.ini", in walk order (a folder's
// entries before its sub-folders, sub-folders depth-first in the order the
// folder lists them), with the counts and the total of the whole walk.
//
// Implicitly shared: copies are cheap until one of them is changed.
// Reading from several threads at once is safe.
class Listing
{
public:
    Listing();
    Listing(const Listing &);
    Listing(Listing &&) noexcept;
    Listing &operator=(const Listing &);
    Listing &operator=(Listing &&) noexcept;
    ~Listing();

    // Number of file rows.
    qsizetype size() const;

    // The entry's name for display; bytes that are not UTF-8 show as U+FFFD,
    // none is dropped. The name on disk, except in a listing of the Trash,
    // which shows each trashed item under its original name.
    QString name(qsizetype row) const;
    // The name for display as raw bytes (see `name`).
    QByteArrayView displayNameBytes(qsizetype row) const;
    // The name as the file system holds it.
    QByteArrayView nameBytes(qsizetype row) const;
    std::uint64_t fileSize(qsizetype row) const;
    FileTime created(qsizetype row) const; // birth time where kept, else change time
    FileTime accessed(qsizetype row) const;
    FileTime modified(qsizetype row) const;

    // The folder path as the walk reached it (ending in "/") followed by the
    // name, as raw bytes: what deleting and previewing use.
    QByteArray fullPath(qsizetype row) const;
    // The same for display, decoded as `name` is.
    QString fullPathText(qsizetype row) const;

    // The folder a row belongs to, and that folder's path ending in "/".
    // Rows of one folder are consecutive, so a caller printing many rows
    // can build each folder's path once.
    std::uint32_t folderOf(qsizetype row) const;
    QByteArray folderPath(std::uint32_t folder) const;

    // Entries counted by the walk: every entry met, sub-folders, empty files
    // and "desktop.ini" included.
    std::uint64_t fileCount() const;
    // Sub-folders met by the walk (the top folder not included).
    std::uint64_t dirCount() const;
    // Sum of the sizes of all counted entries (sub-folders count 0).
    std::uint64_t total() const;

    // "12 Files found in 3 Directories": the count of entries and the count
    // of sub-folders plus one for the top folder.
    QString filesTotalText() const;
    // "Size of files found under " + searchPath + " = " + the short size text
    // of the total.
    QString filesTotalSpaceText(const QString &searchPath) const;

    // Folders the walk could not enter or finish: the listing is partial
    // when this is not empty.
    const WalkProblems &problems() const;
    // Why the group folder was not walked at all (see openGroupFolder);
    // empty when it was, or when it does not exist.
    QString refusal() const;

    // Removes one row (after its file was deleted on its own). The other
    // rows keep their order; counts and total stay as the walk found them.
    void removeRow(qsizetype row);

private:
    friend class ListingBuilder;
    const FileRow &rowAt(qsizetype row) const;

    QSharedDataPointer<ListingData> d;
};

// Progress of a walk: `value` is the byte count of the entries walked so far,
// `maximum` the used-space sum of the tree as far as the walk can tell yet:
// the bytes walked divided by the share of the tree walked, where each
// folder's share is split evenly among its sub-folders. At the end both are
// the walk's total. `maximum` is never 0 and never below `value`. Called
// from the walking thread: once at the start with (0, 1), each time another
// thousandth of the tree has been walked, and once at the end, so about a
// thousand times at most.
using WalkProgress = std::function<void(std::uint64_t value, std::uint64_t maximum)>;

// Walks `searchPath` (a group's folder; a trailing "/" is optional) and
// returns its listing, reading every folder once and looking at every entry
// once. Never follows a symbolic link (a link is an entry of its own,
// counted with its own size) and never enters a mount point, whatever its
// file system (it counts as a sub-folder but is not entered). A path that is
// empty or does not exist gives no rows and zero counts; one that is refused
// (not absolute, a planted link, no folder, unreadable) gives the same with
// refusal() saying why. A sub-folder that cannot be read adds nothing of its
// own and is noted in problems(), except another user's folder inside a
// folder shared with everyone under the sticky bit, which a cleaning run
// would not touch either. Holds a bounded number of folders open at any
// depth. Safe to run on any thread, several at once.
Listing listFolder(const QString &searchPath, const WalkProgress &progress = {});

} // namespace sweepora
