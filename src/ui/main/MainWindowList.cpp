// SPDX-License-Identifier: GPL-3.0-or-later
// The file list: previewing the selected row and deleting single files.

#include "ui/main/MainWindow.h"

#include "core/Helpers.h"
#include "engine/SingleDelete.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListView.h"
#include "ui/main/PreviewPane.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QKeyEvent>

namespace sweepora {

int frmMain::selectedRow() const
{
    const QModelIndex current = ListView1->currentIndex();
    if (current.isValid() && ListView1->selectionModel()->isRowSelected(current.row(), {}))
        return current.row();
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void frmMain::fitColumns()
{
    QHeaderView *header = ListView1->header();
    if (header->count() != FileListModel::ColumnCount)
        return;
    const QFontMetrics metrics = ListView1->fontMetrics();
    // A cell's text has the item margins on both sides, and a pixel to spare.
    const int margins = 2 * (ListView1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView1) + 2);
    auto fitted = [&](int column, const QString &widest) {
        return std::max(header->sectionSizeHint(column), metrics.horizontalAdvance(widest) + margins);
    };
    // The widest date: every field at two digits, the widest digit throughout.
    const QString widestDate = FileTimeText(fileTimeFromUnix(4133980799)); // 23:59 12/31/2100
    int others = 0;
    const auto resize = [&](int column, int width) {
        header->resizeSection(column, width);
        others += width;
    };
    resize(FileListModel::SizeColumn, fitted(FileListModel::SizeColumn, m_files->widestSizeText()));
    for (int column : {FileListModel::CreatedColumn, FileListModel::AccessedColumn, FileListModel::ModifiedColumn})
        resize(column, fitted(column, widestDate));

    // The File column takes the room left; a row's note ("FOLDERS CLEAN")
    // is always read in full.
    const int room = ListView1->viewport()->width() - others;
    const int least = fitted(FileListModel::FileColumn, QStringLiteral("FOLDERS CLEAN")) + ListView1->iconSize().width();
    header->resizeSection(FileListModel::FileColumn, std::max(room, least));
}

void frmMain::selectAllRows()
{
    // A click on a column header never sorts: it selects every row.
    ListView1->selectAll();
}

void frmMain::ListView1_Click()
{
    previewSelectedRow();
}

void frmMain::previewSelectedRow()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString tag = m_files->tag(row);
    if (tag.isEmpty())
        return; // the introduction row has no file
    static const QStringList previewed = {
        QStringLiteral(".HTM"), QStringLiteral(".WAV"), QStringLiteral(".MID"), QStringLiteral(".DOC"),
        QStringLiteral(".XLS"), QStringLiteral(".RTF"), QStringLiteral(".GIF"), QStringLiteral(".BMP"),
        QStringLiteral(".JPG"), QStringLiteral(".INI"), QStringLiteral(".ICO"), QStringLiteral(".LOG"),
        QStringLiteral(".TXT"), QStringLiteral("HTML"), QStringLiteral(".ASP"), QStringLiteral("SHTM"),
    };
    if (previewed.contains(tag.right(4).toUpper()))
        WebBrowser1->showFile(m_files->path(row));
}

void frmMain::deleteSelectedFile()
{
    if (LastFileGroupKey == QLatin1String("Recycle")) {
        showMessage(this, QStringLiteral("The Files inside the Recycle Bin can't be deleted individually"),
                    QStringLiteral("Delete Information"), QMessageBox::Warning);
        return;
    }
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString tag = m_files->tag(row);
    if (tag.isEmpty())
        return;
    if (!askYesNo(this, QStringLiteral("Do you wish to delete the file: ") + tag + QStringLiteral(" ?"),
                  QStringLiteral("Delete Warning"), QMessageBox::Critical, false))
        return;

    switch (deleteSingleFile(m_files->path(row))) {
    case SingleDeleteResult::Deleted:
        m_files->removeFileRow(row);
        break;
    case SingleDeleteResult::Locked:
        showMessage(this, QStringLiteral("This file is LOCKED by the system and can't be deleted at this time"),
                    QStringLiteral("Delete Error!"), QMessageBox::Critical);
        break;
    case SingleDeleteResult::Failed:
        qWarning("Could not delete %s", qUtf8Printable(tag));
        break;
    }
}

} // namespace sweepora
