// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIdentity.h"

#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
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

namespace {

// True when the process may give files to any owner and group.
bool mayChangeAnyOwner()
{
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return ::geteuid() == 0;
    return (data[0].effective & (1u << CAP_CHOWN)) != 0;
}

// True when the process's own files may be given `group` (its own group or
// one of its supplementary groups).
bool inGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    QList<gid_t> groups(count);
    const int got = ::getgroups(count, groups.data());
    return got > 0 && groups.first(got).contains(group);
}

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

Replaceable replaceable(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return Replaceable::Unknown;
    if (st.st_nlink > 1)
        return Replaceable::OtherNames;
    // A new file belongs to the process's user; only a privileged process may
    // hand it to another, and an ordinary one only to a group it is in.
    if ((st.st_uid != ::geteuid() || !inGroup(st.st_gid)) && !mayChangeAnyOwner())
        return Replaceable::ForeignOwner;
    return Replaceable::Yes;
}

bool copyModeAndOwner(int fromFd, int toFd, QString *error)
{
    struct stat from {};
    if (::fstat(fromFd, &from) != 0) {
        if (error)
            *error = lastError();
        return false;
    }
    // Owner and group first: changing them may clear set-id bits, which the
    // mode then puts back.
    struct stat to {};
    if (::fstat(toFd, &to) != 0
        || ((to.st_uid != from.st_uid || to.st_gid != from.st_gid) && ::fchown(toFd, from.st_uid, from.st_gid) != 0)) {
        if (error)
            *error = lastError();
        return false;
    }
    if (::fchmod(toFd, from.st_mode & 07777) != 0) {
        if (error)
            *error = lastError();
        return false;
    }
    return true;
}

} // namespace sweepora::platform
