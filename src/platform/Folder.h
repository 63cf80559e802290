#pragma once

#include <QByteArray>

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

    // Opens the sub-folder `name`. Never follows a symbolic link: a link,
    // a file or an unreadable folder gives a folder that is not open.
    Folder openChild(const char *name) const;

    // The same folder opened afresh, with a listing of its own: still this
    // folder even if its path now leads elsewhere.
    Folder reopen() const;

    bool isOpen() const { return m_fd >= 0; }

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

private:
    explicit Folder(int fd) : m_fd(fd) {}

    int m_fd = -1;
    std::unique_ptr<char[]> m_buffer;
    long m_filled = 0;
    long m_position = 0;
    bool m_finished = false;
};

} // namespace sweepora::platform
