// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lock/LockedFile.h"

#include <QByteArray>
#include <QDialog>
#include <QString>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;

namespace sweepora {

// "Lock Files": the user picks one file and locks or unlocks it with a
// password. After every change of the path box the file is inspected again:
// nothing is offered for a path that names no file, Lock for a plain file,
// Unlock for a file that begins with the lock marker. Lock and Unlock ask
// for the password twice (frmPassword); Unlock refuses a password whose
// check value is not the one read from the file's header.
//
// Open it with openLockWindow(), or create it and exec() it: it is modal,
// works on the file system directly, and returns nothing.
class frmSecret : public QDialog
{
    Q_OBJECT

public:
    explicit frmSecret(QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void cmdBrowse_Click();
    void txtFile_Change();
    void cmdEncipher_Click();
    void cmdDecipher_Click();
    void Command1_Click();
    void mnuFileBrowse_Click();
    void mnuFileEncipher_Click();
    void mnuFileDecipher_Click();
    void mnuFileExit_Click();

    // Offers Lock and Unlock (button and menu item each) as given.
    void offer(bool lockOffered, bool unlockOffered);
    // Lock or Unlock the file in the path box, from the password on.
    void run(lock::LockCommand command);
    void showMessage(const lock::LockResult &result);

    QAbstractButton *Command1;
    QLineEdit *txtFile;
    QAbstractButton *cmdDecipher;
    QAbstractButton *cmdEncipher;
    QAbstractButton *cmdBrowse;
    QLabel *Label1;
    QAction *mnuFileBrowse;
    QAction *mnuFileEncipher;
    QAction *mnuFileDecipher;
    QAction *mnuFileExit;

    // The first 16 bytes of the file, as read by the last inspection.
    QByteArray LockHeader;
    // The password given in the last password dialog; empty when none was.
    QString LockPassword;
    bool m_busy = false;
};

// Opens the lock window modally over `parent` and returns when it is closed.
void openLockWindow(QWidget *parent = nullptr);

} // namespace sweepora
