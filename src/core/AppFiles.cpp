#include "core/AppFiles.h"

#include "core/Helpers.h"
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
        QFile report(path);
        if (report.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return true;
        why = QStringLiteral("Cannot write the deleted-files report %1: %2").arg(path, report.errorString());
    }
    qWarning("%s", qUtf8Printable(why));
    if (error)
        *error = why;
    return false;
}

} // namespace sweepora
