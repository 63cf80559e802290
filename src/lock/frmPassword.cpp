// SPDX-License-Identifier: GPL-3.0-or-later
#include "lock/frmPassword.h"

#include "ui/common/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace sweepora {
namespace {

QLineEdit *passwordBox(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setEchoMode(QLineEdit::Password);
    // Each character shows as "*", whatever the style's own choice.
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    return box;
}

} // namespace

frmPassword::frmPassword(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral("Password Verification"));

    Label1 = new QLabel(QStringLiteral("Enter the password..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtPassword = passwordBox(this, "txtPassword", QStringLiteral("Password"));
    Label1->setBuddy(txtPassword);
    Label2 = new QLabel(QStringLiteral("Please enter the same password again..."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtPassCheck = passwordBox(this, "txtPassCheck", QStringLiteral("Password again"));
    Label2->setBuddy(txtPassCheck);
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(txtPassword);
    layout->addWidget(Label2);
    layout->addWidget(txtPassCheck);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    setTabOrder(txtPassword, txtPassCheck);
    setTabOrder(txtPassCheck, Command1);

    txtPassword->installEventFilter(this);
    txtPassCheck->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmPassword::Command1_Click);

    Form_Load();
}

QString frmPassword::ask(QWidget *parent)
{
    frmPassword dialog(parent);
    dialog.exec();
    return dialog.LockPassword();
}

void frmPassword::Form_Load()
{
    m_lockPassword.clear();
    setFixedSize(sizeHint().expandedTo(QSize(twipsToPixelsX(this, 4500), 0)));
    centreOnScreen(this);
    txtPassword->setFocus();
}

void frmPassword::Command1_Click()
{
    if (txtPassword->text() != txtPassCheck->text()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Lock Files"),
                        QStringLiteral("The two passwords are not the same!"), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    m_lockPassword = txtPassword->text();
    accept();
}

void frmPassword::txtPassword_KeyPress()
{
    txtPassCheck->setFocus();
}

void frmPassword::txtPassCheck_KeyPress()
{
    Command1_Click();
}

// Enter in the first box moves on to the second; Enter in the second acts as
// OK. The key itself goes no further (no character, no default button).
bool frmPassword::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == txtPassword)
                txtPassword_KeyPress();
            else if (watched == txtPassCheck)
                txtPassCheck_KeyPress();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace sweepora
