// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace sweepora {

// A developer's window for trying the settings store by hand: list, make
// and delete keys under the program's key, read "Startup", and write it as
// "1" or "0". It is not offered to the user.
//
// Not modal: create it with `new` and show() it; it deletes itself when
// closed. Its name, post code and phone boxes and its Load and Save
// buttons do nothing.
class frmRegistry : public QWidget
{
    Q_OBJECT

public:
    explicit frmRegistry(QWidget *parent = nullptr);

private:
    void cmdEnumKeys_Click();
    void cmdCreateKey_Click();
    void cmdDeleteKey_Click();
    void cmdgetvalue_Click();
    void cmdSaveValue1_Click();
    void cmdSaveValue_Click();

    void saveStartup(const QString &value);
    void showMessage(const QString &text);
    QString keyPathOfBox() const;

    QListWidget *lstKeys = nullptr;
    QLineEdit *txtKey = nullptr;
};

} // namespace sweepora
