// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monitor/frmMonitor.h"

#include "core/AppFiles.h"
#include "core/Helpers.h"
#include "core/StartupSwitch.h"
#include "space/GroupUsage.h"
#include "ui/common/ListViews.h"
#include "ui/common/LongWork.h"
#include "ui/common/Twips.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/Icons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sweepora {

namespace {

// Column widths and window size, in twips.
constexpr double kColumnWidths[] = {2500, 1500, 1500};
constexpr double kWindowWidth = 6000;
constexpr double kWindowHeight = 4200;

} // namespace

frmMonitor::frmMonitor(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMonitor"));
    setWindowTitle(QStringLiteral("Monitor Wasted Space"));
    setModal(true);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Groups and their used space"));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels({QStringLiteral("Folder"), QStringLiteral("Used Space"),
                                QStringLiteral("Monitoring Limit")});
    ListView1->header()->setStretchLastSection(false);
    for (int column = 0; column < 3; ++column)
        ListView1->setColumnWidth(column, twipsToPixelsX(this, kColumnWidths[column]));

    stupCheck = new QCheckBox(QStringLiteral("Add to Taskbar on System Boot"), this);
    stupCheck->setObjectName(QStringLiteral("stupCheck"));
    stupCheck->setAccessibleName(QStringLiteral("Add to Taskbar on System Boot"));
    connect(stupCheck, &QCheckBox::toggled, this, &frmMonitor::stupCheck_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListView1);
    layout->addWidget(stupCheck);

    resize(twipsToPixelsX(this, kWindowWidth), twipsToPixelsY(this, kWindowHeight));
    centreOnScreen(this);
}

void frmMonitor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_loadStarted) {
        m_loadStarted = true;
        // Once the window has painted its controls.
        QTimer::singleShot(0, this, &frmMonitor::Form_Load);
    }
}

void frmMonitor::closeEvent(QCloseEvent *event)
{
    if (m_loading)
        event->ignore(); // a walk still reports into this window
    else
        QDialog::closeEvent(event);
}

void frmMonitor::reject()
{
    if (!m_loading)
        QDialog::reject();
}

void frmMonitor::Form_Load()
{
    m_loading = true;

    // The box starts unchecked: checking it here writes the switch again,
    // with this program's current path.
    stupCheck->setChecked(startupSwitchIsOn());
    SetFullRowSelect(ListView1);

    emptyReport();

    const UsageGroups usage = groupsForUsage();
    QStringList problems;
    for (const Group &group : usage.groups) {
        auto *row = new QTreeWidgetItem(ListView1);
        row->setText(0, group.name);
        row->setData(0, Qt::UserRole, group.key);
        row->setIcon(0, groupIcon(group.iconNumber()));
        const UsedSpace used = runLongWork([&group] { return groupUsage(group); });
        row->setText(1, FormatSize(used.bytes));
        if (const QString problem = usageProblemText(group, used); !problem.isEmpty()) {
            row->setToolTip(1, problem);
            problems.append(problem);
        }
    }

    m_loading = false;
    if (usage.error) {
        QMessageBox box(QMessageBox::Critical, applicationTitle(), usage.error.text(),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("monitorLoadError"));
        box.exec();
    } else {
        fitColumns();
        if (!problems.isEmpty()) {
            QMessageBox box(QMessageBox::Warning, applicationTitle(), problems.join(u'\n'), QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("monitorUsageProblems"));
            box.exec();
        }
    }
    emit loadFinished();
}

void frmMonitor::fitColumns()
{
    // Each column keeps its width unless its title or a row needs more.
    for (int column = 0; column < ListView1->columnCount(); ++column) {
        const int width = ListView1->columnWidth(column);
        ListView1->resizeColumnToContents(column);
        if (ListView1->columnWidth(column) < width)
            ListView1->setColumnWidth(column, width);
    }
    // The window widens so that the three columns show without scrolling
    // sideways, as far as the screen allows.
    const int missing = ListView1->header()->length() - ListView1->viewport()->width();
    if (missing > 0) {
        int wanted = width() + missing;
        if (const QScreen *screen = this->screen())
            wanted = std::min(wanted, screen->availableGeometry().width());
        resize(wanted, height());
    }
}

void frmMonitor::stupCheck_Click(bool checked)
{
    if (checked)
        turnStartupSwitchOn(QCoreApplication::applicationFilePath());
    else
        turnStartupSwitchOff();
}

} // namespace sweepora
