// SPDX-License-Identifier: GPL-3.0-or-later
// The notification-area icon: its menu, what each entry and each click
// does, and the icon following the main window's minimized state.
//
// Built twice: tst_tray runs offscreen, where there is no notification area
// and minimizing must leave the window on the taskbar; tst_tray_x11 starts
// an X server and a tray host of its own, where minimizing sends the window
// to the icon.

#include <QPushButton> // MessageBoxAnswer.h uses the button classes without including them

#include "MessageBoxAnswer.h"
#include "TestEnv.h"
#include "ui/tray/ShutDownMenu.h"
#include "ui/tray/frmIcon.h"

#ifdef SWEEPORA_TRAY_ON_X
#include "XServer.h"
#endif

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMenu>
#include <QtTest>

#include <memory>

using namespace sweepora;

namespace {

#ifdef SWEEPORA_TRAY_ON_X
bool xServerUp = false;
#endif

const QString noTrayMessage =
    QStringLiteral("No notification area is available: the minimized window stays on the taskbar");
int noTrayMessages = 0;
QtMessageHandler previousHandler = nullptr;

void countNoTrayMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message == noTrayMessage)
        ++noTrayMessages;
    previousHandler(type, context, message);
}

// Stands in for the main window: hands every state change to the icon
// form, as the real one does.
class MainStandIn : public QMainWindow
{
public:
    frmIcon::Hooks hooks;
    int closeEvents = 0;

protected:
    void changeEvent(QEvent *event) override
    {
        QMainWindow::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange)
            frmIcon::followWindowState(this, hooks);
    }
    void closeEvent(QCloseEvent *event) override
    {
        ++closeEvents;
        QMainWindow::closeEvent(event);
    }
};

QStringList describeMenu(const QMenu *menu)
{
    QStringList items;
    for (const QAction *action : menu->actions())
        items << action->objectName() + u'|' + (action->isSeparator() ? QStringLiteral("-") : action->text());
    return items;
}

} // namespace

class tst_Tray : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuItems();
    void menuEntriesRunTheirHooks_data();
    void menuEntriesRunTheirHooks();
    void clicksThatDoNothing_data();
    void clicksThatDoNothing();
    void restore_data();
    void restore();
    void closeRemovesIconAndWindow();
    void programStaysWhileIconShown();

    void minimizeWithoutNotificationArea();
    void minimizeToNotificationArea();

    void toolbarShutDownAsksFirst_data();
    void toolbarShutDownAsksFirst();

private:
    // An icon form for the main window, which is minimized and hidden as
    // when it went to the tray.
    frmIcon *iconForHiddenWindow();

    std::unique_ptr<test::TestEnv> m_env;
    std::unique_ptr<MainStandIn> m_main;
    QStringList m_calls;
#ifdef SWEEPORA_TRAY_ON_X
    test::XServer *m_xServer = nullptr;

public:
    void setXServer(test::XServer *server) { m_xServer = server; }
#endif
};

void tst_Tray::initTestCase()
{
    m_env = std::make_unique<test::TestEnv>();
    previousHandler = qInstallMessageHandler(countNoTrayMessages);
    // Nothing here may reach the machine's real logind.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + QFile::encodeName(m_env->root()) + "/no-bus");
#ifdef SWEEPORA_TRAY_ON_X
    if (!xServerUp)
        QSKIP("Xvfb is not installed or did not start");
    if (!m_xServer->startTrayHost())
        QSKIP("trayer is not installed");
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 30000);
#endif
}

void tst_Tray::init()
{
    m_calls.clear();
    m_main = std::make_unique<MainStandIn>();
    m_main->setWindowTitle(QStringLiteral("Sweepora"));
    m_main->resize(400, 300);
    m_main->hooks.diskSpace = [this] { m_calls << QStringLiteral("disk space"); };
    m_main->hooks.lockFiles = [this] { m_calls << QStringLiteral("lock files"); };
    m_main->hooks.about = [this] { m_calls << QStringLiteral("about"); };
    m_main->hooks.endSession = [this](std::uint8_t flags) {
        m_calls << QStringLiteral("end session %1").arg(flags);
    };
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void tst_Tray::cleanup()
{
    m_main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
}

frmIcon *tst_Tray::iconForHiddenWindow()
{
    auto *icon = new frmIcon(m_main.get(), m_main->hooks);
    m_main->setWindowState(Qt::WindowMinimized);
    // Lets the window system's echo of the new state arrive now, not in the
    // middle of a later step.
    QCoreApplication::processEvents();
    m_main->hide();
    return icon;
}

void tst_Tray::menuItems()
{
    frmIcon *icon = iconForHiddenWindow();
    QCOMPARE(icon->trayIcon()->toolTip(), QStringLiteral("Sweepora"));
    QVERIFY(!icon->trayIcon()->icon().isNull());
    QCOMPARE(icon->trayIcon()->contextMenu(), icon->mnuPopup());

    const QMenu *menu = icon->mnuPopup();
    QCOMPARE(menu->objectName(), QStringLiteral("mnuPopup"));
    QCOMPARE(describeMenu(menu),
             QStringList({"mnuRestore|&Restore", "mnuDiskSpace|&Disk Space", "mnuLockFiles|&Lock Files",
                          "mnuAbout|&About", "sep2|-", "mnuShutDown|Sh&ut Down ...", "sep1|-",
                          "mnuClose|&Close "}));
    const QMenu *shutDown = menu->actions().at(5)->menu();
    QVERIFY(shutDown);
    QCOMPARE(describeMenu(shutDown),
             QStringList({"reboot|&Reboot", "shutdown|&Shutdown", "relogon|&Re Logon", "forcedown|&Force"}));

    // Close is the default item and stands out in bold.
    QAction *close = menu->actions().constLast();
    QCOMPARE(menu->defaultAction(), close);
    QVERIFY(close->font().bold());
    for (const QAction *other : menu->actions()) {
        if (other != close)
            QVERIFY2(!other->font().bold(), qPrintable(other->objectName()));
    }
}

void tst_Tray::menuEntriesRunTheirHooks_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("call");
    QTest::newRow("Disk Space") << "mnuDiskSpace" << "disk space";
    QTest::newRow("Lock Files") << "mnuLockFiles" << "lock files";
    QTest::newRow("About") << "mnuAbout" << "about";
    QTest::newRow("Reboot") << "reboot" << "end session 2";
    QTest::newRow("Shutdown") << "shutdown" << "end session 1";
    QTest::newRow("Re Logon") << "relogon" << "end session 0";
    QTest::newRow("Force") << "forcedown" << "end session 4";
}

// Each entry does its one thing; the main window stays in the tray.
void tst_Tray::menuEntriesRunTheirHooks()
{
    QFETCH(QString, item);
    QFETCH(QString, call);
    frmIcon *icon = iconForHiddenWindow();
    QAction *action = icon->mnuPopup()->findChild<QAction *>(item);
    QVERIFY(action);

    action->trigger();

    QTRY_COMPARE(m_calls, QStringList{call});
    QCOMPARE(frmIcon::of(m_main.get()), icon);
    QVERIFY(icon->trayIcon()->isVisible());
    QVERIFY(!m_main->isVisible());
    QVERIFY(m_main->isMinimized());
}

void tst_Tray::clicksThatDoNothing_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::newRow("single click") << QSystemTrayIcon::Trigger;
    QTest::newRow("middle button") << QSystemTrayIcon::MiddleClick;
    QTest::newRow("menu request") << QSystemTrayIcon::Context;
    QTest::newRow("unknown") << QSystemTrayIcon::Unknown;
}

void tst_Tray::clicksThatDoNothing()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    frmIcon *icon = iconForHiddenWindow();

    emit icon->trayIcon()->activated(reason);
    QTest::qWait(0);

    QCOMPARE(frmIcon::of(m_main.get()), icon);
    QVERIFY(icon->trayIcon()->isVisible());
    QVERIFY(!m_main->isVisible());
    QVERIFY(m_calls.isEmpty());
}

void tst_Tray::restore_data()
{
    QTest::addColumn<bool>("byDoubleClick");
    QTest::newRow("double click on the icon") << true;
    QTest::newRow("menu Restore") << false;
}

// The main window comes back and the icon is gone at once.
void tst_Tray::restore()
{
    QFETCH(bool, byDoubleClick);
    QPointer<frmIcon> icon = iconForHiddenWindow();
    QPointer<QSystemTrayIcon> trayIcon = icon->trayIcon();

    if (byDoubleClick)
        emit icon->trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    else
        icon->mnuPopup()->findChild<QAction *>(QStringLiteral("mnuRestore"))->trigger();

    QVERIFY(m_main->isVisible());
    QVERIFY(!m_main->isMinimized());
    QVERIFY(!frmIcon::of(m_main.get()));
    QVERIFY(!trayIcon || !trayIcon->isVisible());
    QTRY_VERIFY(icon.isNull());
    QVERIFY(m_calls.isEmpty());
}

void tst_Tray::closeRemovesIconAndWindow()
{
    QPointer<frmIcon> icon = iconForHiddenWindow();
    QPointer<QSystemTrayIcon> trayIcon = icon->trayIcon();

    icon->mnuPopup()->findChild<QAction *>(QStringLiteral("mnuClose"))->trigger();

    QVERIFY(!trayIcon || !trayIcon->isVisible());
    QVERIFY(!frmIcon::of(m_main.get()));
    QCOMPARE(m_main->closeEvents, 1);
    QVERIFY(!m_main->isVisible());
    QTRY_VERIFY(icon.isNull());
    QVERIFY(m_calls.isEmpty());
}

// With the main window hidden, closing the last window shown (an About box
// opened from the menu) must not end the program; once the icon is gone the
// usual rule holds again.
void tst_Tray::programStaysWhileIconShown()
{
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    QPointer<frmIcon> icon = iconForHiddenWindow();
    QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
    emit icon->trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QTRY_VERIFY(icon.isNull());
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
}

void tst_Tray::minimizeWithoutNotificationArea()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("a notification area is available here");

    for (int round = 0; round < 2; ++round) {
        m_main->setWindowState(Qt::WindowMinimized);
        QTest::qWait(0);
        QVERIFY(m_main->isMinimized());
        QVERIFY2(m_main->isVisible(), "the window would be out of reach");
        QVERIFY(!frmIcon::of(m_main.get()));
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());

        m_main->setWindowState(Qt::WindowNoState);
        QVERIFY(m_main->isVisible());
    }
    // Said in the log once in the program's life, however often the window
    // is minimized.
    QCOMPARE(noTrayMessages, 1);
}

void tst_Tray::minimizeToNotificationArea()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("no notification area here");

    for (int round = 0; round < 2; ++round) {
        m_main->setWindowState(Qt::WindowMinimized);
        QPointer<frmIcon> icon = frmIcon::of(m_main.get());
        QVERIFY(icon);
        QVERIFY(icon->trayIcon()->isVisible());
        QTRY_VERIFY(!m_main->isVisible());
        // Minimized again while in the tray: still one icon.
        QCOMPARE(frmIcon::followWindowState(m_main.get(), m_main->hooks), icon.data());
        QCOMPARE(m_main->findChildren<frmIcon *>().size(), 1);

        emit icon->trayIcon()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(m_main->isVisible());
        QVERIFY(!m_main->isMinimized());
        QVERIFY(!frmIcon::of(m_main.get()));
        QTRY_VERIFY(icon.isNull());
    }
}

void tst_Tray::toolbarShutDownAsksFirst_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("yes shuts down") << QMessageBox::Yes << QStringList{"end session 1"};
    QTest::newRow("no leaves everything") << QMessageBox::No << QStringList();
}

void tst_Tray::toolbarShutDownAsksFirst()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QStringList, calls);
    test::BoxAnswerer answerer;
    answerer.answer(answer);

    const bool said = confirmShutDown(m_main.get(), m_main->hooks.endSession);

    QCOMPARE(said, answer == QMessageBox::Yes);
    QCOMPARE(m_calls, calls);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].title, QStringLiteral("ALERT!"));
    QCOMPARE(answerer.seen[0].text, QStringLiteral("Do you wan to shutdown your computer now?"));
    QCOMPARE(answerer.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(answerer.seen[0].defaultButton, QMessageBox::No);
}

int main(int argc, char *argv[])
{
#ifdef SWEEPORA_TRAY_ON_X
    test::XServer xServer;
    xServerUp = xServer.start();
#endif
    QApplication app(argc, argv);
    tst_Tray test;
#ifdef SWEEPORA_TRAY_ON_X
    test.setXServer(&xServer);
#endif
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tray.moc"
