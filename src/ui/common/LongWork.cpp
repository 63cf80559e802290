// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/LongWork.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>

#include <memory>

namespace sweepora {

namespace {
int running = 0;
}

void runLongWork(const std::function<void()> &work)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++running;

    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create(work));
    // Queued: the signal comes from the worker and is delivered once the
    // loop below runs, however quickly the work ends.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();

    --running;
    QApplication::restoreOverrideCursor();
}

bool longWorkRunning()
{
    return running > 0;
}

} // namespace sweepora
