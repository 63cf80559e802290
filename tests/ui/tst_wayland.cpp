// SPDX-License-Identifier: GPL-3.0-or-later
// The program in a Wayland session: a compositor of the test's own (weston,
// headless) and Qt's Wayland platform plugin. Start-up, a listing and the
// dialogs; minimizing where the desktop has no notification area.

#include "TestEnv.h"
#include "core/GroupTable.h"
#include "lock/frmSecret.h"
#include "ui/about/frmAbout.h"
#include "ui/main/FileListModel.h"
#include "ui/main/MainWindow.h"
#include "ui/tray/frmIcon.h"

#include <QLibraryInfo>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace sweepora;

namespace {

QString skipReason;

// Starts weston on a socket in `runtime` and points Qt at it. Must run
// before the QApplication is made. Returns why not where it cannot.
QString startCompositor(QProcess &weston, const QString &runtime)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("weston"));
    if (program.isEmpty())
        return QStringLiteral("weston is not installed");
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath)
                           + QStringLiteral("/platforms/libqwayland-generic.so")))
        return QStringLiteral("Qt's Wayland platform plugin (qt6-wayland) is not installed");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    weston.setProcessEnvironment(environment);
    weston.setProgram(program);
    weston.setArguments({QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=sweepora-test"),
                         QStringLiteral("--idle-time=0"), QStringLiteral("--width=1280"),
                         QStringLiteral("--height=900")});
    weston.setStandardOutputFile(QProcess::nullDevice());
    weston.setStandardErrorFile(QProcess::nullDevice());
    weston.start();
    if (!weston.waitForStarted())
        return QStringLiteral("weston did not start");
    const QString socket = runtime + QStringLiteral("/sweepora-test");
    for (int attempt = 0; attempt < 300 && !QFileInfo::exists(socket); ++attempt) {
        if (weston.waitForFinished(100))
            return QStringLiteral("weston ended at start-up");
    }
    if (!QFileInfo::exists(socket))
        return QStringLiteral("weston did not open its socket");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    qputenv("WAYLAND_DISPLAY", "sweepora-test");
    qputenv("QT_QPA_PLATFORM", "wayland");
    qunsetenv("DISPLAY"); // no way round through XWayland or an X server
    // The headless compositor has no keyboard seat; Qt 6.4's text-input
    // context dereferences the missing seat when a focused line edit draws
    // its cursor. Desktops have a seat, so the test does without the
    // compositor's input method.
    qputenv("QT_IM_MODULE", "none");
    return QString();
}

template<typename T>
T *topLevel()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<T *>(widget); found && found->isVisible())
            return found;
    }
    return nullptr;
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    QString listed;

private slots:
    void initTestCase()
    {
        if (!skipReason.isEmpty())
            QSKIP(qPrintable(skipReason));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        env = std::make_unique<test::TestEnv>();
        listed = env->makeDir(QStringLiteral("listed"));
        QVERIFY(test::writeFile(listed + QStringLiteral("/notes.txt"), "hello"));
        QVERIFY(test::writeFile(listed + QStringLiteral("/sub/old.log"), "seven!!"));
        SaveGroups({{QStringLiteral("Listed"), listed + u'/', QStringLiteral("Listed"), QStringLiteral("3")}});
    }

    void startListAndDialogs()
    {
        auto window = std::make_unique<frmMain>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->windowTitle(), QStringLiteral("Sweepora"));
        QCOMPARE(window->folderTree()->topLevelItemCount(), 1);

        // A listing.
        window->FolderTree_NodeClick(window->folderTree()->topLevelItem(0));
        QCOMPARE(window->fileListModel()->rowCount(), 2);
        QVERIFY(window->filesTotalText().endsWith(QStringLiteral(" Files found in 2 Directories")));

        // The About box, not modal.
        frmAbout::open(window.get());
        QTRY_VERIFY_WITH_TIMEOUT(topLevel<frmAbout>(), 30000);
        QVERIFY(QTest::qWaitForWindowExposed(topLevel<frmAbout>()));
        topLevel<frmAbout>()->close();

        // The lock window, modal: it comes up, takes a path and closes.
        bool lockShown = false;
        QTimer::singleShot(0, this, [&lockShown] {
            QTRY_VERIFY_WITH_TIMEOUT(topLevel<frmSecret>(), 30000);
            frmSecret *lock = topLevel<frmSecret>();
            lockShown = QTest::qWaitForWindowExposed(lock);
            lock->findChild<QLineEdit *>(QStringLiteral("txtFile"))->setText(QStringLiteral("/"));
            lock->close();
        });
        openLockWindow(window.get());
        QVERIFY(lockShown);

        // Minimizing: with no notification area the window stays reachable.
        window->mnuTaskBar_Click();
        QCoreApplication::processEvents();
        QVERIFY(!frmIcon::of(window.get()));
        QVERIFY(window->isVisible());
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess weston;
    skipReason = runtime.isValid() ? startCompositor(weston, runtime.path()) : QStringLiteral("no runtime folder");
    if (!skipReason.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    int status = 0;
    {
        QApplication app(argc, argv);
        TestWayland test;
        status = QTest::qExec(&test, argc, argv);
    }
    if (weston.state() != QProcess::NotRunning) {
        weston.terminate();
        if (!weston.waitForFinished(10000))
            weston.kill();
        weston.waitForFinished();
    }
    return status;
}

#include "tst_wayland.moc"
