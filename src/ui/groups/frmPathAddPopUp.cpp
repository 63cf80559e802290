// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/frmPathAddPopUp.h"

#include "ui/common/MessageBoxes.h"

namespace sweepora {

frmPathAddPopUp::frmPathAddPopUp(QWidget *parent)
    : GroupEntryDialog(QStringLiteral("Add New Group"), QStringLiteral("&ADD"), parent)
{
    setObjectName(QStringLiteral("frmPathAddPopUp"));
}

QStringList frmPathAddPopUp::otherKeys() const
{
    // The groups in the file now; a file cut short still names the groups of
    // its complete lines.
    const GroupParse table = LoadGroups();
    if (table.error && table.error.number != GroupFileError::FileNotFound)
        qWarning("Reading the group table for its keys: %s", qUtf8Printable(table.error.text()));
    QStringList keys;
    for (const Group &group : table.complete)
        keys.append(group.key);
    return keys;
}

bool frmPathAddPopUp::commit(const Group &group)
{
    if (const GroupFileError error = AppendGroup(group)) {
        showMessage(this, error.text(), {}, QMessageBox::Critical);
        return false;
    }
    emit groupTreeChanged(true, true);
    return true;
}

} // namespace sweepora
