// SPDX-License-Identifier: GPL-3.0-or-later
// The four cleaning buttons: clean all or the marked groups, mark all,
// and give every group its own icon back.

#include "ui/main/MainWindow.h"

#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "core/Helpers.h"
#include "engine/Cleaning.h"
#include "engine/GroupFolder.h"
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

namespace {

// What a dry run found, a line a group, for the question's details.
QString plannedTotals(const CleanResult &plan)
{
    QStringList lines;
    for (const GroupTotals &totals : plan.totals) {
        lines.append(QStringLiteral("%1: %2 files, %3").arg(totals.key).arg(totals.files).arg(FormatSize(totals.bytes, true)));
    }
    for (const GroupInUse &group : plan.inUse)
        lines.append(QStringLiteral("%1 is in use by %2").arg(group.key, group.programs.join(QStringLiteral(", "))));
    return lines.join(u'\n');
}

// Which groups were not cleaned whole and why, and which running programs
// used what; empty when there is nothing to tell.
QString cleaningOutcome(const CleanResult &result)
{
    QStringList lines;
    for (const GroupProblem &problem : result.problems)
        lines.append(QStringLiteral("Not cleaned whole: ") + groupRefusalText(problem.key, problem.reason));
    for (const GroupInUse &group : result.inUse) {
        lines.append(QStringLiteral("Group %1 is in use%2: what the programs use was left, and no folder removed")
                         .arg(group.key, group.programs.isEmpty() ? QString()
                                                                  : QStringLiteral(" by ") + group.programs.join(QStringLiteral(", "))));
    }
    return lines.join(u'\n');
}

} // namespace

void frmMain::runCleaning(bool selectedOnly)
{
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

    // The question shows what the run would delete, found by the same walk.
    CleanOptions options;
    options.sharedMinimumAgeSeconds = sharedMinimumAgeSetting();
    CleanOptions planOptions = options;
    planOptions.dryRun = true;
    CleanResult plan;
    runLongWork([&] { plan = sweepora::runCleaning(targets, {}, planOptions); });
    const QString question = selectedOnly
        ? QStringLiteral("WARNING:\rDo you wish to delete all the files on the selected Folders?")
        : QStringLiteral("WARNING:\rDo you wish to delete all the files on the Displayed Folders?");
    if (!askYesNo(this, question, QStringLiteral("DELETE ALERT"), QMessageBox::Critical, true, plannedTotals(plan)))
        return;

    CleanResult result;
    ListMode = QStringLiteral("Delete");
    runLongWork([&] { result = sweepora::runCleaning(targets, {}, options); });
    ListMode.clear();
    if (!result.lastFileGroupKey.isEmpty())
        LastFileGroupKey = result.lastFileGroupKey;
    if (result.folderPassFailed)
        CurrentView.clear();

    showMessage(this, QStringLiteral("Operation Complete"), QStringLiteral("Folders Cleaned"),
                QMessageBox::Information);
    if (!result.reportError.isEmpty())
        showMessage(this, result.reportError, QStringLiteral("Folders Cleaned"), QMessageBox::Warning);
    if (const QString outcome = cleaningOutcome(result); !outcome.isEmpty())
        showMessage(this, outcome, QString(), result.complete() ? QMessageBox::Information : QMessageBox::Warning);

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
