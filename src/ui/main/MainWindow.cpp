// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/MainWindow.h"

#include "Resources.h"
#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "core/Helpers.h"
#include "ui/common/AccessibleRole.h"
#include "ui/common/Icons.h"
#include "ui/common/ListViews.h"
#include "ui/common/LongWork.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListView.h"
#include "ui/main/HotTrack.h"
#include "ui/main/PreviewPane.h"
#include "ui/main/StatusLine.h"
#include "ui/main/TreeBackground.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>

namespace sweepora {

frmMain::frmMain(QWidget *parent) : QMainWindow(parent), m_layout(designLayout())
{
    setObjectName(QStringLiteral("frmMain"));
    initResources();
    setWindowIcon(appIcon());
    createControls();
    createMenus();
    createToolbar();
    // The window's design size, wide enough for the five columns of the
    // file list with a ten-digit size; the panes follow it in their
    // proportions.
    resize(1000, 700);
    // Below this the panes and the status texts no longer have room: the
    // progress bar would cover the status text, the splitters their limits.
    setMinimumSize(640, 480);
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    // Everything is placed by the resize handler on one client surface, so
    // the panes keep their proportions whatever the window's size.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    auto makeButton = [this](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, m_client);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(QString(caption).remove(u'&'));
        return button;
    };
    btnDelSelected = makeButton("btnDelSelected", QStringLiteral("Clean &Selected Groups"));
    btnDelAll = makeButton("btnDelAll", QStringLiteral("Clean &All Groups"));
    btnSelectAll = makeButton("btnSelectAll", QStringLiteral("S&elect All Groups"));
    btnUnCheckAll = makeButton("btnUnCheckAll", QStringLiteral("&Restore All Groups"));
    Registry = makeButton("Registry", QStringLiteral("Registry"));
    Registry->hide(); // a developer's door to the settings test window; never shown
    connect(Registry, &QPushButton::clicked, this, &frmMain::Registry_Click);
    connect(btnDelAll, &QPushButton::clicked, this, &frmMain::btnDelAll_Click);
    connect(btnDelSelected, &QPushButton::clicked, this, &frmMain::btnDelSelected_Click);
    connect(btnSelectAll, &QPushButton::clicked, this, &frmMain::btnSelectAll_Click);
    connect(btnUnCheckAll, &QPushButton::clicked, this, &frmMain::btnUnCheckAll_Click);

    FolderTree = new QTreeWidget(m_client);
    FolderTree->setObjectName(QStringLiteral("FolderTree"));
    FolderTree->setAccessibleName(QStringLiteral("Groups"));
    FolderTree->setHeaderHidden(true);
    FolderTree->setHeaderLabel(QStringLiteral("Groups")); // hidden, but read by screen readers
    FolderTree->setRootIsDecorated(false);
    FolderTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FolderTree->setIconSize(QSize(16, 16));
    setHotTracking(FolderTree); // the item under the mouse is highlighted
    FolderTree->viewport()->installEventFilter(this);
    FolderTree->installEventFilter(this); // Space and Enter act as a click
    setTiledBackground(FolderTree, treeBackgroundTile());
    connect(FolderTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *node) { FolderTree_NodeClick(node); });

    // The splitters are plain strips that take the mouse; while one is
    // dragged its bar picture follows the pointer, and the panes move on
    // the release.
    imgSplitter = new QLabel(m_client);
    imgSplitter->setObjectName(QStringLiteral("imgSplitter"));
    setAccessibleRole(imgSplitter, QAccessible::Splitter);
    imgSplitter->setAccessibleName(QStringLiteral("Groups and files splitter"));
    imgSplitter->setCursor(Qt::SplitHCursor);
    imgSplitter->installEventFilter(this);
    HImgSplitter = new QLabel(m_client);
    HImgSplitter->setObjectName(QStringLiteral("HImgSplitter"));
    setAccessibleRole(HImgSplitter, QAccessible::Splitter);
    HImgSplitter->setAccessibleName(QStringLiteral("Preview splitter"));
    HImgSplitter->setCursor(Qt::SplitVCursor);
    HImgSplitter->installEventFilter(this);
    // From the keyboard: Tab reaches a splitter, the arrow keys move it.
    for (QLabel *splitter : {imgSplitter, HImgSplitter}) {
        splitter->setFocusPolicy(Qt::TabFocus);
        splitter->setStyleSheet(QStringLiteral("QLabel:focus { background: palette(highlight); }"));
    }
    picSplit = new QLabel(m_client);
    picSplit->setObjectName(QStringLiteral("picSplit"));
    picSplit->setAccessibleName(QStringLiteral("Groups and files splitter bar"));
    picSplit->setStyleSheet(QStringLiteral("background: palette(mid);"));
    picSplit->setAlignment(Qt::AlignCenter);
    picSplit->setPixmap(QIcon(QLatin1String(verticalSplitterGripPath)).pixmap(6, 30));
    picSplit->hide();
    HPicSplit = new QLabel(m_client);
    HPicSplit->setObjectName(QStringLiteral("HPicSplit"));
    HPicSplit->setAccessibleName(QStringLiteral("Preview splitter bar"));
    HPicSplit->setStyleSheet(QStringLiteral("background: palette(mid);"));
    HPicSplit->setAlignment(Qt::AlignCenter);
    HPicSplit->setPixmap(QIcon(QLatin1String(horizontalSplitterGripPath)).pixmap(30, 6));
    HPicSplit->hide();

    m_files = new FileListModel(this);
    ListView1 = new FileListView(m_client);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Files"));
    ListView1->setModel(m_files);
    ListView1->setSortingEnabled(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSortIndicatorShown(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setDefaultSectionSize(105);
    ListView1->setTextElideMode(Qt::ElideMiddle); // a long name keeps its ending in view
    ListView1->viewport()->installEventFilter(this); // the columns follow the list's width
    ListView1->installEventFilter(this);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, [this] { selectAllRows(); });
    connect(ListView1, &QAbstractItemView::clicked, this, [this] { ListView1_Click(); });
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this] { deleteSelectedFile(); });

    WebBrowser1 = new PreviewPane(m_client);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setAccessibleName(QStringLiteral("Preview"));

    ProgressBar1 = new QProgressBar(m_client);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setAccessibleName(QStringLiteral("Progress"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);

    FilesTotal = new QStatusBar(m_client);
    FilesTotal->setObjectName(QStringLiteral("FilesTotal"));
    FilesTotal->setAccessibleName(QStringLiteral("Files found"));
    FilesTotal->setSizeGripEnabled(false);
    FilesTotalSpace = new QStatusBar(m_client);
    FilesTotalSpace->setObjectName(QStringLiteral("FilesTotalSpace"));
    FilesTotalSpace->setAccessibleName(QStringLiteral("Size of files found"));
    FilesTotalSpace->setSizeGripEnabled(true);
    m_filesTotalLine = new StatusLine(FilesTotal);
    m_filesTotalLine->setObjectName(QStringLiteral("FilesTotalText"));
    FilesTotal->addWidget(m_filesTotalLine, 1);
    m_filesTotalSpaceLine = new StatusLine(FilesTotalSpace);
    m_filesTotalSpaceLine->setObjectName(QStringLiteral("FilesTotalSpaceText"));
    FilesTotalSpace->addWidget(m_filesTotalSpaceLine, 1);
    ProgressBar1->raise(); // it sits over the upper status bar's right end
}

QString frmMain::filesTotalText() const
{
    return m_filesTotalLine->line();
}

QString frmMain::filesTotalSpaceText() const
{
    return m_filesTotalSpaceLine->line();
}

void frmMain::ensureLoaded()
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
}

void frmMain::startInTray()
{
    ensureLoaded();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showMinimized();
        return;
    }
    // A window manager may map a window asked for in the minimized state as
    // a normal one; a window that is never shown cannot be. The state change
    // puts the icon in the notification area (changeEvent).
    setWindowState(windowState() | Qt::WindowMinimized);
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    ensureLoaded();
    // Shown straight into the minimized state (monitor mode): off to the tray.
    if (windowState() & Qt::WindowMinimized)
        followTray();
}

void frmMain::Form_Load()
{
    setWindowTitle(QStringLiteral("Sweepora"));
    WebBrowser1->setUrl(QUrl::fromLocalFile(reportPath()));

    // Centre on the screen.
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.left() + (available.width() - frameGeometry().width()) / 2,
             available.top() + (available.height() - frameGeometry().height()) / 2);
    }

    QString noFolder;
    WinDir = GetWindowsDir(&noFolder);
    SetFullRowSelect(ListView1);
    emptyReport();
    if (WinDir.isEmpty()) {
        // No table path at the root stands in for a missing folder.
        showMessage(this, noFolder, QString(), QMessageBox::Critical);
        return;
    }

    const StartupLoad load = loadGroupsForStartup(WinDir + QStringLiteral("/System/wingrdt.dll"));
    if (load.error) {
        showMessage(this, load.error.text(), QString(), QMessageBox::Critical);
        return; // the load ends here, as it does for any unexpected failure
    }
    FillGroupTree(false, true);

    m_files->setColumnsShown(true);
    m_files->showPlaceholder(QStringLiteral("SELECT FOLDER"));
    applyLayout();
    fitColumns();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (longWorkRunning()) {
        event->ignore(); // a listing or a cleaning run ends first
        return;
    }
    // Closing the main window closes every other window of the program and
    // ends it; nothing is saved on the way.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
    event->accept();
    QCoreApplication::quit();
}

} // namespace sweepora
