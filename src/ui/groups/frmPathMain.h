// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;
class QTreeView;

namespace sweepora {

class GroupRowsModel;

// "Edit Available Groups": the group list. It reads the data file when it is
// made and works on its own copy of the rows: ADD, EDIT and DELETE change
// only the list; SAVE replaces the file with the list (atomically, each
// row's icon written as its number) and closes; CANCEL, Escape and the
// window frame close without writing. However it closes, it asks for the
// main window's group tree to be rebuilt.
//
// When the file cannot be read (other than being missing), the error is
// shown at opening and SAVE stays disabled, so a table the list could not
// read whole is never overwritten from it.
class frmPathMain : public QDialog
{
    Q_OBJECT

public:
    explicit frmPathMain(QWidget *parent = nullptr);

    void done(int result) override;

signals:
    // The main window's group tree should be filled again from the data
    // file: emitted once as the dialog closes, with clearFirst set and
    // revealEach not.
    void groupTreeChanged(bool clearFirst, bool revealEach);

private:
    void Form_Load();
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void btnClose_Click();

    // The selected row's 0-based position, or -1 when none is selected.
    int selectedPosition() const;
    void selectPosition(int position);

    GroupRowsModel *m_rows;
    QTreeView *ListView1;
    QPushButton *btnAdd;
    QPushButton *btnEdit;
    QPushButton *btnDelete;
    QPushButton *btnClose; // SAVE
    QPushButton *btnCancel;
};

} // namespace sweepora
