// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/frmPathAdd.h"

#include "ui/groups/GroupRowsModel.h"

namespace sweepora {

frmPathAdd::frmPathAdd(GroupRowsModel *rows, QWidget *parent)
    : GroupEntryDialog(QStringLiteral("Add New Group"), QStringLiteral("&ADD"), parent), m_rows(rows)
{
    setObjectName(QStringLiteral("frmPathAdd"));
}

QStringList frmPathAdd::otherKeys() const
{
    return m_rows->keys();
}

bool frmPathAdd::commit(const Group &group)
{
    m_added = m_rows->appendGroup(group);
    return true;
}

} // namespace sweepora
