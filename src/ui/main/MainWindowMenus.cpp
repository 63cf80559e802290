// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar, the pop-up menus and the toolbar.

#include "ui/main/MainWindow.h"

#include "ui/common/Icons.h"
#include "ui/groups/frmPathAddPopUp.h"
#include "ui/groups/frmPathMain.h"
#include "lock/frmSecret.h"
#include "ui/about/Links.h"
#include "ui/about/frmAbout.h"
#include "ui/tray/ShutDownMenu.h"
#include "space/frmFreeSpace.h"
#include "ui/monitor/frmMonitor.h"
#include "ui/monitor/frmRegistry.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace sweepora {
namespace {

QAction *addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu *addMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

} // namespace

void frmMain::createMenus()
{
    QMenuBar *bar = menuBar();

    mnuFile = addMenu(bar, "mnuFile", QStringLiteral("&File"));
    mnuMonitor = addItem(mnuFile, "mnuMonitor", QStringLiteral("M&onitor"));
    mnuTaskBar = addItem(mnuFile, "mnuTaskBar", QStringLiteral("&Minimize To TaskBar"));
    mnuFolders = addItem(mnuFile, "mnuFolders", QStringLiteral("&Set Groups"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileLine"));
    mnuFileExit = addItem(mnuFile, "mnuFileExit", QStringLiteral("&Exit"));

    mnuOptions = addMenu(bar, "mnuOptions", QStringLiteral("&Options"));
    mnuView = addItem(mnuOptions, "mnuView", QStringLiteral("&View Files"));
    mnuView->setCheckable(true);
    mnuView->setChecked(true);
    mnuDriveSpace = addItem(mnuOptions, "mnuDriveSpace", QStringLiteral("&Drive Space"));
    mnuDelRpt = addItem(mnuOptions, "mnuDelRpt", QStringLiteral("Deleted &Files Report"));
    mnuLockFiles = addItem(mnuOptions, "mnuLockFiles", QStringLiteral("&Lock Files"));
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("sep1"));
    mnuShutDown = mnuOptions->addMenu(QStringLiteral("Sh&utDown"));
    mnuShutDown->setObjectName(QStringLiteral("mnuShutDown"));
    addShutDownItems(mnuShutDown);

    mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    mnuWeb = addItem(mnuHelp, "mnuWeb", QStringLiteral("&Web Support"));
    mnuAbout = addItem(mnuHelp, "mnuAbout", QStringLiteral("&About Sweepora"));

    // The tree's pop-up menu, never shown in the menu bar.
    mnuDirectoryProp = new QMenu(QStringLiteral("&Directory Properties"), this);
    mnuDirectoryProp->setObjectName(QStringLiteral("mnuDirectoryProp"));
    mnuAddFolder = addItem(mnuDirectoryProp, "mnuAddFolder", QStringLiteral("&Add New Group"));
    mnuEditFolders = addItem(mnuDirectoryProp, "mnuEditFolders", QStringLiteral("&Edit Groups"));

    connect(mnuTaskBar, &QAction::triggered, this, &frmMain::mnuTaskBar_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(mnuDelRpt, &QAction::triggered, this, &frmMain::mnuDelRpt_Click);
    connect(mnuFolders, &QAction::triggered, this, &frmMain::openGroupList);
    connect(mnuEditFolders, &QAction::triggered, this, &frmMain::openGroupList);
    connect(mnuAddFolder, &QAction::triggered, this, &frmMain::openAddGroup);
    connect(mnuMonitor, &QAction::triggered, this, &frmMain::openMonitor);
    connect(mnuDriveSpace, &QAction::triggered, this, &frmMain::openDriveSpace);
    connect(mnuLockFiles, &QAction::triggered, this, [this] { openLockWindow(this); });
    connect(mnuWeb, &QAction::triggered, this, [] { openLink(productWebPage()); });
    connect(mnuAbout, &QAction::triggered, this, [this] { frmAbout::open(this); });
}

void frmMain::createToolbar()
{
    Toolbar1 = new QToolBar(m_client);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setAccessibleName(QStringLiteral("Toolbar"));
    Toolbar1->setIconSize(QSize(22, 22));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);

    struct Button
    {
        const char *key;
        const char *tip;
        QAction *sameAs; // the menu command whose state the button shares
    };
    const Button buttons[] = {
        {"Monitor", "Monitoring Options", mnuMonitor},
        {"Minimize", "Minimize to Taskbar", mnuTaskBar},
        {"Groups", "Set Groups", mnuFolders},
        {nullptr, nullptr, nullptr},
        {"View", "View Files In Group", mnuView},
        {"Space", "Display Drive Space", mnuDriveSpace},
        {"Report", "Deleted Files Report", mnuDelRpt},
        {"Lock", "Lock Files", mnuLockFiles},
        {"Shutdown", "Shutdown the Computer", mnuShutDown->menuAction()},
        {nullptr, nullptr, nullptr},
        {"Help", "Help", mnuAbout},
    };
    for (const Button &button : buttons) {
        if (!button.key) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString key = QLatin1String(button.key);
        QAction *action = Toolbar1->addAction(toolbarIcon(key.toLower()), QLatin1String(button.tip));
        action->setObjectName(QStringLiteral("Toolbar1_") + key);
        action->setData(key);
        action->setToolTip(QLatin1String(button.tip));
        if (QWidget *widget = Toolbar1->widgetForAction(action)) {
            widget->setObjectName(QStringLiteral("Toolbar1_") + key + QStringLiteral("_button"));
            widget->setAccessibleName(QLatin1String(button.tip));
        }
        if (key == QLatin1String("View")) {
            // One check mark for the menu item and the button.
            action->setCheckable(true);
            action->setChecked(mnuView->isChecked());
            connect(mnuView, &QAction::toggled, action, &QAction::setChecked);
            connect(action, &QAction::triggered, this, [this] { Toolbar1_ButtonClick(QStringLiteral("View")); });
        } else {
            action->setEnabled(button.sameAs->isEnabled());
            connect(button.sameAs, &QAction::changed, action,
                    [action, source = button.sameAs] { action->setEnabled(source->isEnabled()); });
            connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        }
    }
}

void frmMain::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("Monitor"))
        mnuMonitor->trigger();
    else if (key == QLatin1String("Minimize"))
        mnuTaskBar_Click();
    else if (key == QLatin1String("Groups"))
        mnuFolders->trigger();
    else if (key == QLatin1String("View"))
        mnuView->setChecked(!mnuView->isChecked());
    else if (key == QLatin1String("Space"))
        mnuDriveSpace->trigger();
    else if (key == QLatin1String("Report"))
        mnuDelRpt_Click();
    else if (key == QLatin1String("Lock"))
        mnuLockFiles->trigger();
    else if (key == QLatin1String("Shutdown"))
        confirmShutDown(this);
    else if (key == QLatin1String("Help"))
        mnuAbout->trigger();
    // Any other key does nothing.
}

void frmMain::openGroupList()
{
    frmPathMain dialog(this);
    connect(&dialog, &frmPathMain::groupTreeChanged, this, &frmMain::FillGroupTree);
    dialog.exec();
}

void frmMain::openAddGroup()
{
    frmPathAddPopUp dialog(this);
    connect(&dialog, &frmPathAddPopUp::groupTreeChanged, this, &frmMain::FillGroupTree);
    dialog.exec();
}

void frmMain::openMonitor()
{
    frmMonitor monitor(this);
    monitor.exec();
}

void frmMain::openDriveSpace()
{
    // Not modal: it stays open beside the main window and deletes itself.
    (new frmFreeSpace(this))->show();
}

void frmMain::Registry_Click()
{
    (new frmRegistry(this))->show();
}

void frmMain::mnuTaskBar_Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void frmMain::mnuFileExit_Click()
{
    // Ends the program at once, without the closing steps.
    QApplication::exit(0);
}

} // namespace sweepora
