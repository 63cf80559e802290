// SPDX-License-Identifier: GPL-3.0-or-later
// The log-off and shutdown commands against stand-in services: a logind and
// desktop session managers on two private buses of the test's own, so that
// no call can reach the machine's real session.

#include "PrivateBus.h"
#include "TestEnv.h"
#include "platform/SessionEnd.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

#include <memory>

using namespace sweepora;

namespace {

// One running stand-in service; see sessionstandin.cpp for the roles.
class StandIn
{
public:
    explicit StandIn(const QString &role)
    {
        m_process.setProgram(QStringLiteral(SESSION_STANDIN_PATH));
        m_process.setArguments({role});
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
    }

    ~StandIn() { finish(); }

    // True once the service is on its bus.
    bool waitUntilReady()
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(30000))
                return false;
        }
        return m_process.readLine().trimmed() == "ready";
    }

    // Stops the service and returns the calls it received, one a line.
    QStringList finish()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(30000);
        }
        m_calls += QString::fromUtf8(m_process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        return m_calls;
    }

private:
    QProcess m_process;
    QStringList m_calls;
};

} // namespace

class tst_SessionEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void callsPerFlag_data();
    void callsPerFlag();
    void missingServicesAreSilent_data();
    void missingServicesAreSilent();

private:
    std::unique_ptr<test::TestEnv> m_env;
    test::PrivateBus m_systemBus;
    test::PrivateBus m_sessionBus;
};

void tst_SessionEnd::initTestCase()
{
    m_env = std::make_unique<test::TestEnv>();
    QVERIFY(m_systemBus.start(m_env->makeDir(QStringLiteral("system-bus"))));
    QVERIFY(m_sessionBus.start(m_env->makeDir(QStringLiteral("session-bus"))));
    // Before anything in this process opens a bus.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_systemBus.address().toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.address().toUtf8());
    qunsetenv("XDG_SESSION_ID");
}

void tst_SessionEnd::cleanup()
{
    qunsetenv("XDG_SESSION_ID");
}

void tst_SessionEnd::callsPerFlag_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("logind");  // role of the logind stand-in
    QTest::addColumn<QString>("desktop"); // role of the session manager stand-in, or none
    QTest::addColumn<QString>("xdgSessionId");
    QTest::addColumn<QStringList>("logindCalls");
    QTest::addColumn<QStringList>("desktopCalls");

    const QString pidLookup = QStringLiteral("GetSessionByPID %1").arg(QCoreApplication::applicationPid());
    const QStringList endOwnSession{pidLookup, QStringLiteral("TerminateSession c7")};

    QTest::newRow("log off, no session manager: logind ends the session")
        << 0 << "login1" << "" << "" << endOwnSession << QStringList();
    QTest::newRow("log off under GNOME: no confirmation")
        << 0 << "login1" << "gnome" << "" << QStringList() << QStringList{"Logout 1"};
    QTest::newRow("log off under KDE Plasma")
        << 0 << "login1" << "kde" << "" << QStringList() << QStringList{"logout"};
    QTest::newRow("log off under older KDE Plasma: no confirmation, log-off only")
        << 0 << "login1" << "ksmserver" << "" << QStringList() << QStringList{"logout 0 0 0"};
    QTest::newRow("log off refused by GNOME: the session stays")
        << 0 << "login1" << "gnome-refuses" << "" << QStringList() << QStringList{"Logout 1"};
    QTest::newRow("shut down: logind powers off, the session manager is not asked")
        << 1 << "login1" << "gnome" << "" << QStringList{"PowerOff false"} << QStringList();
    QTest::newRow("restart") << 2 << "login1" << "gnome" << "" << QStringList{"Reboot false"} << QStringList();
    QTest::newRow("forced log-off passes the session manager by")
        << 4 << "login1" << "gnome" << "" << endOwnSession << QStringList();
    QTest::newRow("forced log-off, session known only from XDG_SESSION_ID")
        << 4 << "login1-nopid" << "" << "42" << QStringList{pidLookup, QStringLiteral("TerminateSession 42")}
        << QStringList();
    QTest::newRow("forced log-off, no session known: nothing ended")
        << 4 << "login1-nopid" << "" << "" << QStringList{pidLookup} << QStringList();
}

void tst_SessionEnd::callsPerFlag()
{
    QFETCH(int, flags);
    QFETCH(QString, logind);
    QFETCH(QString, desktop);
    QFETCH(QString, xdgSessionId);
    QFETCH(QStringList, logindCalls);
    QFETCH(QStringList, desktopCalls);

    if (!xdgSessionId.isEmpty())
        qputenv("XDG_SESSION_ID", xdgSessionId.toUtf8());
    StandIn logindService(logind);
    QVERIFY(logindService.waitUntilReady());
    std::unique_ptr<StandIn> desktopService;
    if (!desktop.isEmpty()) {
        desktopService = std::make_unique<StandIn>(desktop);
        QVERIFY(desktopService->waitUntilReady());
    }

    platform::EndSession(std::uint8_t(flags));

    QCOMPARE(logindService.finish(), logindCalls);
    QCOMPARE(desktopService ? desktopService->finish() : QStringList(), desktopCalls);
}

void tst_SessionEnd::missingServicesAreSilent_data()
{
    QTest::addColumn<int>("flags");
    for (int flags : {0, 1, 2, 4})
        QTest::addRow("flag %d", flags) << flags;
}

// With no logind and no session manager on the buses, every command returns
// without a word to the user, and the failure is in the log.
void tst_SessionEnd::missingServicesAreSilent()
{
    QFETCH(int, flags);
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &,
                                                                const QString &message) {
        if (type == QtWarningMsg)
            warnings.append(message);
    });
    platform::EndSession(std::uint8_t(flags));
    qInstallMessageHandler(previous);

    QVERIFY2(!warnings.isEmpty(), "the failure is not logged");
    for (const QString &warning : std::as_const(warnings))
        QVERIFY2(warning.startsWith(QLatin1String("Session end: ")), qPrintable(warning));
}

QTEST_GUILESS_MAIN(tst_SessionEnd)
#include "tst_sessionend.moc"
