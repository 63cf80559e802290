// SPDX-License-Identifier: GPL-3.0-or-later
// Cleaning while a desktop runs: what running programs use stays, with the
// real things that use it (a program holding a file, a lock, a mapping, a
// socket or a working folder; an X server and its auth file; GLib's trash).

#include "core/AppFiles.h"
#include "engine/Cleaning.h"

#include "Fixtures.h"
#include "TestEnv.h"

#include <QDirIterator>
#include <QStandardPaths>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

namespace {

void makeOld(const QString &path)
{
    const QDateTime longAgo = QDateTime::currentDateTime().addDays(-30);
    QFile file(path);
    if (file.open(QIODevice::ReadWrite)) {
        file.setFileTime(longAgo, QFileDevice::FileModificationTime);
        file.setFileTime(longAgo, QFileDevice::FileAccessTime);
    }
}

// A running stand-in program that holds `path` in one way until it ends.
class Holder
{
public:
    Holder(const QString &kind, const QString &path)
    {
        m_process.start(QStringLiteral(INUSE_HOLDER_PATH), {kind, path});
        m_ready = m_process.waitForReadyRead(30000) && m_process.readLine().trimmed() == "ready";
    }
    ~Holder()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished();
    }
    bool ready() const { return m_ready; }

private:
    QProcess m_process;
    bool m_ready = false;
};

} // namespace

class TestCleaningDesktop : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void liveProgramsKeepWhatTheyUse_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QStringList>("left");
        const QStringList usual{"empty", "prog", "prog/held"};
        QTest::newRow("a lock (flock)") << "flock" << "prog/held" << usual;
        QTest::newRow("a lock (fcntl)") << "fcntl" << "prog/held" << usual;
        QTest::newRow("a mapping without a descriptor") << "mmap" << "prog/held" << usual;
        QTest::newRow("a working folder") << "cwd" << "prog" << QStringList{"empty", "prog"};
        // A bound socket makes its folder a session folder: kept whole.
        QTest::newRow("a bound socket") << "socket" << "prog/sock"
                                        << QStringList{"empty", "prog", "prog/other", "prog/sock"};
    }

    void liveProgramsKeepWhatTheyUse()
    {
        QFETCH(QString, kind);
        QFETCH(QString, held);
        QFETCH(QStringList, left);
        const QString root = env->makeDir(QStringLiteral("g"));
        buildTree(root, {"prog/other=3", "loose=4", "empty/"});
        if (kind != QLatin1String("socket") && kind != QLatin1String("cwd"))
            buildTree(root, {"prog/held=5"});
        const Holder holder(kind, root + u'/' + held);
        QVERIFY(holder.ready());

        const CleanResult result = runCleaning({{QStringLiteral("k"), root}});
        QCOMPARE(remaining(root), left);
        QCOMPARE(result.inUse.size(), 1);
        QCOMPARE(result.inUse.first().programs, QStringList{"inuse-holder"});
        QVERIFY(result.complete());
    }

    // A socket nobody has bound any more is stale: it goes.
    void staleSocketsGo()
    {
        const QString root = env->makeDir(QStringLiteral("g/dead")).chopped(5);
        {
            const SocketFile socket(QFile::encodeName(root + QStringLiteral("/dead/sock")));
            QVERIFY(socket.isBound());
        }
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/dead/sock")));
        const CleanResult result = runCleaning({{QStringLiteral("k"), root}});
        QCOMPARE(remaining(root), QStringList());
        QVERIFY(result.inUse.isEmpty());
    }

    // The X server keeps its auth file closed: only the keep list saves it,
    // and new X clients can still connect after the run.
    void xServerAuthFileSurvives()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString xauth = QStandardPaths::findExecutable(QStringLiteral("xauth"));
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || xauth.isEmpty() || xdotool.isEmpty())
            QSKIP("needs Xvfb, xauth and xdotool");
        const QString shared = env->makeDir(QStringLiteral("tmp"));
        QVERIFY(changeMode(shared, 01777));
        const QString authFile = shared + QStringLiteral("/xauth_QwErTy");
        const QString display = QStringLiteral(":%1").arg(170 + QCoreApplication::applicationPid() % 50);
        QCOMPARE(QProcess::execute(xauth, {QStringLiteral("-q"), QStringLiteral("-f"), authFile, QStringLiteral("add"),
                                           display, QStringLiteral("."),
                                           QStringLiteral("0123456789abcdef0123456789abcdef")}),
                 0);
        buildTree(shared, {"stale.log=9"});
        makeOld(authFile);
        makeOld(shared + QStringLiteral("/stale.log"));

        QProcess server;
        server.start(xvfb, {display, QStringLiteral("-auth"), authFile, QStringLiteral("-nolisten"),
                            QStringLiteral("tcp")});
        QVERIFY(server.waitForStarted());
        QProcessEnvironment client = QProcessEnvironment::systemEnvironment();
        client.insert(QStringLiteral("DISPLAY"), display);
        client.insert(QStringLiteral("XAUTHORITY"), authFile);
        auto clientConnects = [&] {
            QProcess probe;
            probe.setProcessEnvironment(client);
            probe.start(xdotool, {QStringLiteral("getdisplaygeometry")});
            return probe.waitForFinished(10000) && probe.exitCode() == 0;
        };
        bool up = false;
        for (int i = 0; i < 100 && !up; ++i) {
            up = clientConnects();
            if (!up)
                QTest::qWait(100);
        }
        QVERIFY2(up, "the X server did not come up");

        CleanOptions anyAge;
        anyAge.sharedMinimumAgeSeconds = 0;
        runCleaning({{QStringLiteral("Temp"), shared}}, {}, anyAge);
        const bool stillConnects = clientConnects();
        server.terminate();
        server.waitForFinished();
        QVERIFY(QFile::exists(authFile));
        QVERIFY(!QFile::exists(shared + QStringLiteral("/stale.log")));
        QVERIFY(stillConnects);
    }

    // GLib's own trash: an item a program holds stays with its restore
    // information; the others go with theirs; the trash's folders stay.
    void glibTrashIsEmptiedItemByItem()
    {
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (gio.isEmpty())
            QSKIP("needs gio (libglib2.0-bin)");
        const QString work = env->makeDir(QStringLiteral("home/work"));
        buildTree(work, {"letter.txt=12", "held.txt=7", "project/src/main.c=40", "project/empty/"});
        for (const char *name : {"letter.txt", "held.txt", "project"}) {
            QProcess trash;
            trash.start(gio, {QStringLiteral("trash"), work + u'/' + QLatin1String(name)});
            QVERIFY(trash.waitForFinished(30000));
            QCOMPARE(trash.exitCode(), 0);
        }
        const QString trashPath = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/Trash");
        QVERIFY(QFile::exists(trashPath + QStringLiteral("/files/held.txt")));
        const Holder holder(QStringLiteral("flock"), trashPath + QStringLiteral("/files/held.txt"));
        QVERIFY(holder.ready());

        const CleanResult result = runCleaning({{QStringLiteral("Recycle"), trashPath + u'/'}});
        QStringList left = remaining(trashPath);
        left.removeAll(QStringLiteral("directorysizes"));
        QCOMPARE(left, (QStringList{"files", "files/held.txt", "info", "info/held.txt.trashinfo"}));
        QCOMPARE(result.inUse.size(), 1);
        QVERIFY(result.complete());
        QVERIFY(!readFile(trashPath + QStringLiteral("/directorysizes")).contains("project"));
    }
};

QTEST_GUILESS_MAIN(TestCleaningDesktop)
#include "tst_cleaning_desktop.moc"
