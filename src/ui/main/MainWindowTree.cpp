// SPDX-License-Identifier: GPL-3.0-or-later
// The group tree: filling it from the group table, the checked mark, and
// listing a group's files on a click.

#include "ui/main/MainWindow.h"

#include "core/GroupTable.h"
#include "engine/GroupFolder.h"
#include "engine/Listing.h"
#include "engine/TrashListing.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/LongWork.h"
#include "ui/common/Icons.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListView.h"
#include "ui/main/StatusLine.h"

#include <QHash>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

namespace sweepora {
namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;

} // namespace

int frmMain::nodeImage(QTreeWidgetItem *node) const
{
    return node ? node->data(0, ImageRole).toInt() : 0;
}

void frmMain::setNodeImage(QTreeWidgetItem *node, int image)
{
    node->setData(0, ImageRole, image);
    node->setIcon(0, groupIcon(image));
}

void frmMain::FillGroupTree(bool clearFirst, bool revealEach)
{
    if (clearFirst)
        FolderTree->clear();
    const GroupParse parse = LoadGroups();
    if (parse.error && parse.error.number != GroupFileError::InputPastEnd)
        qWarning("Cannot read the group table: %s", qUtf8Printable(parse.error.text()));

    QHash<QString, QTreeWidgetItem *> nodeOfKey;
    for (int i = 0; i < FolderTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *node = FolderTree->topLevelItem(i);
        nodeOfKey.insert(node->data(0, KeyRole).toString(), node);
    }
    for (const Group &group : parse.complete) {
        QTreeWidgetItem *node = nodeOfKey.value(group.key);
        if (!node) {
            node = new QTreeWidgetItem(FolderTree);
            node->setData(0, KeyRole, group.key);
            nodeOfKey.insert(group.key, node);
        }
        // A later line with a key the tree holds already updates that node.
        node->setText(0, group.name);
        setNodeImage(node, group.iconNumber());
        if (revealEach)
            FolderTree->scrollToItem(node);
    }
}

void frmMain::FolderTree_NodeClick(QTreeWidgetItem *node)
{
    if (!node || CurrentView == QLatin1String("NoSearch"))
        return;
    const QString key = node->data(0, KeyRole).toString();
    const QString path = PathsTable(key).value_or(QString());

    if (nodeImage(node) != CheckedImage)
        setNodeImage(node, CheckedImage);
    else
        setNodeImage(node, IconsTable(key));

    if (path.isEmpty()) {
        // The group is gone from the table (or has no folder): never list
        // from an empty path, which would mean the current folder.
        qWarning("Group %s has no folder in the group table; nothing to list", qUtf8Printable(key));
        return;
    }
    if (mnuView->isChecked() && CurrentView != path)
        listGroup(path, key);
}

void frmMain::listGroup(const QString &path, const QString &key)
{
    CurrentView = QStringLiteral("NoSearch");
    ProgressBar1->setValue(0);
    ListMode = QStringLiteral("Find");
    m_files->clear();

    m_progressValue = 0;
    m_progressMaximum = 0;
    QTimer progressTimer;
    progressTimer.setInterval(50);
    connect(&progressTimer, &QTimer::timeout, this, [this] {
        const std::uint64_t maximum = m_progressMaximum;
        if (maximum == 0)
            return;
        const std::uint64_t value = std::min<std::uint64_t>(m_progressValue, maximum);
        ProgressBar1->setValue(static_cast<int>(value * 1000 / maximum));
    });
    progressTimer.start();

    Listing listing;
    runLongWork([&] {
        listing = listGroupFolder(path, [this](std::uint64_t value, std::uint64_t maximum) {
            m_progressValue = value;
            m_progressMaximum = maximum;
        });
    });
    progressTimer.stop();
    if (m_progressMaximum != 0)
        ProgressBar1->setValue(static_cast<int>(std::min<std::uint64_t>(m_progressValue, m_progressMaximum) * 1000
                                                / m_progressMaximum));

    ListMode.clear();
    m_filesTotalLine->setLine(listing.filesTotalText());
    // A long path gives way in the status line; the total never does.
    m_filesTotalSpaceLine->setLine(listing.filesTotalSpaceText(path), path);
    if (listing.size() > 0)
        LastFileGroupKey = key;
    const QString problem = !listing.refusal().isEmpty() ? listing.refusal() : listing.problems().summary();
    m_files->setListing(std::move(listing));
    fitColumns();
    CurrentView = path;
    if (!problem.isEmpty())
        showMessage(this, groupRefusalText(key, problem), QString(), QMessageBox::Warning);
}

} // namespace sweepora
