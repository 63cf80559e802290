#include "core/GroupTable.h"
#include "space/DriveFigures.h"
#include "space/GroupUsage.h"
#include "space/MFreeSpace.h"

#include "TestEnv.h"

#include <QStorageInfo>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

class TestFreeSpace : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

    // A group folder holding `bytes` bytes in two files, one a level down.
    QString makeGroupFolder(const QString &name, int bytes)
    {
        const QString folder = env->makeDir(name);
        writeFile(folder + QStringLiteral("/a"), QByteArray(bytes / 2, 'a'));
        writeFile(folder + QStringLiteral("/sub/b"), QByteArray(bytes - bytes / 2, 'b'));
        return folder + u'/';
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void countsOfTheTestFolderDrive()
    {
        const DriveSpace drive = QueryDrive(env->root());
        QVERIFY(drive.total > 0);
        QVERIFY(drive.free <= drive.total);
        QCOMPARE(drive.used + drive.free, drive.total);
        // Exact bytes, as the file system's own statistics give them.
        const QStorageInfo storage(env->root());
        QCOMPARE(drive.total, quint64(storage.bytesTotal()));
        // The separate queries agree on the capacity, which does not move.
        QCOMPARE(GetDriveTotal(env->root()), drive.total);
        QCOMPARE(GetDriveTotal(env->root() + QStringLiteral("/home")), drive.total);
        const std::uint64_t used = GetDriveUsed(env->root());
        const std::uint64_t free = GetDriveFree(env->root());
        QVERIFY(used > 0 && used <= drive.total);
        QVERIFY(free <= drive.total);
    }

    void emptyPathMeansCurrentFolder()
    {
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(env->root()));
        const DriveSpace current = QueryDrive(QString());
        QDir::setCurrent(before);
        QCOMPARE(current.total, QueryDrive(env->root()).total);
        QVERIFY(current.total > 0);
    }

    void missingPathGivesZero()
    {
        const QString missing = env->root() + QStringLiteral("/no/such/folder");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot read the size")));
        const DriveSpace drive = QueryDrive(missing);
        QCOMPARE(drive.total, 0u);
        QCOMPARE(drive.used, 0u);
        QCOMPARE(drive.free, 0u);
    }

    void shareText_data()
    {
        QTest::addColumn<qint64>("part"); // -1: unknown
        QTest::addColumn<quint64>("total");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two decimals") << qint64(4127) << quint64(10000) << QStringLiteral("41.27%");
        QTest::newRow("rounded") << qint64(1) << quint64(3) << QStringLiteral("33.33%");
        QTest::newRow("whole") << qint64(5) << quint64(5) << QStringLiteral("100.00%");
        QTest::newRow("nothing") << qint64(0) << quint64(5) << QStringLiteral("0.00%");
        QTest::newRow("more than the drive") << qint64(123456) << quint64(100) << QStringLiteral("123456.00%");
        QTest::newRow("total of 0") << qint64(0) << quint64(0) << QStringLiteral("n/a");
        QTest::newRow("unknown part") << qint64(-1) << quint64(100) << QStringLiteral("n/a");
    }

    void shareText()
    {
        QFETCH(qint64, part);
        QFETCH(quint64, total);
        QFETCH(QString, expected);
        const std::optional<std::uint64_t> known =
            part < 0 ? std::nullopt : std::optional<std::uint64_t>(std::uint64_t(part));
        QCOMPARE(sweepora::shareText(known, total), expected);
    }

    void wastedSumOverTheGroups()
    {
        const QString alpha = makeGroupFolder(QStringLiteral("alpha"), 3000);
        const QString beta = makeGroupFolder(QStringLiteral("beta"), 500);
        const QString gamma = makeGroupFolder(QStringLiteral("gamma"), 70);
        // A folder that does not exist adds nothing; a repeated key counts
        // once, with the folder of its last line.
        QVERIFY(SaveGroups({{QStringLiteral("Alpha"), alpha, QStringLiteral("a"), QStringLiteral("3")},
                            {QStringLiteral("Missing"), env->root() + QStringLiteral("/gone/"),
                             QStringLiteral("m"), QStringLiteral("4")},
                            {QStringLiteral("Beta"), beta, QStringLiteral("b"), QStringLiteral("5")},
                            {QStringLiteral("Beta again"), gamma, QStringLiteral("b"), QStringLiteral("6")}})
                 .number == GroupFileError::None);

        const DriveFigures figures = computeDriveFigures();
        QVERIFY(!figures.tableError);
        QVERIFY(figures.wasted);
        QCOMPARE(*figures.wasted, 3000u + 70u);
        QVERIFY(figures.drive.total > 0);
        QCOMPARE(figures.drive.used + figures.drive.free, figures.drive.total);
        QCOMPARE(figures.drive.total, QueryDrive(QStringLiteral("/")).total);
    }

    void cutTableCountsItsCompleteRecords()
    {
        const QString alpha = makeGroupFolder(QStringLiteral("alpha"), 1234);
        const QString beta = makeGroupFolder(QStringLiteral("beta"), 99);
        QByteArray bytes = serializeGroups({{QStringLiteral("Alpha"), alpha, QStringLiteral("a"), QStringLiteral("3")}});
        bytes += "\"Beta\",\"" + beta.toUtf8() + "\"";
        writeFile(env->groupFile(), bytes);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cut short")));
        const DriveFigures figures = computeDriveFigures();
        QCOMPARE(figures.tableError.number, int(GroupFileError::InputPastEnd));
        QVERIFY(figures.wasted);
        QCOMPARE(*figures.wasted, 1234u);
    }

    void missingTableLeavesWastedUnknown()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("53 -- File not found")));
        const DriveFigures figures = computeDriveFigures();
        QCOMPARE(figures.tableError.number, int(GroupFileError::FileNotFound));
        QVERIFY(!figures.wasted);
        QCOMPARE(sizeText(figures.wasted), QStringLiteral("n/a"));
        QVERIFY(figures.drive.total > 0);
        QVERIFY(!QFile::exists(env->groupFile())); // the window does not write the table
    }

    void headingNamesTheRoot()
    {
        QCOMPARE(driveHeading(), QStringLiteral("Drive Statistics for /"));
    }
};

QTEST_GUILESS_MAIN(TestFreeSpace)
#include "tst_freespace.moc"
