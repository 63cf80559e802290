// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace sweepora {

// Hot tracking for a list or tree: the item under the mouse is highlighted
// (a light wash of the selection colour and its text underlined), whatever
// the widget style draws for hovering (Fusion draws nothing).
class HotTrackDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// Gives `view` hot tracking: hover events on, and the delegate above.
void setHotTracking(QAbstractItemView *view);

} // namespace sweepora
