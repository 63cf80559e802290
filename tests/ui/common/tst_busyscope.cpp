// Long work on the user-interface thread: while busy, input is swallowed,
// not saved up for later, and other events still run.

#include "ui/common/BusyScope.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace sweepora;

class TestBusyScope : public QObject
{
    Q_OBJECT

private slots:
    void swallowsInputWhileBusy()
    {
        QWidget window;
        auto *edit = new QLineEdit(&window);
        auto *button = new QPushButton(QStringLiteral("Go"), &window);
        button->move(0, 40);
        int clicks = 0;
        connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        {
            BusyScope busy;
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            QTest::keyClicks(edit, QStringLiteral("typed while busy"));
            QTest::mouseClick(button, Qt::LeftButton);
            busy.keepPainted();
        }
        QCoreApplication::processEvents();
        QCOMPARE(edit->text(), QString());
        QCOMPARE(clicks, 0);
        QVERIFY(!QApplication::overrideCursor());

        QTest::keyClicks(edit, QStringLiteral("after"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(edit->text(), QStringLiteral("after"));
        QCOMPARE(clicks, 1);
    }

    // Events other than input (here a timer) run from keepPainted().
    void letsOtherEventsRun()
    {
        BusyScope busy;
        bool fired = false;
        QTimer::singleShot(0, [&fired] { fired = true; });
        QElapsedTimer waited;
        waited.start();
        while (!fired && waited.elapsed() < 5000)
            busy.keepPainted();
        QVERIFY(fired);
    }
};

QTEST_MAIN(TestBusyScope)
#include "tst_busyscope.moc"
