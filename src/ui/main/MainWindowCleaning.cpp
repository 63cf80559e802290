// The four cleaning buttons: clean all or the marked groups, mark all,
// and give every group its own icon back.

#include "ui/main/MainWindow.h"

#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "engine/Cleaning.h"
#include "ui/common/LongWork.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/FileListModel.h"
#include "ui/main/PreviewPane.h"
#include "ui/main/StatusLine.h"

#include <QDesktopServices>
#include <QStatusBar>
#include <QTreeWidget>
#include <QUrl>

namespace sweepora {

void frmMain::btnDelAll_Click()
{
    runCleaning(false);
}

void frmMain::btnDelSelected_Click()
{
    runCleaning(true);
}

void frmMain::runCleaning(bool selectedOnly)
{
    const QString question = selectedOnly
        ? QStringLiteral("WARNING:\rDo you wish to delete all the files on the selected Folders?")
        : QStringLiteral("WARNING:\rDo you wish to delete all the files on the Displayed Folders?");
    if (!askYesNo(this, question, QStringLiteral("DELETE ALERT"), QMessageBox::Critical, true))
        return;

    // The chosen groups in tree order; a node whose key no group has any
    // more is left out, so no run ever starts from an empty path.
    QList<CleanTarget> targets;
    for (int i = 0; i < FolderTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *node = FolderTree->topLevelItem(i);
        if (selectedOnly && nodeImage(node) != CheckedImage)
            continue;
        const QString key = node->data(0, Qt::UserRole).toString();
        const QString path = PathsTable(key).value_or(QString());
        if (path.isEmpty()) {
            qWarning("Group %s has no folder in the group table; not cleaned", qUtf8Printable(key));
            continue;
        }
        targets.append({key, path});
    }

    CleanResult result;
    ListMode = QStringLiteral("Delete");
    runLongWork([&] { result = sweepora::runCleaning(targets); });
    ListMode.clear();
    if (!result.lastFileGroupKey.isEmpty())
        LastFileGroupKey = result.lastFileGroupKey;
    if (result.folderPassFailed)
        CurrentView.clear();

    showMessage(this, QStringLiteral("Operation Complete"), QStringLiteral("Folders Cleaned"),
                QMessageBox::Information);

    m_filesTotalLine->setLine(QString());
    m_filesTotalSpaceLine->setLine(QString());
    m_files->showPlaceholder(selectedOnly ? QStringLiteral("FOLDER CLEAN") : QStringLiteral("FOLDERS CLEAN"));
    fitColumns();
    // The preview may show a file the run has deleted: it shows the
    // deleted-files report instead, as at start-up.
    WebBrowser1->setUrl(QUrl::fromLocalFile(reportPath()));

    if (askYesNo(this, QStringLiteral("Do you want to view the deleted files report?"), QString(),
                 QMessageBox::Question, true))
        mnuDelRpt_Click();
}

void frmMain::btnSelectAll_Click()
{
    for (int i = 0; i < FolderTree->topLevelItemCount(); ++i)
        setNodeImage(FolderTree->topLevelItem(i), CheckedImage);
}

void frmMain::btnUnCheckAll_Click()
{
    for (int i = 0; i < FolderTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *node = FolderTree->topLevelItem(i);
        setNodeImage(node, IconsTable(node->data(0, Qt::UserRole).toString()));
    }
}

void frmMain::mnuDelRpt_Click()
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(reportPath())))
        qWarning("No program opened the deleted-files report %s", qUtf8Printable(reportPath()));
}

} // namespace sweepora
