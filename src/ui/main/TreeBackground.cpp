// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/TreeBackground.h"

#include <QAbstractItemView>
#include <QPixmap>

namespace sweepora {

void setTiledBackground(QAbstractItemView *view, const QPixmap &tile)
{
    if (!view)
        return;
    if (tile.isNull()) {
        qWarning("The tree's background picture is missing; the tree keeps its plain background");
        return;
    }
    // The tiles start at the control's own top-left corner.
    view->setFrameShape(QFrame::NoFrame);
    view->setAlternatingRowColors(false);
    QPalette palette = view->palette();
    palette.setBrush(QPalette::Base, QBrush(tile));
    view->setPalette(palette);
    view->viewport()->setAutoFillBackground(true);
}

} // namespace sweepora
