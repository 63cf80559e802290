// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Helpers.h"

#include <QLocale>
#include <QtTest>

#include <limits>

using namespace sweepora;

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void formatSize_data()
    {
        QTest::addColumn<quint64>("count");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("withBytes");

        const quint64 KiB = 1024, MiB = KiB * KiB, GiB = MiB * KiB, TiB = GiB * KiB;
        QTest::newRow("0") << quint64(0) << "0 bytes" << "0 bytes";
        QTest::newRow("1") << quint64(1) << "1 byte" << "1 byte";
        QTest::newRow("2") << quint64(2) << "2 bytes" << "2 bytes";
        QTest::newRow("1023") << quint64(1023) << "1,023 bytes" << "1,023 bytes";
        QTest::newRow("1024") << quint64(1024) << "1.00 KB" << "1.00 KB (1,024 bytes)";
        QTest::newRow("1536") << quint64(1536) << "1.50 KB" << "1.50 KB (1,536 bytes)";
        QTest::newRow("10240") << quint64(10240) << "10.0 KB" << "10.0 KB (10,240 bytes)";
        QTest::newRow("102400") << quint64(102400) << "100 KB" << "100 KB (102,400 bytes)";
        QTest::newRow("1000 KiB is MB") << 1000 * KiB << "0.98 MB" << "0.98 MB (1,024,000 bytes)";
        QTest::newRow("1048576") << MiB << "1.00 MB" << "1.00 MB (1,048,576 bytes)";
        QTest::newRow("1000000 KiB is GB") << 1000000 * KiB << "0.95 GB" << "0.95 GB (1,024,000,000 bytes)";
        QTest::newRow("5 GiB") << 5 * GiB << "5.00 GB" << "5.00 GB (5,368,709,120 bytes)";
        QTest::newRow("10 GiB") << 10 * GiB << "10.0 GB" << "10.0 GB (10,737,418,240 bytes)";
        QTest::newRow("500 GiB") << 500 * GiB << "500 GB" << "500 GB (536,870,912,000 bytes)";
        QTest::newRow("5 TiB") << 5 * TiB << "5.00 TB" << "5.00 TB (5,497,558,138,880 bytes)";
        QTest::newRow("50 PiB") << 50 * TiB * KiB << "50.0 PB" << "50.0 PB (56,294,995,342,131,200 bytes)";
        QTest::newRow("2^64-1") << ~quint64(0) << "16384 PB" << "16384 PB (18,446,744,073,709,551,615 bytes)";
    }

    void formatSize()
    {
        QFETCH(quint64, count);
        QFETCH(QString, plain);
        QFETCH(QString, withBytes);
        QCOMPARE(FormatSize(count, false), plain);
        QCOMPARE(FormatSize(count, true), withBytes);
    }

    void formatSizeFollowsLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FormatSize(1536, true), QStringLiteral("1,50 KB (1.536 bytes)"));
        QLocale::setDefault(QLocale::c()); // groups even where the locale omits it by default
        QCOMPARE(FormatSize(1023), QStringLiteral("1,023 bytes"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void fileTimeText_data()
    {
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<QString>("text");
        auto at = [](int y, int mo, int d, int h, int mi, int s = 0) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
        };
        QTest::newRow("minute 0") << at(2001, 1, 2, 3, 0) << "3:00 1/2/2001";
        QTest::newRow("minute 7") << at(2001, 1, 2, 3, 7) << "3:07 1/2/2001";
        QTest::newRow("minute 10") << at(2001, 1, 2, 3, 10) << "3:10 1/2/2001";
        QTest::newRow("example 1") << at(2000, 3, 7, 9, 5) << "9:05 3/7/2000";
        QTest::newRow("example 2") << at(1999, 12, 25, 14, 30) << "14:30 12/25/1999";
        QTest::newRow("midnight, seconds dropped") << at(2024, 2, 29, 0, 0, 59) << "0:00 2/29/2024";
        QTest::newRow("last minute of a year") << at(1969, 12, 31, 23, 59) << "23:59 12/31/1969";
        QTest::newRow("file time zero") << at(1601, 1, 1, 0, 0) << "0:00 1/1/1601";
        QTest::newRow("far future") << at(2400, 2, 29, 12, 1) << "12:01 2/29/2400";
    }

    void fileTimeText()
    {
        QFETCH(QDateTime, utc);
        QFETCH(QString, text);
        const qint64 ms = utc.toMSecsSinceEpoch();
        const qint64 seconds = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
        QCOMPARE(FileTimeText(fileTimeFromUnix(seconds, 999999999 / 2)), text);
    }

    void fileTimeTextAtTheEnds()
    {
        // The whole range of file times fits the text buffer; the largest is
        // the well-known last file time, in September of the year 30828.
        QCOMPARE(FileTimeText(std::numeric_limits<FileTime>::max()), QStringLiteral("2:48 9/14/30828"));
        const QString earliest = FileTimeText(std::numeric_limits<FileTime>::min());
        QVERIFY2(earliest.endsWith(QStringLiteral("/-27627")), qPrintable(earliest));
    }

    void stripAtNul()
    {
        QString text = QStringLiteral("abc") + QChar(0) + QStringLiteral("def");
        QCOMPARE(StripAtNul(text), QStringLiteral("abc"));
        QCOMPARE(text, QStringLiteral("abc"));
        QString empty;
        QCOMPARE(StripAtNul(empty), QString());
        QString plain = QStringLiteral("plain");
        QCOMPARE(StripAtNul(plain), QStringLiteral("plain"));
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("10") << "10" << 10;
        QTest::newRow("blanks") << " 1 0 " << 10;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("trailing text") << "7x" << 7;
        QTest::newRow("half to even down") << "2.5" << 2;
        QTest::newRow("half to even up") << "3.5" << 4;
        QTest::newRow("fraction") << "4.7" << 5;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("huge") << "99999999999999" << std::numeric_limits<int>::max();
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(sweepora::leadingNumber(text), number);
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
