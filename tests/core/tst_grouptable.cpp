// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppFiles.h"
#include "core/GroupTable.h"
#include "core/Helpers.h"

#include "TestEnv.h"

#include <QtTest>

using namespace sweepora;
using sweepora::test::TestEnv;
using sweepora::test::readFile;
using sweepora::test::writeFile;

Q_DECLARE_METATYPE(sweepora::GroupList)

namespace {
Group g(const char *name, const char *path, const char *key, const char *icon)
{
    return {QString::fromUtf8(name), QString::fromUtf8(path), QString::fromUtf8(key), QString::fromUtf8(icon)};
}
} // namespace

class TestGroupTable : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void windowsDefaultsByteForByte()
    {
        const QByteArray expected =
            "\"WindowsTemp\",\"C:\\Windows\\Temp\\\",\"Temp\",\"10\"\r\n"
            "\"Start Menu Documents\",\"C:\\Windows\\Recent\\\",\"StartMenu\",\"8\"\r\n"
            "\"Recycle Bin\",\"C:\\Recycled\\\",\"Recycle\",\"7\"\r\n"
            "\"Temporary Internet Files\",\"C:\\Windows\\Tempor~1\\\",\"Temporary\",\"5\"\r\n"
            "\"Internet Explorer History\",\"C:\\Windows\\History\\\",\"History\",\"6\"\r\n"
            "\"Internet Explorer Cookies\",\"C:\\Windows\\Cookies\\\",\"Cookies\",\"9\"\r\n";
        QCOMPARE(serializeGroups(defaultGroups(DefaultTable::Windows, {})), expected);
        // The third line is 42 characters and CR LF.
        QCOMPARE(expected.split('\n').at(2).size(), 43);
    }

    void linuxDefaultsByteForByte()
    {
        const QByteArray expected =
            "\"Temporary Files\",\"/tmp/\",\"Temp\",\"10\"\r\n"
            "\"Recent Documents\",\"/home/ann/.local/share/RecentDocuments/\",\"StartMenu\",\"8\"\r\n"
            "\"Trash\",\"/home/ann/.local/share/Trash/\",\"Recycle\",\"7\"\r\n"
            "\"Firefox Cache\",\"/home/ann/.cache/mozilla/\",\"Temporary\",\"5\"\r\n"
            "\"Thumbnails\",\"/home/ann/.cache/thumbnails/\",\"History\",\"6\"\r\n"
            "\"Chromium Cache\",\"/home/ann/.cache/chromium/\",\"Cookies\",\"9\"\r\n";
        QCOMPARE(serializeGroups(defaultGroups(DefaultTable::Linux, QStringLiteral("/home/ann/"), {})), expected);
    }

    void linuxDefaultsFollowBaseFolders_data()
    {
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("cacheHome");
        QTest::addColumn<QString>("expectedData");
        QTest::addColumn<QString>("expectedCache");
        QTest::newRow("both moved") << "/srv/ann/data" << "/var/cache/ann" << "/srv/ann/data" << "/var/cache/ann";
        QTest::newRow("trailing slashes") << "/srv/ann/data//" << "/var/cache/ann/" << "/srv/ann/data" << "/var/cache/ann";
        QTest::newRow("only the cache moved") << "" << "/fast/cache" << "/home/ann/.local/share" << "/fast/cache";
        QTest::newRow("relative values are ignored")
            << "data" << "./cache" << "/home/ann/.local/share" << "/home/ann/.cache";
    }

    // Recent Documents and Trash lie in the data home, the three caches in
    // the cache home; Temporary Files stays /tmp/ whatever they say.
    void linuxDefaultsFollowBaseFolders()
    {
        QFETCH(QString, dataHome);
        QFETCH(QString, cacheHome);
        QFETCH(QString, expectedData);
        QFETCH(QString, expectedCache);
        const GroupList groups = defaultGroups(DefaultTable::Linux, QStringLiteral("/home/ann"), {dataHome, cacheHome});
        QStringList paths;
        for (const Group &group : groups)
            paths << group.path;
        QCOMPARE(paths, (QStringList{QStringLiteral("/tmp/"), expectedData + QStringLiteral("/RecentDocuments/"),
                                     expectedData + QStringLiteral("/Trash/"), expectedCache + QStringLiteral("/mozilla/"),
                                     expectedCache + QStringLiteral("/thumbnails/"),
                                     expectedCache + QStringLiteral("/chromium/")}));
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<GroupList>("groups");
        QTest::addColumn<int>("error");

        QTest::newRow("empty file") << QByteArray() << GroupList{} << 0;
        QTest::newRow("quoted, CR LF") << QByteArray("\"A\",\"/a/\",\"k\",\"10\"\r\n")
                                       << GroupList{g("A", "/a/", "k", "10")} << 0;
        QTest::newRow("no final line end") << QByteArray("\"A\",\"/a/\",\"k\",\"10\"")
                                           << GroupList{g("A", "/a/", "k", "10")} << 0;
        QTest::newRow("blanks before fields") << QByteArray("  \"A\",   \"/a/\", \t\"k\",  \"3\"\r\n")
                                              << GroupList{g("A", "/a/", "k", "3")} << 0;
        QTest::newRow("unquoted fields") << QByteArray("Name one,/x/,key,4\r\n")
                                         << GroupList{g("Name one", "/x/", "key", "4")} << 0;
        QTest::newRow("comma inside quotes") << QByteArray("\"Big, old\",\"/b/\",\"b\",\"1\"\r\n")
                                             << GroupList{g("Big, old", "/b/", "b", "1")} << 0;
        QTest::newRow("empty icon") << QByteArray("\"A\",\"/a/\",\"k\",\"\"\r\n")
                                    << GroupList{g("A", "/a/", "k", "")} << 0;
        QTest::newRow("two lines, UTF-8") << QByteArray("\"Caché\",\"/c/\",\"c\",\"2\"\r\n\"D\",\"/d/\",\"d\",\"35\"\r\n")
                                          << GroupList{g("Caché", "/c/", "c", "2"), g("D", "/d/", "d", "35")} << 0;
        QTest::newRow("lone LF line ends") << QByteArray("\"A\",\"/a/\",\"k\",\"1\"\n\"B\",\"/b/\",\"j\",\"2\"\n")
                                           << GroupList{g("A", "/a/", "k", "1"), g("B", "/b/", "j", "2")} << 0;
        QTest::newRow("cut inside second record")
            << QByteArray("\"A\",\"/a/\",\"k\",\"1\"\r\n\"B\",\"/b/")
            << GroupList{g("A", "/a/", "k", "1")} << 62;
        QTest::newRow("cut after a comma") << QByteArray("\"A\",\"/a/\",\"k\",")
                                           << GroupList{} << 62;
        // A line holding nothing, or only blanks, holds no record.
        QTest::newRow("empty line between records")
            << QByteArray("\"A\",\"/x/\",\"K\",\"1\"\r\n\r\n\"B\",\"/y/\",\"L\",\"2\"\r\n")
            << GroupList{g("A", "/x/", "K", "1"), g("B", "/y/", "L", "2")} << 0;
        QTest::newRow("blank lines between records, LF and CR LF")
            << QByteArray("\"A\",\"/x/\",\"K\",\"1\"\n \t\n\r\n\"B\",\"/y/\",\"L\",\"2\"\n")
            << GroupList{g("A", "/x/", "K", "1"), g("B", "/y/", "L", "2")} << 0;
        QTest::newRow("blank lines first and last")
            << QByteArray("\r\n  \r\n\"A\",\"/x/\",\"K\",\"1\"\r\n\r\n   ")
            << GroupList{g("A", "/x/", "K", "1")} << 0;
        QTest::newRow("only blank lines") << QByteArray("\r\n\r\n \r\n") << GroupList{} << 0;
        QTest::newRow("blank line before a cut record")
            << QByteArray("\"A\",\"/x/\",\"K\",\"1\"\r\n\r\n\"B\",\"/y")
            << GroupList{g("A", "/x/", "K", "1")} << 62;
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(GroupList, groups);
        QFETCH(int, error);
        const GroupParse parsed = parseGroups(bytes);
        QCOMPARE(parsed.complete, groups);
        QCOMPARE(parsed.error.number, error);
    }

    void lookups()
    {
        writeFile(env->groupFile(),
                  "\"One\",\"/one/\",\"Temp\",\"10\"\r\n"
                  "\"Two\",\"/two/\",\"Other\",\"x\"\r\n"
                  "\"Three\",\"/three/\",\"Temp\",\"12\"\r\n");
        QCOMPARE(IconsTable(QStringLiteral("Temp")), 12);               // later line wins
        QCOMPARE(PathsTable(QStringLiteral("Temp")), QStringLiteral("/three/"));
        QCOMPARE(IconsTable(QStringLiteral("temp")), 0);                // case matters
        QCOMPARE(PathsTable(QStringLiteral("temp")), std::nullopt);
        QCOMPARE(IconsTable(QStringLiteral("Other")), 0);               // non-numeric icon

        const GroupList merged = mergeDuplicateKeys(LoadGroups().complete);
        QCOMPARE(merged, (GroupList{g("Three", "/three/", "Temp", "12"), g("Two", "/two/", "Other", "x")}));
    }

    void saveAppendRoundTrip()
    {
        const GroupList three{g("A, b", "/a/", "a", "1"), g("B", "/b/", "b", "22"), g("C", "/c/", "c", "35")};
        QVERIFY(!SaveGroups(three));
        QCOMPARE(LoadGroups().complete, three);
        QVERIFY(!AppendGroup(g("D", "/d/", "d", "2")));
        QCOMPARE(LoadGroups().complete.size(), 4);
        QVERIFY(readFile(env->groupFile()).endsWith("\"D\",\"/d/\",\"d\",\"2\"\r\n"));

        // A last line without its CR LF still gets the new record on a line of its own.
        writeFile(env->groupFile(), "\"A\",\"/a/\",\"a\",\"1\"");
        QVERIFY(!AppendGroup(g("B", "/b/", "b", "3")));
        QCOMPARE(LoadGroups().complete, (GroupList{g("A", "/a/", "a", "1"), g("B", "/b/", "b", "3")}));
    }

    void startupWritesDefaultsWhenMissing()
    {
        QCOMPARE(LoadGroups().error.number, 53);
        const StartupLoad load = loadGroupsForStartup();
        QVERIFY(!load.error);
        QVERIFY(load.wroteDefaults);
        QCOMPARE(load.groups, defaultGroups(DefaultTable::Linux, env->home()));
        // The table written follows the environment's data and cache homes.
        QCOMPARE(load.groups.at(2).path, env->root() + QStringLiteral("/data/Trash/"));
        QCOMPARE(load.groups.at(4).path, env->root() + QStringLiteral("/cache/thumbnails/"));
        QCOMPARE(readFile(env->groupFile()), serializeGroups(load.groups));
    }

    void startupLeavesEmptyFileEmpty()
    {
        writeFile(env->groupFile(), {});
        const StartupLoad load = loadGroupsForStartup();
        QVERIFY(!load.error);
        QVERIFY(load.groups.isEmpty());
        QCOMPARE(readFile(env->groupFile()), QByteArray());
    }

    void startupRecoversCutFile()
    {
        const QByteArray cut = "\"A\",\"/a/\",\"k\",\"1\"\r\n\"B\",\"/b/\",\"j\",\"2\"\r\n\"C\",\"/c";
        writeFile(env->groupFile(), cut);
        const StartupLoad load = loadGroupsForStartup();
        QVERIFY(!load.error);
        QVERIFY(load.recovered);
        QCOMPARE(load.groups, (GroupList{g("A", "/a/", "k", "1"), g("B", "/b/", "j", "2")}));
        QCOMPARE(readFile(env->groupFile()), serializeGroups(load.groups));
        QCOMPARE(readFile(env->groupFile() + QStringLiteral(".damaged")), cut);
    }

    void recoveryKeepsCompleteLinesByteForByte_data()
    {
        QTest::addColumn<QByteArray>("complete");
        QTest::addColumn<QByteArray>("cut");
        // Written anew, a field without quotes that holds a double quote
        // would read back as another Path.
        QTest::newRow("quote inside an unquoted field")
            << QByteArray("Name,/a\"b/,k,1\r\n\"B\",\"/b/\",\"j\",\"2\"\r\n") << QByteArray("\"C\",\"/c");
        QTest::newRow("blanks, LF line ends, blank lines and extra fields")
            << QByteArray("  \"A\" , /a/ ,\"k\",\"7\",extra\n\r\n\"B\",\"/b/\",\"j\",\"2\"\n") << QByteArray("\r\n\"C\",");
    }

    void recoveryKeepsCompleteLinesByteForByte()
    {
        QFETCH(QByteArray, complete);
        QFETCH(QByteArray, cut);
        const GroupList before = parseGroups(complete).complete;
        QCOMPARE(parseGroups(complete + cut).completeBytes, complete.size());
        writeFile(env->groupFile(), complete + cut);
        const StartupLoad load = loadGroupsForStartup();
        QVERIFY(!load.error);
        QVERIFY(load.recovered);
        QCOMPARE(load.groups, before);
        QCOMPARE(readFile(env->groupFile()), complete);
        QCOMPARE(LoadGroups().complete, before);
        QCOMPARE(readFile(env->groupFile() + QStringLiteral(".damaged")), complete + cut);
    }

    // The table is used only when it is a regular file; anything else in its
    // place is the access error, and opening never waits on it.
    void tableThatIsNoRegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << QStringLiteral("fifo");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("link to a table") << QStringLiteral("link");
        QTest::newRow("link to nothing") << QStringLiteral("dangling");
        QTest::newRow("link to a FIFO") << QStringLiteral("link to fifo");
    }

    void tableThatIsNoRegularFile()
    {
        QFETCH(QString, kind);
        const QString table = env->groupFile();
        const QString target = env->root() + QStringLiteral("/target");
        const QByteArray targetBytes = "\"T\",\"/t/\",\"k\",\"1\"\r\n";
        QDir().mkpath(env->configDir() + QStringLiteral("/System"));
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {table}), 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(table));
        } else if (kind == QLatin1String("link to fifo")) {
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {target}), 0);
            QVERIFY(QFile::link(target, table));
        } else {
            if (kind == QLatin1String("link"))
                QVERIFY(writeFile(target, targetBytes));
            QVERIFY(QFile::link(target, table));
        }
        const QFileInfo info(table);

        QCOMPARE(LoadGroups().error.text(), QStringLiteral("75 -- Path/File access error"));
        QCOMPARE(loadGroupsForStartup().error.number, 75);
        QCOMPARE(PathsTable(QStringLiteral("k")), std::nullopt);
        QCOMPARE(IconsTable(QStringLiteral("k")), 0);
        // Writers neither write through a link nor replace what is there.
        QCOMPARE(SaveGroups({g("A", "/a/", "a", "1")}).number, 75);
        QCOMPARE(WriteDefaultGroups().number, 75);
        QCOMPARE(AppendGroup(g("A", "/a/", "a", "1")).number, 75);
        const QFileInfo after(table);
        QCOMPARE(after.isSymLink(), info.isSymLink());
        QCOMPARE(after.isDir(), info.isDir());
        if (kind == QLatin1String("link"))
            QCOMPARE(readFile(target), targetBytes);
        if (kind == QLatin1String("dangling"))
            QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!QFileInfo::exists(table + QStringLiteral(".damaged")));
    }

    // An unusable configuration folder gives no table path at all: never one
    // at the root of the file system.
    void unusableConfigFolderIsAnError()
    {
        const QString notAFolder = env->root() + QStringLiteral("/config-file");
        QVERIFY(writeFile(notAFolder, "x"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(notAFolder));
        QString why;
        QCOMPARE(groupTablePath(&why), QString());
        QVERIFY2(why.contains(notAFolder), qPrintable(why));
        QCOMPARE(GetWindowsDir(), QString());
        QCOMPARE(LoadGroups().error.number, 76);
        QCOMPARE(loadGroupsForStartup().error.number, 76);
        QCOMPARE(SaveGroups({g("A", "/a/", "a", "1")}).number, 76);
        QCOMPARE(AppendGroup(g("A", "/a/", "a", "1")).number, 76);
        QCOMPARE(PathsTable(QStringLiteral("Temp")), std::nullopt);
        QCOMPARE(readFile(notAFolder), QByteArray("x"));
    }

    void unusableDataFolderGivesNoReport()
    {
        const QString notAFolder = env->root() + QStringLiteral("/data-file");
        QVERIFY(writeFile(notAFolder, "x"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(notAFolder));
        QString why;
        QCOMPARE(reportPath(&why), QString());
        QVERIFY2(why.contains(notAFolder), qPrintable(why));
        QString error;
        QVERIFY(!emptyReport(&error));
        QVERIFY2(error.contains(notAFolder), qPrintable(error));
        QCOMPARE(readFile(notAFolder), QByteArray("x"));
    }

    // The report is emptied only when it is a regular file.
    void emptyReportRefusesWhatIsNoRegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a file") << QStringLiteral("link");
        QTest::newRow("FIFO") << QStringLiteral("fifo");
        QTest::newRow("regular file") << QStringLiteral("file");
    }

    void emptyReportRefusesWhatIsNoRegularFile()
    {
        QFETCH(QString, kind);
        const QString report = env->dataDir() + QStringLiteral("/DelRpt.TXT");
        const QString target = env->root() + QStringLiteral("/precious");
        QVERIFY(writeFile(target, "keep me"));
        QDir().mkpath(env->dataDir());
        if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(target, report));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {report}), 0);
        else
            QVERIFY(writeFile(report, "old lines"));
        QString error;
        QCOMPARE(emptyReport(&error), kind == QLatin1String("file"));
        QCOMPARE(error.isEmpty(), kind == QLatin1String("file"));
        QCOMPARE(readFile(target), QByteArray("keep me"));
        if (kind == QLatin1String("file"))
            QCOMPARE(readFile(report), QByteArray());
    }

    void unreadableFileIsReportedAndKept()
    {
        if (geteuid() == 0)
            QSKIP("root reads any file");
        writeFile(env->groupFile(), "\"A\",\"/a/\",\"k\",\"1\"\r\n");
        QFile::setPermissions(env->groupFile(), QFileDevice::WriteOwner);
        const StartupLoad load = loadGroupsForStartup();
        QCOMPARE(load.error.number, 70);
        QCOMPARE(load.error.text(), QStringLiteral("70 -- Permission denied"));
        QFile::setPermissions(env->groupFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(readFile(env->groupFile()), QByteArray("\"A\",\"/a/\",\"k\",\"1\"\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestGroupTable)
#include "tst_grouptable.moc"
