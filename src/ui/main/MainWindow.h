// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/main/PaneLayout.h"

#include <QMainWindow>
#include <QPointer>

#include <atomic>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace sweepora {

class FileListModel;
class FileListView;
class PreviewPane;
class StatusLine;

// The main window: the group tree on the left, the file list on the right,
// the preview pane below them, the cleaning buttons above, a toolbar, a
// progress bar and two status bars. It holds no file-system logic: listing,
// cleaning and deleting are the engine's; the window gathers input, calls
// the engine and shows what comes back.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Window-level state, named as the rest of the program knows it.
    QString CurrentView;      // the listed folder; "NoSearch" while a listing runs
    QString ListMode;         // "Find" while listing, "Delete" while cleaning, else empty
    QString LastFileGroupKey; // group of the file last listed or deleted by a cleaning run
    QString WinDir;           // the folder that holds the group table's "System" folder

    // The image number that marks a group for "Clean Selected Groups".
    static constexpr int CheckedImage = 4;

    // Fills the group tree from the group table: one top-level node per
    // key, in file order (a later line with the same key updates the node).
    void FillGroupTree(bool clearFirst, bool revealEach);

    // Loads the window's content (the load of its first showing) without
    // showing it; showing it later does not load it again.
    void ensureLoaded();

    // Monitor mode: the window loads and goes straight to the notification
    // area without ever being mapped, so that no window manager gets to
    // show it first. Where the desktop has no notification area it is
    // shown minimized on the taskbar instead.
    void startInTray();

    // Controls, for the windows that work with the main window and for tests.
    QTreeWidget *folderTree() const { return FolderTree; }
    FileListView *fileList() const { return ListView1; }
    FileListModel *fileListModel() const { return m_files; }
    PreviewPane *previewPane() const { return WebBrowser1; }
    QAction *viewAction() const { return mnuView; }
    QString filesTotalText() const;
    QString filesTotalSpaceText() const;
    int nodeImage(QTreeWidgetItem *node) const;

    // The commands, as the menus, the toolbar and the buttons run them.
    void FolderTree_NodeClick(QTreeWidgetItem *node);
    void btnDelAll_Click();
    void btnDelSelected_Click();
    void btnSelectAll_Click();
    void btnUnCheckAll_Click();
    void ListView1_Click();
    void deleteSelectedFile();
    void mnuDelRpt_Click();
    void mnuTaskBar_Click();
    void mnuFileExit_Click();
    void Toolbar1_ButtonClick(const QString &key);
    void openGroupList();
    void openAddGroup();
    void openMonitor();
    void openDriveSpace();
    void Registry_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction, split by concern over several files.
    void createControls();
    void createMenus();
    void createToolbar();
    void Form_Load();
    void followTray();    // the tray icon exists exactly while the window is minimized
    void applyLayout();   // the proportions of the inner size
    void placeControls(); // puts the controls where the layout says
    float twipsPerPixel() const;

    void setNodeImage(QTreeWidgetItem *node, int image);
    void listGroup(const QString &path, const QString &key);
    void runCleaning(bool selectedOnly);
    void previewSelectedRow();
    int selectedRow() const;
    void selectAllRows();
    // Fits the list's columns: the size and date columns to their widest
    // text, the File column to the room left, so that all five stay in
    // view; a name wider than that is shortened in its middle.
    void fitColumns();

    QWidget *m_client = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QPushButton *btnDelAll = nullptr;
    QPushButton *btnDelSelected = nullptr;
    QPushButton *btnSelectAll = nullptr;
    QPushButton *btnUnCheckAll = nullptr;
    QPushButton *Registry = nullptr;
    QTreeWidget *FolderTree = nullptr;
    QLabel *imgSplitter = nullptr;
    QLabel *HImgSplitter = nullptr;
    QLabel *picSplit = nullptr;
    QLabel *HPicSplit = nullptr;
    FileListView *ListView1 = nullptr;
    FileListModel *m_files = nullptr;
    PreviewPane *WebBrowser1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QStatusBar *FilesTotal = nullptr;
    QStatusBar *FilesTotalSpace = nullptr;
    StatusLine *m_filesTotalLine = nullptr;      // the text of FilesTotal
    StatusLine *m_filesTotalSpaceLine = nullptr; // the text of FilesTotalSpace

    QMenu *mnuFile = nullptr;
    QMenu *mnuOptions = nullptr;
    QMenu *mnuHelp = nullptr;
    QMenu *mnuDirectoryProp = nullptr;
    QMenu *mnuShutDown = nullptr;
    QAction *mnuMonitor = nullptr;
    QAction *mnuTaskBar = nullptr;
    QAction *mnuFolders = nullptr;
    QAction *mnuFileExit = nullptr;
    QAction *mnuView = nullptr;
    QAction *mnuDriveSpace = nullptr;
    QAction *mnuDelRpt = nullptr;
    QAction *mnuLockFiles = nullptr;
    QAction *mnuWeb = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuAddFolder = nullptr;
    QAction *mnuEditFolders = nullptr;

    PaneLayout m_layout;
    bool m_loaded = false;

    // Splitter drags: from a press on either splitter until the release.
    bool SplitterMoving = false;
    int SplitShift = 0;
    TwipRect m_barRect; // where the dragged bar picture stands

    bool splitterEvent(QObject *watched, QEvent *event);
    // Moves a splitter from the keyboard by `steps` steps (negative: left
    // or up), within the limits of a drag.
    void moveSplitter(QObject *splitter, int steps);
    void placeBar(QLabel *bar, const TwipRect &rect);

    // Progress of a listing, written by the walking thread and shown by a
    // timer on the window's thread.
    std::atomic<std::uint64_t> m_progressValue{0};
    std::atomic<std::uint64_t> m_progressMaximum{0};
};

} // namespace sweepora
