// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/groups/GroupEntryDialog.h"

namespace sweepora {

// "Add New Group", opened from the group tree's pop-up menu: a group that
// passes the checks is appended to the data file at once (one line, the
// icon text as the Icon Number box holds it), then the tree is asked to be
// rebuilt. When the file cannot be written, its error is shown and the
// dialog stays open with the entry.
class frmPathAddPopUp : public GroupEntryDialog
{
    Q_OBJECT

public:
    explicit frmPathAddPopUp(QWidget *parent = nullptr);

signals:
    // The main window's group tree should be filled again from the data
    // file: emitted once after a group was appended, with both flags set.
    void groupTreeChanged(bool clearFirst, bool revealEach);

protected:
    QStringList otherKeys() const override;
    bool commit(const Group &group) override;
};

} // namespace sweepora
