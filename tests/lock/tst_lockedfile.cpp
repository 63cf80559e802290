// SPDX-License-Identifier: GPL-3.0-or-later
// Locking and unlocking files: the bytes on disk, the refusals, and that no
// failure at any step loses or changes the original.

#include "lock/Cipher.h"
#include "lock/LockedFile.h"

#include "TestEnv.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

using namespace sweepora::lock;
using namespace sweepora::test;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(generator.bounded(256));
    return bytes;
}

QByteArray lockedForm(const QByteArray &plain, const QString &password)
{
    QByteArray body = plain;
    Process(body, password);
    return lockedFileHeader(password) + body;
}

// What stands in a folder, hidden entries included.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString modeOf(const QString &path)
{
    return run(QStringLiteral("stat"), {QStringLiteral("-c"), QStringLiteral("%a %u %g"), path});
}

bool runningAsRoot()
{
    return run(QStringLiteral("id"), {QStringLiteral("-u")}) == QLatin1String("0");
}

} // namespace

class TestLockedFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    QString folder;
    QString file;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        folder = env->makeDir(QStringLiteral("files"));
        file = folder + QStringLiteral("/report.txt");
    }
    void cleanup() { env.reset(); }

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QString>("password");
        QTest::newRow("empty file") << QByteArray() << "abc";
        QTest::newRow("one letter") << QByteArray("x") << "abc";
        QTest::newRow("NUL and FF") << QByteArray("a\0b\xff\xff\0", 6) << "Secret1";
        QTest::newRow("line ends") << QByteArray("one\r\ntwo\nthree\rfour\r\n\r\n") << QStringLiteral("P\u00e4ssw\u00f6rd\u20ac");
        QTest::newRow("no alphabet byte") << QByteArray(":;<=>[\\]^_` \t\r\n\x01\x7f\x80\xfe\xff") << "pass word";
        QTest::newRow("all bytes") << randomBytes(4096, 1) << QStringLiteral("\u6f22\u5b57");
        QTest::newRow("several chunks") << randomBytes(3 * LockChunkSize + 17, 2) << "abc";
        QTest::newRow("header-sized") << QByteArray("[Secre]0123456789A") << "abc";
    }

    void roundTrip()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QString, password);
        QVERIFY(writeFile(file, plain));
        QCOMPARE(inspectPath(file).kind, PathKind::Plain);

        qint64 lastDone = -1;
        LockRunHooks hooks;
        hooks.progress = [&](qint64 done, qint64 total) {
            QVERIFY(done > lastDone || (done == 0 && lastDone == -1));
            QCOMPARE(total, plain.size());
            lastDone = done;
        };
        LockResult result = lockFile(file, password, hooks);
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(lastDone, plain.size());
        const QByteArray locked = readFile(file);
        QCOMPARE(locked.size(), plain.size() + 18);
        QVERIFY(locked == lockedForm(plain, password));
        const PathInspection inspection = inspectPath(file);
        QCOMPARE(inspection.kind, PathKind::Locked);
        QCOMPARE(inspection.header, locked.left(16));

        result = unlockFile(file, password);
        QVERIFY2(result.ok(), qPrintable(result.message));
        QVERIFY(readFile(file) == plain);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("report.txt")});
    }

    // A file locked elsewhere in this format unlocks here.
    void unlocksForeignFile()
    {
        QVERIFY(writeFile(file, QByteArray::fromHex("5b5365637265745d34464443423730380d0a424c4a57792c20665963377721")));
        QVERIFY(unlockFile(file, u"abc").ok());
        QCOMPARE(readFile(file), QByteArray("Hello, World!"));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("lock");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QByteArray locked = lockedForm("Hello, World!", QStringLiteral("abc"));
        const QString path = QStringLiteral("\"%1/files/report.txt\"");
        QTest::newRow("wrong password") << locked << false << "abd" << int(LockResult::WrongPassword)
                                        << "Sorry, password incorrect for this file.";
        QTest::newRow("password in other case") << locked << false << "ABC" << int(LockResult::WrongPassword)
                                                << "Sorry, password incorrect for this file.";
        QTest::newRow("no password to lock") << QByteArray("plain") << true << "" << int(LockResult::NoPassword)
                                             << "No password was given; " + path + " was not changed.";
        QTest::newRow("no password to unlock") << locked << false << "" << int(LockResult::NoPassword)
                                               << "No password was given; " + path + " was not changed.";
        QTest::newRow("lock a locked file") << locked << true << "abc" << int(LockResult::AlreadyLocked)
                                            << path + " is already locked.";
        QTest::newRow("unlock a plain file") << QByteArray("[Secret") << false << "abc" << int(LockResult::NotLocked)
                                             << path + " is not locked.";
        // Ends inside the header: 16 bytes (marker and check value), 17
        // bytes (and CR). Never made by locking; refused, not emptied.
        const QString damaged = path + " begins like a locked file, but its header is cut short or damaged: it "
                                       "holds no locked content to unlock.";
        QTest::newRow("16 bytes") << locked.left(16) << false << "abc" << int(LockResult::Damaged) << damaged;
        QTest::newRow("17 bytes") << locked.left(17) << false << "abc" << int(LockResult::Damaged) << damaged;
        QTest::newRow("16 bytes, wrong password") << locked.left(16) << false << "abd" << int(LockResult::WrongPassword)
                                                  << "Sorry, password incorrect for this file.";
        QTest::newRow("no CR LF after the check value")
            << QByteArray(locked).replace(16, 2, "xy") << false << "abc" << int(LockResult::Damaged) << damaged;
        // A plain file that happens to begin with the marker.
        QTest::newRow("marker only") << QByteArray("[Secret] is a plain text") << false << "abc"
                                     << int(LockResult::WrongPassword) << "Sorry, password incorrect for this file.";
    }

    void refusals()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, lock);
        QFETCH(QString, password);
        QFETCH(int, status);
        QFETCH(QString, message);
        QVERIFY(writeFile(file, content));
        const LockResult result = lock ? lockFile(file, password) : unlockFile(file, password);
        QCOMPARE(int(result.status), status);
        QCOMPARE(result.message, message.arg(env->root()));
        QCOMPARE(readFile(file), content);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("report.txt")});
    }

    void noFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.txt";
        QTest::newRow("folder") << "sub";
        QTest::newRow("fifo") << "pipe";
        QTest::newRow("empty path") << "";
    }

    // Neither inspection nor a run treats anything but a regular file as a
    // file; a FIFO is never opened (that would block).
    void noFile()
    {
        QFETCH(QString, name);
        QDir(folder).mkdir(QStringLiteral("sub"));
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {folder + QStringLiteral("/pipe")}), 0);
        const QString path = name.isEmpty() ? QString() : folder + u'/' + name;
        QCOMPARE(inspectPath(path).kind, PathKind::NoFile);
        QCOMPARE(lockFile(path, u"abc").status, LockResult::NoFile);
        QCOMPARE(unlockFile(path, u"abc").status, LockResult::NoFile);
        QCOMPARE(commandOffered(LockCommand::Lock, path).status, LockResult::NoFile);
    }

    void inspection_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("empty") << QByteArray() << int(PathKind::Plain) << QByteArray();
        QTest::newRow("short") << QByteArray("[Secret") << int(PathKind::Plain) << QByteArray("[Secret");
        QTest::newRow("marker alone") << QByteArray("[Secret]") << int(PathKind::Locked) << QByteArray("[Secret]");
        QTest::newRow("locked") << QByteArray("[Secret]4FDCB708\r\nBLJWy") << int(PathKind::Locked)
                                << QByteArray("[Secret]4FDCB708");
        QTest::newRow("lower-case marker") << QByteArray("[secret]4FDCB708\r\n") << int(PathKind::Plain)
                                           << QByteArray("[secret]4FDCB708");
    }

    void inspection()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, kind);
        QFETCH(QByteArray, header);
        QVERIFY(writeFile(file, content));
        const PathInspection inspection = inspectPath(file);
        QCOMPARE(int(inspection.kind), kind);
        QCOMPARE(inspection.header, header);
    }

    void modeAndOwnerKept_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("0600") << "600";
        QTest::newRow("0640") << "640";
        QTest::newRow("0755") << "755";
        QTest::newRow("0604") << "604";
        QTest::newRow("set-group-id") << "2750";
    }

    void modeAndOwnerKept()
    {
        QFETCH(QString, mode);
        QVERIFY(writeFile(file, "some text"));
        // Only root can give a file away; then the new content must keep the
        // old owner, or the owner would lose the file to root.
        if (runningAsRoot())
            QCOMPARE(QProcess::execute(QStringLiteral("chown"), {QStringLiteral("65534:65534"), file}), 0);
        QCOMPARE(QProcess::execute(QStringLiteral("chmod"), {mode, file}), 0);
        const QString before = modeOf(file);
        QVERIFY(before.startsWith(mode + u' '));
        QVERIFY(lockFile(file, u"abc").ok());
        QCOMPARE(modeOf(file), before);
        QVERIFY(unlockFile(file, u"abc").ok());
        QCOMPARE(modeOf(file), before);
        QCOMPARE(readFile(file), QByteArray("some text"));
    }

    // Through a symbolic link, the file it points to is locked and the link
    // stays a link.
    void symbolicLink()
    {
        QVERIFY(writeFile(file, "linked"));
        const QString link = folder + QStringLiteral("/link");
        QVERIFY(QFile::link(file, link));
        QCOMPARE(inspectPath(link).kind, PathKind::Plain);
        QVERIFY(lockFile(link, u"abc").ok());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readFile(file), lockedForm("linked", QStringLiteral("abc")));
        QVERIFY(unlockFile(link, u"abc").ok());
        QCOMPARE(readFile(file), QByteArray("linked"));
    }

    // Locking one name of a file with several would leave the plain content
    // under the others; unlocking, the locked content. Refused, unchanged.
    void hardLinkRefused_data()
    {
        QTest::addColumn<bool>("lock");
        QTest::newRow("lock") << true;
        QTest::newRow("unlock") << false;
    }

    void hardLinkRefused()
    {
        QFETCH(bool, lock);
        const QByteArray content = lock ? QByteArray("plain text") : lockedForm("plain text", QStringLiteral("abc"));
        QVERIFY(writeFile(file, content));
        const QString other = folder + QStringLiteral("/other name");
        QCOMPARE(QProcess::execute(QStringLiteral("ln"), {file, other}), 0);
        const LockResult result = lock ? lockFile(file, u"abc") : unlockFile(file, u"abc");
        QCOMPARE(result.status, LockResult::OtherNames);
        QCOMPARE(result.message, QStringLiteral("\"%1\" has other names (hard links), which would keep its %2 content; "
                                                "it was not changed.")
                                     .arg(file, QLatin1String(lock ? "plain" : "locked")));
        QCOMPARE(readFile(file), content);
        QCOMPARE(readFile(other), content);
        QCOMPARE(entries(folder), (QStringList{QStringLiteral("other name"), QStringLiteral("report.txt")}));
    }

    void injectedFailure_data()
    {
        QTest::addColumn<bool>("lock");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("occurrence"); // which time the step is reached
        QTest::addColumn<QString>("what");
        for (const bool lock : {true, false}) {
            const char *verb = lock ? "lock" : "unlock";
            const auto row = [&](const char *name, LockStep step, int occurrence, const char *what) {
                QTest::addRow("%s: %s", verb, name) << lock << int(step) << occurrence << QString::fromLatin1(what);
            };
            row("open", LockStep::OpenFile, 1, "the file could not be opened for reading");
            row("new file", LockStep::CreateTemporary, 1, "no new file could be created in its folder");
            row("first read", LockStep::Read, 1, "reading the file failed");
            row("read in the middle", LockStep::Read, 3, "reading the file failed");
            row("first write", LockStep::Write, 1, "writing the new content failed");
            row("write in the middle", LockStep::Write, 3, "writing the new content failed");
            row("replace", LockStep::Replace, 1, "the new content could not be put in place of the file");
        }
    }

    void injectedFailure()
    {
        QFETCH(bool, lock);
        QFETCH(int, step);
        QFETCH(int, occurrence);
        QFETCH(QString, what);
        const QByteArray plain = randomBytes(4 * LockChunkSize + 5, 3);
        const QByteArray original = lock ? plain : lockedForm(plain, QStringLiteral("abc"));
        QVERIFY(writeFile(file, original));

        int reached = 0;
        LockRunHooks hooks;
        hooks.failAt = [&](LockStep at) { return int(at) == step && ++reached == occurrence; };
        const LockResult result = lock ? lockFile(file, u"abc", hooks) : unlockFile(file, u"abc", hooks);
        QCOMPARE(result.status, LockResult::Failed);
        QCOMPARE(result.message, QStringLiteral("Could not %1 \"%2\": %3 (failure injected by a test).\nNothing was changed.")
                                     .arg(QLatin1String(lock ? "lock" : "unlock"), file, what));
        QVERIFY(readFile(file) == original);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("report.txt")});
    }

    // The file is removed, or another file put in its place, while it is
    // being read: the new content must not take the place of whatever is
    // there now.
    void fileChangesDuringRun_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("removed") << false;
        QTest::newRow("replaced") << true;
    }

    void fileChangesDuringRun()
    {
        QFETCH(bool, replace);
        QVERIFY(writeFile(file, randomBytes(3 * LockChunkSize, 4)));
        LockRunHooks hooks;
        bool changed = false;
        hooks.progress = [&](qint64, qint64) {
            if (changed)
                return;
            changed = true;
            QFile::remove(file);
            if (replace)
                writeFile(file, "newer content");
        };
        const LockResult result = lockFile(file, u"abc", hooks);
        QCOMPARE(result.status, LockResult::Failed);
        QVERIFY(result.message.contains(QLatin1String("the file was moved, removed or replaced while it was being read")));
        if (replace) {
            QCOMPARE(readFile(file), QByteArray("newer content"));
            QCOMPARE(entries(folder), QStringList{QStringLiteral("report.txt")});
        } else {
            QVERIFY(entries(folder).isEmpty());
        }
    }

    // No new file can be made beside the original. Root passes the folder's
    // permission check, so there the case cannot be set up.
    void readOnlyFolder()
    {
        QVERIFY(writeFile(file, "keep me"));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const bool privileged = writeFile(folder + QStringLiteral("/probe"), "x");
        QFile::remove(folder + QStringLiteral("/probe"));
        if (privileged) {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("running with privileges that ignore folder permissions");
        }
        const LockResult result = lockFile(file, u"abc");
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(result.status, LockResult::Failed);
        QVERIFY2(result.message.contains(QLatin1String("no new file could be created in its folder")),
                 qPrintable(result.message));
        QCOMPARE(readFile(file), QByteArray("keep me"));
    }
};

QTEST_GUILESS_MAIN(TestLockedFile)
#include "tst_lockedfile.moc"
