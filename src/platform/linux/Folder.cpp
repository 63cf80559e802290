// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <deque>
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
    const unsigned mask = (wantTimes ? (STATX_BASIC_STATS | STATX_BTIME)
                                     : (STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_UID | STATX_INO))
        | STATX_MNT_ID;
    if (::statx(dirFd, name, flags | AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, mask, &sx) != 0)
        return false;
    stat.type = typeFromMode(sx.stx_mode);
    stat.size = sx.stx_size;
    stat.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    stat.inode = sx.stx_ino;
    stat.mountId = (sx.stx_mask & STATX_MNT_ID) ? sx.stx_mnt_id : 0;
    stat.mountRoot = (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        && (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT);
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

// Folders on the way are only searched, never read: O_PATH needs no read
// permission, as the kernel's own path walk needs none.
constexpr int kOpenFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// Whether the kernel's protected_symlinks rule lets `user` follow a link
// owned by `linkOwner` that lies in the folder `folder`.
bool mayFollowLink(const struct stat &folder, uid_t linkOwner, uid_t user)
{
    const bool sharedSticky = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !sharedSticky || linkOwner == user || linkOwner == folder.st_uid;
}

// The target of the link `name` in `dirFd`, or an empty array.
QByteArray readLinkAt(int dirFd, const char *name, std::size_t sizeHint)
{
    QByteArray target(static_cast<qsizetype>(sizeHint + 1), Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::readlinkat(dirFd, name, target.data(), static_cast<size_t>(target.size()));
        if (n < 0)
            return {};
        if (n < target.size()) {
            target.truncate(n);
            return target;
        }
        target.resize(target.size() * 2); // the link grew meanwhile
    }
}

// Puts the names of `path` in front of `pending`, in order.
void prependNames(const QByteArray &path, std::deque<QByteArray> &pending)
{
    const QList<QByteArray> names = path.split('/');
    for (auto it = names.crbegin(); it != names.crend(); ++it) {
        if (!it->isEmpty() && *it != ".")
            pending.push_front(*it);
    }
}

} // namespace

Folder::Folder(int fd) : m_fd(fd), m_error(fd < 0 ? errno : 0) {}

QByteArray Folder::errorText(int error)
{
    return QByteArray(std::strerror(error));
}

Folder::Folder(Folder &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_error(other.m_error),
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
        m_error = other.m_error;
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

Folder Folder::openGroupPath(const QByteArray &path)
{
    auto refused = [](int error) {
        Folder folder;
        folder.m_error = error;
        return folder;
    };
    if (!path.startsWith('/') || path.contains('\0'))
        return refused(EINVAL);

    int fd = ::open("/", kOpenFlags);
    if (fd < 0)
        return Folder(fd);
    const uid_t user = ::geteuid();
    std::deque<QByteArray> pending;
    prependNames(path, pending);
    int linksFollowed = 0;
    while (!pending.empty()) {
        const QByteArray name = std::move(pending.front());
        pending.pop_front();
        int next = -1;
        struct stat entry;
        if (name == "..") {
            next = ::openat(fd, "..", kOpenFlags);
        } else if (::fstatat(fd, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
            next = -1;
        } else if (S_ISLNK(entry.st_mode)) {
            struct stat folder;
            if (++linksFollowed > 40) {
                errno = ELOOP;
            } else if (::fstat(fd, &folder) != 0) {
                // errno says why
            } else if (!mayFollowLink(folder, entry.st_uid, user)) {
                qWarning("Not following the link %s: it lies in a folder shared with everyone and belongs "
                         "neither to this user nor to the folder's owner",
                         name.constData());
                errno = EPERM;
            } else if (const QByteArray target = readLinkAt(fd, name.constData(), entry.st_size); target.isEmpty()) {
                errno = ENOENT;
            } else {
                prependNames(target, pending);
                if (target.startsWith('/'))
                    next = ::open("/", kOpenFlags);
                else
                    next = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
            }
        } else {
            // Never through a link: one swapped in since the look is refused.
            next = ::openat(fd, name.constData(), kOpenFlags | O_NOFOLLOW);
        }
        const int error = errno;
        ::close(fd);
        if (next < 0)
            return refused(error);
        fd = next;
    }
    const int folder = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int error = errno;
    ::close(fd);
    if (folder < 0)
        return refused(error);
    return Folder(folder);
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

Folder Folder::openParent() const
{
    if (m_fd < 0)
        return {};
    return Folder(::openat(m_fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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

namespace sweepora::platform {

bool Folder::mayChangeEntries() const
{
    return m_fd >= 0 && ::faccessat(m_fd, ".", W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace sweepora::platform
