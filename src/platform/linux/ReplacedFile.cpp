// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReplacedFile.h"

#include <QRandomGenerator>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sweepora::platform {
namespace {

// As many links as the kernel follows in one path before it gives up.
constexpr int maxLinks = 40;

// Written data is handed to the disk in steps of this size; a step is
// waited for and dropped from the cache once the next one is under way.
constexpr qint64 writebackStep = qint64(8) << 20;

QString systemError(int error = errno)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Opens the folder `path` relative to `base` (an absolute path from the
// root), one name at a time, so that no call sees more than one name and
// the path has no length limit. Links on the way are followed. -1 when any
// step fails, with errno set.
int openFolder(int base, const QByteArray &path)
{
    int fd = ::openat(base, path.startsWith('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    qsizetype start = 0;
    while (fd >= 0 && start < path.size()) {
        qsizetype end = path.indexOf('/', start);
        if (end < 0)
            end = path.size();
        if (end > start) {
            const QByteArray name = path.mid(start, end - start);
            const int next = ::openat(fd, name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            const int error = errno;
            ::close(fd);
            errno = error;
            fd = next;
        }
        start = end + 1;
    }
    return fd;
}

// Splits `path` into the folder part and the last name. False when the
// path ends in a folder ("", "/", "x/", ".", "..").
bool splitPath(const QByteArray &path, QByteArray &folder, QByteArray &name)
{
    const qsizetype slash = path.lastIndexOf('/');
    folder = slash < 0 ? QByteArray() : slash == 0 ? QByteArray("/") : path.left(slash);
    name = path.mid(slash + 1);
    return !name.isEmpty() && name != "." && name != "..";
}

} // namespace

ReplacedFile::~ReplacedFile()
{
    closeFd(m_source);
    closeFd(m_target);
    if (!m_targetName.isEmpty() && ::unlinkat(m_folder, m_targetName.constData(), 0) != 0)
        qWarning("Cannot remove the unfinished file %s: %s", m_targetName.constData(), std::strerror(errno));
    closeFd(m_folder);
}

ReplacedFile::OpenStatus ReplacedFile::open(const QByteArray &path, QString *error)
{
    if (path.contains('\0'))
        return OpenStatus::NoFile;
    QByteArray folder;
    QByteArray name;
    if (!splitPath(path, folder, name))
        return OpenStatus::NoFile;
    int base = AT_FDCWD;
    int folderFd = -1;
    struct stat st {};
    for (int links = 0;; ++links) {
        const int next = openFolder(base, folder);
        if (folderFd >= 0)
            ::close(folderFd);
        folderFd = next;
        if (folderFd < 0 || ::fstatat(folderFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            break;
        if (!S_ISLNK(st.st_mode))
            break;
        // A link at the end: what it points to, relative to its own folder.
        QByteArray target(st.st_size > 0 ? st.st_size + 1 : 4096, Qt::Uninitialized);
        const ssize_t length = ::readlinkat(folderFd, name.constData(), target.data(), size_t(target.size()));
        if (links >= maxLinks || length <= 0 || length >= target.size())
            break;
        target.truncate(length);
        if (!splitPath(target, folder, name))
            break;
        // Relative targets resolve from the link's folder, kept open as the
        // base of the next round; the last round's folder is closed then.
        if (base != AT_FDCWD)
            ::close(base);
        base = target.startsWith('/') ? AT_FDCWD : ::dup(folderFd);
    }
    if (base != AT_FDCWD)
        ::close(base);
    if (folderFd < 0 || !S_ISREG(st.st_mode)) {
        closeFd(folderFd);
        return OpenStatus::NoFile;
    }

    // Not blocking: should something else take the name meanwhile (a FIFO),
    // opening it must not wait for a writer.
    const int fd = ::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = systemError();
        closeFd(folderFd);
        return OpenStatus::Failed;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        closeFd(folderFd);
        return OpenStatus::NoFile;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    m_folder = folderFd;
    m_name = name;
    m_source = fd;
    m_size = st.st_size;
    return OpenStatus::Opened;
}

Replaceable ReplacedFile::replaceable() const
{
    return platform::replaceable(m_source);
}

qint64 ReplacedFile::read(char *data, qint64 size, QString *error)
{
    for (;;) {
        const ssize_t n = ::read(m_source, data, size_t(size));
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            if (error)
                *error = systemError();
            return -1;
        }
    }
}

bool ReplacedFile::createReplacement(QString *error)
{
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Named after the file where the name leaves room, so that what a
        // crash may leave behind is easy to tell apart.
        QByteArray name = (m_name.size() <= 200 ? m_name : QByteArray()) + ".sweepora-";
        for (int i = 0; i < 8; ++i)
            name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        const int fd = ::openat(m_folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            m_target = fd;
            m_targetName = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    if (error)
        *error = systemError();
    return false;
}

bool ReplacedFile::copyModeAndOwner(QString *error)
{
    return platform::copyModeAndOwner(m_source, m_target, error);
}

bool ReplacedFile::write(const char *data, qint64 size, QString *error)
{
    while (size > 0) {
        const ssize_t n = ::write(m_target, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (error)
                *error = n < 0 ? systemError() : systemError(EIO);
            return false;
        }
        data += n;
        size -= n;
        m_written += n;
    }
    startWriteback();
    return true;
}

void ReplacedFile::startWriteback()
{
    // Errors here are not lost: the flush before the rename reports them.
    while (m_written - m_queued >= writebackStep) {
        ::sync_file_range(m_target, m_queued, writebackStep, SYNC_FILE_RANGE_WRITE);
        m_queued += writebackStep;
        if (m_queued - m_dropped > 2 * writebackStep) {
            ::sync_file_range(m_target, m_dropped, writebackStep,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
            ::posix_fadvise(m_target, m_dropped, writebackStep, POSIX_FADV_DONTNEED);
            m_dropped += writebackStep;
        }
    }
}

bool ReplacedFile::flush(QString *error)
{
    if (::fdatasync(m_target) != 0) {
        if (error)
            *error = systemError();
        return false;
    }
    ::posix_fadvise(m_target, m_dropped, 0, POSIX_FADV_DONTNEED);
    return true;
}

bool ReplacedFile::stillInPlace() const
{
    struct stat named {};
    struct stat opened {};
    return ::fstatat(m_folder, m_name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(m_source, &opened) == 0
        && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

bool ReplacedFile::commit(QString *error)
{
    if (::renameat(m_folder, m_targetName.constData(), m_folder, m_name.constData()) != 0) {
        if (error)
            *error = systemError();
        return false;
    }
    m_targetName.clear();
    closeFd(m_target);
    // The rename itself reaches the disk with the folder.
    const int folder = ::openat(m_folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0 || ::fsync(folder) != 0)
        qWarning("Cannot flush the folder of %s: %s", m_name.constData(), std::strerror(errno));
    if (folder >= 0)
        ::close(folder);
    return true;
}

} // namespace sweepora::platform
