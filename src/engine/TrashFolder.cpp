// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TrashFolder.h"

#include <QFile>
#include <QSaveFile>
#include <QUrl>
#include <QtDebug>

namespace sweepora {

void forgetTrashedFolderSizes(const platform::Folder &trash, const QByteArray &trashPath,
                              const QList<QByteArray> &items)
{
    platform::EntryStat cache;
    if (items.isEmpty() || !trash.statEntry("directorysizes", cache, false)
        || cache.type != platform::EntryType::File)
        return;
    const QString path = QFile::decodeName(trashPath + "directorysizes");
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        qWarning("Cannot read the trash's folder sizes %s", qUtf8Printable(path));
        return;
    }
    // Each line: size, modification time, the item's name percent-encoded.
    QByteArray kept;
    bool dropped = false;
    while (!in.atEnd()) {
        const QByteArray line = in.readLine();
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() == 3 && items.contains(QByteArray::fromPercentEncoding(fields[2]))) {
            dropped = true;
            continue;
        }
        kept += line;
    }
    if (!dropped)
        return;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(kept) != kept.size() || !out.commit())
        qWarning("Cannot rewrite the trash's folder sizes %s", qUtf8Printable(path));
}

} // namespace sweepora
