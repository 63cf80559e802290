// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QTreeWidget;

namespace sweepora {

// The monitor window: every group with the space its folder tree takes,
// and the start-at-log-in switch `stupCheck`.
//
// Modal and self-contained: open it with exec() (on the stack or with
// `new`; it does not delete itself). When first shown it reads the switch
// (an "on" switch is written afresh with this program's path), empties the
// deleted-files report and fills one row per group from the group table,
// walking each folder with the busy pointer while the windows keep
// painting. A group table that cannot be read, or is cut short, shows
// "<number> -- <description>" in a box titled "Sweepora" and keeps the rows
// added before it.
class frmMonitor : public QDialog
{
    Q_OBJECT

public:
    explicit frmMonitor(QWidget *parent = nullptr);

signals:
    // Filling the window has ended, with or without an error box.
    void loadFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_Load();
    void stupCheck_Click(bool checked);
    void fitColumns();

    QTreeWidget *ListView1 = nullptr;
    QCheckBox *stupCheck = nullptr;
    bool m_loadStarted = false;
    bool m_loading = false;
};

} // namespace sweepora
