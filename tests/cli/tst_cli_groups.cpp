// SPDX-License-Identifier: GPL-3.0-or-later
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

    // A key on several lines prints as the tree shows it: once, at its first
    // line's place, with the values of its last line.
    void duplicateKeysPrintOnce()
    {
        writeFile(env->groupFile(),
                  "\"X\",\"/x/\",\"K\",\"1\"\r\n"
                  "\"Other\",\"/o/\",\"O\",\"2\"\r\n"
                  "\"Y\",\"/y/\",\"K\",\"3\"\r\n");
        const CliResult result = runCli({QStringLiteral("groups")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("K\t3\t/y/\tY\nO\t2\t/o/\tOther\n"));
    }

    // Every verb that reads the table reports a table it cannot read with the
    // same error; none waits on a FIFO or follows a link in its place.
    void unreadableTableIsTheAccessError_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("args");
        for (const char *kind : {"folder", "FIFO", "link"}) {
            QTest::addRow("%s, groups", kind) << QString::fromLatin1(kind) << QStringList{"groups"};
            QTest::addRow("%s, list", kind) << QString::fromLatin1(kind) << QStringList{"list", "K"};
            QTest::addRow("%s, clean", kind) << QString::fromLatin1(kind) << QStringList{"clean", "--all", "--yes"};
            QTest::addRow("%s, monitor", kind) << QString::fromLatin1(kind) << QStringList{"monitor"};
        }
    }

    void unreadableTableIsTheAccessError()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, args);
        const QString table = env->groupFile();
        QDir().mkpath(QFileInfo(table).absolutePath());
        const QString target = env->root() + QStringLiteral("/table");
        const QByteArray targetBytes = "\"G\",\"" + QFile::encodeName(env->makeDir(QStringLiteral("g"))) + "/\",\"K\",\"1\"\r\n";
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(table));
        } else if (kind == QLatin1String("FIFO")) {
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {table}), 0);
        } else {
            QVERIFY(writeFile(target, targetBytes));
            QVERIFY(QFile::link(target, table));
        }
        const CliResult result = runCli(args);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.endsWith("75 -- Path/File access error\n"), result.err.constData());
        QCOMPARE(result.out, QByteArray());
        if (kind == QLatin1String("link"))
            QCOMPARE(readFile(target), targetBytes);
    }

    // Without a usable configuration folder the verbs say so and fail; no
    // path at the root stands in for the folder.
    void unusableConfigFolder_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("groups") << QStringList{"groups"};
        QTest::newRow("list") << QStringList{"list", "Temp"};
        QTest::newRow("clean") << QStringList{"clean", "--all", "--yes"};
        QTest::newRow("monitor") << QStringList{"monitor"};
    }

    void unusableConfigFolder()
    {
        QFETCH(QStringList, args);
        const QString notAFolder = env->root() + QStringLiteral("/config-file");
        QVERIFY(writeFile(notAFolder, "x"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(notAFolder));
        const CliResult result = runCli(args);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(QFile::encodeName(notAFolder)), result.err.constData());
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(readFile(notAFolder), QByteArray("x"));
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
