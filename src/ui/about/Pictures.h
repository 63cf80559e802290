// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace sweepora {

// The picture at `path` (a resource such as ":/pictures/logo.svg") fitted
// into `box` with its proportions kept, sharp at the screen's pixel ratio
// `devicePixelRatio`. A null pixmap when the picture is missing or
// unreadable: windows then show an empty space where it would stand.
QPixmap loadPicture(const QString &path, QSize box, qreal devicePixelRatio);

} // namespace sweepora
