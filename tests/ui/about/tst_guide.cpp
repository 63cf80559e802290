// SPDX-License-Identifier: GPL-3.0-or-later
// Where the web page link finds the installed user guide, and the guide
// window that shows it when the desktop has no browser to hand it to.

#include "TestEnv.h"
#include "ui/about/GuideWindow.h"
#include "ui/about/Links.h"

#include <QApplication>
#include <QTextBrowser>
#include <QtTest>

using namespace sweepora;

class tst_Guide : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void userGuidePath_data();
    void userGuidePath();
    void guideFromTheBuildTree();
    void openLinkWithoutBrowser_data();
    void openLinkWithoutBrowser();
    void oneGuideWindowAtATime();

private:
    QList<GuideWindow *> guideWindows() const;
    QString writePage(const QString &name, const QString &title) const;

    std::unique_ptr<test::TestEnv> m_env;
};

void tst_Guide::initTestCase()
{
    m_env = std::make_unique<test::TestEnv>();
    // A desktop without any browser, mail program or opener: nothing on the
    // PATH and no desktop named.
    qputenv("PATH", QFile::encodeName(m_env->makeDir(QStringLiteral("empty-path"))));
    for (const char *name : {"BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                             "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        qunsetenv(name);
}

void tst_Guide::cleanup()
{
    qDeleteAll(guideWindows());
}

QList<GuideWindow *> tst_Guide::guideWindows() const
{
    QList<GuideWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *guide = qobject_cast<GuideWindow *>(widget))
            found.append(guide);
    }
    return found;
}

QString tst_Guide::writePage(const QString &name, const QString &title) const
{
    const QString path = m_env->root() + QStringLiteral("/pages/") + name;
    const QString html = QStringLiteral("<!DOCTYPE html><html><head><title>%1</title></head>"
                                        "<body><h1>Groups</h1><p>%2</p></body></html>")
                             .arg(title, name);
    [&] { QVERIFY(test::writeFile(path, html.toUtf8())); }();
    return path;
}

void tst_Guide::userGuidePath_data()
{
    QTest::addColumn<bool>("installedBeside");
    QTest::newRow("guide at its place from the program's folder (an install, a package under /usr)") << true;
    QTest::newRow("no guide there: the build's install path") << false;
}

void tst_Guide::userGuidePath()
{
    QFETCH(bool, installedBeside);
    const QString prefix = m_env->makeDir(QStringLiteral("prefix-%1").arg(installedBeside));
    const QString programDir = prefix + QStringLiteral("/bin");
    QDir().mkpath(programDir);
    const QString beside = QDir::cleanPath(programDir + u'/' + QStringLiteral(SWEEPORA_GUIDE_FROM_BINDIR));
    QVERIFY(beside.startsWith(prefix + u'/'));
    if (installedBeside)
        QVERIFY(test::writeFile(beside, "<html></html>"));

    const QString expected = installedBeside ? beside : QStringLiteral(SWEEPORA_GUIDE_PATH);
    QCOMPARE(sweepora::userGuidePath(programDir), expected);
}

void tst_Guide::guideFromTheBuildTree()
{
    // The program as "make run" starts it, from the build tree: it reads
    // the guide that is there to read.
    if (QFileInfo::exists(QStringLiteral(SWEEPORA_GUIDE_PATH)))
        QSKIP("a guide is installed under the build's prefix, which would be found as well");
    const QString found = sweepora::userGuidePath(QStringLiteral(SWEEPORA_PROGRAM_DIR));
    QVERIFY2(QFileInfo(found).isFile(), qPrintable(found));
    QCOMPARE(found, QStringLiteral(SWEEPORA_GUIDE_SOURCE));
}

void tst_Guide::openLinkWithoutBrowser_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("shown");
    QTest::newRow("the user guide: shown in the guide window") << "guide" << true;
    QTest::newRow("a local page that is missing: nothing") << "missing" << false;
    QTest::newRow("a web address: nothing") << "web" << false;
    QTest::newRow("a mail address: nothing") << "mail" << false;
}

void tst_Guide::openLinkWithoutBrowser()
{
    QFETCH(QString, kind);
    QFETCH(bool, shown);
    QUrl url;
    if (kind == QLatin1String("guide"))
        url = QUrl::fromLocalFile(writePage(QStringLiteral("guide.html"), QStringLiteral("Sweepora user guide")));
    else if (kind == QLatin1String("missing"))
        url = QUrl::fromLocalFile(m_env->root() + QStringLiteral("/pages/missing.html"));
    else if (kind == QLatin1String("web"))
        url = QUrl(QStringLiteral("https://sweepora.org/"));
    else
        url = QUrl(QStringLiteral("mailto:support@sweepora.org"));

    openLink(url);

    const QList<GuideWindow *> windows = guideWindows();
    QCOMPARE(windows.size(), shown ? 1 : 0);
    if (!shown)
        return;
    GuideWindow *window = windows.first();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->page(), url);
    QCOMPARE(window->windowTitle(), QStringLiteral("Sweepora user guide"));
    auto *browser = window->findChild<QTextBrowser *>(QStringLiteral("guideBrowser"));
    QVERIFY(browser);
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Groups")));
}

void tst_Guide::oneGuideWindowAtATime()
{
    const QUrl first = QUrl::fromLocalFile(writePage(QStringLiteral("first.html"), QStringLiteral("First")));
    const QUrl second = QUrl::fromLocalFile(writePage(QStringLiteral("second.html"), QStringLiteral("Second")));
    GuideWindow *window = GuideWindow::showPage(first);
    QCOMPARE(GuideWindow::showPage(second), window);
    QCOMPARE(guideWindows().size(), 1);
    QCOMPARE(window->page(), second);
    QCOMPARE(window->windowTitle(), QStringLiteral("Second"));

    // Once closed, the next page opens a new window.
    window->close();
    QTRY_VERIFY(guideWindows().isEmpty());
    QVERIFY(GuideWindow::showPage(first));
    QCOMPARE(guideWindows().size(), 1);
}

QTEST_MAIN(tst_Guide)
#include "tst_guide.moc"
