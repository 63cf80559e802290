// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cerrno>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace sweepora::platform {

enum class EntryType : std::uint8_t { Unknown, File, Folder, Link, Socket, Other };

// A time stamp as the file system keeps it: seconds and nanoseconds since
// 1970-01-01 UTC.
struct Timestamp
{
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;
};

// What one look at an entry tells, without following a symbolic link.
struct EntryStat
{
    EntryType type = EntryType::Unknown;
    std::uint64_t size = 0;   // apparent size in bytes; a link's own size
    std::uint64_t device = 0; // file system the entry lives on
    std::uint64_t inode = 0;  // with `device`, names the file itself
    // The mount the entry belongs to (0 where the kernel does not say), and
    // whether the entry is the root of a mount. A bind mount shares its
    // source's device number, so only these two show it.
    std::uint64_t mountId = 0;
    bool mountRoot = false;
    std::uint32_t owner = 0;
    // A folder that everyone may write to but where only an entry's owner
    // may delete it (the sticky bit), such as /tmp.
    bool sharedSticky = false;
    Timestamp created;        // birth time where the file system keeps one, else the change time
    Timestamp accessed;
    Timestamp modified;
};

// One entry as the folder's listing gives it. `name` stays valid until the
// next call of Folder::nextEntry.
struct DirEntry
{
    const char *name = nullptr;
    std::size_t nameLength = 0;
    EntryType type = EntryType::Unknown; // Unknown when the listing does not say
};

// What became of an attempt to remove an entry.
enum class RemoveResult : std::uint8_t {
    Removed,
    Gone,     // it was not there (any more)
    Refused,  // permission refused, or the entry is busy (a mount point)
    NotEmpty, // a folder that still holds entries
    Failed,   // anything else (read-only file system, I/O error, ...)
};

// An open folder. Everything below it is reached relative to its
// descriptor, so no path is resolved twice, paths have no length limit and
// a folder swapped for a link during a walk cannot lead the walk elsewhere.
// Move-only; closes on destruction.
class Folder
{
public:
    Folder() = default;
    Folder(Folder &&other) noexcept;
    Folder &operator=(Folder &&other) noexcept;
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;
    ~Folder();

    // Opens a folder by its path (links in the path are followed: the user
    // named this folder). Paths longer than the system's path limit are
    // opened piece by piece. Not open when the path is no readable folder.
    static Folder openPath(const QByteArray &path);

    // Opens a group folder by its absolute path, one name at a time from
    // "/", following links only as the kernel's protected_symlinks allows,
    // whatever the machine's own setting: a link inside a folder that
    // everyone may write to under the sticky bit is followed only when it
    // belongs to the user or to that folder's owner. Not open otherwise;
    // error() then tells why (ENOENT, EACCES, ENOTDIR, ELOOP, and EPERM for
    // a link that may not be followed).
    static Folder openGroupPath(const QByteArray &path);

    // Opens the sub-folder `name`. Never follows a symbolic link: a link,
    // a file or an unreadable folder gives a folder that is not open.
    Folder openChild(const char *name) const;

    // The same folder opened afresh, with a listing of its own: still this
    // folder even if its path now leads elsewhere.
    Folder reopen() const;

    // The folder this one now lies in (its ".."). The caller checks that it
    // is still the folder it came from.
    Folder openParent() const;

    bool isOpen() const { return m_fd >= 0; }

    // Why a folder is not open: the system's error number (0 when open).
    int error() const { return m_fd >= 0 ? 0 : m_error; }
    // The same as a text for messages.
    static QByteArray errorText(int error);

    // The next entry of the listing, "." and ".." left out. False at the
    // end or when the listing cannot be read further; the listing's buffer
    // is released then, while the folder stays open.
    bool nextEntry(DirEntry &entry);

    // Looks at the entry `name` without following a link. False when it
    // vanished or cannot be examined.
    bool statEntry(const char *name, EntryStat &stat, bool wantTimes = true) const;

    // Looks at the open folder itself.
    bool statSelf(EntryStat &stat) const;

    // Removes the entry `name` of this folder: a file, a link (never what it
    // points to), a socket, a pipe or a device node; never a folder.
    RemoveResult removeEntry(const char *name) const;

    // Removes the empty sub-folder `name`.
    RemoveResult removeFolder(const char *name) const;

    // Whether this process may add and remove entries of this folder, as
    // far as its permissions tell (a delete may still be refused).
    bool mayChangeEntries() const;

private:
    explicit Folder(int fd);

    int m_fd = -1;
    int m_error = EBADF;
    std::unique_ptr<char[]> m_buffer;
    long m_filled = 0;
    long m_position = 0;
    bool m_finished = false;
};

} // namespace sweepora::platform
