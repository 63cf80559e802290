// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/GroupRowsModel.h"

#include "ui/common/Icons.h"

#include <algorithm>

namespace sweepora {

GroupRowsModel::GroupRowsModel(QObject *parent) : QAbstractTableModel(parent) {}

int GroupRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GroupRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GroupRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Group &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case NameColumn: return row.name;
        case PathColumn: return row.path;
        case KeyColumn: return row.key;
        default: return {};
        }
    case Qt::DecorationRole:
        if (index.column() == NameColumn)
            return groupIcon(row.iconNumber());
        return {};
    case IconNumberRole:
        return index.column() == NameColumn ? QVariant(row.iconNumber()) : QVariant();
    default:
        return {};
    }
}

QVariant GroupRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn: return QStringLiteral("Name");
    case PathColumn: return QStringLiteral("Path");
    case KeyColumn: return QStringLiteral("Key");
    default: return {};
    }
}

Group GroupRowsModel::asRow(Group group)
{
    group.icon = QString::number(group.iconNumber());
    return group;
}

void GroupRowsModel::setGroups(const GroupList &groups)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(groups.size());
    for (const Group &group : groups)
        m_rows.append(asRow(group));
    endResetModel();
}

Group GroupRowsModel::group(int position) const
{
    return m_rows.value(position);
}

int GroupRowsModel::insertGroup(int position, const Group &group)
{
    position = std::clamp(position, 0, rowCount());
    beginInsertRows({}, position, position);
    m_rows.insert(position, asRow(group));
    endInsertRows();
    return position;
}

int GroupRowsModel::appendGroup(const Group &group)
{
    return insertGroup(rowCount(), group);
}

bool GroupRowsModel::removeGroup(int position)
{
    if (position < 0 || position >= rowCount())
        return false;
    beginRemoveRows({}, position, position);
    m_rows.removeAt(position);
    endRemoveRows();
    return true;
}

QStringList GroupRowsModel::keys() const
{
    QStringList result;
    result.reserve(m_rows.size());
    for (const Group &row : m_rows)
        result.append(row.key);
    return result;
}

} // namespace sweepora
