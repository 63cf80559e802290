// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/frmIcon.h"

#include "ui/common/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtDebug>

namespace sweepora {
namespace {

QIcon trayPicture(const QIcon &given, const QWidget *mainWindow)
{
    if (!given.isNull())
        return given;
    if (mainWindow && !mainWindow->windowIcon().isNull())
        return mainWindow->windowIcon();
    // A tray icon without a picture would not be shown at all.
    return QApplication::style()->standardIcon(QStyle::SP_TrashIcon);
}

QAction *addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

frmIcon::frmIcon(QWidget *mainWindow, Hooks hooks)
    : QObject(mainWindow)
    , m_main(mainWindow)
    , m_hooks(std::move(hooks))
    , m_menu(std::make_unique<QMenu>())
    , m_trayIcon(std::make_unique<QSystemTrayIcon>())
{
    setObjectName(QStringLiteral("frmIcon"));

    m_menu->setObjectName(QStringLiteral("mnuPopup"));
    connect(addItem(m_menu.get(), "mnuRestore", QStringLiteral("&Restore")), &QAction::triggered, this,
            &frmIcon::mnuRestore_Click);
    connect(addItem(m_menu.get(), "mnuDiskSpace", QStringLiteral("&Disk Space")), &QAction::triggered, this,
            &frmIcon::mnuDiskSpace_Click);
    connect(addItem(m_menu.get(), "mnuLockFiles", QStringLiteral("&Lock Files")), &QAction::triggered, this,
            &frmIcon::mnuLockFiles_Click);
    connect(addItem(m_menu.get(), "mnuAbout", QStringLiteral("&About")), &QAction::triggered, this,
            &frmIcon::mnuAbout_Click);
    m_menu->addSeparator()->setObjectName(QStringLiteral("sep2"));
    QMenu *shutDown = m_menu->addMenu(QStringLiteral("Sh&ut Down ..."));
    shutDown->setObjectName(QStringLiteral("mnuShutDown"));
    shutDown->menuAction()->setObjectName(QStringLiteral("mnuShutDown"));
    addShutDownItems(shutDown, m_hooks.endSession);
    m_menu->addSeparator()->setObjectName(QStringLiteral("sep1"));
    QAction *close = addItem(m_menu.get(), "mnuClose", QStringLiteral("&Close "));
    QFont bold = close->font();
    bold.setBold(true);
    close->setFont(bold);
    m_menu->setDefaultAction(close);
    connect(close, &QAction::triggered, this, &frmIcon::mnuClose_Click);

    m_trayIcon->setObjectName(QStringLiteral("trayIcon"));
    m_trayIcon->setIcon(trayPicture(m_hooks.icon, mainWindow));
    m_trayIcon->setToolTip(applicationTitle());
    m_trayIcon->setContextMenu(m_menu.get());
    connect(m_trayIcon.get(), &QSystemTrayIcon::activated, this, &frmIcon::trayIcon_Activated);

    // The main window is hidden while the icon stands for it: closing the
    // last window shown (an About box opened from the menu) must not end
    // the program.
    m_quitOnLastWindowClosed = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);

    m_trayIcon->show();
}

frmIcon::~frmIcon()
{
    m_trayIcon->hide();
    QGuiApplication::setQuitOnLastWindowClosed(m_quitOnLastWindowClosed);
}

frmIcon *frmIcon::of(const QWidget *mainWindow)
{
    return mainWindow ? mainWindow->findChild<frmIcon *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

frmIcon *frmIcon::followWindowState(QWidget *mainWindow, const Hooks &hooks)
{
    if (!mainWindow)
        return nullptr;
    frmIcon *existing = of(mainWindow);

    if (!mainWindow->isMinimized()) {
        if (existing) {
            existing->remove();
            // The window must never stay hidden without its icon.
            if (!mainWindow->isVisible())
                mainWindow->show();
        }
        return nullptr;
    }

    if (existing)
        return existing;
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        static bool told = false;
        if (!told) {
            told = true;
            qWarning("No notification area is available: the minimized window stays on the taskbar");
        }
        return nullptr;
    }

    auto *icon = new frmIcon(mainWindow, hooks);
    // Hidden once the state change has been handled everywhere; by then it
    // may have been restored already.
    QTimer::singleShot(0, icon, [icon] {
        if (icon->m_main && icon->m_main->isMinimized())
            icon->m_main->hide();
    });
    return icon;
}

void frmIcon::remove()
{
    m_trayIcon->hide();
    // No longer found as the main window's icon form, and gone once the
    // handler that removed it has returned.
    setParent(nullptr);
    deleteLater();
}

void frmIcon::runLater(const std::function<void()> &hook)
{
    if (hook)
        QTimer::singleShot(0, qApp, hook);
}

void frmIcon::trayIcon_Activated(QSystemTrayIcon::ActivationReason reason)
{
    // A single click, the middle button and the icon's own menu request do
    // nothing here; the right button's menu is the icon's context menu.
    if (reason == QSystemTrayIcon::DoubleClick)
        mnuRestore_Click();
}

void frmIcon::mnuRestore_Click()
{
    QPointer<QWidget> main = m_main;
    remove();
    if (!main)
        return;
    main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
    main->show();
    main->raise();
    main->activateWindow();
}

void frmIcon::mnuDiskSpace_Click()
{
    runLater(m_hooks.diskSpace);
}

void frmIcon::mnuLockFiles_Click()
{
    runLater(m_hooks.lockFiles);
}

void frmIcon::mnuAbout_Click()
{
    runLater(m_hooks.about);
}

void frmIcon::mnuClose_Click()
{
    // The icon goes first, so that none is left behind in the notification
    // area when the program ends.
    QPointer<QWidget> main = m_main;
    remove();
    if (main)
        main->close();
    // Ends the program at once, whatever window is still open. Outside a
    // running event loop there is nothing to end, and exit() would make the
    // next loop return at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

} // namespace sweepora
