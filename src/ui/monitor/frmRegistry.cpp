// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monitor/frmRegistry.h"

#include "core/Helpers.h"
#include "core/Registry.h"
#include "ui/common/MessageBoxes.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace sweepora {

namespace {

// The key the window works under, spelt as the window always named it.
const QString kTestKey = QStringLiteral("Software\\Vantrel");

} // namespace

frmRegistry::frmRegistry(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmRegistry"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Save Registry Settings"));

    const auto makeBox = [this](const char *name, const QString &label) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(label);
        return box;
    };
    const auto makeButton = [this](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(caption);
        return button;
    };

    // Inert boxes and buttons.
    QLineEdit *txtName = makeBox("txtName", QStringLiteral("Name"));
    QLineEdit *txtPostCode = makeBox("txtPostCode", QStringLiteral("Post code"));
    QLineEdit *txtPhone = makeBox("txtPhone", QStringLiteral("Phone"));
    QPushButton *cmdLoad = makeButton("cmdLoad", QStringLiteral("Load"));
    QPushButton *cmdSave = makeButton("cmdSave", QStringLiteral("Save"));

    txtKey = makeBox("txtKey", QStringLiteral("Key"));
    lstKeys = new QListWidget(this);
    lstKeys->setObjectName(QStringLiteral("lstKeys"));
    lstKeys->setAccessibleName(QStringLiteral("Keys"));

    QPushButton *cmdEnumKeys = makeButton("cmdEnumKeys", QStringLiteral("EnumKeys"));
    QPushButton *cmdCreateKey = makeButton("cmdCreateKey", QStringLiteral("CreateKey"));
    QPushButton *cmdDeleteKey = makeButton("cmdDeleteKey", QStringLiteral("DeleteKey"));
    QPushButton *cmdgetvalue = makeButton("cmdgetvalue", QStringLiteral("getvalue"));
    QPushButton *cmdSaveValue1 = makeButton("cmdSaveValue1", QStringLiteral("savevalue1"));
    QPushButton *cmdSaveValue = makeButton("cmdSaveValue", QStringLiteral("savevalue0"));

    connect(cmdEnumKeys, &QPushButton::clicked, this, &frmRegistry::cmdEnumKeys_Click);
    connect(cmdCreateKey, &QPushButton::clicked, this, &frmRegistry::cmdCreateKey_Click);
    connect(cmdDeleteKey, &QPushButton::clicked, this, &frmRegistry::cmdDeleteKey_Click);
    connect(cmdgetvalue, &QPushButton::clicked, this, &frmRegistry::cmdgetvalue_Click);
    connect(cmdSaveValue1, &QPushButton::clicked, this, &frmRegistry::cmdSaveValue1_Click);
    connect(cmdSaveValue, &QPushButton::clicked, this, &frmRegistry::cmdSaveValue_Click);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Name"), txtName);
    fields->addRow(QStringLiteral("Post code"), txtPostCode);
    fields->addRow(QStringLiteral("Phone"), txtPhone);
    fields->addRow(QStringLiteral("Key"), txtKey);

    auto *layout = new QGridLayout(this);
    layout->addLayout(fields, 0, 0, 1, 2);
    layout->addWidget(cmdLoad, 1, 0);
    layout->addWidget(cmdSave, 1, 1);
    layout->addWidget(lstKeys, 2, 0, 1, 2);
    layout->addWidget(cmdEnumKeys, 3, 0);
    layout->addWidget(cmdgetvalue, 3, 1);
    layout->addWidget(cmdCreateKey, 4, 0);
    layout->addWidget(cmdSaveValue1, 4, 1);
    layout->addWidget(cmdDeleteKey, 5, 0);
    layout->addWidget(cmdSaveValue, 5, 1);
}

QString frmRegistry::keyPathOfBox() const
{
    return kTestKey + u'\\' + txtKey->text();
}

void frmRegistry::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void frmRegistry::cmdEnumKeys_Click()
{
    lstKeys->addItems(RegListKeys(kTestKey));
    showMessage(RegErrorText());
}

void frmRegistry::cmdCreateKey_Click()
{
    RegMakeKey(keyPathOfBox());
}

void frmRegistry::cmdDeleteKey_Click()
{
    RegKillKey(keyPathOfBox());
}

void frmRegistry::cmdgetvalue_Click()
{
    QString value = RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue));
    const QString message = RegErrorText();
    showMessage(StripAtNul(value));
    showMessage(message);
}

void frmRegistry::saveStartup(const QString &value)
{
    RegSetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue), value);
    // Writing reports nothing; reading the value back tells whether it
    // landed, and gives the message for that.
    QString stored = RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue));
    if (StripAtNul(stored) != value)
        qWarning("The setting Startup did not take the value %s", qUtf8Printable(value));
    showMessage(RegErrorText());
}

void frmRegistry::cmdSaveValue1_Click()
{
    saveStartup(QStringLiteral("1"));
}

void frmRegistry::cmdSaveValue_Click()
{
    saveStartup(QStringLiteral("0"));
}

} // namespace sweepora
