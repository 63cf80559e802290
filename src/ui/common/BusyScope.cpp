#include "ui/common/BusyScope.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

namespace sweepora {

BusyScope::BusyScope()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::instance()->installEventFilter(this);
    m_sinceEvents.start();
}

BusyScope::~BusyScope()
{
    QCoreApplication::instance()->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

void BusyScope::keepPainted()
{
    if (m_sinceEvents.elapsed() < 50)
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_sinceEvents.restart();
}

bool BusyScope::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace sweepora
