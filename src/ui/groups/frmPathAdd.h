// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/groups/GroupEntryDialog.h"

namespace sweepora {

class GroupRowsModel;

// "Add New Group", opened by ADD of the group list: a group that passes the
// checks becomes a new last row of `rows`, the group list's rows. The data
// file is not touched; the group list saves it.
class frmPathAdd : public GroupEntryDialog
{
    Q_OBJECT

public:
    explicit frmPathAdd(GroupRowsModel *rows, QWidget *parent = nullptr);

    // Where the new row went, or -1 while none was added.
    int addedPosition() const { return m_added; }

protected:
    QStringList otherKeys() const override;
    bool commit(const Group &group) override;

private:
    GroupRowsModel *m_rows;
    int m_added = -1;
};

} // namespace sweepora
