// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/HotTrack.h"

#include <QAbstractItemView>
#include <QPainter>

namespace sweepora {

void HotTrackDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool hot = (option.state & QStyle::State_MouseOver) && !(option.state & QStyle::State_Selected)
        && (option.state & QStyle::State_Enabled);
    if (!hot) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QColor wash = option.palette.color(QPalette::Active, QPalette::Highlight);
    wash.setAlpha(48);
    painter->fillRect(option.rect, wash);
    QStyleOptionViewItem hotOption(option);
    hotOption.font.setUnderline(true);
    QStyledItemDelegate::paint(painter, hotOption, index);
}

void setHotTracking(QAbstractItemView *view)
{
    view->setMouseTracking(true);
    view->setAttribute(Qt::WA_Hover);
    view->viewport()->setAttribute(Qt::WA_Hover);
    view->setItemDelegate(new HotTrackDelegate(view));
}

} // namespace sweepora
