// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/frmAbout.h"

#include "ui/about/LinkLabel.h"
#include "ui/about/Links.h"
#include "ui/about/Pictures.h"
#include "ui/about/VersionText.h"
#include "ui/common/AccessibleRole.h"
#include "ui/common/MessageBoxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace sweepora {
namespace {

QLabel *addLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel *addDotLine(QWidget *parent, const char *name)
{
    QLabel *line = addLabel(parent, name, QString());
    line->setFixedHeight(2);
    line->setStyleSheet(QStringLiteral("border-top: 1px dotted palette(mid);"));
    setAccessibleRole(line, QAccessible::Separator); // a drawn line, not an empty label
    return line;
}

LinkLabel *addLink(QWidget *parent, const char *name, const QString &text, const QUrl &tag)
{
    auto *label = new LinkLabel(text, tag, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About ") + applicationTitle());

    QLabel *Image1 = addLabel(this, "Image1", QString());
    Image1->setPixmap(loadPicture(QStringLiteral(":/pictures/logo.svg"), QSize(64, 64), devicePixelRatioF()));
    Image1->setMinimumSize(64, 64);
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Image1->setAccessibleName(QStringLiteral("Logo"));

    QLabel *name = addLabel(this, "lblInfo", applicationTitle());
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    QLabel *info = addLabel(this, "lblInfo", QStringLiteral("Monitor and clean unused Temporary Files"));
    QLabel *lblVersion = addLabel(this, "lblVersion", aboutVersionText());
    QLabel *Label2 = addLabel(this, "Label2", QStringLiteral(">BETA<"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    QLabel *lblDescription = addLabel(this, "lblDescription",
                                      QStringLiteral("This Aplication has been designed to clean Hard Drives form any "
                                                     "unused files that waste space, using monitoring and "
                                                     "modification settings."));
    lblDescription->setWordWrap(true);

    lblCopyright = addLink(this, "lblCopyright", QStringLiteral("Copyright \u00a9 %1").arg(makerName()), makerMail());
    lblURL = addLink(this, "lblURL", productWebPageText(), productWebPage());
    lblProduct = addLink(this, "lblProduct", makerName() + QStringLiteral(" Home Page"), makerHomePage());
    lblEmail = addLink(this, "lblEmail", makerMail().path(), makerMail());
    connect(lblCopyright, &LinkLabel::clicked, this, &frmAbout::lblCopyright_Click);
    connect(lblURL, &LinkLabel::clicked, this, &frmAbout::lblURL_Click);
    connect(lblProduct, &LinkLabel::clicked, this, &frmAbout::lblProduct_Click);
    connect(lblEmail, &LinkLabel::clicked, this, &frmAbout::lblEmail_Click);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    // Enter closes the box at once; the links are reached with Tab.
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *texts = new QGridLayout;
    texts->addWidget(name, 0, 0);
    texts->addWidget(Label2, 0, 1, Qt::AlignRight | Qt::AlignVCenter);
    texts->addWidget(info, 1, 0, 1, 2);
    texts->addWidget(lblVersion, 2, 0, 1, 2);
    texts->addWidget(addDotLine(this, "Line1"), 3, 0, 1, 2);
    texts->addWidget(lblDescription, 4, 0, 1, 2);
    texts->addWidget(addDotLine(this, "Line2"), 5, 0, 1, 2);
    texts->addWidget(lblCopyright, 6, 0, 1, 2);
    texts->addWidget(lblURL, 7, 0, 1, 2);
    texts->addWidget(lblProduct, 8, 0, 1, 2);
    texts->addWidget(lblEmail, 9, 0, 1, 2);

    auto *body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(Image1, 0, Qt::AlignTop);
    body->addLayout(texts, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Centred on the screen, as every window of the program.
    adjustSize();
    const QRect screenArea = screen()->geometry();
    move(screenArea.x() + (screenArea.width() - width()) / 2, screenArea.y() + (screenArea.height() - height()) / 2);
}

frmAbout *frmAbout::open(QWidget *parent)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *about = qobject_cast<frmAbout *>(window); about && about->isVisible()) {
            about->raise();
            about->activateWindow();
            return about;
        }
    }
    auto *about = new frmAbout(parent);
    about->show();
    // Opened by the user's command: it takes the keyboard, also where no
    // window manager hands it over.
    about->activateWindow();
    return about;
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::lblCopyright_Click()
{
    openLink(lblCopyright->tag());
}

void frmAbout::lblEmail_Click()
{
    openLink(lblEmail->tag());
}

void frmAbout::lblProduct_Click()
{
    openLink(lblProduct->tag());
}

void frmAbout::lblURL_Click()
{
    openLink(lblURL->tag());
}

} // namespace sweepora
