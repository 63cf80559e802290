// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OwnFiles.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sweepora::platform {
namespace {

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString notRegularText(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("it is a symbolic link");
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket");
    return QStringLiteral("it is a device or other special file");
}

} // namespace

OwnFileOpen openOwnFile(const QString &path, OwnFileMode mode)
{
    OwnFileOpen result;
    if (path.isEmpty()) {
        result.missing = true;
        result.error = systemText(ENOENT);
        return result;
    }
    // O_NOFOLLOW: a link in the file's place fails instead of being followed.
    // O_NONBLOCK: opening a FIFO or a device returns at once instead of
    // waiting for the other side; such a file is refused below.
    int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    switch (mode) {
    case OwnFileMode::Read: flags |= O_RDONLY; break;
    case OwnFileMode::Append: flags |= O_WRONLY | O_APPEND | O_CREAT; break;
    case OwnFileMode::Truncate: flags |= O_WRONLY | O_CREAT; break;
    }
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), flags, 0666);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        if (error == ELOOP || error == ENXIO || error == EISDIR || error == EWOULDBLOCK) {
            // ELOOP is what O_NOFOLLOW gives for a link; ENXIO a FIFO with
            // no reader; EISDIR a folder opened for writing.
            result.notRegular = true;
            result.error = ::lstat(name.constData(), &st) == 0 ? notRegularText(st.st_mode) : systemText(error);
        } else {
            result.missing = error == ENOENT || error == ENOTDIR;
            result.denied = error == EACCES || error == EPERM;
            result.error = systemText(error);
        }
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.error = systemText(errno);
        ::close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.notRegular = true;
        result.error = notRegularText(st.st_mode);
        ::close(fd);
        return result;
    }
    // A regular file never blocks; its descriptor behaves as usual from here.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (mode == OwnFileMode::Truncate && ::ftruncate(fd, 0) != 0) {
        result.error = systemText(errno);
        ::close(fd);
        return result;
    }
    result.fd = fd;
    return result;
}

bool mayReplaceOwnFile(const QString &path, QString *error)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        if (errno == ENOENT)
            return true;
        if (error)
            *error = systemText(errno);
        return false;
    }
    if (S_ISREG(st.st_mode))
        return true;
    if (error)
        *error = notRegularText(st.st_mode);
    return false;
}

} // namespace sweepora::platform
