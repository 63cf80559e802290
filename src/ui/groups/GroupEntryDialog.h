// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GroupTable.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace sweepora {

// The form shared by the add, pop-up add and edit dialogs: the Name, Key and
// Path boxes, the Icon Number box that only the icon picker changes, BROWSE
// for the folder, the checks on OK, and CANCEL. What OK and CANCEL do with
// the group is each dialog's own (commit(), and QDialog::done()).
class GroupEntryDialog : public QDialog
{
    Q_OBJECT

public:
    // Number of icons in the picker: "Icon1" to "Icon35".
    static constexpr int IconCount = 35;

protected:
    GroupEntryDialog(const QString &caption, const QString &okCaption, QWidget *parent);

    // The keys of the other groups; the entry's key must differ from each.
    virtual QStringList otherKeys() const = 0;

    // Hands the checked group on. `group.path` ends with the separator and
    // `group.icon` is the Icon Number box's text. Returning false keeps the
    // dialog open.
    virtual bool commit(const Group &group) = 0;

    // Fills the four boxes, and selects the group's icon in the picker
    // when it is one of the set.
    void setEntry(const Group &group);

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLineEdit *txtName;
    QLineEdit *txtKey;
    QLineEdit *txtPath;
    QLineEdit *txtIcon;
    QPushButton *btnBrowse;
    QPushButton *btnOK;
    QPushButton *btnClose;
    QListWidget *ListView1; // the icon picker

private:
    void fillIconPicker();
    void ListView1_Click();
    void btnBrowse_Click();
    void btnOK_Click();
};

} // namespace sweepora
