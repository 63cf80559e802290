// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/tray/ShutDownMenu.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace sweepora {

// The program's icon in the notification area while the main window is
// minimized: tooltip "Sweepora", a double click with the left button brings
// the main window back, a single click does nothing, the right button opens
// the menu "mnuPopup":
//
//   mnuRestore    "&Restore"         restore the main window
//   mnuDiskSpace  "&Disk Space"      Hooks::diskSpace
//   mnuLockFiles  "&Lock Files"      Hooks::lockFiles
//   mnuAbout      "&About"           Hooks::about
//   sep2          separator
//   mnuShutDown   "Sh&ut Down ..."   reboot, shutdown, relogon, forcedown (see ShutDownMenu.h)
//   sep1          separator
//   mnuClose      "&Close "          remove the icon, close the main window, end the program at once;
//                                    the menu's default item, in bold
//
// The object lives as a child of the main window and owns the icon: the
// icon is shown while the object exists and removed when it is destroyed.
// While it exists the program does not end when its last visible window
// closes (the main window is hidden then), only through Close or the main
// window's own close.
class frmIcon : public QObject
{
    Q_OBJECT

public:
    // What the menu's entries open; the main window supplies them. The
    // three window hooks run from the event loop after the menu has closed,
    // so a hook may open a modal window; an empty one makes its entry do
    // nothing. The session-end entries call endSession at once.
    struct Hooks
    {
        std::function<void()> diskSpace; // open the drive space window, not modal
        std::function<void()> lockFiles; // open the lock window, modal
        std::function<void()> about;     // open the About box, not modal
        EndSessionHook endSession;       // empty: platform::EndSession
        QIcon icon;                      // empty: the main window's icon, else a standard one
    };

    // The one call the main window makes: from its changeEvent() on every
    // QEvent::WindowStateChange, after the state has changed.
    //
    // - Main window minimized, a notification area available: puts the icon
    //   there (once; a second call finds the existing one) and hides the
    //   main window right after the state change has been handled.
    //   Returns the icon form.
    // - Main window minimized, no notification area: nothing is created and
    //   the window stays minimized on the taskbar, so it can always be
    //   reached; the first time in the process this is written to the log.
    //   Returns nullptr.
    // - Main window not minimized: removes the icon if there is one and
    //   makes sure the main window is shown. Returns nullptr.
    static frmIcon *followWindowState(QWidget *mainWindow, const Hooks &hooks);

    // The icon form of `mainWindow`, or nullptr while there is none.
    static frmIcon *of(const QWidget *mainWindow);

    // Shows the icon for `mainWindow` and becomes its child. Does not hide
    // the main window (followWindowState does).
    frmIcon(QWidget *mainWindow, Hooks hooks);
    ~frmIcon() override;

    QSystemTrayIcon *trayIcon() const { return m_trayIcon.get(); }
    QMenu *mnuPopup() const { return m_menu.get(); }

    // The menu's actions, also reachable through their object names.
    void mnuRestore_Click();
    void mnuDiskSpace_Click();
    void mnuLockFiles_Click();
    void mnuAbout_Click();
    void mnuClose_Click();

private:
    void trayIcon_Activated(QSystemTrayIcon::ActivationReason reason);
    // Hides the icon at once and lets the object go when control is back in
    // the event loop (this may run inside one of its own handlers).
    void remove();
    static void runLater(const std::function<void()> &hook);

    QPointer<QWidget> m_main;
    Hooks m_hooks;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_trayIcon;
    bool m_quitOnLastWindowClosed = true;
};

} // namespace sweepora
