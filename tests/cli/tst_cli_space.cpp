// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "core/Helpers.h"
#include "core/Registry.h"
#include "platform/Autostart.h"
#include "space/MFreeSpace.h"

#include "TestEnv.h"

#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

// sweepora-cli space, monitor and startup.
class TestCliSpace : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

    QString autostartFile() const { return env->root() + QStringLiteral("/config/autostart/sweepora.desktop"); }

    // Two groups with 3000 and 70,000 bytes, and one whose folder is gone.
    void writeFixtureTable()
    {
        const QString small = env->makeDir(QStringLiteral("small"));
        writeFile(small + QStringLiteral("/a"), QByteArray(1000, 'a'));
        writeFile(small + QStringLiteral("/sub/b"), QByteArray(2000, 'b'));
        const QString large = env->makeDir(QStringLiteral("large"));
        writeFile(large + QStringLiteral("/c"), QByteArray(70000, 'c'));
        QVERIFY(SaveGroups({{QStringLiteral("Small\tone"), small + u'/', QStringLiteral("s"), QStringLiteral("3")},
                            {QStringLiteral("Gone"), env->root() + QStringLiteral("/gone/"),
                             QStringLiteral("g"), QStringLiteral("4")},
                            {QStringLiteral("Large"), large + u'/', QStringLiteral("l"), QStringLiteral("5")}})
                 .number == GroupFileError::None);
    }

    static QStringList lines(const QByteArray &out)
    {
        QStringList list = QString::fromUtf8(out).split(u'\n');
        if (!list.isEmpty() && list.last().isEmpty())
            list.removeLast();
        return list;
    }

    static double percent(const QString &share)
    {
        return share.chopped(1).toDouble();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        env = std::make_unique<TestEnv>();
        qputenv("LC_ALL", "C");
    }
    void cleanup() { env.reset(); }

    void spaceFigures()
    {
        writeFixtureTable();
        const CliResult result = runCli({QStringLiteral("space")});
        QCOMPARE(result.exitCode, 0);
        const QStringList out = lines(result.out);
        QCOMPARE(out.size(), 4);

        const DriveSpace drive = QueryDrive(QStringLiteral("/"));
        QCOMPARE(out[0], QStringLiteral("Total Space = ") + FormatSize(drive.total));
        QCOMPARE(out[2], QStringLiteral("Wasted Space = ") + FormatSize(73000) + u'\t'
                             + QString::number(73000.0 / double(drive.total) * 100.0, 'f', 2) + u'%');

        const QRegularExpression shape(QStringLiteral("^(Used|Free) Space = [0-9.,]+ [A-Za-z]+\t(\\d+\\.\\d\\d)%$"));
        const QRegularExpressionMatch used = shape.match(out[1]);
        const QRegularExpressionMatch free = shape.match(out[3]);
        QVERIFY2(used.hasMatch() && used.captured(1) == QLatin1String("Used"), qPrintable(out[1]));
        QVERIFY2(free.hasMatch() && free.captured(1) == QLatin1String("Free"), qPrintable(out[3]));
        QVERIFY(std::abs(used.captured(2).toDouble() + free.captured(2).toDouble() - 100.0) <= 0.011);
    }

    void spaceBesideDf()
    {
        writeFixtureTable();
        QProcess df;
        df.start(QStringLiteral("df"), {"-B1", "--output=size,used,avail", "/"});
        QVERIFY(df.waitForFinished(60000));
        QCOMPARE(df.exitCode(), 0);
        const QList<QByteArray> fields = df.readAllStandardOutput().split('\n').value(1).simplified().split(' ');
        QCOMPARE(fields.size(), 3);
        const double dfUsed = fields[1].toDouble();
        const double dfAvailable = fields[2].toDouble();

        const CliResult result = runCli({QStringLiteral("space")});
        QCOMPARE(result.exitCode, 0);
        const QStringList out = lines(result.out);
        QCOMPARE(out.size(), 4);
        // The size does not move; used and free do while other programs
        // write, so their shares are compared within half a point. Counting
        // the super-user's reserve as used would miss by its whole share.
        QCOMPARE(out[0], QStringLiteral("Total Space = ") + FormatSize(fields[0].toULongLong()));
        const double usedShare = percent(out[1].section(u'\t', 1));
        const double freeShare = percent(out[3].section(u'\t', 1));
        QVERIFY2(std::abs(usedShare - dfUsed / (dfUsed + dfAvailable) * 100.0) <= 0.5, qPrintable(out[1]));
        QVERIFY2(std::abs(freeShare - dfAvailable / (dfUsed + dfAvailable) * 100.0) <= 0.5, qPrintable(out[3]));
    }

    void spaceWithoutGroupTable()
    {
        const CliResult result = runCli({QStringLiteral("space")});
        QCOMPARE(result.exitCode, 1);
        const QStringList out = lines(result.out);
        QCOMPARE(out.size(), 4);
        QCOMPARE(out[2], QStringLiteral("Wasted Space = n/a\tn/a"));
        QVERIFY(result.err.contains("53 -- File not found"));
        QVERIFY(!QFile::exists(env->groupFile()));
    }

    void monitorRows()
    {
        writeFixtureTable();
        writeFile(reportPath(), "/x/y          5 Bytes\r\n");
        const CliResult result = runCli({QStringLiteral("monitor")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("Small\\tone\t2.93 KB\nGone\t0 bytes\nLarge\t68.4 KB\n"));
        // Only the window empties the report; a script's report survives.
        QCOMPARE(readFile(reportPath()), QByteArray("/x/y          5 Bytes\r\n"));
    }

    void monitorWithCutTable()
    {
        writeFile(env->groupFile(), "\"One\",\"/nowhere/\",\"1\",\"3\"\r\n\"Two\",\"/x/");
        const CliResult result = runCli({QStringLiteral("monitor")});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, QByteArray("One\t0 bytes\n"));
        QVERIFY(result.err.contains("62 -- Input past end of file"));
    }

    void startupSwitch()
    {
        const QString command = platform::monitorModeCommandLine(QStringLiteral(SWEEPORA_APP_PATH));
        const auto startupValue = [] {
            QString value = RegGetValue(QLatin1String(kProgramKey), QLatin1String(kStartupValue));
            return StripAtNul(value);
        };

        CliResult result = runCli({QStringLiteral("startup"), QStringLiteral("status")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("off\n"));

        for (int round = 0; round < 2; ++round) {
            result = runCli({QStringLiteral("startup"), QStringLiteral("on")});
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(result.out, QByteArray("on\n"));
            QVERIFY(readFile(autostartFile()).contains("\nExec=" + command.toUtf8() + "\n"));
            QVERIFY(command.endsWith(QLatin1String("/sweepora -m")));
            QCOMPARE(startupValue(), QStringLiteral("1"));
            QCOMPARE(runCli({QStringLiteral("startup"), QStringLiteral("status")}).out, QByteArray("on\n"));

            result = runCli({QStringLiteral("startup"), QStringLiteral("off")});
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(result.out, QByteArray("off\n"));
            QVERIFY(!QFile::exists(autostartFile()));
            QCOMPARE(startupValue(), QStringLiteral("0"));
            QCOMPARE(runCli({QStringLiteral("startup"), QStringLiteral("status")}).out, QByteArray("off\n"));
        }
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("space with argument") << QStringList{"space", "/"};
        QTest::newRow("monitor with argument") << QStringList{"monitor", "x"};
        QTest::newRow("startup alone") << QStringList{"startup"};
        QTest::newRow("startup unknown") << QStringList{"startup", "maybe"};
        QTest::newRow("startup twice") << QStringList{"startup", "on", "off"};
    }

    void usage()
    {
        QFETCH(QStringList, args);
        const CliResult result = runCli(args);
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!QFile::exists(autostartFile()));
    }
};

QTEST_GUILESS_MAIN(TestCliSpace)
#include "tst_cli_space.moc"
