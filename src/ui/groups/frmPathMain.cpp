// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/frmPathMain.h"

#include "core/GroupTable.h"
#include "ui/common/ListViews.h"
#include "ui/common/MessageBoxes.h"
#include "ui/groups/GroupRowsModel.h"
#include "ui/common/Twips.h"
#include "ui/groups/frmPathAdd.h"
#include "ui/groups/frmPathEdit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace sweepora {
namespace {

QPushButton *makeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter must not save or delete by surprise.
    button->setAutoDefault(false);
    return button;
}

// Column widths in twips: Name, Path, Key.
constexpr double columnTwips[GroupRowsModel::ColumnCount] = {2000, 2000, 1300};

} // namespace

frmPathMain::frmPathMain(QWidget *parent) : QDialog(parent), m_rows(new GroupRowsModel(this))
{
    setObjectName(QStringLiteral("frmPathMain"));
    setWindowTitle(QStringLiteral("Edit Available Groups"));
    setModal(true);

    ListView1 = new QTreeView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Groups"));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setModel(m_rows);

    btnAdd = makeButton("btnAdd", QStringLiteral("&ADD"), this);
    btnEdit = makeButton("btnEdit", QStringLiteral("&EDIT"), this);
    btnDelete = makeButton("btnDelete", QStringLiteral("&DELETE"), this);
    btnClose = makeButton("btnClose", QStringLiteral("&SAVE"), this);
    btnCancel = makeButton("btnCancel", QStringLiteral("&CANCEL"), this);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {btnAdd, btnEdit, btnDelete})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);

    connect(btnAdd, &QPushButton::clicked, this, &frmPathMain::btnAdd_Click);
    connect(btnEdit, &QPushButton::clicked, this, &frmPathMain::btnEdit_Click);
    connect(btnDelete, &QPushButton::clicked, this, &frmPathMain::btnDelete_Click);
    connect(btnClose, &QPushButton::clicked, this, &frmPathMain::btnClose_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    Form_Load();
}

void frmPathMain::Form_Load()
{
    SetFullRowSelect(ListView1);

    int listWidth = 0;
    for (int column = 0; column < GroupRowsModel::ColumnCount; ++column) {
        const int width = twipsToPixelsX(this, columnTwips[column]);
        ListView1->header()->resizeSection(column, width);
        listWidth += width;
    }
    ListView1->header()->setStretchLastSection(false);

    const GroupParse table = LoadGroups();
    m_rows->setGroups(table.complete);
    if (table.error.number == GroupFileError::FileNotFound) {
        // An empty list; SAVE writes the table anew.
        qWarning("The group table is missing: %s", qUtf8Printable(table.error.text()));
    } else if (table.error) {
        btnClose->setEnabled(false);
        showMessage(parentWidget(), table.error.text(), {}, QMessageBox::Critical);
    }

    // Room for the three columns, a scroll bar and the frame.
    resize(listWidth + twipsToPixelsX(this, 900), twipsToPixelsX(this, 4500));
    centreOnScreen(this);
}

int frmPathMain::selectedPosition() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void frmPathMain::selectPosition(int position)
{
    const QModelIndex index = m_rows->index(position, 0);
    if (!index.isValid())
        return;
    ListView1->setCurrentIndex(index);
    ListView1->scrollTo(index);
}

void frmPathMain::btnAdd_Click()
{
    frmPathAdd add(m_rows, this);
    add.exec();
    if (add.addedPosition() >= 0)
        selectPosition(add.addedPosition());
}

void frmPathMain::btnEdit_Click()
{
    const int position = selectedPosition();
    if (position < 0)
        return;
    frmPathEdit edit(m_rows, this);
    edit.begin(m_rows->group(position), position);
    m_rows->removeGroup(position);
    edit.exec();
    selectPosition(edit.returnedPosition());
}

void frmPathMain::btnDelete_Click()
{
    const int position = selectedPosition();
    if (position < 0)
        return;
    const QString name = m_rows->group(position).name;
    if (askYesNo(this, QStringLiteral("Do you wish to delete: ") + name + QStringLiteral(" ?"),
                 QStringLiteral("Delete Warning"), QMessageBox::Critical, false))
        m_rows->removeGroup(position);
}

void frmPathMain::btnClose_Click()
{
    if (const GroupFileError error = SaveGroups(m_rows->groups())) {
        // Keep the list open so that the changes are not lost.
        showMessage(this, error.text(), {}, QMessageBox::Critical);
        return;
    }
    accept();
}

void frmPathMain::done(int result)
{
    QDialog::done(result);
    emit groupTreeChanged(true, false);
}

} // namespace sweepora
