// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/Pictures.h"

#include <QImageReader>

namespace sweepora {

QPixmap loadPicture(const QString &path, QSize box, qreal devicePixelRatio)
{
    QImageReader reader(path);
    const QSize natural = reader.size();
    if (!reader.canRead() || natural.isEmpty())
        return {};
    // Drawings are rendered at the size they are shown at.
    reader.setScaledSize(natural.scaled(box * devicePixelRatio, Qt::KeepAspectRatio));
    QPixmap pixmap = QPixmap::fromImage(reader.read());
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace sweepora
