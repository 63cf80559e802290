#include "platform/Folder.h"

#include <QtDebug>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

namespace sweepora::platform {
namespace {

constexpr long kListingBufferSize = 32 * 1024;

EntryType typeFromMode(mode_t mode)
{
    switch (mode & S_IFMT) {
    case S_IFREG: return EntryType::File;
    case S_IFDIR: return EntryType::Folder;
    case S_IFLNK: return EntryType::Link;
    case S_IFSOCK: return EntryType::Socket;
    default: return EntryType::Other;
    }
}

EntryType typeFromDirent(unsigned char type)
{
    switch (type) {
    case DT_REG: return EntryType::File;
    case DT_DIR: return EntryType::Folder;
    case DT_LNK: return EntryType::Link;
    case DT_SOCK: return EntryType::Socket;
    case DT_UNKNOWN: return EntryType::Unknown;
    default: return EntryType::Other;
    }
}

Timestamp toTimestamp(const struct statx_timestamp &t)
{
    return {t.tv_sec, static_cast<std::int32_t>(t.tv_nsec)};
}

bool statxAt(int dirFd, const char *name, int flags, EntryStat &stat, bool wantTimes)
{
    struct statx sx;
    const unsigned mask = wantTimes ? (STATX_BASIC_STATS | STATX_BTIME)
                                    : (STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_UID | STATX_INO);
    if (::statx(dirFd, name, flags | AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, mask, &sx) != 0)
        return false;
    stat.type = typeFromMode(sx.stx_mode);
    stat.size = sx.stx_size;
    stat.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    stat.inode = sx.stx_ino;
    stat.owner = sx.stx_uid;
    stat.sharedSticky = S_ISDIR(sx.stx_mode) && (sx.stx_mode & S_ISVTX) && (sx.stx_mode & S_IWOTH);
    if (wantTimes) {
        stat.accessed = toTimestamp(sx.stx_atime);
        stat.modified = toTimestamp(sx.stx_mtime);
        stat.created = (sx.stx_mask & STATX_BTIME) ? toTimestamp(sx.stx_btime) : toTimestamp(sx.stx_ctime);
    }
    return true;
}

RemoveResult removeResult(int result)
{
    if (result == 0)
        return RemoveResult::Removed;
    switch (errno) {
    case ENOENT: return RemoveResult::Gone;
    case EACCES:
    case EPERM:
    case EBUSY: return RemoveResult::Refused;
    case ENOTEMPTY:
    case EEXIST: return RemoveResult::NotEmpty;
    default: return RemoveResult::Failed;
    }
}

// Opens `path` relative to `dirFd` (AT_FDCWD for the current folder).
int openFolderAt(int dirFd, const char *path)
{
    return ::openat(dirFd, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

Folder::Folder(Folder &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_buffer(std::move(other.m_buffer)),
      m_filled(other.m_filled),
      m_position(other.m_position),
      m_finished(other.m_finished)
{
}

Folder &Folder::operator=(Folder &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_buffer = std::move(other.m_buffer);
        m_filled = other.m_filled;
        m_position = other.m_position;
        m_finished = other.m_finished;
    }
    return *this;
}

Folder::~Folder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Folder Folder::openPath(const QByteArray &path)
{
    if (path.isEmpty() || path.contains('\0'))
        return {};
    if (path.size() < PATH_MAX)
        return Folder(openFolderAt(AT_FDCWD, path.constData()));

    // Too long for one call: open it in pieces that each fit, cut at
    // separators, every piece relative to the folder the last one opened.
    int fd = AT_FDCWD;
    qsizetype start = 0;
    while (start < path.size()) {
        qsizetype end = path.size();
        if (end - start >= PATH_MAX) {
            end = path.lastIndexOf('/', start + PATH_MAX - 2);
            if (end < start) { // one name longer than the limit
                if (fd != AT_FDCWD)
                    ::close(fd);
                return {};
            }
            if (end == start) // the leading "/" of an absolute path
                ++end;
        }
        const QByteArray piece = path.mid(start, end - start);
        const int next = openFolderAt(fd, piece.constData());
        if (fd != AT_FDCWD)
            ::close(fd);
        if (next < 0)
            return {};
        fd = next;
        start = end;
        while (start < path.size() && path.at(start) == '/')
            ++start;
    }
    return Folder(fd);
}

Folder Folder::openChild(const char *name) const
{
    if (m_fd < 0)
        return {};
    const int fd = ::openat(m_fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return Folder(fd);
}

Folder Folder::reopen() const
{
    if (m_fd < 0)
        return {};
    return Folder(::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool Folder::nextEntry(DirEntry &entry)
{
    if (m_fd < 0)
        return false;
    for (;;) {
        if (m_position >= m_filled) {
            if (m_finished)
                return false;
            if (!m_buffer)
                m_buffer = std::make_unique<char[]>(kListingBufferSize);
            const ssize_t n = ::getdents64(m_fd, m_buffer.get(), kListingBufferSize);
            if (n <= 0) {
                if (n < 0)
                    qWarning("Cannot read a folder listing: %s", std::strerror(errno));
                m_finished = true;
                m_buffer.reset();
                m_filled = m_position = 0;
                return false;
            }
            m_filled = n;
            m_position = 0;
        }
        const auto *d = reinterpret_cast<const struct dirent64 *>(m_buffer.get() + m_position);
        m_position += d->d_reclen;
        const char *name = d->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        entry.name = name;
        entry.nameLength = std::strlen(name);
        entry.type = typeFromDirent(d->d_type);
        return true;
    }
}

bool Folder::statEntry(const char *name, EntryStat &stat, bool wantTimes) const
{
    return m_fd >= 0 && statxAt(m_fd, name, 0, stat, wantTimes);
}

bool Folder::statSelf(EntryStat &stat) const
{
    return m_fd >= 0 && statxAt(m_fd, "", AT_EMPTY_PATH, stat, true);
}

RemoveResult Folder::removeEntry(const char *name) const
{
    if (m_fd < 0)
        return RemoveResult::Failed;
    return removeResult(::unlinkat(m_fd, name, 0));
}

RemoveResult Folder::removeFolder(const char *name) const
{
    if (m_fd < 0)
        return RemoveResult::Failed;
    return removeResult(::unlinkat(m_fd, name, AT_REMOVEDIR));
}

} // namespace sweepora::platform
