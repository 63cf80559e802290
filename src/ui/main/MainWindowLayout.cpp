// SPDX-License-Identifier: GPL-3.0-or-later
// Placing the panes, and the mouse and key events the window handles itself.

#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include "lock/frmSecret.h"
#include "ui/about/frmAbout.h"
#include "ui/common/Icons.h"
#include "ui/main/FileListView.h"
#include "ui/main/PreviewPane.h"
#include "ui/tray/frmIcon.h"

namespace sweepora {
namespace {

// Pixels of a twip value; positions may be negative, sizes never are.
QRect toPixels(const TwipRect &r, float twipsPerPixel)
{
    return QRect(static_cast<int>(r.left / twipsPerPixel), static_cast<int>(r.top / twipsPerPixel),
                 static_cast<int>(r.width / twipsPerPixel), static_cast<int>(r.height / twipsPerPixel));
}

} // namespace

float frmMain::twipsPerPixel() const
{
    const int dpi = logicalDpiX();
    return dpi > 0 ? 1440.0f / static_cast<float>(dpi) : 15.0f;
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyLayout();
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        applyLayout();
        followTray();
    }
}

void frmMain::followTray()
{
    // Minimized, the window goes to the notification area; restored, the
    // icon goes away again.
    frmIcon::Hooks hooks;
    hooks.diskSpace = [this] { openDriveSpace(); };
    hooks.lockFiles = [this] { openLockWindow(this); };
    hooks.about = [this] { frmAbout::open(this); };
    hooks.icon = appIcon();
    frmIcon::followWindowState(this, hooks);
}

void frmMain::applyLayout()
{
    const float tpp = twipsPerPixel();
    const QSize inner = m_client->size();
    const float SW = static_cast<float>(inner.width()) * tpp;
    const float SH = static_cast<float>(inner.height()) * tpp;
    Form_Resize(m_layout, SW, SH);
    placeControls();
}

void frmMain::placeControls()
{
    const float tpp = twipsPerPixel();
    const QSize inner = m_client->size();
    // Docked controls: the toolbar along the top, the two status bars along
    // the bottom, each a line high.
    const int toolbarHeight = static_cast<int>(420 / tpp);
    Toolbar1->setGeometry(0, 0, inner.width(), toolbarHeight);
    const int statusHeight = static_cast<int>(235 / tpp);
    FilesTotalSpace->setGeometry(0, inner.height() - statusHeight, inner.width(), statusHeight);
    FilesTotal->setGeometry(0, inner.height() - 2 * statusHeight, inner.width(), statusHeight);

    btnDelSelected->setGeometry(toPixels(m_layout.btnDelSelected, tpp));
    btnDelAll->setGeometry(toPixels(m_layout.btnDelAll, tpp));
    btnSelectAll->setGeometry(toPixels(m_layout.btnSelectAll, tpp));
    btnUnCheckAll->setGeometry(toPixels(m_layout.btnUnCheckAll, tpp));
    FolderTree->setGeometry(toPixels(m_layout.FolderTree, tpp));
    imgSplitter->setGeometry(toPixels(m_layout.imgSplitter, tpp));
    ListView1->setGeometry(toPixels(m_layout.ListView1, tpp));
    HImgSplitter->setGeometry(toPixels(m_layout.HImgSplitter, tpp));
    WebBrowser1->setGeometry(toPixels(m_layout.WebBrowser1, tpp));
    ProgressBar1->setGeometry(toPixels(m_layout.ProgressBar1, tpp));
}

void frmMain::placeBar(QLabel *bar, const TwipRect &rect)
{
    m_barRect = rect;
    bar->setGeometry(toPixels(rect, twipsPerPixel()));
    bar->raise();
}

bool frmMain::splitterEvent(QObject *watched, QEvent *event)
{
    const bool vertical = watched == imgSplitter;
    QLabel *bar = vertical ? picSplit : HPicSplit;
    // Paint, show, enter and the like reach the splitters too: only a mouse
    // event is read as one.
    const auto *mouse = dynamic_cast<const QMouseEvent *>(event);
    if (!mouse)
        return false;
    const float tpp = twipsPerPixel();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton)
            return false;
        placeBar(bar, vertical ? verticalBarAtPress(m_layout) : horizontalBarAtPress(m_layout));
        bar->show();
        SplitterMoving = true;
        return true;
    case QEvent::MouseMove: {
        if (!SplitterMoving)
            return false;
        TwipRect rect = m_barRect;
        if (vertical) {
            const float W = static_cast<float>(frameGeometry().width()) * tpp;
            rect.left = verticalBarLeft(m_layout, static_cast<float>(mouse->position().x()) * tpp, W);
        } else {
            const float H = static_cast<float>(frameGeometry().height()) * tpp;
            rect.top = horizontalBarTop(m_layout, static_cast<float>(mouse->position().y()) * tpp, H);
            SplitShift = static_cast<int>(rect.top - m_layout.HImgSplitter.top);
        }
        placeBar(bar, rect);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!SplitterMoving || mouse->button() != Qt::LeftButton)
            return false;
        if (vertical) {
            verticalSplitterRelease(m_layout, m_barRect.left, static_cast<float>(m_client->width()) * tpp);
        } else {
            SplitShift = static_cast<int>(m_barRect.top - m_layout.HImgSplitter.top);
            horizontalSplitterRelease(m_layout, SplitShift);
        }
        bar->hide();
        SplitterMoving = false;
        placeControls();
        return true;
    }
    default:
        return false;
    }
}

void frmMain::moveSplitter(QObject *splitter, int steps)
{
    // A step is what a short drag would move: 150 twips (10 pixels).
    constexpr float step = 150.0f;
    const float tpp = twipsPerPixel();
    if (splitter == imgSplitter) {
        const float W = static_cast<float>(frameGeometry().width()) * tpp;
        const float left = verticalBarLeft(m_layout, static_cast<float>(steps) * step, W);
        verticalSplitterRelease(m_layout, left, static_cast<float>(m_client->width()) * tpp);
    } else {
        const float H = static_cast<float>(frameGeometry().height()) * tpp;
        const float top = horizontalBarTop(m_layout, static_cast<float>(steps) * step, H);
        horizontalSplitterRelease(m_layout, static_cast<int>(top - m_layout.HImgSplitter.top));
    }
    placeControls();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == imgSplitter || watched == HImgSplitter) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool vertical = watched == imgSplitter;
        const int back = vertical ? Qt::Key_Left : Qt::Key_Up;
        const int forth = vertical ? Qt::Key_Right : Qt::Key_Down;
        if (key->key() == back || key->key() == forth) {
            moveSplitter(watched, key->key() == back ? -1 : 1);
            return true;
        }
    }
    if ((watched == imgSplitter || watched == HImgSplitter) && splitterEvent(watched, event))
        return true;
    if (event->type() == QEvent::Resize && watched == ListView1->viewport())
        fitColumns();
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            if (watched == FolderTree->viewport()) {
                mnuDirectoryProp->popup(mouse->globalPosition().toPoint());
                return true;
            }
            if (watched == m_client) {
                mnuFile->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
    } else if (event->type() == QEvent::KeyPress && watched == FolderTree) {
        // From the keyboard, Space or Enter on a group does what a click
        // does: mark it and list its files.
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (key->modifiers() & ~Qt::KeypadModifier)
                return false;
            if (!key->isAutoRepeat())
                FolderTree_NodeClick(FolderTree->currentItem());
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::KeyRelease && watched == ListView1) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->isAutoRepeat())
            return false;
        switch (key->key()) {
        case Qt::Key_Delete:
            deleteSelectedFile();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            previewSelectedRow();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace sweepora
