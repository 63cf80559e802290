// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DirUsedSpace.h"
#include "engine/Listing.h"

#include "Fixtures.h"
#include "TestEnv.h"

#include <QDirIterator>
#include <QStorageInfo>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

namespace {

// Row paths relative to `root`, sorted.
QStringList rowPaths(const Listing &listing, const QString &root)
{
    QStringList paths;
    for (qsizetype row = 0; row < listing.size(); ++row)
        paths.append(listing.fullPathText(row).mid(root.size() + 1));
    paths.sort();
    return paths;
}

// The walk order as the folders list their entries: a folder's non-empty
// files (but "desktop.ini") first, then each sub-folder's in turn.
void expectedOrder(const QString &folder, QStringList &out)
{
    QStringList subfolders;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink())
            subfolders.append(info.filePath());
        else if (info.size() > 0 && info.fileName() != QLatin1String("desktop.ini"))
            out.append(info.filePath());
    }
    for (const QString &sub : subfolders)
        expectedOrder(sub, out);
}

} // namespace

class TestListing : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup()
    {
        removeTree(env->root()); // also what Qt cannot remove: raw names, deep trees
        env.reset();
    }

    void rowsAndStatusTexts_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("searchPath"); // relative to the fixture folder
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("filesTotal");
        QTest::addColumn<QString>("sizeText");

        const QStringList twoFiles{"a=10", "b=20", "empty/"};
        QTest::newRow("two files and an empty sub-folder")
            << twoFiles << "g" << QStringList{"a", "b"} << "3 Files found in 2 Directories" << "30 bytes";
        QTest::newRow("trailing separator gives the same rows")
            << twoFiles << "g/" << QStringList{"a", "b"} << "3 Files found in 2 Directories" << "30 bytes";
        QTest::newRow("empty folder")
            << QStringList{} << "g" << QStringList{} << "0 Files found in 1 Directories" << "0 bytes";
        QTest::newRow("missing folder")
            << QStringList{} << "missing" << QStringList{} << "0 Files found in 1 Directories" << "0 bytes";
        QTest::newRow("path is a file")
            << QStringList{"a=10"} << "g/a" << QStringList{} << "0 Files found in 1 Directories" << "0 bytes";
        QTest::newRow("desktop.ini counted, Desktop.ini listed")
            << QStringList{"desktop.ini=7", "Desktop.ini=5"} << "g" << QStringList{"Desktop.ini"}
            << "2 Files found in 1 Directories" << "12 bytes";
        QTest::newRow("empty file counted, not listed")
            << QStringList{"e=0", "f=3"} << "g" << QStringList{"f"} << "2 Files found in 1 Directories" << "3 bytes";
        QTest::newRow("dotted folders are walked")
            << QStringList{".cache/x=4", ".profile=7", "sub/.deep/y=1024"} << "g"
            << QStringList{".cache/x", ".profile", "sub/.deep/y"} << "6 Files found in 4 Directories" << "1.01 KB";
    }

    void rowsAndStatusTexts()
    {
        QFETCH(QStringList, tree);
        QFETCH(QString, searchPath);
        QFETCH(QStringList, rows);
        QFETCH(QString, filesTotal);
        QFETCH(QString, sizeText);

        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, tree);
        const QString path = env->root() + u'/' + searchPath;
        const Listing listing = listFolder(path);

        const QString top = path.endsWith(u'/') ? path.chopped(1) : path;
        QCOMPARE(rowPaths(listing, top), rows);
        QCOMPARE(listing.filesTotalText(), filesTotal);
        QCOMPARE(listing.filesTotalSpaceText(path), QStringLiteral("Size of files found under ") + path
                     + QStringLiteral(" = ") + sizeText);
        for (qsizetype row = 0; row < listing.size(); ++row) {
            QVERIFY(!listing.fullPathText(row).contains(QLatin1String("//")));
            QVERIFY(listing.fullPathText(row).startsWith(top + u'/'));
            QVERIFY(listing.fullPathText(row).endsWith(u'/' + listing.name(row)));
        }
    }

    void walkOrderAndDates()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"f1=1", "f2=2", "A/x=3", "A/B/y=4", "A/B/C/z=5", "A/w=6", "D/v=7", "D/E/u=8", "f3=9"});
        QStringList expected;
        expectedOrder(root, expected);

        // Known access and modification times; the creation time is the
        // file system's own.
        const QDateTime accessed(QDate(2000, 3, 7), QTime(9, 5), Qt::UTC);
        const QDateTime modified(QDate(1999, 12, 25), QTime(14, 30, 59), Qt::UTC);
        for (const QString &file : expected) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(accessed, QFileDevice::FileAccessTime));
            QVERIFY(f.setFileTime(modified, QFileDevice::FileModificationTime));
        }

        const Listing listing = listFolder(root);
        QStringList actual;
        for (qsizetype row = 0; row < listing.size(); ++row) {
            actual.append(listing.fullPathText(row));
            QCOMPARE(FileTimeText(listing.accessed(row)), QStringLiteral("9:05 3/7/2000"));
            QCOMPARE(FileTimeText(listing.modified(row)), QStringLiteral("14:30 12/25/1999"));
            const QFileInfo info(actual.last());
            const QDateTime created = info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime();
            QCOMPARE(listing.created(row) / 10000, fileTimeFromUnix(0) / 10000 + created.toMSecsSinceEpoch());
        }
        QCOMPARE(actual, expected);
        QCOMPARE(listing.fileCount(), 14u); // 9 files and 5 sub-folders
        QCOMPARE(listing.dirCount(), 5u);
        QCOMPARE(listing.total(), 45u);
    }

    void linksAreEntriesNeverFollowed()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const QString outside = env->makeDir(QStringLiteral("outside"));
        writeFile(outside + QStringLiteral("/secret"), QByteArray(100, 's'));
        QVERIFY(QFile::link(outside + QStringLiteral("/secret"), root + QStringLiteral("/to-file")));
        QVERIFY(QFile::link(outside, root + QStringLiteral("/to-folder")));
        QVERIFY(QFile::link(QStringLiteral("/"), root + QStringLiteral("/to-root")));

        const Listing listing = listFolder(root);
        QCOMPARE(rowPaths(listing, root), (QStringList{"to-file", "to-folder", "to-root"}));
        for (qsizetype row = 0; row < listing.size(); ++row) // a link's own size: its target's length
            QCOMPARE(qint64(listing.fileSize(row)), QFile::symLinkTarget(listing.fullPathText(row)).toUtf8().size());
        QCOMPARE(listing.dirCount(), 0u);
        QCOMPARE(listing.fileCount(), 3u);
    }

    void oddNames()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const QList<QByteArray> names{"new\nline", "tab\there", "quote\"d 'single'", "latin1-\xe9t\xe9",
                                      "bad-\xff\xfe-end", "back\\slash", "\xe2\x82\xac-euro"};
        for (const QByteArray &name : names)
            QVERIFY(writeRawFile(QFile::encodeName(root), name, "12345"));

        const Listing listing = listFolder(root);
        QCOMPARE(listing.size(), names.size());
        QList<QByteArray> seen;
        for (qsizetype row = 0; row < listing.size(); ++row) {
            const QByteArray raw = listing.nameBytes(row).toByteArray();
            seen.append(raw);
            QCOMPARE(listing.fullPath(row), QFile::encodeName(root) + '/' + raw);
            QCOMPARE(listing.name(row), QString::fromUtf8(raw));
        }
        std::sort(seen.begin(), seen.end());
        QList<QByteArray> expected = names;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(seen, expected);

        // Undecodable bytes show as the replacement character, none dropped.
        for (qsizetype row = 0; row < listing.size(); ++row) {
            if (listing.nameBytes(row).startsWith("bad-"))
                QVERIFY(listing.name(row).startsWith(QStringLiteral("bad-\uFFFD")) && listing.name(row).endsWith(QLatin1String("-end")));
        }
    }

    void deeperThanThePathLimit()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const QByteArray name(40, 'd');
        QVERIFY(makeDeepTree(QFile::encodeName(root), 300, name, "bottom.txt", "deep"));
        const Listing listing = listFolder(root);
        QCOMPARE(listing.size(), 1);
        QCOMPARE(listing.name(0), QStringLiteral("bottom.txt"));
        QCOMPARE(listing.fullPath(0).size(), QFile::encodeName(root).size() + 300 * 41 + 11);
        QCOMPARE(listing.dirCount(), 300u);
        QCOMPARE(listing.fileCount(), 301u);
        QCOMPARE(listing.total(), 4u);
    }

    void manyEntriesInOneFolder()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const int count = 33000;
        for (int i = 0; i < count; ++i)
            QVERIFY(writeRawFile(QFile::encodeName(root), "f" + QByteArray::number(i), "x"));
        const Listing listing = listFolder(root);
        QCOMPARE(listing.size(), count);
        QCOMPARE(listing.fileCount(), std::uint64_t(count));
        QCOMPARE(listing.total(), std::uint64_t(count));
        QCOMPARE(listing.filesTotalText(), QStringLiteral("33000 Files found in 1 Directories"));
    }

    void bigSparseTreeSumsExactly()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        const qint64 sizes[] = {(qint64(5) << 30) + 3, qint64(1) << 31, 1};
        const char *paths[] = {"/huge", "/sub/two-gib", "/sub/one"};
        for (int i = 0; i < 3; ++i) {
            QDir().mkpath(QFileInfo(root + QLatin1String(paths[i])).path());
            QFile file(root + QLatin1String(paths[i]));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(sizes[i]));
        }
        const std::uint64_t expected = std::uint64_t(sizes[0] + sizes[1] + sizes[2]);
        const Listing listing = listFolder(root);
        QCOMPARE(listing.total(), expected);
        QString path = root;
        QCOMPARE(DirUsedSpace(path), expected);
        bool sawHuge = false;
        for (qsizetype row = 0; row < listing.size(); ++row) {
            if (listing.name(row) == QLatin1String("huge")) {
                QCOMPARE(listing.fileSize(row), std::uint64_t(sizes[0]));
                sawHuge = true;
            }
        }
        QVERIFY(sawHuge);
        QCOMPARE(listing.filesTotalSpaceText(root), QStringLiteral("Size of files found under ") + root
                     + QStringLiteral(" = 7.00 GB"));
    }

    void mountPointsAreNotEntered()
    {
        // /dev usually holds mount points (/dev/pts, /dev/shm): they count as
        // sub-folders but nothing below them is listed.
        const QDir dev(QStringLiteral("/dev"));
        QStringList mounts;
        for (const QString &name : dev.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Hidden)) {
            if (QStorageInfo(dev.filePath(name)).rootPath() == dev.filePath(name))
                mounts.append(dev.filePath(name) + u'/');
        }
        if (mounts.isEmpty())
            QSKIP("no mount point below /dev on this machine");
        const Listing listing = listFolder(QStringLiteral("/dev"));
        for (qsizetype row = 0; row < listing.size(); ++row) {
            for (const QString &mount : mounts)
                QVERIFY2(!listing.fullPathText(row).startsWith(mount), qPrintable(listing.fullPathText(row)));
        }
    }

    void progressReports()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        QStringList tree;
        for (int i = 0; i < 40; ++i)
            tree << QStringLiteral("d%1/e%2/f=%3").arg(i % 7).arg(i).arg(100 + i);
        buildTree(root, tree);
        QList<QPair<std::uint64_t, std::uint64_t>> calls;
        const Listing listing = listFolder(root, [&](std::uint64_t value, std::uint64_t maximum) {
            calls.append({value, maximum});
        });
        QVERIFY(calls.size() >= 2);
        std::uint64_t lastValue = 0;
        for (const auto &[value, maximum] : calls) {
            QVERIFY(maximum > 0);
            QVERIFY(value <= maximum);
            QVERIFY(value >= lastValue);
            lastValue = value;
        }
        QCOMPARE(calls.last().first, listing.total());
        QCOMPARE(calls.last().second, listing.total());

        // An empty folder still ends with a maximum above 0.
        calls.clear();
        listFolder(env->makeDir(QStringLiteral("empty")), [&](std::uint64_t value, std::uint64_t maximum) {
            calls.append({value, maximum});
        });
        QCOMPARE(calls.last(), (QPair<std::uint64_t, std::uint64_t>(0, 1)));
    }

    void removeRowKeepsOrderAndCounts()
    {
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"a=1", "b=2", "c=3", "d=4"});
        Listing listing = listFolder(root);
        const Listing copy = listing;
        QStringList before;
        for (qsizetype row = 0; row < listing.size(); ++row)
            before.append(listing.name(row));
        listing.removeRow(1);
        before.removeAt(1);
        QStringList after;
        for (qsizetype row = 0; row < listing.size(); ++row)
            after.append(listing.name(row));
        QCOMPARE(after, before);
        QCOMPARE(listing.fileCount(), 4u);
        QCOMPARE(listing.total(), 10u);
        QCOMPARE(copy.size(), 4); // a copy keeps its rows
    }
};

QTEST_GUILESS_MAIN(TestListing)
#include "tst_listing.moc"
