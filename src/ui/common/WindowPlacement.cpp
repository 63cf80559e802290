#include "ui/common/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace sweepora {

int twipsToPixels(double twips, const QWidget *widget)
{
    const double dpi = widget ? widget->logicalDpiX() : 96.0;
    return int(std::lround(twips * dpi / 1440.0));
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    window->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

} // namespace sweepora
