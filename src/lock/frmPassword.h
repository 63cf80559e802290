// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sweepora {

// "Password Verification": asks for the password twice. Confirming two equal
// texts closes the dialog with that password; two different texts are
// refused with a message and the dialog stays open. Closing the dialog any
// other way (its frame, Escape) gives no password.
class frmPassword : public QDialog
{
    Q_OBJECT

public:
    explicit frmPassword(QWidget *parent = nullptr);

    // Shows a new dialog modally and returns the password confirmed in it:
    // empty when the dialog was closed without one or confirmed with two
    // empty boxes.
    static QString ask(QWidget *parent);

    // The password confirmed so far; empty until OK accepted one.
    QString LockPassword() const { return m_lockPassword; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Command1_Click();
    void txtPassword_KeyPress();
    void txtPassCheck_KeyPress();

    QLabel *Label1;
    QLineEdit *txtPassword;
    QLabel *Label2;
    QLineEdit *txtPassCheck;
    QPushButton *Command1;
    QString m_lockPassword;
};

} // namespace sweepora
