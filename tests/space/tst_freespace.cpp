// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GroupTable.h"
#include "space/DriveFigures.h"
#include "space/GroupUsage.h"
#include "space/MFreeSpace.h"

#include "TestEnv.h"

#include <QProcess>
#include <QStorageInfo>
#include <QtTest>

#include <cmath>
#include <unistd.h>

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

    void driveSpaceOf_data()
    {
        // Raw counts as the file system gives them: capacity, bytes in free
        // blocks, bytes the user may write; then the figures, and df's Use%
        // (used / (used + available), rounded up) for the same counts.
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("freeBlocks");
        QTest::addColumn<quint64>("available");
        QTest::addColumn<quint64>("used");
        QTest::addColumn<quint64>("free");
        QTest::addColumn<quint64>("reserved");
        QTest::addColumn<QString>("usedShare");
        QTest::addColumn<QString>("freeShare");
        QTest::addColumn<int>("dfUsePercent");

        // df -B1 /: 270553174016 17829203968 84916076544 18%; the reserve is
        // not used space, whatever its size.
        QTest::newRow("large reserve") << quint64(270553174016) << quint64(252723970048) << quint64(84916076544)
                                       << quint64(17829203968) << quint64(84916076544) << quint64(167807893504)
                                       << QStringLiteral("17.35%") << QStringLiteral("82.65%") << 18;
        QTest::newRow("ext4 with 5%") << quint64(1000 * 4096) << quint64(700 * 4096) << quint64(650 * 4096)
                                      << quint64(300 * 4096) << quint64(650 * 4096) << quint64(50 * 4096)
                                      << QStringLiteral("31.58%") << QStringLiteral("68.42%") << 32;
        QTest::newRow("no reserve") << quint64(8000) << quint64(2000) << quint64(2000)
                                    << quint64(6000) << quint64(2000) << quint64(0)
                                    << QStringLiteral("75.00%") << QStringLiteral("25.00%") << 75;
        QTest::newRow("reserve only left") << quint64(1000) << quint64(50) << quint64(0)
                                           << quint64(950) << quint64(0) << quint64(50)
                                           << QStringLiteral("100.00%") << QStringLiteral("0.00%") << 100;
        QTest::newRow("empty") << quint64(1000) << quint64(1000) << quint64(1000)
                               << quint64(0) << quint64(1000) << quint64(0)
                               << QStringLiteral("0.00%") << QStringLiteral("100.00%") << 0;
        // Some network file systems report more writable than free bytes:
        // what may be written is free, nothing is reserved.
        QTest::newRow("available above free") << quint64(1000) << quint64(300) << quint64(400)
                                              << quint64(600) << quint64(400) << quint64(0)
                                              << QStringLiteral("60.00%") << QStringLiteral("40.00%") << 60;
        QTest::newRow("free above capacity") << quint64(1000) << quint64(5000) << quint64(4000)
                                             << quint64(0) << quint64(1000) << quint64(0)
                                             << QStringLiteral("0.00%") << QStringLiteral("100.00%") << 0;
        // Beyond 32 bits: 5 TiB with a 5% reserve.
        QTest::newRow("5 TiB") << quint64(5) * (quint64(1) << 40) << quint64(3) * (quint64(1) << 40)
                               << quint64(3) * (quint64(1) << 40) - quint64(5) * (quint64(1) << 40) / 20
                               << quint64(2) * (quint64(1) << 40)
                               << quint64(3) * (quint64(1) << 40) - quint64(5) * (quint64(1) << 40) / 20
                               << quint64(5) * (quint64(1) << 40) / 20
                               << QStringLiteral("42.11%") << QStringLiteral("57.89%") << 43;
    }

    void driveSpaceOf()
    {
        QFETCH(quint64, total);
        QFETCH(quint64, freeBlocks);
        QFETCH(quint64, available);
        QFETCH(quint64, used);
        QFETCH(quint64, free);
        QFETCH(quint64, reserved);
        QFETCH(QString, usedShare);
        QFETCH(QString, freeShare);
        QFETCH(int, dfUsePercent);

        const DriveSpace drive = sweepora::driveSpaceOf(total, freeBlocks, available);
        QCOMPARE(drive.total, total);
        QCOMPARE(drive.used, used);
        QCOMPARE(drive.free, free);
        QCOMPARE(drive.reserved, reserved);
        QCOMPARE(drive.used + drive.free + drive.reserved, drive.total);
        QCOMPARE(drive.shareBase(), used + free);
        QCOMPARE(sweepora::shareText(drive.used, drive.shareBase()), usedShare);
        QCOMPARE(sweepora::shareText(drive.free, drive.shareBase()), freeShare);
        // df's Use% is the used share rounded up to a whole per cent.
        const double percent = double(drive.used) / double(drive.shareBase()) * 100.0;
        QCOMPARE(int(std::ceil(percent - 1e-9)), dfUsePercent);
    }

    void unreadableDriveGivesNoShares()
    {
        const DriveSpace drive = sweepora::driveSpaceOf(0, 0, 0);
        QCOMPARE(drive.shareBase(), 0u);
        QCOMPARE(sweepora::shareText(drive.used, drive.shareBase()), QStringLiteral("n/a"));
    }

    // A file system of its own, looked at beside df: ext4 with 5% of its
    // blocks kept for the super-user, and tmpfs, which keeps none. Needs
    // root, and a loop device for the ext4 image.
    void figuresMatchDf_data()
    {
        QTest::addColumn<bool>("ext4");
        QTest::addColumn<quint64>("leastReserve");
        QTest::newRow("ext4 with 5% reserved") << true << quint64(16 * 1024 * 1024 / 20);
        QTest::newRow("tmpfs, nothing reserved") << false << quint64(0);
    }

    void figuresMatchDf()
    {
        QFETCH(bool, ext4);
        QFETCH(quint64, leastReserve);
        if (::geteuid() != 0)
            QSKIP("mounting a file system needs root");
        const auto run = [](const QString &program, const QStringList &args, QByteArray *out = nullptr) {
            QProcess process;
            process.start(program, args);
            if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
                return QByteArray("did not finish");
            if (out)
                *out = process.readAllStandardOutput();
            return process.exitCode() == 0 ? QByteArray() : process.readAllStandardError().trimmed();
        };
        const QString mountPoint = env->makeDir(QStringLiteral("mnt"));
        QByteArray error;
        if (ext4) {
            QString mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.ext4"));
            if (mkfs.isEmpty())
                mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.ext4"), {"/usr/sbin", "/sbin"});
            if (mkfs.isEmpty())
                QSKIP("mkfs.ext4 is not installed (e2fsprogs)");
            const QString image = env->root() + QStringLiteral("/ext4.img");
            error = run(mkfs, {"-q", "-F", "-m", "5", "-b", "4096", image, "16M"});
            QVERIFY2(error.isEmpty(), error.constData());
            error = run(QStringLiteral("mount"), {"-o", "loop", image, mountPoint});
        } else {
            error = run(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=16M", "sweepora-test", mountPoint});
        }
        if (!error.isEmpty())
            QSKIP(qPrintable(QStringLiteral("cannot mount a file system here: ") + QString::fromLocal8Bit(error)));
        const auto unmount = qScopeGuard([&] { run(QStringLiteral("umount"), {mountPoint}); });

        QVERIFY(writeFile(mountPoint + QStringLiteral("/data"), QByteArray(3 * 1024 * 1024, 'd')));
        ::sync();
        QByteArray dfOut;
        error = run(QStringLiteral("df"), {"-B1", "--output=size,used,avail,pcent", mountPoint}, &dfOut);
        QVERIFY2(error.isEmpty(), error.constData());
        const QList<QByteArray> dfFields = dfOut.split('\n').value(1).simplified().split(' ');
        QCOMPARE(dfFields.size(), 4);

        const DriveSpace drive = QueryDrive(mountPoint + QStringLiteral("/data"));
        QCOMPARE(drive.total, dfFields[0].toULongLong());
        QCOMPARE(drive.used, dfFields[1].toULongLong());
        QCOMPARE(drive.free, dfFields[2].toULongLong());
        QVERIFY(drive.used >= 3u * 1024 * 1024);
        QCOMPARE(drive.used + drive.free + drive.reserved, drive.total);
        const double percent = double(drive.used) / double(drive.shareBase()) * 100.0;
        QCOMPARE(QByteArray::number(int(std::ceil(percent))) + '%', dfFields[3]);

        // The reserve is the free blocks the user may not write: on ext4 the
        // 5% that mkfs kept and what ext4 holds back on its own.
        QByteArray statOut;
        error = run(QStringLiteral("stat"), {"-f", "-c", "%S %f %a", mountPoint}, &statOut);
        QVERIFY2(error.isEmpty(), error.constData());
        const QList<QByteArray> blocks = statOut.simplified().split(' ');
        QCOMPARE(blocks.size(), 3);
        QCOMPARE(drive.reserved, (blocks[1].toULongLong() - blocks[2].toULongLong()) * blocks[0].toULongLong());
        if (leastReserve == 0)
            QCOMPARE(drive.reserved, 0u);
        else
            QVERIFY2(drive.reserved >= leastReserve, qPrintable(QString::number(drive.reserved)));
    }

    void countsOfTheTestFolderDrive()
    {
        const DriveSpace drive = QueryDrive(env->root());
        QVERIFY(drive.total > 0);
        QVERIFY(drive.free <= drive.total);
        QCOMPARE(drive.used + drive.free + drive.reserved, drive.total);
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
        QCOMPARE(figures.drive.used + figures.drive.free + figures.drive.reserved, figures.drive.total);
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
