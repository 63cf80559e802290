// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/groups/GroupEntryDialog.h"

namespace sweepora {

class GroupRowsModel;

// "Edit Group Information", opened by EDIT of the group list. The group list
// hands over one row with begin() and takes it out of its rows while the
// dialog is open; the dialog puts it back at the same position however it
// closes: with the edited values on SAVE (after the checks), as it was on
// CANCEL, Escape or a close through the window frame.
class frmPathEdit : public GroupEntryDialog
{
    Q_OBJECT

public:
    explicit frmPathEdit(GroupRowsModel *rows, QWidget *parent = nullptr);

    // Fills the boxes from `row`, which sits at `position` (0-based) of the
    // group list, and keeps both for putting the row back.
    void begin(const Group &row, int position);

    // Where the row was put back, or -1 while the dialog is open.
    int returnedPosition() const { return m_returned; }

    void done(int result) override;

protected:
    QStringList otherKeys() const override;
    bool commit(const Group &group) override;

private:
    GroupRowsModel *m_rows;
    Group m_before;     // the row as it was when editing began
    int m_position = -1; // its place in the group list
    int m_returned = -1;
};

} // namespace sweepora
