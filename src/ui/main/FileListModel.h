// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Listing.h"

#include <QAbstractTableModel>
#include <optional>

namespace sweepora {

// The rows of the main window's file list: either one placeholder row
// ("SELECT FOLDER", "FOLDERS CLEAN", …, with "------" as its size and no
// path) or the file rows of a listing, in walk order. Texts are made when a
// row is shown, not when it is stored, so a list of 200,000 files costs
// only the listing itself.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { FileColumn, SizeColumn, CreatedColumn, AccessedColumn, ModifiedColumn, ColumnCount };

    explicit FileListModel(QObject *parent = nullptr);

    // Removes every row and shows no columns until setColumnsShown(true).
    void clear();
    // One row with `text` and "------": the list's introduction or the
    // note after a cleaning run. It has no path and is never previewed.
    void showPlaceholder(const QString &text);
    // Shows the file rows of `listing`.
    void setListing(Listing listing);
    // The five column headers appear once the window has added them.
    void setColumnsShown(bool shown);

    // Full path of a file row for display ("tag"); empty for the placeholder.
    QString tag(int row) const;
    // Full path of a file row as the file system names it.
    QByteArray path(int row) const;
    bool isFileRow(int row) const;
    // The "Size" text of the largest file listed ("------" for the
    // placeholder row), for fitting the column to it.
    QString widestSizeText() const;
    // Removes one file row; the others keep their order.
    void removeFileRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Listing m_listing;
    std::optional<QString> m_placeholder;
    bool m_columnsShown = false;
};

} // namespace sweepora
