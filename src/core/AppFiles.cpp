// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppFiles.h"

#include "core/Helpers.h"
#include "platform/OwnFiles.h"
#include "platform/SystemDirs.h"

#include <QFile>
#include <QtDebug>

namespace sweepora {

QString groupTablePath(QString *why)
{
    const QString folder = GetWindowsDir(why);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/System/wingrdt.dll");
}

QString reportPath(QString *why)
{
    const QString folder = platform::programDir(why);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/DelRpt.TXT");
}

bool emptyReport(QString *error)
{
    QString why;
    const QString path = reportPath(&why);
    if (!path.isEmpty()) {
        const platform::OwnFileOpen report = platform::openOwnFile(path, platform::OwnFileMode::Truncate);
        if (report.fd >= 0) {
            QFile file;
            return file.open(report.fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
        }
        why = QStringLiteral("Cannot write the deleted-files report %1: %2").arg(path, report.error);
    }
    qWarning("%s", qUtf8Printable(why));
    if (error)
        *error = why;
    return false;
}

} // namespace sweepora
