// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/groups/GroupEntryDialog.h"

#include "ui/common/Icons.h"
#include "ui/common/MessageBoxes.h"
#include "ui/groups/FolderChooser.h"
#include "ui/groups/GroupChecks.h"
#include "ui/common/Twips.h"

#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace sweepora {
namespace {

QLabel *makeLabel(const char *name, const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

QLineEdit *makeBox(const char *name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton *makeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

GroupEntryDialog::GroupEntryDialog(const QString &caption, const QString &okCaption, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    setModal(true);

    txtName = makeBox("txtName", this);
    txtKey = makeBox("txtKey", this);
    txtPath = makeBox("txtPath", this);
    txtIcon = makeBox("txtIcon", this);
    txtIcon->setText(QStringLiteral("2"));
    txtIcon->setReadOnly(true);
    txtIcon->setEnabled(false);

    Label1 = makeLabel("Label1", QStringLiteral("Name"), txtName, this);
    Label2 = makeLabel("Label2", QStringLiteral("Key"), txtKey, this);
    Label3 = makeLabel("Label3", QStringLiteral("Path"), txtPath, this);
    Label4 = makeLabel("Label4", QStringLiteral("Icon Number"), txtIcon, this);

    btnBrowse = makeButton("btnBrowse", QStringLiteral("&BROWSE"), this);
    btnBrowse->setAutoDefault(false);
    btnOK = makeButton("btnOK", okCaption, this);
    btnOK->setDefault(true);
    btnClose = makeButton("btnClose", QStringLiteral("&CANCEL"), this);
    btnClose->setAutoDefault(false);

    ListView1 = new QListWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Icon"));
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(32, 32));
    ListView1->setMovement(QListView::Static); // nothing can be dragged or dropped
    ListView1->setDragDropMode(QAbstractItemView::NoDragDrop);
    ListView1->setAcceptDrops(false);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setWrapping(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    // One cell a picture: the 32-pixel icon over its "IconNN" text.
    const QFontMetrics metrics = ListView1->fontMetrics();
    ListView1->setGridSize(QSize(std::max(32, metrics.horizontalAdvance(QStringLiteral("Icon35"))) + 16,
                                 32 + metrics.height() + 12));
    ListView1->setUniformItemSizes(true);
    fillIconPicker();

    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtName, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtKey, 1, 1, 1, 2);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(txtPath, 2, 1);
    grid->addWidget(btnBrowse, 2, 2);
    grid->addWidget(Label4, 3, 0);
    grid->addWidget(txtIcon, 3, 1, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);

    setTabOrder(txtName, txtKey);
    setTabOrder(txtKey, txtPath);
    setTabOrder(txtPath, btnBrowse);
    setTabOrder(btnBrowse, ListView1);
    setTabOrder(ListView1, btnOK);
    setTabOrder(btnOK, btnClose);

    connect(ListView1, &QListWidget::itemSelectionChanged, this, &GroupEntryDialog::ListView1_Click);
    connect(btnBrowse, &QPushButton::clicked, this, &GroupEntryDialog::btnBrowse_Click);
    connect(btnOK, &QPushButton::clicked, this, &GroupEntryDialog::btnOK_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    resize(twipsToPixelsX(this, 6000), twipsToPixelsX(this, 6000));
    centreOnScreen(this);
    txtName->setFocus();
}

void GroupEntryDialog::fillIconPicker()
{
    for (int n = 1; n <= IconCount; ++n) {
        auto *item = new QListWidgetItem(groupIcon(n), QStringLiteral("Icon") + QString::number(n), ListView1);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
}

void GroupEntryDialog::setEntry(const Group &group)
{
    txtName->setText(group.name);
    txtKey->setText(group.key);
    txtPath->setText(group.path);
    txtIcon->setText(group.icon);

    // Show the group's icon as the picked one without touching the box.
    const QSignalBlocker quiet(ListView1);
    ListView1->clearSelection();
    const int number = group.iconNumber();
    if (number >= 1 && number <= IconCount && group.icon == QString::number(number)) {
        ListView1->setCurrentRow(number - 1);
        ListView1->scrollToItem(ListView1->item(number - 1));
    }
}

// The picked icon's number, its 1-based place in the picker, goes to the box.
void GroupEntryDialog::ListView1_Click()
{
    for (int row = 0; row < ListView1->count(); ++row) {
        if (ListView1->item(row)->isSelected())
            txtIcon->setText(QString::number(row + 1));
    }
}

void GroupEntryDialog::btnBrowse_Click()
{
    txtPath->clear();
    const QString folder = folderChooser()(this, QStringLiteral("Select directory to be cleaned"), QDir::rootPath());
    txtPath->setText(folder);
}

void GroupEntryDialog::btnOK_Click()
{
    const Group entry{txtName->text(), txtPath->text(), txtKey->text(), txtIcon->text()};
    const GroupCheck check = checkGroupEntry(entry, otherKeys());
    if (!check.passed()) {
        showMessage(this, check.message, {}, QMessageBox::Critical);
        switch (check.box) {
        case GroupBox::Name: txtName->setFocus(); break;
        case GroupBox::Key: txtKey->setFocus(); break;
        case GroupBox::Path: txtPath->setFocus(); break;
        }
        return;
    }
    if (commit(check.group))
        accept();
}

} // namespace sweepora
