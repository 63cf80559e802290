// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ProtectedFolders.h"

#include <QDir>
#include <QFile>

namespace sweepora {

bool isProtectedFolder(const platform::Folder &folder)
{
    platform::EntryStat self;
    if (!folder.statSelf(self))
        return false;
    static const char *const systemFolders[] = {
        "/", "/bin", "/boot", "/dev", "/etc", "/home", "/lib", "/lib64", "/opt", "/proc",
        "/root", "/run", "/sbin", "/srv", "/sys", "/usr", "/var",
    };
    QList<QByteArray> paths;
    for (const char *path : systemFolders)
        paths.append(QByteArray(path));
    paths.append(QFile::encodeName(QDir::homePath()));
    for (const QByteArray &path : paths) {
        platform::EntryStat other;
        if (platform::Folder::openPath(path).statSelf(other) && other.device == self.device
            && other.inode == self.inode)
            return true;
    }
    return false;
}

} // namespace sweepora
