// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/FileListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

namespace sweepora {

namespace {

// Cells never draw their own focus frame: the view draws one around the
// whole current row, as a list does.
class RowFocusDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem cell(option);
        cell.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, cell, index);
    }
};

} // namespace

FileListView::FileListView(QWidget *parent) : QTableView(parent)
{
    setItemDelegate(new RowFocusDelegate(this));
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false); // Tab moves to the next control, not the next cell
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fitRowHeight();
}

void FileListView::fitRowHeight()
{
    // Every row holds one line of text: the height a text cell asks for,
    // without asking the model (which may hold millions of rows).
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Mg");
    const int height = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(std::max(height, fontMetrics().height() + 2));
}

void FileListView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitRowHeight();
}

void FileListView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || !model())
        return;
    const int row = current.row();
    const int last = model()->columnCount(current.parent()) - 1;
    const QRect rowRect = visualRect(current.siblingAtColumn(0)).united(visualRect(current.siblingAtColumn(last)));
    if (!rowRect.isValid() || !rowRect.intersects(event->rect()))
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rowRect;
    focus.state |= QStyle::State_HasFocus;
    // As for any item view: styles that frame focus only after keyboard use see the same flag.
    if (window()->testAttribute(Qt::WA_KeyboardFocusChange))
        focus.state |= QStyle::State_KeyboardFocusChange;
    const bool selected = selectionModel() && selectionModel()->isRowSelected(row, current.parent());
    focus.backgroundColor = palette().color(selected ? QPalette::Highlight : QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

QModelIndex FileListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and last file, as in a list.
    if (cursorAction == MoveHome || cursorAction == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(cursorAction, modifiers);
}

} // namespace sweepora
