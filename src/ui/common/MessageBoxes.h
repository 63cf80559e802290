// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace sweepora {

// The program's message boxes: a fixed text, a title (the application's
// title "Sweepora" when none is given) and an icon. A line break written as
// a lone CR is shown as a line break.

// Shows an OK box and waits for it.
void showMessage(QWidget *parent, const QString &text, const QString &title, QMessageBox::Icon icon);

// Asks a Yes/No question; true only for Yes. `defaultYes` picks the button
// that Enter presses; `details`, when given, can be unfolded below the text.
bool askYesNo(QWidget *parent, const QString &text, const QString &title, QMessageBox::Icon icon,
              bool defaultYes, const QString &details = {});

// The application's title, for boxes without a title of their own.
QString applicationTitle();

} // namespace sweepora
