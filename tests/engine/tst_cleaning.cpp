// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppFiles.h"
#include "engine/Cleaning.h"
#include "engine/CleaningRun.h"
#include "engine/DeletedFilesReport.h"
#include "engine/RecentDocuments.h"

#include "Fixtures.h"
#include "TestEnv.h"

#include <QDirIterator>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

namespace {

QList<QByteArray> reportLines()
{
    QList<QByteArray> lines = readFile(reportPath()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines)
        line += '\n';
    return lines;
}

QByteArray lineFor(const QString &path, std::uint64_t size)
{
    return reportLine(QFile::encodeName(path), size);
}

} // namespace

class TestCleaning : public QObject
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

    void reportLineFormat_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<quint64>("size");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("short path") << QByteArray("/a/b") << quint64(5) << QByteArray("/a/b          5 Bytes\r\n");
        QTest::newRow("13 columns: one blank") << QByteArray("/tmp/abcdefgh") << quint64(2048)
                                               << QByteArray("/tmp/abcdefgh 2048 Bytes\r\n");
        QTest::newRow("14 columns: a whole zone") << QByteArray("/tmp/abcdefghi") << quint64(1)
                                                  << QByteArray("/tmp/abcdefghi              1 Bytes\r\n");
        QTest::newRow("15 columns") << QByteArray("/tmp/abcdefghij") << quint64(1)
                                    << QByteArray("/tmp/abcdefghij             1 Bytes\r\n");
        QTest::newRow("28 columns") << QByteArray("/tmp/abcdefghijklmnopqrstuvw") << quint64(6442450944)
                                    << QByteArray("/tmp/abcdefghijklmnopqrstuvw              6442450944 Bytes\r\n");
        QTest::newRow("characters, not bytes") << QByteArray("/\xc3\xa9/x") << quint64(3)
                                               << QByteArray("/\xc3\xa9/x          3 Bytes\r\n");
        QTest::newRow("control characters written out") << QByteArray("/a\nb\tc\rd\x01") << quint64(7)
                                                        << QByteArray("/a\\nb\\tc\\rd\\x01             7 Bytes\r\n");
        QTest::newRow("bytes that are not UTF-8") << QByteArray("/x\xff") << quint64(9)
                                                  << QByteArray("/x\xef\xbf\xbd           9 Bytes\r\n");
    }

    void reportLineFormat()
    {
        QFETCH(QByteArray, path);
        QFETCH(quint64, size);
        QFETCH(QByteArray, line);
        QCOMPARE(reportLine(path, size), line);
    }

    void filePassThenFolderPass()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"desktop.ini=5", "a.tmp=0", "b.tmp=10", "DESKTOP.INI=3", "x/y.log=5", "x/Desktop.ini=4",
                         "empty/", ".hidden/deep/z=2"});
        const CleanResult result = runCleaning({{QStringLiteral("k"), root + u'/'}});

        QCOMPARE(remaining(root), QStringList());
        QVERIFY(QFileInfo(root).isDir()); // the group folder itself stays
        QCOMPARE(result.filesReported, 4u);
        QCOMPARE(result.lastFileGroupKey, QStringLiteral("k"));
        QVERIFY(!result.folderPassFailed);

        // Only what the file pass deleted, a folder's files before its sub-folders'.
        const QList<QByteArray> lines = reportLines();
        QCOMPARE(lines.size(), 4);
        QList<QByteArray> top = lines.mid(0, 2);
        std::sort(top.begin(), top.end());
        QList<QByteArray> expectedTop{lineFor(root + QStringLiteral("/DESKTOP.INI"), 3),
                                      lineFor(root + QStringLiteral("/b.tmp"), 10)};
        std::sort(expectedTop.begin(), expectedTop.end());
        QCOMPARE(top, expectedTop);
        QList<QByteArray> below = lines.mid(2);
        std::sort(below.begin(), below.end());
        QList<QByteArray> expectedBelow{lineFor(root + QStringLiteral("/x/y.log"), 5),
                                        lineFor(root + QStringLiteral("/.hidden/deep/z"), 2)};
        std::sort(expectedBelow.begin(), expectedBelow.end());
        QCOMPARE(below, expectedBelow);
    }

    // A report that is no regular file is neither followed nor waited on:
    // the run cleans without it and says why.
    void reportThatIsNoRegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a file") << QStringLiteral("link");
        QTest::newRow("FIFO") << QStringLiteral("fifo");
        QTest::newRow("folder") << QStringLiteral("folder");
    }

    void reportThatIsNoRegularFile()
    {
        QFETCH(QString, kind);
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"a=3", "sub/b=4"});
        const QString report = env->root() + QStringLiteral("/report");
        const QString target = env->root() + QStringLiteral("/precious");
        QVERIFY(writeFile(target, "keep me"));
        if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(target, report));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {report}), 0);
        else
            QVERIFY(QDir().mkdir(report));

        const CleanResult result = runCleaning({{QStringLiteral("k"), root + u'/'}}, report);
        QCOMPARE(remaining(root), QStringList());
        QCOMPARE(result.filesReported, 0u);
        QVERIFY2(result.reportError.contains(report), qPrintable(result.reportError));
        QCOMPARE(readFile(target), QByteArray("keep me"));
        QCOMPARE(QFileInfo(report).isSymLink(), kind == QLatin1String("link"));
    }

    void reportErrorIsEmptyWhenEveryLineWasWritten()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"a=3"});
        const CleanResult result = runCleaning({{QStringLiteral("k"), root + u'/'}});
        QCOMPARE(result.filesReported, 1u);
        QCOMPARE(result.reportError, QString());
    }

    void runsAppendToTheReport()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"first=1"});
        runCleaning({{QStringLiteral("k"), root}});
        buildTree(root, {"second=2"});
        runCleaning({{QStringLiteral("k"), root}});
        QCOMPARE(reportLines(), (QList<QByteArray>{lineFor(root + QStringLiteral("/first"), 1),
                                                   lineFor(root + QStringLiteral("/second"), 2)}));
    }

    void groupsInOrderAndLastKey()
    {
        const QString one = env->makeDir(QStringLiteral("one"));
        const QString two = env->makeDir(QStringLiteral("two"));
        buildTree(one, {"f=1"});
        buildTree(two, {"empty=0", "sub/"});
        const CleanResult result = runCleaning({{QStringLiteral("k1"), one},
                                                {QStringLiteral("k2"), QString()},
                                                {QStringLiteral("k3"), two}});
        // k3 had nothing for the delete to take, so the key stays k1.
        QCOMPARE(result.lastFileGroupKey, QStringLiteral("k1"));
        QCOMPARE(remaining(one), QStringList());
        QCOMPARE(remaining(two), QStringList());
    }

    void linksGoTheirTargetsStay()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const QString outside = env->makeDir(QStringLiteral("outside"));
        buildTree(outside, {"secret=100", "sub/kept=3"});
        QVERIFY(QFile::link(outside + QStringLiteral("/secret"), root + QStringLiteral("/to-file")));
        QVERIFY(QFile::link(outside, root + QStringLiteral("/to-folder")));
        QVERIFY(QFile::link(QStringLiteral("/"), root + QStringLiteral("/to-root")));
        QDir().mkpath(root + QStringLiteral("/sub"));
        QVERIFY(QFile::link(outside + QStringLiteral("/sub"), root + QStringLiteral("/sub/to-sub")));

        const CleanResult result = runCleaning({{QStringLiteral("k"), root}});
        QCOMPARE(remaining(root), QStringList());
        QCOMPARE(remaining(outside), (QStringList{"secret", "sub", "sub/kept"}));
        QCOMPARE(result.filesReported, 4u);
        QVERIFY(reportLines().contains(lineFor(root + QStringLiteral("/to-root"), 1)));
    }

    void folderSwappedForALink_data()
    {
        QTest::addColumn<int>("swapOnCall");
        QTest::addColumn<QStringList>("left");
        // Swapped before the file pass enters it, the moved folder is still
        // found by the folder pass; swapped later, it appeared after the
        // folder pass had read the group folder, and stays.
        QTest::newRow("during the file pass") << 1 << QStringList();
        QTest::newRow("during the folder pass") << 2 << QStringList{"moved", "moved/deeper"};
    }

    void folderSwappedForALink()
    {
        QFETCH(int, swapOnCall);
        QFETCH(QStringList, left);
        const QString root = env->makeDir(QStringLiteral("g"));
        const QString outside = env->makeDir(QStringLiteral("outside"));
        buildTree(root, {"s/inner=5", "s/deeper/more=3"});
        buildTree(outside, {"keep=7", "sub/keep2=1"});

        CleaningRun run(reportPath());
        int calls = 0;
        run.setBeforeOpenFolder([&](const QByteArray &path) {
            if (path != QFile::encodeName(root + QStringLiteral("/s/")) || ++calls != swapOnCall)
                return;
            QVERIFY(QDir(root).rename(QStringLiteral("s"), QStringLiteral("moved")));
            QVERIFY(QFile::link(outside, root + QStringLiteral("/s")));
        });
        run.run({{QStringLiteral("k"), root}});

        QCOMPARE(calls, swapOnCall);
        QCOMPARE(remaining(outside), (QStringList{"keep", "sub", "sub/keep2"}));
        QCOMPARE(remaining(root), left); // the link itself is removed
    }

    void groupFolderSwappedForALink()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const QString moved = env->root() + QStringLiteral("/g-moved");
        const QString outside = env->makeDir(QStringLiteral("outside"));
        buildTree(root, {"s/inner=5", "t/other=1"});
        buildTree(outside, {"keep=7", "sub/keep2=1"});

        CleaningRun run(reportPath());
        bool swapped = false;
        run.setBeforeOpenFolder([&](const QByteArray &) {
            if (std::exchange(swapped, true))
                return;
            QVERIFY(QDir().rename(root, moved));
            QVERIFY(QFile::link(outside, root));
        });
        run.run({{QStringLiteral("k"), root}});

        QVERIFY(swapped);
        QCOMPARE(remaining(outside), (QStringList{"keep", "sub", "sub/keep2"}));
        QCOMPARE(remaining(moved), QStringList()); // both passes kept to the folder first opened
    }

    void deeperThanThePathLimit()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        QVERIFY(makeDeepTree(QFile::encodeName(root), 300, QByteArray(40, 'd'), "bottom.txt", "deep"));
        const CleanResult result = runCleaning({{QStringLiteral("k"), root}});
        QCOMPARE(result.filesReported, 1u);
        QVERIFY(!result.folderPassFailed);
        QCOMPARE(remaining(root), QStringList());
        const QList<QByteArray> lines = reportLines();
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().size() > 300 * 41);
    }

    void oddNamesAreDeleted()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const QByteArray folder = QFile::encodeName(root);
        for (const QByteArray &name : {QByteArray("new\nline"), QByteArray("tab\there"), QByteArray("quote\"d"),
                                       QByteArray("bad-\xff\xfe")})
            QVERIFY(writeRawFile(folder, name, "123"));
        const CleanResult result = runCleaning({{QStringLiteral("k"), root}});
        QCOMPARE(result.filesReported, 4u);
        QVERIFY(!result.folderPassFailed);
        QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 QStringList());
        const QList<QByteArray> lines = reportLines();
        QCOMPARE(lines.size(), 4); // one line per file, whatever its name
        QVERIFY(lines.contains(reportLine(folder + "/new\nline", 3)));
    }

    void inUseFilesAndSocketsStay()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"open-here=4", "child-holds=5", "plain=3", "sock/other=2", "sock/deeper/gone=1"});
        QFile held(root + QStringLiteral("/open-here"));
        QVERIFY(held.open(QIODevice::ReadOnly));
        QProcess child;
        child.setStandardInputFile(root + QStringLiteral("/child-holds"));
        child.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(child.waitForStarted());
        const SocketFile socket(QFile::encodeName(root + QStringLiteral("/sock/listening.sock")));
        QVERIFY(socket.isBound());

        const CleanResult result = runCleaning({{QStringLiteral("k"), root}});
        child.kill();
        child.waitForFinished();

        // The socket's folder is a running program's session: kept whole.
        QCOMPARE(remaining(root), (QStringList{"child-holds", "open-here", "sock", "sock/deeper", "sock/deeper/gone",
                                               "sock/listening.sock", "sock/other"}));
        QVERIFY(result.folderPassFailed);
        QCOMPARE(result.filesReported, 1u);
        QCOMPARE(reportLines().size(), 1);
        QCOMPARE(result.inUse.size(), 1);
        QCOMPARE(result.inUse.first().key, QStringLiteral("k"));
        QVERIFY(result.complete());
    }

    void otherUsersEntriesInSharedStickyFolders()
    {
        if (!runningAsRoot())
            QSKIP("giving entries to another user needs root");
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"mine=3", "theirs=4", "theirdir/f=5", "mydir/f=1", "mydir/theirs-in-mine=2"});
        QVERIFY(changeMode(root, 01777));
        for (const char *path : {"/theirs", "/theirdir", "/theirdir/f", "/mydir/theirs-in-mine"})
            QVERIFY(changeOwner(root + QLatin1String(path), otherUser, otherUser));

        CleanOptions anyAge;
        anyAge.sharedMinimumAgeSeconds = 0;
        const CleanResult result = runCleaning({{QStringLiteral("k"), root}}, {}, anyAge);
        // Only the shared folder's own entries are guarded; inside our own
        // folder the usual rules hold.
        QCOMPARE(remaining(root), (QStringList{"theirdir", "theirdir/f", "theirs"}));
        QVERIFY(result.folderPassFailed);
        QCOMPARE(result.filesReported, 3u);
    }

    // Below a folder shared with everyone, entries read or changed lately
    // and the desktop session's own files stay; old ones go.
    void sharedFoldersKeepYoungAndSessionFiles()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"old=3", "young=4", ".X0-lock=11", "xauth_AbCd=50", "krb5cc_1000=9", ".X11-unix/X0=1",
                         "olddir/f=2"});
        QVERIFY(changeMode(root, 01777));
        const QDateTime longAgo = QDateTime::currentDateTime().addDays(-30);
        for (const char *name : {"/old", "/.X0-lock", "/xauth_AbCd", "/krb5cc_1000", "/.X11-unix/X0", "/olddir/f"}) {
            QFile file(root + QLatin1String(name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
            QVERIFY(file.setFileTime(longAgo, QFileDevice::FileAccessTime));
        }
        const CleanResult result = runCleaning({{QStringLiteral("k"), root}});
        QCOMPARE(remaining(root), (QStringList{".X0-lock", ".X11-unix", ".X11-unix/X0", "krb5cc_1000", "olddir",
                                               "xauth_AbCd", "young"}));
        QCOMPARE(reportLines().size(), 2); // old, olddir/f; olddir itself was changed just now
    }

    // The dry run tells exactly what the run then deletes, and changes
    // nothing itself.
    void dryRunMatchesTheRun()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"a=3", "b/c=4", "b/empty=0", "held=5", "d/e/f=6"});
        QFile held(root + QStringLiteral("/held"));
        QVERIFY(held.open(QIODevice::ReadOnly));
        const QStringList before = remaining(root);
        CleanOptions dry;
        dry.dryRun = true;
        QList<QByteArray> planned;
        QList<QByteArray> leftBehind;
        dry.wouldDelete = [&](const QByteArray &path, std::uint64_t size) { planned.append(reportLine(path, size)); };
        dry.wouldLeave = [&](const QByteArray &path, const QString &) { leftBehind.append(path); };
        const CleanResult plan = runCleaning({{QStringLiteral("k"), root}}, {}, dry);
        QCOMPARE(remaining(root), before);
        QVERIFY(reportLines().isEmpty());
        QCOMPARE(leftBehind, QList<QByteArray>{QFile::encodeName(root) + "/held"});

        const CleanResult run = runCleaning({{QStringLiteral("k"), root}});
        QCOMPARE(planned, reportLines());
        QCOMPARE(plan.totals.first().files, 3u);
        QCOMPARE(plan.totals.first().bytes, run.totals.first().bytes);
        // Something was in use: the folders stay, emptied.
        QCOMPARE(remaining(root), (QStringList{"b", "d", "d/e", "held"}));
    }

    // A trash is emptied item by item: an item's restore information goes
    // only once the item is gone, and the trash's own folders stay.
    void trashIsEmptiedItemByItem()
    {
        const QString trash = env->makeDir(QStringLiteral("Trash"));
        buildTree(trash, {"files/a=3", "files/dir/x=4", "files/held=5", "info/a.trashinfo=20", "info/dir.trashinfo=20",
                          "info/held.trashinfo=20", "info/ghost.trashinfo=20", "expunged/half/y=2"});
        writeFile(trash + QStringLiteral("/directorysizes"), "4 1700000000 dir\n8 1700000000 other\n");
        QFile held(trash + QStringLiteral("/files/held"));
        QVERIFY(held.open(QIODevice::ReadOnly));
        const CleanResult result = runCleaning({{QStringLiteral("k"), trash}});
        QCOMPARE(remaining(trash), (QStringList{"directorysizes", "expunged", "files", "files/held", "info",
                                                "info/held.trashinfo"}));
        QCOMPARE(readFile(trash + QStringLiteral("/directorysizes")), QByteArray("8 1700000000 other\n"));
        QCOMPARE(result.inUse.size(), 1);
        const QList<QByteArray> lines = reportLines();
        QCOMPARE(lines.size(), 3); // a, dir/x, half/y: restore information is not a deleted file
    }

    // Cleaning the recent-documents group empties the desktop's list of
    // recently used files too, also where the folder does not exist.
    void recentDocumentsEmptyTheRecentList_data()
    {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("KDE: folder and list") << true;
        QTest::newRow("GTK: list only") << false;
    }

    void recentDocumentsEmptyTheRecentList()
    {
        QFETCH(bool, folderExists);
        const QString data = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
        const QString folder = data + QStringLiteral("/RecentDocuments");
        if (folderExists)
            buildTree(folder, {"a.desktop=30"});
        QVERIFY(writeFile(data + QStringLiteral("/recently-used.xbel"),
                          "<?xml version=\"1.0\"?><xbel version=\"1.0\"><bookmark href=\"file:///x\"/></xbel>"));
        const CleanResult result = runCleaning({{QStringLiteral("StartMenu"), folder + u'/'}});
        QVERIFY(result.complete());
        QCOMPARE(readFile(data + QStringLiteral("/recently-used.xbel")), emptyRecentlyUsedList());
        QCOMPARE(reportLines().size(), folderExists ? 1 : 0);
    }

    void readOnlyFolderStays()
    {
        if (runningAsRoot())
            QSKIP("root may write any folder; covered as another user by the command-line tests");
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"locked/f=3", "other=1"});
        QVERIFY(changeMode(root + QStringLiteral("/locked"), 0555));
        const CleanResult result = runCleaning({{QStringLiteral("k"), root}});
        changeMode(root + QStringLiteral("/locked"), 0755);
        QCOMPARE(remaining(root), (QStringList{"locked", "locked/f"}));
        QVERIFY(result.folderPassFailed);
        QCOMPARE(result.filesReported, 1u);
    }

    void protectedFoldersAreNeverEmptied()
    {
        // The home folder (the test's own) through a link to it.
        buildTree(env->home(), {"precious=9"});
        const QString link = env->root() + QStringLiteral("/home-link");
        QVERIFY(QFile::link(env->home(), link));
        const CleanResult result = runCleaning({{QStringLiteral("k"), link + u'/'}});
        QVERIFY(QFile::exists(env->home() + QStringLiteral("/precious")));
        QVERIFY(result.folderPassFailed);
        QCOMPARE(result.filesReported, 0u);
    }
};

QTEST_GUILESS_MAIN(TestCleaning)
#include "tst_cleaning.moc"
