#include "ui/common/BusyWork.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>

namespace sweepora {
namespace {

int busyDepth = 0;

// Swallows user input for the whole application while work runs.
class InputBlocker : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            if (watched->isWidgetType()) {
                event->ignore();
                return true;
            }
            return false;
        default:
            return false;
        }
    }
};

} // namespace

bool isBusy()
{
    return busyDepth > 0;
}

void runBusy(const std::function<void()> &work)
{
    ++busyDepth;
    InputBlocker blocker;
    if (qApp)
        qApp->installEventFilter(&blocker);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    QEventLoop loop;
    QThread *thread = QThread::create(work);
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    if (!thread->isFinished())
        loop.exec();
    thread->wait();
    delete thread;

    QApplication::restoreOverrideCursor();
    if (qApp)
        qApp->removeEventFilter(&blocker);
    --busyDepth;
}

} // namespace sweepora
