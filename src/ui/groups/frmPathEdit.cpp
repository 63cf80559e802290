// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/frmPathEdit.h"

#include "ui/groups/GroupRowsModel.h"

namespace sweepora {

frmPathEdit::frmPathEdit(GroupRowsModel *rows, QWidget *parent)
    : GroupEntryDialog(QStringLiteral("Edit Group Information"), QStringLiteral("&SAVE"), parent), m_rows(rows)
{
    setObjectName(QStringLiteral("frmPathEdit"));
}

void frmPathEdit::begin(const Group &row, int position)
{
    m_before = row;
    m_position = position;
    m_returned = -1;
    setEntry(row);
}

QStringList frmPathEdit::otherKeys() const
{
    // The row under edit is out of the list meanwhile, so its own key is
    // not among these.
    return m_rows->keys();
}

bool frmPathEdit::commit(const Group &group)
{
    if (m_position >= 0 && m_returned < 0)
        m_returned = m_rows->insertGroup(m_position, group);
    return true;
}

void frmPathEdit::done(int result)
{
    // CANCEL, Escape and the window frame all end here without a commit:
    // the row goes back unchanged, without any check.
    if (m_position >= 0 && m_returned < 0)
        m_returned = m_rows->insertGroup(m_position, m_before);
    GroupEntryDialog::done(result);
}

} // namespace sweepora
