// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: its texts, where its links lead, and the pictures of the
// About box and the splash taken from the artwork's resource paths (a
// stand-in logo here).

#include "TestEnv.h"
#include "ui/about/VersionText.h"
#include "ui/about/frmAbout.h"
#include "ui/about/frmSplash.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace sweepora;

// Receives what the program hands to the desktop's browser or mail program.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class tst_About : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void texts();
    void links_data();
    void links();
    void versionTexts_data();
    void versionTexts();
    void okCloses();
    void enterCloses();
    void openTwiceShowsOneBox();
    void picturesFromArtwork();

private:
    template<typename T> T *child(const char *name) const { return m_about->findChild<T *>(QLatin1String(name)); }

    std::unique_ptr<test::TestEnv> m_env;
    std::unique_ptr<QWidget> m_main;
    QPointer<frmAbout> m_about;
    UrlCatcher m_catcher;
};

void tst_About::initTestCase()
{
    m_env = std::make_unique<test::TestEnv>();
    for (const char *scheme : {"file", "http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_catcher, "open");
}

void tst_About::cleanupTestCase()
{
    for (const char *scheme : {"file", "http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

void tst_About::init()
{
    m_catcher.opened.clear();
    m_main = std::make_unique<QWidget>();
    m_main->show();
    m_about = frmAbout::open(m_main.get());
    QVERIFY(QTest::qWaitForWindowExposed(m_about));
}

void tst_About::cleanup()
{
    m_main.reset(); // takes the About box with it
    QVERIFY(m_about.isNull());
}

void tst_About::texts()
{
    QCOMPARE(m_about->windowTitle(), QStringLiteral("About Sweepora"));
    QStringList info;
    for (const QLabel *label : m_about->findChildren<QLabel *>(QStringLiteral("lblInfo")))
        info << label->text();
    QCOMPARE(info, QStringList({"Sweepora", "Monitor and clean unused Temporary Files"}));
    QCOMPARE(child<QLabel>("lblVersion")->text(), QStringLiteral("Version: 2.00.0066"));
    QCOMPARE(child<QLabel>("lblDescription")->text(),
             QStringLiteral("This Aplication has been designed to clean Hard Drives form any unused files that "
                            "waste space, using monitoring and modification settings."));
    QCOMPARE(child<QLabel>("Label2")->text(), QStringLiteral(">BETA<"));
    QCOMPARE(child<QLabel>("lblProduct")->text(), QStringLiteral("Vantrel Home Page"));
    // The web page link names the guide, never its file's path.
    if (QStringLiteral(SWEEPORA_WEB_PAGE).isEmpty())
        QCOMPARE(child<QLabel>("lblURL")->text(), QStringLiteral("Sweepora User Guide"));
    else
        QCOMPARE(child<QLabel>("lblURL")->text(), QStringLiteral(SWEEPORA_WEB_PAGE));
    QCOMPARE(child<QLabel>("lblEmail")->text(), QUrl(QStringLiteral(SWEEPORA_MAIL)).path());
    QVERIFY(!child<QLabel>("lblCopyright")->text().isEmpty());
    QCOMPARE(child<QPushButton>("cmdOK")->text(), QStringLiteral("&OK"));
}

void tst_About::links_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QUrl>("target");

    const QString webPage = QStringLiteral(SWEEPORA_WEB_PAGE);
    // The test runs from the build tree, where the guide is the source's.
    const QUrl page = webPage.isEmpty() ? QUrl::fromLocalFile(QStringLiteral(SWEEPORA_GUIDE_SOURCE)) : QUrl(webPage);
    const QUrl mail(QStringLiteral(SWEEPORA_MAIL));
    QTest::newRow("credits line: mail to the maker") << "lblCopyright" << mail;
    QTest::newRow("web page (the user guide unless the build names one)") << "lblURL" << page;
    QTest::newRow("maker's home page") << "lblProduct" << QUrl(QStringLiteral(SWEEPORA_HOME_PAGE));
    QTest::newRow("mail address") << "lblEmail" << mail;
}

void tst_About::links()
{
    QFETCH(QString, label);
    QFETCH(QUrl, target);
    QLabel *link = m_about->findChild<QLabel *>(label);
    QVERIFY(link);

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_catcher.opened, QList<QUrl>{target});

    // The right button opens nothing.
    QTest::mouseClick(link, Qt::RightButton);
    QCOMPARE(m_catcher.opened.size(), 1);
    QVERIFY(m_about->isVisible());
}

void tst_About::versionTexts_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("splash");
    QTest::addColumn<QString>("about");
    QTest::newRow("this version") << 2 << 0 << 66 << "Version 2.0.66" << "Version: 2.00.0066";
    QTest::newRow("zeros") << 0 << 0 << 0 << "Version 0.0.0" << "Version: 0.00.0000";
    QTest::newRow("wider than the padding") << 12 << 345 << 67890 << "Version 12.345.67890"
                                            << "Version: 12.345.67890";
}

void tst_About::versionTexts()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, splash);
    QFETCH(QString, about);
    QCOMPARE(splashVersionText(major, minor, revision), splash);
    QCOMPARE(aboutVersionText(major, minor, revision), about);
}

void tst_About::okCloses()
{
    QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton);
    QTRY_VERIFY(m_about.isNull());
    QVERIFY(m_catcher.opened.isEmpty());
}

// The keyboard starts on OK: Enter closes the box and opens no link.
void tst_About::enterCloses()
{
    QVERIFY(QTest::qWaitForWindowActive(m_about));
    QTest::keyClick(m_about->windowHandle(), Qt::Key_Return);
    QTRY_VERIFY(m_about.isNull());
    QVERIFY(m_catcher.opened.isEmpty());
}

// Opening it again while it is up brings the same box forward; after it
// was closed, a new one shows the same texts.
void tst_About::openTwiceShowsOneBox()
{
    const QString version = child<QLabel>("lblVersion")->text();
    QCOMPARE(frmAbout::open(m_main.get()), m_about.data());
    m_about->close();
    QTRY_VERIFY(m_about.isNull());

    m_about = frmAbout::open(m_main.get());
    QVERIFY(m_about->isVisible());
    QCOMPARE(child<QLabel>("lblVersion")->text(), version);
}

void tst_About::picturesFromArtwork()
{
    // The stand-in logo is 200 by 100: fitted, its proportions kept.
    const QPixmap icon = child<QLabel>("Image1")->pixmap();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.deviceIndependentSize().toSize(), QSize(64, 32));

    frmSplash splash([] {});
    const QPixmap logo = splash.findChild<QLabel *>(QStringLiteral("imgLogo"))->pixmap();
    QVERIFY(!logo.isNull());
    QCOMPARE(logo.deviceIndependentSize().toSize(), QSize(96, 48));
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
