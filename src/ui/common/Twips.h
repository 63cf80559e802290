// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

namespace sweepora {

// Window and control geometry is laid out in twips, 1440 to a logical inch
// (15 twips a pixel at 96 dpi). These convert at the logical DPI of the
// screen that `widget` is on.
int twipsToPixelsX(const QWidget *widget, double twips);
int twipsToPixelsY(const QWidget *widget, double twips);
QRect twipsRect(const QWidget *widget, double left, double top, double width, double height);

// Moves a top-level window so that it sits in the middle of its screen.
void centreOnScreen(QWidget *window);

} // namespace sweepora
