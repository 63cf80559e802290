// SPDX-License-Identifier: GPL-3.0-or-later
// The Trash's listing against a trash filled by GLib's own `gio trash`
// under a private home: what the desktop's Trash shows is what is listed.

#include "engine/Listing.h"
#include "engine/TrashInfo.h"
#include "engine/TrashListing.h"

#include "TestEnv.h"

#include <QDateTime>
#include <QStandardPaths>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

namespace {

struct Row
{
    QString name;       // shown
    QByteArray onDisk;  // in files/
    std::uint64_t size = 0;
    FileTime modified = 0;
    friend bool operator<(const Row &a, const Row &b) { return a.onDisk < b.onDisk; }
};

QList<Row> rowsOf(const Listing &listing, const QByteArray &trash)
{
    QList<Row> rows;
    for (qsizetype i = 0; i < listing.size(); ++i) {
        const QByteArray onDisk = listing.nameBytes(i).toByteArray();
        if (listing.fullPath(i) != trash + "files/" + onDisk)
            qWarning("row %lld names %s", qlonglong(i), listing.fullPath(i).constData());
        rows.append({listing.name(i), onDisk, listing.fileSize(i), listing.modified(i)});
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool gioTrash(const QStringList &paths)
{
    QProcess gio;
    gio.start(QStringLiteral("gio"), QStringList{QStringLiteral("trash")} + paths);
    if (!gio.waitForFinished(60000) || gio.exitStatus() != QProcess::NormalExit || gio.exitCode() != 0) {
        qWarning("gio trash failed: %s", gio.readAllStandardError().constData());
        return false;
    }
    return true;
}

} // namespace

class TestTrashListing : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    QString trash() const { return env->root() + QStringLiteral("/data/Trash/"); }
    FileTime before = 0;
    FileTime after = 0;

    // Fills the trash through gio: a file, a folder tree, two files of the
    // same name, and names that need escaping in the info file.
    void fillTrash()
    {
        const QString src = env->makeDir(QStringLiteral("src"));
        QVERIFY(writeFile(src + QStringLiteral("/report.txt"), "eleven byte"));
        QVERIFY(writeFile(src + QStringLiteral("/project/a"), "abc"));
        QVERIFY(writeFile(src + QStringLiteral("/project/sub/b"), QByteArray(5000, 'b')));
        QVERIFY(QDir().mkpath(src + QStringLiteral("/project/empty")));
        QVERIFY(QFile::link(QStringLiteral("/etc/hostname"), src + QStringLiteral("/project/link")));
        QVERIFY(writeFile(src + QStringLiteral("/d1/same"), "one!"));
        QVERIFY(writeFile(src + QStringLiteral("/d2/same"), "second!"));
        QVERIFY(writeFile(src + QStringLiteral("/per cent%.txt"), "x"));
        QVERIFY(writeFile(src + QStringLiteral("/Grüße.txt"), "hi"));
        before = fileTimeFromUnix(QDateTime::currentSecsSinceEpoch());
        QVERIFY(gioTrash({src + QStringLiteral("/report.txt"), src + QStringLiteral("/project"),
                          src + QStringLiteral("/d1/same"), src + QStringLiteral("/d2/same"),
                          src + QStringLiteral("/per cent%.txt"), src + QStringLiteral("/Grüße.txt")}));
        after = fileTimeFromUnix(QDateTime::currentSecsSinceEpoch() + 1);
        QVERIFY(QFileInfo(trash() + QStringLiteral("info")).isDir());
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
            QSKIP("gio (package libglib2.0-bin, installed by scripts/install-deps.sh) is missing");
    }
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void oneRowPerTrashedItem()
    {
        fillTrash();
        const QByteArray trashPath = QFile::encodeName(trash());
        // Left by another program: an item whose info file is gone.
        QVERIFY(writeFile(trash() + QStringLiteral("files/orphan"), "12345"));

        QList<std::pair<std::uint64_t, std::uint64_t>> steps;
        const Listing listing = listTrash(trashPath, [&](std::uint64_t value, std::uint64_t maximum) {
            steps.append({value, maximum});
        });
        const QList<Row> rows = rowsOf(listing, trashPath);
        // The link inside the tree counts with its own size, never its target's.
        const std::uint64_t linkSize = QByteArray("/etc/hostname").size();
        QCOMPARE(rows.size(), 7);
        struct Expected
        {
            const char *onDisk;
            const char *name;
            std::uint64_t size;
        };
        const Expected expected[] = {
            {"Grüße.txt", "Grüße.txt", 2},
            {"orphan", "orphan", 5},
            {"per cent%.txt", "per cent%.txt", 1},
            {"project", "project", 3 + 5000 + linkSize},
            {"report.txt", "report.txt", 11},
            {"same", "same", 0},
            {"same.2", "same", 0},
        };
        int at = 0;
        for (const Expected &e : expected) {
            QCOMPARE(rows.at(at).onDisk, QByteArray(e.onDisk));
            QCOMPARE(rows.at(at).name, QString::fromUtf8(e.name));
            if (e.size != 0)
                QCOMPARE(rows.at(at).size, e.size);
            ++at;
        }
        // The two "same" items: which one gio named same.2 is its choice.
        QCOMPARE(QSet<std::uint64_t>({rows.at(5).size, rows.at(6).size}), QSet<std::uint64_t>({4, 7}));

        // Modified shows when each item was trashed; the orphan keeps its own time.
        for (const Row &row : rows) {
            if (row.onDisk == "orphan")
                continue;
            QVERIFY2(row.modified >= before && row.modified <= after, row.onDisk.constData());
        }

        // Counts and total are those of a listing of files/.
        QCOMPARE(listing.fileCount(), 7u + 5u); // the items, and a, sub, sub/b, empty, link
        QCOMPARE(listing.dirCount(), 3u);        // project, sub, empty
        QCOMPARE(listing.total(), 2u + 5 + 1 + 3 + 5000 + linkSize + 11 + 4 + 7);
        QVERIFY(!steps.isEmpty());
        QCOMPARE(steps.first(), (std::pair<std::uint64_t, std::uint64_t>{0, 1}));
        QCOMPARE(steps.last(), (std::pair<std::uint64_t, std::uint64_t>{listing.total(), listing.total()}));
        for (const auto &[value, maximum] : steps)
            QVERIFY(maximum >= value && maximum > 0);
    }

    // Removing a row keeps each remaining row's shown name with it.
    void removingARowKeepsNamesInStep()
    {
        fillTrash();
        Listing listing = listTrash(QFile::encodeName(trash()));
        QVERIFY(listing.size() > 2);
        QStringList shown;
        QByteArrayList onDisk;
        for (qsizetype i = 1; i < listing.size(); ++i) {
            shown << listing.name(i);
            onDisk << listing.nameBytes(i).toByteArray();
        }
        listing.removeRow(0);
        for (qsizetype i = 0; i < listing.size(); ++i) {
            QCOMPARE(listing.name(i), shown.at(i));
            QCOMPARE(listing.nameBytes(i).toByteArray(), onDisk.at(i));
        }
    }

    void groupFolderListing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("isTrash");
        QTest::newRow("a trash") << "trash" << true;
        QTest::newRow("info is a link") << "info link" << false;
        QTest::newRow("files only") << "files only" << false;
        QTest::newRow("missing") << "missing" << false;
    }

    // A group folder that is a trash lists trashed items; any other lists
    // its files as usual.
    void groupFolderListing()
    {
        QFETCH(QString, kind);
        QFETCH(bool, isTrash);
        const QString folder = env->root() + QStringLiteral("/group");
        if (kind != QLatin1String("missing")) {
            QVERIFY(writeFile(folder + QStringLiteral("/files/kept.txt"), "12345"));
            QVERIFY(writeFile(folder + QStringLiteral("/info/kept.txt.trashinfo"),
                              "[Trash Info]\nPath=/home/ann/notes%20old.txt\nDeletionDate=2026-01-02T03:04:05\n"));
        }
        if (kind == QLatin1String("info link")) {
            QVERIFY(QDir(folder + QStringLiteral("/info")).rename(folder + QStringLiteral("/info"),
                                                                 folder + QStringLiteral("/real-info")));
            QVERIFY(QFile::link(folder + QStringLiteral("/real-info"), folder + QStringLiteral("/info")));
        } else if (kind == QLatin1String("files only")) {
            QVERIFY(QDir(folder + QStringLiteral("/info")).removeRecursively());
        }
        QCOMPARE(isTrashFolder(QFile::encodeName(folder)), isTrash);
        const Listing listing = listGroupFolder(folder);
        if (isTrash) {
            QCOMPARE(listing.size(), 1);
            QCOMPARE(listing.name(0), QStringLiteral("notes old.txt"));
            QCOMPARE(listing.fullPath(0), QFile::encodeName(folder + QStringLiteral("/files/kept.txt")));
            const QDateTime trashed(QDate(2026, 1, 2), QTime(3, 4, 5)); // local time
            QCOMPARE(listing.modified(0), fileTimeFromUnix(trashed.toSecsSinceEpoch()));
        } else {
            const Listing plain = listFolder(folder);
            QCOMPARE(listing.size(), plain.size());
            for (qsizetype i = 0; i < listing.size(); ++i) {
                QCOMPARE(listing.name(i), plain.name(i));
                QCOMPARE(listing.fullPath(i), plain.fullPath(i));
            }
        }
    }

    void infoFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("dated");
        QTest::newRow("as GLib writes it") << QByteArray("[Trash Info]\nPath=/home/ann/a%20b.txt\nDeletionDate=2026-12-10T15:08:23\n")
                                           << QByteArray("a b.txt") << true;
        QTest::newRow("line ends CR LF, relative path")
            << QByteArray("[Trash Info]\r\nPath=photos/%C3%A9t%C3%A9.jpg\r\nDeletionDate=2026-12-10T15:08:23\r\n")
            << QByteArray("\xc3\xa9t\xc3\xa9.jpg") << true;
        QTest::newRow("a folder's path with a slash") << QByteArray("[Trash Info]\nPath=/srv/old/\n")
                                                      << QByteArray("old") << false;
        QTest::newRow("keys outside the group") << QByteArray("Path=/x/y\n[Other]\nPath=/x/z\n") << QByteArray() << false;
        QTest::newRow("no date") << QByteArray("[Trash Info]\nPath=/x/y\nDeletionDate=yesterday\n") << QByteArray("y")
                                 << false;
        QTest::newRow("empty") << QByteArray() << QByteArray() << false;
    }

    void infoFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, name);
        QFETCH(bool, dated);
        const TrashInfo info = parseTrashInfo(content);
        QCOMPARE(info.originalName(), name);
        QCOMPARE(info.deletionDate != 0, dated);
    }

    // The command line lists the Trash group by the original names.
    void commandLineListsTrashedItems()
    {
        fillTrash();
        QCOMPARE(runCli({QStringLiteral("groups")}).exitCode, 0); // writes the default groups
        const CliResult result = runCli({QStringLiteral("list"), QStringLiteral("Recycle")});
        QCOMPARE(result.exitCode, 0);
        const QList<QByteArray> lines = result.out.split('\n');
        int same = 0;
        bool report = false;
        for (const QByteArray &line : lines) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() < 6)
                continue;
            same += fields.at(0) == "same";
            if (fields.at(0) == "report.txt") {
                report = true;
                QCOMPARE(fields.at(5), QFile::encodeName(trash()) + "files/report.txt");
            }
        }
        QCOMPARE(same, 2);
        QVERIFY(report);
    }
};

QTEST_GUILESS_MAIN(TestTrashListing)
#include "tst_trashlisting.moc"
