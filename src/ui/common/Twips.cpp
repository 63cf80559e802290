// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace sweepora {

namespace {
constexpr double kTwipsPerInch = 1440.0;
}

int twipsToPixelsX(const QWidget *widget, double twips)
{
    return static_cast<int>(std::lround(twips * widget->logicalDpiX() / kTwipsPerInch));
}

int twipsToPixelsY(const QWidget *widget, double twips)
{
    return static_cast<int>(std::lround(twips * widget->logicalDpiY() / kTwipsPerInch));
}

QRect twipsRect(const QWidget *widget, double left, double top, double width, double height)
{
    // Edges are converted, not sizes, so that neighbouring controls meet
    // exactly as they do in twips.
    const int x = twipsToPixelsX(widget, left);
    const int y = twipsToPixelsY(widget, top);
    return {x, y, twipsToPixelsX(widget, left + width) - x, twipsToPixelsY(widget, top + height) - y};
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

} // namespace sweepora
