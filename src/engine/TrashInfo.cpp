// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TrashInfo.h"

#include <QDateTime>
#include <QList>

namespace sweepora {

QByteArray TrashInfo::originalName() const
{
    QByteArray path = originalPath;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

TrashInfo parseTrashInfo(const QByteArray &content)
{
    TrashInfo info;
    bool inGroup = false;
    bool sawGroup = false;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('[')) {
            inGroup = line == "[Trash Info]";
            sawGroup = sawGroup || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "Path") {
            info.originalPath = QByteArray::fromPercentEncoding(value);
        } else if (key == "DeletionDate") {
            // "YYYY-MM-DDThh:mm:ss" in local time; some writers add a zone
            // or fractions, which the ISO reading takes too.
            const QDateTime date = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODate);
            info.deletionDate = date.isValid() ? fileTimeFromUnix(date.toSecsSinceEpoch()) : 0;
        }
    }
    return sawGroup ? info : TrashInfo{};
}

} // namespace sweepora
