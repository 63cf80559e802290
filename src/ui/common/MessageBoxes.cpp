// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/MessageBoxes.h"

namespace sweepora {
namespace {

QString displayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Sweepora");
}

void showMessage(QWidget *parent, const QString &text, const QString &title, QMessageBox::Icon icon)
{
    QMessageBox box(icon, title.isEmpty() ? applicationTitle() : title, displayText(text),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

bool askYesNo(QWidget *parent, const QString &text, const QString &title, QMessageBox::Icon icon,
              bool defaultYes, const QString &details)
{
    QMessageBox box(icon, title.isEmpty() ? applicationTitle() : title, displayText(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace sweepora
