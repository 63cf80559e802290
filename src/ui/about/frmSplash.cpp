// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/frmSplash.h"

#include "ui/about/Links.h"
#include "ui/about/Pictures.h"
#include "ui/about/VersionText.h"
#include "ui/common/AccessibleRole.h"
#include "ui/common/MessageBoxes.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace sweepora {
namespace {

// The splash's inner size, in twips (1440 to the logical inch).
constexpr int widthTwips = 7305;
constexpr int heightTwips = 4140;

QLabel *addLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QFrame *addBox(QWidget *parent, const char *name)
{
    auto *box = new QFrame(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Plain);
    return box;
}

} // namespace

frmSplash::frmSplash(std::function<void()> handOver, int interval)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_handOver(std::move(handOver))
    , Timer1(new QTimer(this))
    , Frame1(new QFrame(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(applicationTitle());

    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Panel);
    Frame1->setFrameShadow(QFrame::Raised);
    Frame1->setLineWidth(2);
    Frame1->installEventFilter(this);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Frame1);

    // Shape1 rings the contents; shpRect holds the product's name and
    // version.
    QFrame *Shape1 = addBox(Frame1, "Shape1");
    auto *frameLayout = new QVBoxLayout(Frame1);
    frameLayout->setContentsMargins(8, 8, 8, 8);
    frameLayout->addWidget(Shape1);

    auto *grid = new QGridLayout(Shape1);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(16);

    QLabel *imgLogo = addLabel(Shape1, "imgLogo", QString());
    imgLogo->setAlignment(Qt::AlignCenter);
    imgLogo->setMinimumSize(96, 96);
    imgLogo->setPixmap(loadPicture(QStringLiteral(":/pictures/logo.svg"), QSize(96, 96), devicePixelRatioF()));
    imgLogo->setAccessibleName(QStringLiteral("Logo"));
    grid->addWidget(imgLogo, 0, 0, 3, 1, Qt::AlignCenter);

    QFrame *shpRect = addBox(Shape1, "shpRect");
    auto *titleBlock = new QVBoxLayout(shpRect);
    QLabel *lblProductName = addLabel(shpRect, "lblProductName", applicationTitle());
    QFont big = lblProductName->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    lblProductName->setFont(big);
    titleBlock->addWidget(lblProductName);
    QLabel *lblVersion = addLabel(shpRect, "lblVersion", splashVersionText());
    titleBlock->addWidget(lblVersion);
    grid->addWidget(shpRect, 0, 1);

    QLabel *lblPlatform = addLabel(Shape1, "lblPlatform", QStringLiteral("Designed for Linux desktops"));
    grid->addWidget(lblPlatform, 1, 1);
    QLabel *Label3 = addLabel(Shape1, "Label3", QStringLiteral(">BETA<"));
    QFont boldFont = Label3->font();
    boldFont.setBold(true);
    Label3->setFont(boldFont);
    grid->addWidget(Label3, 1, 2, Qt::AlignRight);
    QLabel *lblInfo = addLabel(Shape1, "lblInfo", QStringLiteral("Monitor and clean unused Temporary Files"));
    grid->addWidget(lblInfo, 2, 1, 1, 2);

    QLabel *lblDotLine = addLabel(Shape1, "lblDotLine", QString());
    lblDotLine->setFixedHeight(2);
    lblDotLine->setStyleSheet(QStringLiteral("border-top: 1px dotted palette(mid);"));
    setAccessibleRole(lblDotLine, QAccessible::Separator); // a drawn line, not an empty label
    grid->addWidget(lblDotLine, 3, 0, 1, 3);

    QLabel *lblCompany = addLabel(Shape1, "lblCompany", makerName());
    lblCompany->setFont(boldFont);
    grid->addWidget(lblCompany, 4, 0, 1, 3);
    QLabel *lblCopyright = addLabel(Shape1, "lblCopyright",
                                    QStringLiteral("Copyright \u00a9 %1. Written with Qt for the free desktops.")
                                        .arg(makerName()));
    grid->addWidget(lblCopyright, 5, 0, 1, 3);
    QLabel *lblContact = addLabel(Shape1, "lblContact", makerMail().path());
    grid->addWidget(lblContact, 6, 0, 1, 3);
    grid->setRowStretch(7, 1);

    // Twips to pixels at the screen's logical resolution; then centred.
    setFixedSize(widthTwips * logicalDpiX() / 1440, heightTwips * logicalDpiY() / 1440);
    const QRect screenArea = screen()->geometry();
    move(screenArea.x() + (screenArea.width() - width()) / 2, screenArea.y() + (screenArea.height() - height()) / 2);

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(interval);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

void frmSplash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Enter must reach the splash without a click first.
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void frmSplash::Timer1_Timer()
{
    close();
}

void frmSplash::Frame1_Click()
{
    close();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmSplash::closeEvent(QCloseEvent *event)
{
    // The hand-over belongs to the splash's end, whatever ended it.
    if (!m_handedOver) {
        m_handedOver = true;
        Timer1->stop();
        if (m_handOver)
            m_handOver();
    }
    QWidget::closeEvent(event);
}

bool frmSplash::onBackground(const QPoint &position) const
{
    if (!Frame1->rect().contains(position))
        return false;
    // Texts and pictures are labels; the boxes drawn around them are part
    // of the background.
    return !qobject_cast<QLabel *>(Frame1->childAt(position));
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the frame, its texts and pictures included, arrives here:
    // they pass mouse presses on to the frame.
    if (watched == Frame1) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            m_pressedOnBackground = mouse->button() == Qt::LeftButton && onBackground(mouse->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const bool click = m_pressedOnBackground && mouse->button() == Qt::LeftButton
                               && onBackground(mouse->position().toPoint());
            m_pressedOnBackground = false;
            if (click) {
                Frame1_Click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sweepora
