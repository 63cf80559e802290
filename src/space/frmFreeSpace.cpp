// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/frmFreeSpace.h"

#include "ui/common/AccessibleRole.h"
#include "ui/common/LongWork.h"
#include "ui/common/Twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>

#include <numbers>

namespace sweepora {

namespace {

// Client area and chart, in twips.
constexpr double kClientWidth = 3615;
constexpr double kClientHeight = 4890;
constexpr double kChartCentreX = 1750;
constexpr double kChartCentreY = 3000;
constexpr double kChartRadius = 1250;

constexpr double kHeadingPoints = 20;
constexpr double kLabelPoints = 8;
constexpr double kSmallestPoints = 5;

double degreesOf(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

} // namespace

QColor usedSpaceColour()
{
    return QColor(0, 0, 128);
}

QColor freeSpaceColour()
{
    return QColor(128, 0, 128);
}

QColor wastedSpaceColour()
{
    return QColor(255, 255, 0);
}

frmFreeSpace::frmFreeSpace(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    // A plain QWidget is announced as a "filler"; this is a window of its
    // own. Set before anything asks for its accessible interface.
    setAccessibleRole(this, QAccessible::Window);
    setObjectName(QStringLiteral("frmFreeSpace"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Free Space"));

    QFont labelFont = font();
    labelFont.setPointSizeF(kLabelPoints);
    setFont(labelFont);

    Label1 = addLabel("Label1", driveHeading(), twipsRect(this, 0, 0, 3555, 495));
    Label1->setAlignment(Qt::AlignCenter);
    fitHeading();

    addLabel("Label2", QStringLiteral("Total Space ="), twipsRect(this, 300, 540, 1635, 255));
    lblTotalSize = addLabel("lblTotalSize", {}, twipsRect(this, 1980, 540, 855, 255));

    addSwatch("Picture3", usedSpaceColour(), QStringLiteral("Colour of used space"),
              twipsRect(this, 0, 840, 255, 255));
    addLabel("Label5", QStringLiteral("Used Space ="), twipsRect(this, 300, 840, 1635, 255));
    lblUsedSize = addLabel("lblUsedSize", {}, twipsRect(this, 1980, 840, 855, 255));
    lblUsedPer = addLabel("lblUsedPer", {}, twipsRect(this, 2880, 840, 675, 255));

    addSwatch("Picture1", wastedSpaceColour(), QStringLiteral("Colour of wasted space"),
              twipsRect(this, 0, 1140, 255, 255));
    addLabel("Label3", QStringLiteral("Wasted Space ="), twipsRect(this, 300, 1140, 1635, 255));
    lblWastedSize = addLabel("lblWastedSize", {}, twipsRect(this, 1980, 1140, 855, 255));
    lblWastedPer = addLabel("lblWastedPer", {}, twipsRect(this, 2880, 1140, 675, 255));

    addSwatch("Picture2", freeSpaceColour(), QStringLiteral("Colour of free space"),
              twipsRect(this, 0, 1440, 255, 255));
    addLabel("Label4", QStringLiteral("Free Space ="), twipsRect(this, 300, 1440, 1635, 255));
    lblFreeSize = addLabel("lblFreeSize", {}, twipsRect(this, 1980, 1440, 855, 255));
    lblFreePer = addLabel("lblFreePer", {}, twipsRect(this, 2880, 1440, 675, 255));

    btnOK = new QPushButton(QStringLiteral("&Close"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAccessibleName(QStringLiteral("Close"));
    btnOK->setGeometry(twipsRect(this, 0, 4320, 3615, 555));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &frmFreeSpace::btnOK_Click);

    setFixedSize(twipsToPixelsX(this, kClientWidth), twipsToPixelsY(this, kClientHeight));
    centreOnScreen(this);
}

QLabel *frmFreeSpace::addLabel(const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QFrame *frmFreeSpace::addSwatch(const char *name, const QColor &colour, const QString &role, QRect geometry)
{
    auto *swatch = new QFrame(this);
    swatch->setObjectName(QLatin1String(name));
    swatch->setAccessibleName(role);
    swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
    swatch->setAutoFillBackground(true);
    swatch->setGeometry(geometry);
    return swatch;
}

void frmFreeSpace::fitHeading()
{
    // A bold narrow face of about 20 points.
    QFont heading = font();
    heading.setBold(true);
    heading.setStretch(QFont::Condensed);
    heading.setPointSizeF(kHeadingPoints);
    Label1->setFont(heading);
    fitText(Label1);
}

void frmFreeSpace::fitText(QLabel *label)
{
    // Labels keep their place; a text that would not fit is set smaller.
    QFont font = label->font();
    const int room = label->width() - 2;
    while (font.pointSizeF() > kSmallestPoints
           && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

void frmFreeSpace::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loadStarted) {
        m_loadStarted = true;
        // Once the window has painted its controls.
        QTimer::singleShot(0, this, &frmFreeSpace::Form_Load);
    }
}

void frmFreeSpace::closeEvent(QCloseEvent *event)
{
    if (m_loading)
        event->ignore(); // the walk still reports into this window
    else
        QWidget::closeEvent(event);
}

void frmFreeSpace::Form_Load()
{
    m_loading = true;
    const DriveFigures figures = runLongWork([] { return computeDriveFigures(); });
    m_loading = false;
    showFigures(figures);
    emit loadFinished();
}

void frmFreeSpace::showFigures(const DriveFigures &figures)
{
    m_figures = figures;
    const DriveSpace &drive = m_figures.drive;
    // Shares and the chart leave out the super-user's reserve, as df does:
    // used and free fill the circle, wasted space lies inside free.
    const std::uint64_t base = drive.shareBase();
    lblTotalSize->setText(sizeText(drive.total));
    lblUsedSize->setText(sizeText(drive.used));
    lblUsedPer->setText(shareText(drive.used, base));
    lblFreeSize->setText(sizeText(drive.free));
    lblFreePer->setText(shareText(drive.free, base));
    lblWastedSize->setText(sizeText(m_figures.wasted));
    lblWastedPer->setText(shareText(m_figures.wasted, base));
    for (QLabel *label : {lblTotalSize, lblUsedSize, lblUsedPer, lblFreeSize, lblFreePer,
                          lblWastedSize, lblWastedPer}) {
        label->setFont(font());
        fitText(label);
    }

    // Without a readable group table the chart shows no wasted share.
    m_pie = pieAngles(base, drive.free, m_figures.wasted.value_or(0));
    update();
}

void frmFreeSpace::btnOK_Click()
{
    close();
}

void frmFreeSpace::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_pie)
        return;

    const int centreX = twipsToPixelsX(this, kChartCentreX);
    const int centreY = twipsToPixelsY(this, kChartCentreY);
    const QRectF circle(QPointF(centreX - twipsToPixelsX(this, kChartRadius),
                                centreY - twipsToPixelsY(this, kChartRadius)),
                        QPointF(centreX + twipsToPixelsX(this, kChartRadius),
                                centreY + twipsToPixelsY(this, kChartRadius)));

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));

    const auto drawSector = [&](const PieSector &sector, const QColor &colour) {
        if (sector.isEmpty())
            return;
        QPainterPath path(circle.center());
        path.arcTo(circle, degreesOf(sector.start), degreesOf(sector.span()));
        path.closeSubpath();
        painter.setBrush(colour);
        painter.drawPath(path);
    };
    drawSector(m_pie->wasted, wastedSpaceColour());
    drawSector(m_pie->free, freeSpaceColour());
    drawSector(m_pie->used, usedSpaceColour());
}

} // namespace sweepora
