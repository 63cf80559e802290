// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/PieAngles.h"

#include <QtTest>

#include <numbers>

using namespace sweepora;

class TestPieAngles : public QObject
{
    Q_OBJECT

private slots:
    void radsUsesTwentyTwoSevenths()
    {
        QCOMPARE(Rads(180), 22.0 / 7.0);
        QCOMPARE(Rads(90), 11.0 / 7.0);
        // A full turn of 360 lands a little past two pi.
        QVERIFY(Rads(360) > 2 * std::numbers::pi);
        QVERIFY(Rads(360) - 2 * std::numbers::pi < 0.003);
    }

    void nonZeroAngle_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("expected");
        QTest::newRow("zero") << 0.0 << 0.001;
        QTest::newRow("whole") << 5.0 << 5.0;
        QTest::newRow("tiny but not zero") << 0.0005 << 0.0005;
        QTest::newRow("full turn") << 360.0 << 360.0;
    }

    void nonZeroAngle()
    {
        QFETCH(double, angle);
        QFETCH(double, expected);
        QCOMPARE(NonZeroAngle(angle), expected);
    }

    void noChartForAnEmptyDrive()
    {
        QVERIFY(!pieAngles(0, 0, 0));
        QVERIFY(!pieAngles(0, 0, 12345));
    }

    void angles_data()
    {
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("free");
        QTest::addColumn<quint64>("wasted");
        QTest::addColumn<double>("F");
        QTest::addColumn<double>("W");

        const quint64 tib = quint64(1) << 40;
        QTest::newRow("tiny wasted share is a sliver") << quint64(1000) << quint64(500) << quint64(1) << 180.0 << 0.001;
        QTest::newRow("no wasted space is a sliver") << quint64(1000) << quint64(500) << quint64(0) << 180.0 << 0.001;
        QTest::newRow("large wasted share") << quint64(1000) << quint64(400) << quint64(300) << 144.0 << 108.0;
        QTest::newRow("wasted equals free") << quint64(1000) << quint64(250) << quint64(250) << 90.0 << 90.0;
        QTest::newRow("wasted above free is cut to free") << quint64(1000) << quint64(100) << quint64(500) << 36.0 << 36.0;
        QTest::newRow("wasted beyond the drive") << quint64(1000) << quint64(500) << quint64(5000) << 180.0 << 180.0;
        QTest::newRow("full drive") << quint64(1000) << quint64(0) << quint64(10) << 0.0 << 0.001;
        QTest::newRow("empty drive") << quint64(1000) << quint64(1000) << quint64(0) << 360.0 << 0.001;
        QTest::newRow("half rounds down to even 0") << quint64(720) << quint64(1) << quint64(0) << 0.0 << 0.001;
        QTest::newRow("half rounds up to even 2") << quint64(720) << quint64(3) << quint64(0) << 2.0 << 0.001;
        QTest::newRow("half rounds down to even 2") << quint64(720) << quint64(5) << quint64(0) << 2.0 << 0.001;
        QTest::newRow("above half rounds up") << quint64(7200) << quint64(11) << quint64(0) << 1.0 << 0.001;
        QTest::newRow("wasted half rounds to even") << quint64(720) << quint64(360) << quint64(5) << 180.0 << 2.0;
        QTest::newRow("beyond 32 bits") << 4 * tib << tib << tib / 2 << 90.0 << 45.0;
    }

    void angles()
    {
        QFETCH(quint64, total);
        QFETCH(quint64, free);
        QFETCH(quint64, wasted);
        QFETCH(double, F);
        QFETCH(double, W);

        const std::optional<PieAngles> pie = pieAngles(total, free, wasted);
        QVERIFY(pie);
        QCOMPARE(pie->freeDegrees, F);
        QCOMPARE(pie->wastedDegrees, W);

        // The sectors follow each other round from the first edge, a hair
        // past 3 o'clock, and end there after one full turn.
        const double first = Rads(0.00001);
        const double fullTurn = first + 2 * std::numbers::pi;
        QCOMPARE(pie->wasted.start, first);
        QCOMPARE(pie->free.start, pie->wasted.end);
        QCOMPARE(pie->used.start, pie->free.end);
        QCOMPARE(pie->used.end, fullTurn);

        // The wasted sliver is never absent.
        QVERIFY(pie->wasted.span() > 0);
        QCOMPARE(pie->wasted.end, std::min(Rads(W), fullTurn));
        QVERIFY(pie->free.span() >= 0);
        QVERIFY(pie->used.span() >= 0);

        // The free sector ends at F (not at W + F), unless F lies past the
        // full turn; the used sector spans the rest.
        QCOMPARE(pie->free.end, std::clamp(Rads(F), pie->wasted.end, fullTurn));
        QCOMPARE(pie->free.isEmpty(), W >= F);
        QCOMPARE(pie->used.isEmpty(), Rads(F) >= fullTurn);
    }
};

QTEST_GUILESS_MAIN(TestPieAngles)
#include "tst_pieangles.moc"
