// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GroupTable.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace sweepora {

// The rows of the group list dialog: its working copy of the group table.
// Columns "Name" (with the group's icon), "Path" and "Key". A row keeps its
// icon as the number the icon text reads as, so a row's `icon` is always
// decimal digits ("07" in the file becomes "7", non-numeric text "0").
class GroupRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, PathColumn, KeyColumn, ColumnCount };

    // The icon number of a row, under Qt::UserRole of the Name column.
    static constexpr int IconNumberRole = Qt::UserRole;

    explicit GroupRowsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // All rows in list order, ready for SaveGroups.
    const GroupList &groups() const { return m_rows; }
    // Replaces every row.
    void setGroups(const GroupList &groups);

    // The row at `position` (0-based); a default Group when out of range.
    Group group(int position) const;
    // Inserts before `position`, clamped to 0..rowCount(); returns where
    // the row went.
    int insertGroup(int position, const Group &group);
    // Adds at the end; returns the new row's position.
    int appendGroup(const Group &group);
    // Removes the row at `position`; false when there is none.
    bool removeGroup(int position);

    // The keys of all rows, in list order.
    QStringList keys() const;

private:
    static Group asRow(Group group);

    GroupList m_rows;
};

} // namespace sweepora
