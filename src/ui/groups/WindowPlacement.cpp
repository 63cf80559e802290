#include "ui/groups/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <QtMath>

namespace sweepora {

int twipsToPixels(const QWidget *widget, double twips)
{
    return qRound(twips * widget->logicalDpiX() / 1440.0);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

} // namespace sweepora
