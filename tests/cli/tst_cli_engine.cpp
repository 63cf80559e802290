// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppFiles.h"
#include "core/Helpers.h"

#include "TestEnv.h"
#include "engine/Fixtures.h"

#include <QStandardPaths>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

namespace {

QByteArray groupLine(const QString &name, const QString &path, const QString &key)
{
    return QStringLiteral("\"%1\",\"%2\",\"%3\",\"3\"\r\n").arg(name, path, key).toUtf8();
}

QString timeText(const QDateTime &time)
{
    return FileTimeText(fileTimeFromUnix(time.toSecsSinceEpoch()));
}

// Runs the command line with `args` as another user (root only).
CliResult runCliAs(uid_t user, const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=%1").arg(user),
                                                         QStringLiteral("--regid=%1").arg(user),
                                                         QStringLiteral("--clear-groups"), QStringLiteral("--"),
                                                         QStringLiteral(SWEEPORA_CLI_PATH)}
                      + args);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class TestCliEngine : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup()
    {
        removeTree(env->root());
        env.reset();
    }

    void listPrintsRowsThenStatusTexts()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"a=10", "b=20", "empty/", "zero=0", "sub/tab\there=3", "desktop.ini=1"});
        const QDateTime modified(QDate(1999, 12, 25), QTime(14, 30), Qt::UTC);
        const QDateTime accessed(QDate(2000, 3, 7), QTime(9, 5), Qt::UTC);
        QStringList rows;
        for (const char *name : {"a", "b", "sub/tab\there"}) {
            QString path = root + u'/' + QLatin1String(name);
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(accessed, QFileDevice::FileAccessTime));
            QVERIFY(f.setFileTime(modified, QFileDevice::FileModificationTime));
            f.close();
            const QFileInfo info(path);
            const QDateTime created = info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime();
            rows << QStringLiteral("%1\t%2 bytes\t%3\t9:05 3/7/2000\t14:30 12/25/1999\t%4")
                        .arg(info.fileName().replace(u'\t', QLatin1String("\\t")))
                        .arg(info.size())
                        .arg(timeText(created), path.replace(u'\t', QLatin1String("\\t")));
        }
        writeFile(env->groupFile(), groupLine("G", root + u'/', "k"));

        const CliResult result = runCli({QStringLiteral("list"), QStringLiteral("k")});
        QCOMPARE(result.exitCode, 0);
        QStringList lines = QString::fromUtf8(result.out).split(u'\n');
        QCOMPARE(lines.takeLast(), QString()); // the output ends with a line break
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(3), QStringLiteral("7 Files found in 3 Directories"));
        QCOMPARE(lines.at(4), QStringLiteral("Size of files found under ") + root + QStringLiteral("/ = 34 bytes"));
        QStringList printed = lines.mid(0, 3);
        QVERIFY(printed.last().startsWith(QLatin1String("tab\\there"))); // sub-folders come last
        printed.sort();
        rows.sort();
        QCOMPARE(printed, rows);
    }

    void listRefusesUnknownKeys_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::newRow("no such key") << groupLine("G", "/nowhere/", "other");
        QTest::newRow("key without a path") << groupLine("G", "", "k");
        QTest::newRow("no group table") << QByteArray();
    }

    void listRefusesUnknownKeys()
    {
        QFETCH(QByteArray, table);
        if (!table.isEmpty())
            writeFile(env->groupFile(), table);
        const CliResult result = runCli({QStringLiteral("list"), QStringLiteral("k")});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, QByteArray("No group has the key k\n"));
        QCOMPARE(result.out, QByteArray());
    }

    void listAsAnotherUserSkipsUnreadableFolders()
    {
        if (!runningAsRoot() || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to act as another user");
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"seen=4", "closed/secret=9"});
        QVERIFY(changeMode(env->root(), 0711));
        QVERIFY(changeMode(root + QStringLiteral("/closed"), 0700));
        writeFile(env->groupFile(), groupLine("G", root + u'/', "k"));
        for (const QString &dir : {env->root() + QStringLiteral("/config"), env->configDir(),
                                   env->configDir() + QStringLiteral("/System")})
            QVERIFY(changeMode(dir, 0755));
        QVERIFY(changeMode(env->groupFile(), 0644));

        const CliResult result = runCliAs(otherUser, {QStringLiteral("list"), QStringLiteral("k")});
        // The rows that could be read, and a failure that names the folder.
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("Group k: 1 folder could not be read, such as "), result.err.constData());
        QVERIFY(result.err.contains("/closed/"));
        const QList<QByteArray> lines = result.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.at(0).startsWith("seen\t4 bytes\t"));
        QCOMPARE(lines.at(1), QByteArray("2 Files found in 2 Directories"));
        QVERIFY(lines.at(2).endsWith(" = 4 bytes"));
    }

    void usedAsAnotherUserAddsUpEveryShare()
    {
        if (!runningAsRoot() || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to act as another user");
        // Several sub-folders, walked side by side: every readable file is
        // counted once, and the unreadable folders of different branches
        // are all reported.
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"top=1", "a/x=10", "a/closed/s=100", "b/y=20", "b/deep/closed/s=100", "c/z=30",
                         "c/deep/er/w=5", "d/e/f/g/h=4"});
        QVERIFY(changeMode(env->root(), 0711));
        for (const char *closed : {"/a/closed", "/b/deep/closed"})
            QVERIFY(changeMode(root + QLatin1String(closed), 0700));

        const CliResult result = runCliAs(otherUser, {QStringLiteral("used"), root});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, QByteArray("70\t70 bytes\n"));
        QVERIFY2(result.err.startsWith("2 folders could not be read, such as "), result.err.constData());
    }

    void usedPrintsBytesAndSizeText_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<qint64>("sparse");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("small tree, dotted folder skipped")
            << QStringList{"a=10", "b=20", "sub/c=5", ".hidden/d=100", ".profile=7"} << qint64(0)
            << QByteArray("42\t42 bytes\n");
        QTest::newRow("empty") << QStringList{} << qint64(0) << QByteArray("0\t0 bytes\n");
        QTest::newRow("beyond 4 GiB") << QStringList{"a=1"} << (qint64(6) << 30)
                                      << QByteArray("6442450945\t6.00 GB (6,442,450,945 bytes)\n");
    }

    void usedPrintsBytesAndSizeText()
    {
        QFETCH(QStringList, tree);
        QFETCH(qint64, sparse);
        QFETCH(QByteArray, out);
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, tree);
        if (sparse) {
            QFile file(root + QStringLiteral("/sparse"));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(sparse));
        }
        const CliResult result = runCli({QStringLiteral("used"), root});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, out);
    }

    void cleanRunsAndStartsTheReportAfresh_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("leftInOne");
        QTest::addColumn<QStringList>("leftInTwo");
        QTest::newRow("all groups") << QStringList{"clean", "--all", "--yes"} << QStringList{} << QStringList{};
        QTest::newRow("one named group") << QStringList{"clean", "two", "--yes"} << QStringList{"f", "sub"}
                                         << QStringList{};
        QTest::newRow("both named") << QStringList{"clean", "--yes", "one", "two"} << QStringList{} << QStringList{};
    }

    void cleanRunsAndStartsTheReportAfresh()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, leftInOne);
        QFETCH(QStringList, leftInTwo);
        const QString one = env->makeDir(QStringLiteral("one"));
        const QString two = env->makeDir(QStringLiteral("two"));
        buildTree(one, {"f=3", "sub/"});
        buildTree(two, {"g=4"});
        writeFile(env->groupFile(), groupLine("One", one + u'/', "one") + groupLine("Two", two + u'/', "two")
                                        + groupLine("None", "", "none"));
        writeFile(reportPath(), "an earlier run\r\n");

        const CliResult result = runCli(args);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(QString::fromUtf8(result.out), QStringLiteral("Operation Complete\n") + reportPath() + u'\n');
        QCOMPARE(QDir(one).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), leftInOne);
        QCOMPARE(QDir(two).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), leftInTwo);
        QByteArray expected = "";
        if (leftInOne.isEmpty())
            expected += QFile::encodeName(one) + "/f          3 Bytes\r\n";
        expected += QFile::encodeName(two) + "/g          4 Bytes\r\n";
        // The temporary folder's name has a fixed length, so the padding is known.
        QCOMPARE(readFile(reportPath()).replace(' ', ""), expected.replace(' ', ""));
        QVERIFY(!readFile(reportPath()).contains("earlier"));
    }

    // A report in the place of which stands a link, a FIFO or nothing usable:
    // the groups are cleaned, nothing is written through the link, and the
    // run says that it went without its report (exit 1).
    void cleanWithoutItsReport_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("report is a link") << QStringLiteral("link");
        QTest::newRow("report is a FIFO") << QStringLiteral("fifo");
        QTest::newRow("data folder unusable") << QStringLiteral("no folder");
    }

    void cleanWithoutItsReport()
    {
        QFETCH(QString, kind);
        const QString one = env->makeDir(QStringLiteral("one"));
        buildTree(one, {"f=3"});
        writeFile(env->groupFile(), groupLine("One", one + u'/', "one"));
        const QString target = env->root() + QStringLiteral("/precious");
        QVERIFY(writeFile(target, "keep me"));
        QString named = reportPath();
        if (kind == QLatin1String("link")) {
            QVERIFY(QFile::link(target, reportPath()));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {reportPath()}), 0);
        } else {
            named = env->root() + QStringLiteral("/data-file");
            QVERIFY(writeFile(named, "x"));
            qputenv("XDG_DATA_HOME", QFile::encodeName(named));
        }
        const CliResult result = runCli({QStringLiteral("clean"), QStringLiteral("--all"), QStringLiteral("--yes")});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, QByteArray("Operation Complete\n"));
        QVERIFY2(result.err.contains("deleted-files report") || result.err.contains("XDG_DATA_HOME"), result.err.constData());
        QVERIFY2(result.err.contains(QFile::encodeName(named)), result.err.constData());
        QVERIFY(!QFile::exists(one + QStringLiteral("/f")));
        QCOMPARE(readFile(target), QByteArray("keep me"));
    }

    void cleanRefuses_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("no terminal, no --yes") << QStringList{"clean", "--all"} << 1
                                               << QByteArray("sweepora-cli: 'clean' asks before deleting; without a terminal, give --yes\n");
        QTest::newRow("unknown key") << QStringList{"clean", "one", "nokey", "--yes"} << 1
                                     << QByteArray("No group has the key nokey\n");
        QTest::newRow("nothing named") << QStringList{"clean", "--yes"} << 2 << QByteArray();
        QTest::newRow("--all with keys") << QStringList{"clean", "--all", "one"} << 2 << QByteArray();
        QTest::newRow("unknown option") << QStringList{"clean", "--force"} << 2 << QByteArray();
    }

    void cleanRefuses()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, err);
        const QString one = env->makeDir(QStringLiteral("one"));
        buildTree(one, {"f=3"});
        writeFile(env->groupFile(), groupLine("One", one + u'/', "one"));
        writeFile(reportPath(), "an earlier run\r\n");
        const CliResult result = runCli(args);
        QCOMPARE(result.exitCode, exitCode);
        if (!err.isEmpty())
            QCOMPARE(result.err, err);
        QVERIFY(QFile::exists(one + QStringLiteral("/f")));
        QCOMPARE(readFile(reportPath()), QByteArray("an earlier run\r\n"));
    }

    void cleanAsksOnATerminal_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("cleaned");
        QTest::newRow("yes") << QByteArray("y\n") << true;
        QTest::newRow("no") << QByteArray("n\n") << false;
        QTest::newRow("just Enter") << QByteArray("\n") << false;
    }

    void cleanAsksOnATerminal()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, cleaned);
        if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
            QSKIP("script(1) is needed to give the command a terminal");
        const QString one = env->makeDir(QStringLiteral("one"));
        buildTree(one, {"f=3"});
        writeFile(env->groupFile(), groupLine("One", one + u'/', "one"));

        QProcess process;
        process.start(QStringLiteral("script"),
                      {QStringLiteral("-qec"), QStringLiteral("'%1' clean one").arg(QStringLiteral(SWEEPORA_CLI_PATH)),
                       QStringLiteral("/dev/null")});
        QVERIFY(process.waitForStarted());
        process.write(answer);
        QVERIFY(process.waitForFinished(60000));
        const QByteArray screen = process.readAllStandardOutput();
        QVERIFY2(screen.contains("DELETE ALERT") && screen.contains("WARNING:")
                     && screen.contains("Do you wish to delete all the files on the selected Folders?"),
                 screen.constData());
        QCOMPARE(process.exitCode(), cleaned ? 0 : 1);
        QCOMPARE(QFile::exists(one + QStringLiteral("/f")), !cleaned);
    }

    void cleanAsAnotherUserLeavesWhatItMayNotDelete()
    {
        if (!runningAsRoot() || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to act as another user");
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"mine=2", "ro/f=3", "closed/secret=9", "own/x=1"});
        QVERIFY(changeMode(env->root(), 0711));
        for (const char *path : {"", "/mine", "/own", "/own/x"})
            QVERIFY(changeOwner(root + QLatin1String(path), otherUser, otherUser));
        QVERIFY(changeMode(root + QStringLiteral("/ro/f"), 0444));  // a read-only file...
        QVERIFY(changeMode(root + QStringLiteral("/ro"), 0555));    // ...in a folder the user may not write
        QVERIFY(changeMode(root + QStringLiteral("/closed"), 0700)); // and one the user may not read
        writeFile(env->groupFile(), groupLine("G", root + u'/', "k"));
        for (const QString &dir : {env->root() + QStringLiteral("/config"), env->configDir(),
                                   env->configDir() + QStringLiteral("/System")})
            QVERIFY(changeMode(dir, 0755));
        QVERIFY(changeMode(env->groupFile(), 0644));
        QDir().mkpath(env->dataDir());
        QVERIFY(changeMode(env->root() + QStringLiteral("/data"), 0755));
        QVERIFY(changeOwner(env->dataDir(), otherUser, otherUser));

        const CliResult result = runCliAs(otherUser, {QStringLiteral("clean"), QStringLiteral("k"), QStringLiteral("--yes")});
        // The folder it may not read leaves the run partial: it says so.
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("/closed/"), result.err.constData());
        QVERIFY(result.out.startsWith("Operation Complete\n"));
        QVERIFY(QFile::exists(root + QStringLiteral("/ro/f")));
        QVERIFY(QFile::exists(root + QStringLiteral("/closed/secret")));
        QVERIFY(!QFile::exists(root + QStringLiteral("/mine")));
        QVERIFY(!QFile::exists(root + QStringLiteral("/own")));
        QCOMPARE(readFile(reportPath()).count('\n'), 2); // mine and own/x
    }

    void mountPointInsideAGroupSurvives()
    {
        if (!runningAsRoot() || QProcess::execute(QStringLiteral("unshare"),
                                                  {QStringLiteral("--mount"), QStringLiteral("true")}) != 0)
            QSKIP("needs a private mount namespace (root with unshare)");
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"mnt/", "other=3", "sub/y=1"});
        writeFile(env->groupFile(), groupLine("G", root + u'/', "k"));
        // In a mount namespace of its own: mount a file system inside the
        // group folder, put a file on it, clean, and check that it is still there.
        const QString script = QStringLiteral(
            "mount -t tmpfs none \"$1\" && echo keep > \"$1/kept\" && mkdir \"$1/dir\" && echo x > \"$1/dir/f\""
            " && \"$2\" clean k --yes >/dev/null && test -f \"$1/kept\" && test -f \"$1/dir/f\"");
        const int status = QProcess::execute(
            QStringLiteral("unshare"),
            {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"), QStringLiteral("--"),
             QStringLiteral("sh"), QStringLiteral("-c"), script, QStringLiteral("sh"), root + QStringLiteral("/mnt"),
             QStringLiteral(SWEEPORA_CLI_PATH)});
        QCOMPARE(status, 0);
        QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"mnt"});
        QVERIFY(!readFile(reportPath()).contains("kept"));
    }
};

QTEST_GUILESS_MAIN(TestCliEngine)
#include "tst_cli_engine.moc"
