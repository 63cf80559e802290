#include "core/GroupTable.h"

#include "TestEnv.h"

#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

class TestCliGroups : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void firstRunWritesAndPrintsDefaults()
    {
        const CliResult result = runCli({QStringLiteral("groups")});
        QCOMPARE(result.exitCode, 0);
        const QString h = env->home();
        // The test's data and cache homes, as XDG_DATA_HOME and XDG_CACHE_HOME name them.
        const QString expected = QStringLiteral(
            "Temp\t10\t/tmp/\tTemporary Files\n"
            "StartMenu\t8\t%1/data/RecentDocuments/\tRecent Documents\n"
            "Recycle\t7\t%1/data/Trash/\tTrash\n"
            "Temporary\t5\t%1/cache/mozilla/\tFirefox Cache\n"
            "History\t6\t%1/cache/thumbnails/\tThumbnails\n"
            "Cookies\t9\t%1/cache/chromium/\tChromium Cache\n").arg(env->root());
        QCOMPARE(QString::fromUtf8(result.out), expected);
        QCOMPARE(readFile(env->groupFile()), serializeGroups(defaultGroups(DefaultTable::Linux, h)));
    }

    void controlCharactersAreEscaped()
    {
        writeFile(env->groupFile(), "\"Tab\there\",\"/a\\b/\",\"k\",\" 7\"\r\n");
        const CliResult result = runCli({QStringLiteral("groups")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("k\t7\t/a\\\\b/\tTab\\there\n"));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no verb") << QStringList{} << 2;
        QTest::newRow("unknown verb") << QStringList{"sweep"} << 2;
        QTest::newRow("groups with argument") << QStringList{"groups", "x"} << 2;
        QTest::newRow("help") << QStringList{"--help"} << 0;
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QCOMPARE(runCli(args).exitCode, exitCode);
    }

    void version()
    {
        const CliResult result = runCli({QStringLiteral("--version")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("sweepora-cli 2.0.66\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliGroups)
#include "tst_cli_groups.moc"
