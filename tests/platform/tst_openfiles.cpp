// SPDX-License-Identifier: GPL-3.0-or-later
// What running processes use, tried with real processes: a stand-in
// program binds a socket, locks, maps a file or sits in a folder.

#include "platform/Folder.h"
#include "platform/OpenFiles.h"

#include "TestEnv.h"

#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sweepora;
using namespace sweepora::platform;
using namespace sweepora::test;

namespace {

const QString holderName = QStringLiteral("inuse-holder");

// A running stand-in holding `path` in the way `kind` names.
class Holder
{
public:
    Holder(const QString &kind, const QString &path, bool hidden)
    {
        QStringList args{kind, path};
        if (hidden)
            args << QStringLiteral("hidden");
        m_process.start(QStringLiteral(INUSE_HOLDER_PATH), args);
    }
    ~Holder() { stop(); }

    bool waitReady()
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(30000))
                return false;
        }
        return m_process.readLine() == "ready\n";
    }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(30000))
            m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

struct Seen
{
    bool inUse = false;
    QStringList names;
};

Seen look(const OpenFiles &set, std::uint64_t device, std::uint64_t inode)
{
    return {set.contains(device, inode), set.processNames(device, inode)};
}

// Gathers as a user who may not inspect the holder: as root, in a child
// process that becomes the user "nobody"; otherwise the holder hides itself
// (non-dumpable), so gathering as the same user is already such a look.
Seen lookAsOutsider(std::uint64_t device, std::uint64_t inode)
{
    if (::geteuid() != 0)
        return look(OpenFiles::gather(), device, inode);
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        const uid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0
            || ::setresuid(nobody, nobody, nobody) != 0)
            ::_exit(2);
        const Seen seen = look(OpenFiles::gather(), device, inode);
        const QByteArray out = (seen.inUse ? "1" : "0") + seen.names.join(u'\n').toUtf8();
        const bool written = ::write(fds[1], out.constData(), size_t(out.size())) == out.size();
        ::_exit(written ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray out;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, got);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || out.isEmpty()) {
        qWarning("the look as another user failed (status %d)", status);
        return {};
    }
    Seen seen{out.at(0) == '1', {}};
    if (out.size() > 1)
        seen.names = QString::fromUtf8(out.mid(1)).split(u'\n');
    return seen;
}

bool statPath(const QString &path, struct stat &st)
{
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

class TestOpenFiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void heldByAnotherProgram_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("namesKnown");
        // Bound sockets and locks are listed by the system for everyone;
        // a hidden process's name is known through its lock, not through
        // its socket (only its descriptors would tell).
        QTest::newRow("bound socket") << "socket" << false << true;
        QTest::newRow("bound socket, process hidden") << "socket" << true << false;
        QTest::newRow("flock") << "flock" << false << true;
        QTest::newRow("flock, process hidden") << "flock" << true << true;
        QTest::newRow("fcntl lock, process hidden") << "fcntl" << true << true;
        QTest::newRow("mapped, descriptor closed") << "mmap" << false << true;
        QTest::newRow("working folder") << "cwd" << false << true;
    }

    // Each way of use makes the entry in use while the program runs and
    // names the program; once it ends the entry is free again, a socket
    // file left behind included (stale).
    void heldByAnotherProgram()
    {
        QFETCH(QString, kind);
        QFETCH(bool, hidden);
        QFETCH(bool, namesKnown);

        const QString path = env->root() + (kind == QLatin1String("cwd") ? QStringLiteral("/session")
                                                                         : QStringLiteral("/held"));
        if (kind == QLatin1String("cwd"))
            QVERIFY(QDir().mkpath(path));
        else if (kind != QLatin1String("socket"))
            QVERIFY(writeFile(path, "0123456789"));
        const bool socket = kind == QLatin1String("socket");
        if (socket && !OpenFiles::gather().socketsKnown())
            QSKIP("the system does not tell which sockets are bound here");

        Holder holder(kind, path, hidden);
        QVERIFY2(holder.waitReady(), "the stand-in program did not start");
        struct stat st;
        QVERIFY(statPath(path, st));

        const Seen seen = hidden ? lookAsOutsider(st.st_dev, st.st_ino) : look(OpenFiles::gather(), st.st_dev, st.st_ino);
        QVERIFY(seen.inUse);
        QCOMPARE(seen.names, namesKnown ? QStringList{holderName} : QStringList{});

        holder.stop();
        QVERIFY(statPath(path, st)); // a socket file stays behind its socket
        const OpenFiles after = OpenFiles::gather();
        QVERIFY(!after.contains(st.st_dev, st.st_ino));
        QVERIFY(after.processNames(st.st_dev, st.st_ino).isEmpty());
        if (socket) {
            EntryStat entry;
            entry.type = EntryType::Socket;
            entry.device = st.st_dev;
            entry.inode = st.st_ino;
            QVERIFY2(!after.inUse(entry), "a stale socket file must be free to go");
        }
    }

    // Several programs using one entry are named once each, sorted; files
    // that no one uses are free.
    void namesAndFreeEntries()
    {
        const QString folder = env->makeDir(QStringLiteral("shared"));
        const QString idle = folder + QStringLiteral("/idle");
        QVERIFY(writeFile(idle, "x"));
        Holder first(QStringLiteral("cwd"), folder, false);
        Holder second(QStringLiteral("cwd"), folder, false);
        QVERIFY(first.waitReady());
        QVERIFY(second.waitReady());
        QFile open(idle);
        const OpenFiles set = OpenFiles::gather();
        struct stat st;
        QVERIFY(statPath(folder, st));
        QCOMPARE(set.processNames(st.st_dev, st.st_ino), QStringList{holderName});
        QVERIFY(statPath(idle, st));
        QVERIFY(!set.contains(st.st_dev, st.st_ino));

        // This process holding it open counts too, whatever its kind.
        QVERIFY(open.open(QIODevice::ReadOnly));
        QVERIFY(OpenFiles::gather().contains(st.st_dev, st.st_ino));
    }
};

QTEST_GUILESS_MAIN(TestOpenFiles)
#include "tst_openfiles.moc"
