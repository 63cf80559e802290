// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/FileListModel.h"

#include "core/Helpers.h"
#include "ui/common/Icons.h"

namespace sweepora {

FileListModel::FileListModel(QObject *parent) : QAbstractTableModel(parent) {}

void FileListModel::clear()
{
    beginResetModel();
    m_listing = Listing();
    m_placeholder.reset();
    endResetModel();
}

void FileListModel::showPlaceholder(const QString &text)
{
    beginResetModel();
    m_listing = Listing();
    m_placeholder = text;
    endResetModel();
}

void FileListModel::setListing(Listing listing)
{
    beginResetModel();
    m_listing = std::move(listing);
    m_placeholder.reset();
    endResetModel();
}

void FileListModel::setColumnsShown(bool shown)
{
    if (shown == m_columnsShown)
        return;
    beginResetModel();
    m_columnsShown = shown;
    endResetModel();
}

bool FileListModel::isFileRow(int row) const
{
    return !m_placeholder && row >= 0 && row < m_listing.size();
}

QString FileListModel::widestSizeText() const
{
    if (m_placeholder)
        return QStringLiteral("------");
    std::uint64_t largest = 0;
    for (int row = 0; row < m_listing.size(); ++row)
        largest = std::max<std::uint64_t>(largest, m_listing.fileSize(row));
    return QString::number(largest) + QStringLiteral(" bytes");
}

QString FileListModel::tag(int row) const
{
    return isFileRow(row) ? m_listing.fullPathText(row) : QString();
}

QByteArray FileListModel::path(int row) const
{
    return isFileRow(row) ? m_listing.fullPath(row) : QByteArray();
}

void FileListModel::removeFileRow(int row)
{
    if (!isFileRow(row))
        return;
    beginRemoveRows({}, row, row);
    m_listing.removeRow(row);
    endRemoveRows();
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (m_placeholder)
        return 1;
    return static_cast<int>(m_listing.size());
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_columnsShown ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    if (m_placeholder) {
        if (role == Qt::DisplayRole) {
            if (index.column() == FileColumn)
                return *m_placeholder;
            if (index.column() == SizeColumn)
                return QStringLiteral("------");
        }
        return {};
    }
    if (row >= m_listing.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case FileColumn: return m_listing.name(row);
        case SizeColumn: return QString::number(m_listing.fileSize(row)) + QStringLiteral(" bytes");
        case CreatedColumn: return FileTimeText(m_listing.created(row));
        case AccessedColumn: return FileTimeText(m_listing.accessed(row));
        case ModifiedColumn: return FileTimeText(m_listing.modified(row));
        default: return {};
        }
    case Qt::DecorationRole:
        if (index.column() == FileColumn)
        {
            static const QIcon icon = fileIcon();
            return icon;
        }
        return {};
    case Qt::ToolTipRole:
        if (index.column() == FileColumn)
            return m_listing.fullPathText(row);
        return {};
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {"File", "Size", "Created", "Accessed", "Modified"};
    if (section >= 0 && section < ColumnCount)
        return QLatin1String(titles[section]);
    return {};
}

} // namespace sweepora
