// SPDX-License-Identifier: GPL-3.0-or-later
// sweepora-cli lock and unlock: the bytes they leave on disk, the password
// line, refusals with exit status 1, and a write that the system cuts short.

#include "TestEnv.h"
#include "lock/LockVectors.h"

#include <QStandardPaths>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sweepora::test;

namespace {

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// Runs a shell command line with the CLI's path in $CLI.
CliResult runShell(const QString &commandLine)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CLI"), QStringLiteral(SWEEPORA_CLI_PATH));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("bash"), {QStringLiteral("-c"), commandLine});
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

bool setOwner(const QString &path, uid_t user, gid_t group)
{
    return ::chown(QFile::encodeName(path).constData(), user, group) == 0;
}

bool setMode(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Runs the command line as another user and group, without supplementary
// groups (root only).
CliResult runCliAs(uid_t user, gid_t group, const QStringList &args, const QByteArray &input)
{
    QProcess process;
    process.start(QStringLiteral("setpriv"),
                  QStringList{QStringLiteral("--reuid=%1").arg(user), QStringLiteral("--regid=%1").arg(group),
                              QStringLiteral("--clear-groups"), QStringLiteral("--"), QStringLiteral(SWEEPORA_CLI_PATH)}
                      + args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

// Opens (making them as needed) `levels` nested folders of 200-character
// names under `root`: deeper than the system's path limit. Returns the
// deepest folder's descriptor and puts its path in `path`.
int openDeepFolder(const QString &root, int levels, QString *path)
{
    const QByteArray name(200, 'd');
    int fd = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    *path = root;
    for (int i = 0; i < levels && fd >= 0; ++i) {
        ::mkdirat(fd, name.constData(), 0755);
        const int next = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
        *path += u'/' + QString::fromLatin1(name);
    }
    return fd;
}

bool writeAt(int folder, const char *name, const QByteArray &bytes)
{
    const int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

QByteArray readAt(int folder, const char *name)
{
    QFile file;
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    return file.readAll();
}

QString ownerOf(const QString &path)
{
    QFileInfo info(path);
    return QStringLiteral("%1:%2").arg(info.ownerId()).arg(info.groupId());
}

} // namespace

class TestCliLock : public QObject
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
        file = folder + QStringLiteral("/notes.txt");
    }
    void cleanup()
    {
        // Qt removes by full paths, which a tree deeper than the path limit
        // does not have.
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), QStringLiteral("--"), env->root()});
        env.reset();
    }

    void vectors_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("locked");
        for (const Vector &v : lockVectors())
            QTest::newRow(v.name) << v.password << v.plain << v.locked;
    }

    void vectors()
    {
        QFETCH(QString, password);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, locked);
        const QByteArray input = password.toUtf8() + '\n';

        QVERIFY(writeFile(file, plain));
        CliResult result = runCli({QStringLiteral("lock"), file}, input);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(readFile(file), locked);

        result = runCli({QStringLiteral("unlock"), file}, input);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(readFile(file), plain);

        // A file locked elsewhere unlocks here.
        QVERIFY(writeFile(file, locked));
        QCOMPARE(runCli({QStringLiteral("unlock"), file}, input).exitCode, 0);
        QCOMPARE(readFile(file), plain);
    }

    // Only the first line counts, without its line end; the rest of the
    // input is not part of the password.
    void passwordLine_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("LF") << QByteArray("abc\n");
        QTest::newRow("CR LF") << QByteArray("abc\r\n");
        QTest::newRow("no line end") << QByteArray("abc");
        QTest::newRow("more lines") << QByteArray("abc\nsomething else\n");
    }

    void passwordLine()
    {
        QFETCH(QByteArray, input);
        QVERIFY(writeFile(file, "Hello, World!"));
        QCOMPARE(runCli({QStringLiteral("lock"), file}, input).exitCode, 0);
        QCOMPARE(readFile(file), lockVectors().first().locked);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        const QByteArray locked = lockVectors().first().locked; // password "abc"
        QTest::newRow("wrong password") << "unlock" << locked << QByteArray("abd\n")
                                        << "Sorry, password incorrect for this file.\n";
        QTest::newRow("no password") << "lock" << QByteArray("text") << QByteArray()
                                     << "No password was given; \"%1\" was not changed.\n";
        QTest::newRow("empty line") << "unlock" << locked << QByteArray("\n")
                                    << "No password was given; \"%1\" was not changed.\n";
        QTest::newRow("already locked") << "lock" << locked << QByteArray("abc\n") << "\"%1\" is already locked.\n";
        QTest::newRow("not locked") << "unlock" << QByteArray("text") << QByteArray("abc\n") << "\"%1\" is not locked.\n";
        QTest::newRow("17 bytes") << "unlock" << locked.left(17) << QByteArray("abc\n")
                                  << "\"%1\" begins like a locked file, but its header is cut short or damaged: it holds "
                                     "no locked content to unlock.\n";
    }

    void refusals()
    {
        QFETCH(QString, verb);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        QVERIFY(writeFile(file, content));
        const CliResult result = runCli({verb, file}, input);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(QString::fromUtf8(result.err), message.arg(file));
        QCOMPARE(readFile(file), content);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("notes.txt")});
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("lock without file") << QStringList{"lock"} << 2;
        QTest::newRow("unlock with two files") << QStringList{"unlock", "a", "b"} << 2;
        QTest::newRow("missing file") << QStringList{"lock", "no-such-file"} << 1;
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QCOMPARE(runCli(args, "abc\n").exitCode, exitCode);
    }

    // A file-size limit makes the system refuse the write part way, as a full
    // disk would: the run fails with the system's reason and the original
    // stays as it was, with nothing left beside it.
    void writeRefusedBySystem()
    {
        QByteArray plain(300 * 1024, 'q');
        QVERIFY(writeFile(file, plain));
        const CliResult result = runShell(QStringLiteral("trap '' XFSZ; ulimit -f 100; echo abc | \"$CLI\" lock '%1'").arg(file));
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(QString::fromUtf8(result.err),
                 QStringLiteral("Could not lock \"%1\": writing the new content failed (File too large).\n"
                                "Nothing was changed.\n")
                     .arg(file));
        QVERIFY(readFile(file) == plain);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("notes.txt")});
    }

    // A user who may write a file but not give a new one its owner or group
    // (its owner or group is another's) would replace it by a file of their
    // own: refused before anything changes.
    void anotherUsersFileRefused_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("group");
        QTest::addColumn<QString>("made");
        const uint nobody = 65534;
        QTest::newRow("lock: owner") << "lock" << 0u << nobody << "locked";
        QTest::newRow("lock: group") << "lock" << nobody << 0u << "locked";
        QTest::newRow("unlock: owner") << "unlock" << 0u << nobody << "unlocked";
        QTest::newRow("unlock: group") << "unlock" << nobody << 0u << "unlocked";
    }

    void anotherUsersFileRefused()
    {
        QFETCH(QString, verb);
        QFETCH(uint, owner);
        QFETCH(uint, group);
        QFETCH(QString, made);
        if (!runningAsRoot() || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to act as another user");
        const uid_t nobody = 65534;
        const QByteArray content = verb == QLatin1String("lock") ? QByteArray("Hello, World!") : lockVectors().first().locked;
        QVERIFY(writeFile(file, content));
        QVERIFY(setMode(env->root(), 0711));
        QVERIFY(setMode(folder, 0777));
        QVERIFY(setOwner(file, owner, group));
        QVERIFY(setMode(file, 0666));
        const QString before = ownerOf(file);

        const CliResult result = runCliAs(nobody, nobody, {verb, file}, "abc\n");
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(QString::fromUtf8(result.err),
                 QStringLiteral("\"%1\" belongs to another user or group, which the %2 file could not keep; it was not "
                                "changed.\n")
                     .arg(file, made));
        QCOMPARE(readFile(file), content);
        QCOMPARE(ownerOf(file), before);
        QCOMPARE(entries(folder), QStringList{QStringLiteral("notes.txt")});

        // The same user's own file in that folder locks and unlocks.
        QVERIFY(setOwner(file, nobody, nobody));
        QCOMPARE(runCliAs(nobody, nobody, {verb, file}, "abc\n").exitCode, 0);
        QCOMPARE(ownerOf(file), QStringLiteral("%1:%1").arg(nobody));
    }

    void hardLinkRefused()
    {
        QVERIFY(writeFile(file, "Hello, World!"));
        QCOMPARE(QProcess::execute(QStringLiteral("ln"), {file, folder + QStringLiteral("/second")}), 0);
        const CliResult result = runCli({QStringLiteral("lock"), file}, "abc\n");
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(QString::fromUtf8(result.err),
                 QStringLiteral("\"%1\" has other names (hard links), which would keep its plain content; it was not "
                                "changed.\n")
                     .arg(file));
        QCOMPARE(readFile(folder + QStringLiteral("/second")), QByteArray("Hello, World!"));
        QCOMPARE(readFile(file), QByteArray("Hello, World!"));
    }

    // A file deeper than the system's path limit locks and unlocks, also
    // through a link beside it whose target climbs up the tree and back.
    void deepFile_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("file") << false;
        QTest::newRow("relative link") << true;
    }

    void deepFile()
    {
        QFETCH(bool, throughLink);
        QString deep;
        const int fd = openDeepFolder(folder, 25, &deep);
        QVERIFY(fd >= 0);
        QVERIFY(deep.size() > 4096);
        const auto closeFolder = qScopeGuard([fd] { ::close(fd); });
        QVERIFY(writeAt(fd, "deep.txt", "Hello, World!"));
        QString path = deep + QStringLiteral("/deep.txt");
        if (throughLink) {
            QVERIFY(::symlinkat("../" + QByteArray(200, 'd') + "/deep.txt", fd, "link") == 0);
            path = deep + QStringLiteral("/link");
        }

        CliResult result = runCli({QStringLiteral("lock"), path}, "abc\n");
        QCOMPARE(QString::fromUtf8(result.err), QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(readAt(fd, "deep.txt"), lockVectors().first().locked);
        result = runCli({QStringLiteral("lock"), path}, "abc\n");
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(QString::fromUtf8(result.err), QStringLiteral("\"%1\" is already locked.\n").arg(path));
        result = runCli({QStringLiteral("unlock"), path}, "abc\n");
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(readAt(fd, "deep.txt"), QByteArray("Hello, World!"));
        struct stat st {};
        QVERIFY(::fstatat(fd, "link", &st, AT_SYMLINK_NOFOLLOW) == 0 ? S_ISLNK(st.st_mode) : !throughLink);
    }

    // On a terminal the password is asked twice, as the window's dialog does.
    void terminalAsksTwice_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("same twice") << QByteArray("abc\nabc\n") << 0;
        QTest::newRow("different") << QByteArray("abc\nabd\n") << 1;
    }

    void terminalAsksTwice()
    {
        QFETCH(QByteArray, typed);
        QFETCH(int, exitCode);
        if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
            QSKIP("no 'script' to run the program on a terminal");
        QVERIFY(writeFile(file, "Hello, World!"));
        const CliResult result = runShell(QStringLiteral("printf '%1' | script -qec \"\\\"$CLI\\\" lock '%2'\" /dev/null")
                                              .arg(QString::fromLatin1(typed).replace(u'\n', QLatin1String("\\n")), file));
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(result.out.contains("Enter the password... "));
        QVERIFY(result.out.contains("Please enter the same password again... "));
        if (exitCode == 0) {
            QCOMPARE(readFile(file), lockVectors().first().locked);
        } else {
            QVERIFY(result.out.contains("The two passwords are not the same!"));
            QCOMPARE(readFile(file), QByteArray("Hello, World!"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliLock)
#include "tst_cli_lock.moc"
