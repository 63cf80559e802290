// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up in monitor mode on an X desktop as users have it: a window
// manager (openbox) and a notification area (trayer) on an X server of the
// test's own. A window manager may map a window asked for as minimized as a
// normal one, which offscreen tests cannot show.

#include "TestEnv.h"
#include "ui/main/MainWindow.h"
#include "ui/tray/XServer.h"
#include "ui/tray/frmIcon.h"

#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QTreeWidget>
#include <QtTest>

using namespace sweepora;

namespace {

bool xServerUp = false;

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The tray host's panel window as xwininfo shows the root's tree.
QString trayPanelTree()
{
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    const QRegularExpression panel(QStringLiteral(R"((0x[0-9a-f]+) "panel": \("panel" "trayer"\))"));
    const QRegularExpressionMatch match = panel.match(tree);
    if (!match.hasMatch())
        return QString();
    return run(QStringLiteral("xwininfo"), {QStringLiteral("-tree"), QStringLiteral("-id"), match.captured(1)});
}

// True when the program's icon stands in the notification area.
bool iconEmbedded()
{
    return trayPanelTree().contains(QStringLiteral("\"Sweepora\""));
}

// The windows of the program with the window class "sweepora" that X shows
// on the screen, leaving out the icon in the notification area.
QStringList sweeporaWindowsOnScreen()
{
    const QString panel = trayPanelTree();
    QStringList shown;
    const QStringList found =
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--classname"), QStringLiteral("^sweepora$")})
            .split(u'\n', Qt::SkipEmptyParts);
    for (const QString &decimal : found) {
        const QString id = QStringLiteral("0x") + QString::number(decimal.toULongLong(), 16);
        if (!panel.contains(id + u' '))
            shown << id;
    }
    return shown;
}

// True when X shows the window on the screen (mapped and viewable).
bool mappedOnScreen(const QWidget *window)
{
    if (!window->windowHandle())
        return false; // never created, never shown
    const QString info =
        run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window->winId())});
    return info.contains(QStringLiteral("IsViewable"));
}

} // namespace

class TestStartupX11 : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    test::XServer *m_xServer = nullptr;

public:
    void setXServer(test::XServer *server) { m_xServer = server; }

private slots:
    void initTestCase()
    {
        env = std::make_unique<test::TestEnv>();
        if (!xServerUp)
            QSKIP("Xvfb is not installed or did not start");
        if (QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xwininfo or xdotool is not installed");
        if (!m_xServer->startWindowManager())
            QSKIP("openbox (or xprop) is not installed or did not start");
        if (!m_xServer->startTrayHost())
            QSKIP("trayer is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 30000);
    }

    void monitorModeProgramEndsInTheTray()
    {
        // The program as the start-at-log-in entry runs it: the splash, then
        // only the icon in the notification area.
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.setStandardOutputFile(QProcess::nullDevice());
        program.start(QStringLiteral(SWEEPORA_APP_PATH), {QStringLiteral("-m")});
        QVERIFY(program.waitForStarted());
        auto stop = qScopeGuard([&program] {
            program.terminate();
            if (!program.waitForFinished(30000))
                program.kill();
            program.waitForFinished();
        });
        QTRY_VERIFY_WITH_TIMEOUT(iconEmbedded(), 60000);
        // The main window was handed over before the icon was made; the
        // window manager has answered its requests by the time the tray host
        // has embedded the icon.
        const QStringList shown = sweeporaWindowsOnScreen();
        QVERIFY2(shown.isEmpty(), qPrintable(QStringLiteral("on the screen: ") + shown.join(u' ')));
        QVERIFY(iconEmbedded());
        QCOMPARE(program.state(), QProcess::Running);
        stop.dismiss();
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        // Its icon is gone before the next test looks for one.
        QTRY_VERIFY_WITH_TIMEOUT(!iconEmbedded(), 30000);
    }

    void restoreAndMinimizeUnderWindowManager()
    {
        auto window = std::make_unique<frmMain>();
        window->startInTray();
        QCOMPARE(window->folderTree()->topLevelItemCount(), 6); // loaded all the same
        QTRY_VERIFY_WITH_TIMEOUT(iconEmbedded(), 30000);
        QVERIFY(frmIcon::of(window.get()));
        QVERIFY(window->isMinimized());
        QVERIFY(!window->isVisible());
        QVERIFY(!mappedOnScreen(window.get()));

        // Restore brings it on the screen and takes the icon away.
        frmIcon::of(window.get())->mnuRestore_Click();
        QVERIFY(window->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!iconEmbedded(), 30000);
        QVERIFY(!window->isMinimized());
        // Mapped by the window manager (where it places it is its choice).
        QTRY_VERIFY_WITH_TIMEOUT(mappedOnScreen(window.get()), 30000);

        // Minimizing it again under the window manager sends it back.
        window->mnuTaskBar_Click();
        QTRY_VERIFY_WITH_TIMEOUT(iconEmbedded(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!mappedOnScreen(window.get()), 30000);
    }
};

int main(int argc, char *argv[])
{
    test::XServer xServer;
    xServerUp = xServer.start();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sweepora")); // the icon's window is named after it
    TestStartupX11 test;
    test.setXServer(&xServer);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup_x11.moc"
