// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/LongWork.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>

using namespace sweepora;

class TestLongWork : public QObject
{
    Q_OBJECT

private slots:
    // The work runs off the user-interface thread while that thread goes on
    // handling its events (so windows keep painting) under the busy pointer.
    void windowsKeepGoingWhileWorkRuns()
    {
        std::atomic<bool> released = false;
        QThread *workThread = nullptr;
        int ticks = 0;
        Qt::CursorShape cursorMeanwhile = Qt::ArrowCursor;
        bool runningMeanwhile = false;

        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            if (++ticks == 1) {
                cursorMeanwhile = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                                 : Qt::ArrowCursor;
                runningMeanwhile = longWorkRunning();
            }
            if (ticks == 3)
                released = true; // only this thread's events can end the work
        });
        ticker.start(5);

        const int result = runLongWork([&] {
            workThread = QThread::currentThread();
            while (!released)
                QThread::msleep(1);
            return 42;
        });
        ticker.stop();

        QCOMPARE(result, 42);
        QVERIFY(workThread && workThread != QThread::currentThread());
        QVERIFY(ticks >= 3);
        QCOMPARE(cursorMeanwhile, Qt::WaitCursor);
        QVERIFY(runningMeanwhile);
        QVERIFY(!longWorkRunning());
        QVERIFY(!QApplication::overrideCursor());
    }

    void workThatEndsAtOnce()
    {
        bool ran = false;
        runLongWork([&] { ran = true; });
        QVERIFY(ran);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestLongWork)
#include "tst_longwork.moc"
