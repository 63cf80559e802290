// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/DriveFigures.h"
#include "space/PieAngles.h"

#include <QWidget>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;

namespace sweepora {

// The drive space window: the total, used and free space of the drive that
// holds "/", the space the groups' folders take ("wasted", what cleaning
// could give back), their shares and a pie chart of them. Shares are taken
// of used + free: blocks kept for the super-user count in the total only,
// as df shows them.
//
// Not modal and self-contained: create it with `new` and show() it. It
// computes everything once, when first shown (the group folders are walked
// meanwhile, with the busy pointer, while the windows keep painting), and
// deletes itself when closed; the next window computes afresh.
class frmFreeSpace : public QWidget
{
    Q_OBJECT

public:
    explicit frmFreeSpace(QWidget *parent = nullptr);

    // Fills the figures and the chart from `figures`; opening the window
    // does this with the figures it computes.
    void showFigures(const DriveFigures &figures);

    // What the window shows; meaningful once loadFinished() was emitted.
    const DriveFigures &figures() const { return m_figures; }
    const std::optional<PieAngles> &pie() const { return m_pie; }

signals:
    // The figures are filled in and the chart is drawn.
    void loadFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    void btnOK_Click();

    QLabel *addLabel(const char *name, const QString &text, QRect geometry);
    QFrame *addSwatch(const char *name, const QColor &colour, const QString &role, QRect geometry);
    void fitHeading();
    static void fitText(QLabel *label);

    QLabel *Label1 = nullptr;
    QLabel *lblTotalSize = nullptr;
    QLabel *lblUsedSize = nullptr;
    QLabel *lblUsedPer = nullptr;
    QLabel *lblWastedSize = nullptr;
    QLabel *lblWastedPer = nullptr;
    QLabel *lblFreeSize = nullptr;
    QLabel *lblFreePer = nullptr;
    QPushButton *btnOK = nullptr;

    DriveFigures m_figures;
    std::optional<PieAngles> m_pie;
    bool m_loadStarted = false;
    bool m_loading = false;
};

// Colours of the three quantities, in the swatches and the chart.
QColor usedSpaceColour();   // dark blue
QColor freeSpaceColour();   // dark magenta
QColor wastedSpaceColour(); // yellow

} // namespace sweepora
