// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

class QHeaderView;

namespace sweepora {

// The main window's file list: a flat list with column headers, whole rows
// selected and focused. A table view rather than a tree view because a tree
// keeps a layout item for every row (40 bytes each), while this view keeps
// only a fixed row height: a group of millions of files costs the listing
// and little more.
class FileListView : public QTableView
{
    Q_OBJECT

public:
    explicit FileListView(QWidget *parent = nullptr);

    // The column headers.
    QHeaderView *header() const { return horizontalHeader(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void fitRowHeight();
};

} // namespace sweepora
