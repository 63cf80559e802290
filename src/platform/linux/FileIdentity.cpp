#include "platform/FileIdentity.h"

#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace sweepora::platform {

bool pathNamesOpenFile(const QString &path, int fd)
{
    struct stat ofPath {};
    struct stat ofFd {};
    if (::stat(QFile::encodeName(path).constData(), &ofPath) != 0 || ::fstat(fd, &ofFd) != 0)
        return false;
    return ofPath.st_dev == ofFd.st_dev && ofPath.st_ino == ofFd.st_ino;
}

bool pathsNameSameFile(const QString &first, const QString &second)
{
    struct stat a {};
    struct stat b {};
    if (::stat(QFile::encodeName(first).constData(), &a) != 0 || ::stat(QFile::encodeName(second).constData(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool copyModeAndOwner(int fromFd, int toFd, QString *error)
{
    struct stat from {};
    if (::fstat(fromFd, &from) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // Owner and group first: changing them may clear set-id bits, which the
    // mode then puts back.
    struct stat to {};
    if (::fstat(toFd, &to) == 0 && (to.st_uid != from.st_uid || to.st_gid != from.st_gid)) {
        if (::fchown(toFd, from.st_uid, from.st_gid) != 0) {
            const char *why = std::strerror(errno);
            if (to.st_gid != from.st_gid && ::fchown(toFd, uid_t(-1), from.st_gid) == 0)
                qWarning("Cannot give the new file the owner of the old one: %s", why);
            else
                qWarning("Cannot give the new file the owner and group of the old one: %s", why);
        }
    }
    if (::fchmod(toFd, from.st_mode & 07777) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace sweepora::platform
