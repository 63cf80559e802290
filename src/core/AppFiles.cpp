#include "core/AppFiles.h"

#include "core/Helpers.h"
#include "platform/SystemDirs.h"

#include <QFile>
#include <QtDebug>

namespace sweepora {

QString groupTablePath()
{
    return GetWindowsDir() + QStringLiteral("/System/wingrdt.dll");
}

QString reportPath()
{
    return platform::programDir() + QStringLiteral("/DelRpt.TXT");
}

bool emptyReport()
{
    QFile report(reportPath());
    if (!report.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning("Cannot empty the deleted-files report %s: %s",
                 qUtf8Printable(report.fileName()), qUtf8Printable(report.errorString()));
        return false;
    }
    return true;
}

} // namespace sweepora
