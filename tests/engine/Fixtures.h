// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fixture builders for the engine's tests: the hostile entries that Qt's own
// file classes cannot make (raw byte names, sockets, trees deeper than the
// path limit, other owners). Test code only; the product reaches the system
// through src/platform.

#include "TestEnv.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace sweepora::test {

// What is left below `root`, relative and sorted (links not followed).
inline QStringList remaining(const QString &root)
{
    QStringList left;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        left.append(it.next().mid(root.size() + 1));
    left.sort();
    return left;
}

// Builds a tree under `root` from entries "path=size" (a file of that many
// bytes) and "path/" (a folder).
inline void buildTree(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        if (entry.endsWith(u'/')) {
            QDir().mkpath(root + u'/' + entry);
            continue;
        }
        const qsizetype eq = entry.lastIndexOf(u'=');
        writeFile(root + u'/' + entry.left(eq), QByteArray(entry.mid(eq + 1).toInt(), 'x'));
    }
}

inline bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// Creates the file `name` (raw bytes, any byte but '/' and NUL) in `folder`
// with `content`.
inline bool writeRawFile(const QByteArray &folder, const QByteArray &name, const QByteArray &content)
{
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (dir < 0)
        return false;
    const int fd = ::openat(dir, name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::close(dir);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    ::close(fd);
    return ok;
}

// A listening Unix socket bound at `path`; closed (the socket file stays)
// when the object goes.
class SocketFile
{
public:
    explicit SocketFile(const QByteArray &path)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (m_fd < 0 || size_t(path.size()) >= sizeof address.sun_path)
            return;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        m_bound = ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
            && ::listen(m_fd, 1) == 0;
    }
    ~SocketFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isBound() const { return m_bound; }

private:
    int m_fd = -1;
    bool m_bound = false;
};

// Builds `depth` nested folders named `name` below `root`, relative to
// descriptors (the whole path is longer than the system allows in one
// call), and writes the file `leaf` with `content` in the deepest one.
inline bool makeDeepTree(const QByteArray &root, int depth, const QByteArray &name, const QByteArray &leaf,
                         const QByteArray &content)
{
    int fd = ::open(root.constData(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; fd >= 0 && i < depth; ++i) {
        if (::mkdirat(fd, name.constData(), 0755) != 0) {
            ::close(fd);
            return false;
        }
        const int next = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    if (fd < 0)
        return false;
    const int file = ::openat(fd, leaf.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::close(fd);
    if (file < 0)
        return false;
    const bool ok = ::write(file, content.constData(), size_t(content.size())) == content.size();
    ::close(file);
    return ok;
}

// Removes a tree of any depth (Qt's removal works by full paths).
inline void removeTree(const QString &path)
{
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), QStringLiteral("--"), path});
}

inline bool changeOwner(const QString &path, uid_t user, gid_t group)
{
    return ::lchown(QFile::encodeName(path).constData(), user, group) == 0;
}

inline bool changeMode(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// A user id that is not ours, for entries of "another user".
constexpr uid_t otherUser = 65534;

} // namespace sweepora::test
