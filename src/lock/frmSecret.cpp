// SPDX-License-Identifier: GPL-3.0-or-later
#include "lock/frmSecret.h"

#include "lock/frmPassword.h"
#include "ui/common/Icons.h"
#include "ui/common/LongWork.h"
#include "ui/common/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace sweepora {
namespace {

const QString lockFilesTitle = QStringLiteral("Lock Files");

} // namespace

frmSecret::frmSecret(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSecret"));
    setWindowTitle(lockFilesTitle);
    setWindowIcon(toolbarIcon(QStringLiteral("Lock")));

    // The client area below the menu, laid out in twips.
    auto *client = new QWidget(this);
    const auto twips = [this](double value) { return twipsToPixelsX(this, value); };
    const auto button = [&](const char *name, const QString &text, const QString &tip, const char *picture,
                            double left) {
        auto *b = new QToolButton(client);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setToolTip(tip);
        b->setIcon(lockWindowIcon(QLatin1String(picture)));
        b->setIconSize(QSize(twips(480), twips(480)));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFocusPolicy(Qt::StrongFocus);
        b->setGeometry(twips(left), twips(600), twips(1215), twips(855));
        return b;
    };
    Command1 = button("Command1", QStringLiteral("E&xit"), QStringLiteral("Goodbye!"), "Exit", 4140);
    txtFile = new QLineEdit(client);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setAccessibleName(QStringLiteral("File Path"));
    txtFile->setGeometry(twips(1080), twips(120), twips(4515), twips(315));
    // An Alt key chord that no enabled command takes (the access key of a
    // command not offered now) must not type its letter into the path.
    txtFile->installEventFilter(this);
    cmdDecipher = button("cmdDecipher", QStringLiteral("&Unlock"), QStringLiteral("Make this file readable"),
                         "Unlock", 2880);
    cmdEncipher = button("cmdEncipher", QStringLiteral("&Lock"), QStringLiteral("Make this file unreadable"),
                         "Lock", 1620);
    cmdBrowse = button("cmdBrowse", QStringLiteral("&Browse"), QStringLiteral("Look for a file"), "Browse", 360);
    Label1 = new QLabel(QStringLiteral("File Path:"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(txtFile);
    Label1->setGeometry(twips(120), twips(120), twips(960), twips(315));
    client->setFixedSize(twips(5655), twips(1605));
    setTabOrder(txtFile, cmdBrowse);
    setTabOrder(cmdBrowse, cmdEncipher);
    setTabOrder(cmdEncipher, cmdDecipher);
    setTabOrder(cmdDecipher, Command1);

    auto *menuBar = new QMenuBar(this);
    auto *mnuFile = menuBar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    const auto item = [&](const char *name, const QString &text) {
        QAction *action = mnuFile->addAction(text);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    mnuFileBrowse = item("mnuFileBrowse", QStringLiteral("&Browse"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuBartwo"));
    mnuFileEncipher = item("mnuFileEncipher", QStringLiteral("&Lock"));
    mnuFileDecipher = item("mnuFileDecipher", QStringLiteral("&Unlock"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar"));
    mnuFileExit = item("mnuFileExit", QStringLiteral("E&xit"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QAbstractButton::clicked, this, &frmSecret::Command1_Click);
    connect(cmdBrowse, &QAbstractButton::clicked, this, &frmSecret::cmdBrowse_Click);
    connect(cmdEncipher, &QAbstractButton::clicked, this, &frmSecret::cmdEncipher_Click);
    connect(cmdDecipher, &QAbstractButton::clicked, this, &frmSecret::cmdDecipher_Click);
    connect(txtFile, &QLineEdit::textChanged, this, &frmSecret::txtFile_Change);
    connect(mnuFileBrowse, &QAction::triggered, this, &frmSecret::mnuFileBrowse_Click);
    connect(mnuFileEncipher, &QAction::triggered, this, &frmSecret::mnuFileEncipher_Click);
    connect(mnuFileDecipher, &QAction::triggered, this, &frmSecret::mnuFileDecipher_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmSecret::mnuFileExit_Click);

    Form_Load();
}

void frmSecret::Form_Load()
{
    adjustSize();
    centreOnScreen(this);
    offer(false, false);
    txtFile->clear();
    // The window opens ready for a path, not on Exit (where Enter would
    // close it).
    txtFile->setFocus();
}

bool frmSecret::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtFile && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers chord = key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
        if (chord == Qt::AltModifier && !key->text().isEmpty()) {
            QApplication::beep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSecret::offer(bool lockOffered, bool unlockOffered)
{
    cmdEncipher->setEnabled(lockOffered);
    mnuFileEncipher->setEnabled(lockOffered);
    cmdDecipher->setEnabled(unlockOffered);
    mnuFileDecipher->setEnabled(unlockOffered);
}

void frmSecret::cmdBrowse_Click()
{
    QFileDialog cdlOne(this, QStringLiteral("Open"));
    cdlOne.setObjectName(QStringLiteral("cdlOne"));
    cdlOne.setFileMode(QFileDialog::ExistingFile);
    cdlOne.setNameFilters({QStringLiteral("All files (*)"), QStringLiteral("Text files (*.txt)")});
    if (!txtFile->text().isEmpty())
        cdlOne.setDirectory(QFileInfo(txtFile->text()).absolutePath());
    if (cdlOne.exec() != QDialog::Accepted || cdlOne.selectedFiles().isEmpty())
        return;
    txtFile->setText(cdlOne.selectedFiles().constFirst());
}

void frmSecret::txtFile_Change()
{
    const lock::PathInspection inspection = lock::inspectPath(txtFile->text());
    if (inspection.kind == lock::PathKind::NoFile) {
        offer(false, false);
        return;
    }
    LockHeader = inspection.header;
    const bool locked = inspection.kind == lock::PathKind::Locked;
    offer(!locked, locked);
}

void frmSecret::cmdEncipher_Click()
{
    run(lock::LockCommand::Lock);
}

void frmSecret::cmdDecipher_Click()
{
    run(lock::LockCommand::Unlock);
}

void frmSecret::run(lock::LockCommand command)
{
    LockPassword = frmPassword::ask(this);
    if (LockPassword.isEmpty())
        return;
    // The check uses the header read when the file was inspected.
    if (command == lock::LockCommand::Unlock && !lock::passwordFitsHeader(LockPassword, LockHeader)) {
        showMessage({lock::LockResult::WrongPassword, QStringLiteral("Sorry, password incorrect for this file.")});
        return;
    }

    const QString path = txtFile->text();
    lock::LockResult result;
    m_busy = true;
    cmdBrowse->setEnabled(false);
    offer(false, false);
    const QString password = LockPassword;
    result = runLongWork([&] { return lock::runLockCommand(command, path, password, {}); });
    txtFile_Change();
    cmdBrowse->setEnabled(true);
    m_busy = false;
    setWindowTitle(path);
    if (!result.ok())
        showMessage(result);
}

void frmSecret::showMessage(const lock::LockResult &result)
{
    const QMessageBox::Icon icon = result.status == lock::LockResult::Failed ? QMessageBox::Critical
                                                                              : QMessageBox::Warning;
    QMessageBox box(icon, lockFilesTitle, result.message, QMessageBox::Ok, this);
    box.exec();
}

void frmSecret::Command1_Click()
{
    mnuFileExit_Click();
}

void frmSecret::mnuFileBrowse_Click()
{
    cmdBrowse_Click();
}

void frmSecret::mnuFileEncipher_Click()
{
    cmdEncipher_Click();
}

void frmSecret::mnuFileDecipher_Click()
{
    cmdDecipher_Click();
}

void frmSecret::mnuFileExit_Click()
{
    close();
}

void frmSecret::closeEvent(QCloseEvent *event)
{
    // A run in progress finishes before the window may close.
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmSecret::keyPressEvent(QKeyEvent *event)
{
    // The window closes by Exit or its frame; Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void openLockWindow(QWidget *parent)
{
    frmSecret window(parent);
    window.exec();
}

} // namespace sweepora
