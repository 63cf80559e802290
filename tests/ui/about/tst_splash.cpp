// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up splash: its texts, and what ends it (and what does not).
// This binary holds no artwork, so the splash shows without its logo.

#include "TestEnv.h"
#include "ui/about/frmSplash.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace sweepora;

class tst_Splash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void texts();
    void waitsFourSecondsByDefault();
    void endings_data();
    void endings();
    void timerHandsOverOnce();

private:
    // A splash whose timer does not run out during a test.
    frmSplash *showSplash(int interval = 3600 * 1000);
    template<typename T> T *child(const char *name) const
    {
        T *found = m_splash->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }

    std::unique_ptr<test::TestEnv> m_env;
    QPointer<frmSplash> m_splash;
    int m_handOvers = 0;
};

void tst_Splash::initTestCase()
{
    m_env = std::make_unique<test::TestEnv>();
}

void tst_Splash::init()
{
    m_handOvers = 0;
}

void tst_Splash::cleanup()
{
    delete m_splash.data();
}

frmSplash *tst_Splash::showSplash(int interval)
{
    m_splash = new frmSplash([this] { ++m_handOvers; }, interval);
    m_splash->show();
    if (!QTest::qWaitForWindowActive(m_splash))
        qWarning("the splash did not become the active window");
    return m_splash;
}

void tst_Splash::texts()
{
    showSplash();
    QVERIFY(m_splash->windowTitle().isEmpty());
    QVERIFY(m_splash->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(child<QLabel>("lblProductName")->text(), QStringLiteral("Sweepora"));
    QCOMPARE(child<QLabel>("lblVersion")->text(), QStringLiteral("Version 2.0.66"));
    QCOMPARE(child<QLabel>("lblPlatform")->text(), QStringLiteral("Designed for Linux desktops"));
    QCOMPARE(child<QLabel>("lblInfo")->text(), QStringLiteral("Monitor and clean unused Temporary Files"));
    QCOMPARE(child<QLabel>("Label3")->text(), QStringLiteral(">BETA<"));
    // No artwork in this binary: the logo's place stays empty.
    QVERIFY(child<QLabel>("imgLogo")->pixmap().isNull());
}

void tst_Splash::waitsFourSecondsByDefault()
{
    m_splash = new frmSplash([this] { ++m_handOvers; });
    const QTimer *timer = child<QTimer>("Timer1");
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 4000);
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
}

void tst_Splash::endings_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("ends");

    QTest::newRow("Enter") << "key Return" << true;
    QTest::newRow("Enter on the keypad") << "key Enter" << true;
    QTest::newRow("Escape") << "key Escape" << false;
    QTest::newRow("Space") << "key Space" << false;
    QTest::newRow("a letter") << "key A" << false;
    QTest::newRow("Tab") << "key Tab" << false;
    QTest::newRow("click on the frame's edge") << "click Frame1" << true;
    QTest::newRow("click inside a drawn box") << "click Shape1" << true;
    QTest::newRow("click on the product name") << "click lblProductName" << false;
    QTest::newRow("click on the version") << "click lblVersion" << false;
    QTest::newRow("click on the logo") << "click imgLogo" << false;
    QTest::newRow("right click on the frame") << "right-click Frame1" << false;
    QTest::newRow("closed by the desktop") << "close" << true;
}

// Enter and a click on the background hand over at once and close the
// splash; other keys and clicks on texts or pictures leave it up.
void tst_Splash::endings()
{
    QFETCH(QString, action);
    QFETCH(bool, ends);
    showSplash();

    const QStringList words = action.split(u' ');
    if (words[0] == QLatin1String("key")) {
        const QMap<QString, Qt::Key> keys{{"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter},
                                          {"Escape", Qt::Key_Escape}, {"Space", Qt::Key_Space},
                                          {"A", Qt::Key_A},           {"Tab", Qt::Key_Tab}};
        // Through the window, as the keyboard would deliver it.
        QTest::keyClick(m_splash->windowHandle(), keys.value(words[1]));
    } else if (words[0] == QLatin1String("close")) {
        m_splash->close();
    } else {
        QWidget *target = child<QWidget>(qPrintable(words[1]));
        QVERIFY(target);
        // On the frame's edge, inside its border; elsewhere in the middle.
        const QPoint where = words[1] == QLatin1String("Frame1") || words[1] == QLatin1String("Shape1")
                                 ? QPoint(4, 4)
                                 : target->rect().center();
        const Qt::MouseButton button = words[0] == QLatin1String("click") ? Qt::LeftButton : Qt::RightButton;
        QTest::mouseClick(target, button, {}, where);
    }

    if (ends) {
        QTRY_VERIFY(m_splash.isNull());
        QCOMPARE(m_handOvers, 1);
    } else {
        QTest::qWait(0);
        QVERIFY(m_splash);
        QVERIFY(m_splash->isVisible());
        QCOMPARE(m_handOvers, 0);
    }
}

void tst_Splash::timerHandsOverOnce()
{
    showSplash(10);
    QTRY_VERIFY(m_splash.isNull());
    QCOMPARE(m_handOvers, 1);
}

QTEST_MAIN(tst_Splash)
#include "tst_splash.moc"
