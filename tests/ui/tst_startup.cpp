// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/Startup.h"

#include "TestEnv.h"
#include "ui/common/StartMode.h"
#include "ui/main/MainWindow.h"

#include <QLockFile>
#include <QTreeWidget>
#include <QtTest>

using namespace sweepora;
using namespace sweepora::test;

class TestStartup : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void monitorModeCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("monitor");
        QTest::newRow("-m") << QStringList{"sweepora", "-m"} << true;
        QTest::newRow("nothing") << QStringList{"sweepora"} << false;
        QTest::newRow("upper case") << QStringList{"sweepora", "-M"} << false;
        QTest::newRow("more after it") << QStringList{"sweepora", "-m", "x"} << false;
        QTest::newRow("something before it") << QStringList{"sweepora", "x", "-m"} << false;
        QTest::newRow("with blanks") << QStringList{"sweepora", " -m"} << false;
    }

    void monitorModeCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, monitor);
        QCOMPARE(isMonitorModeCommandLine(arguments), monitor);
    }

    void monitorModeEndsMinimized()
    {
        StartMode = QStringLiteral("-m");
        handOverToMainWindow();
        frmMain *window = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *main = qobject_cast<frmMain *>(widget))
                window = main;
        }
        QVERIFY(window);
        QVERIFY(StartMode.isEmpty());
        QVERIFY(window->windowState() & Qt::WindowMinimized);
        QCOMPARE(window->folderTree()->topLevelItemCount(), 6); // loaded all the same
        delete window;
    }

    void secondCopyEndsAtOnce()
    {
        QLockFile running(instanceLockPath());
        QVERIFY(running.tryLock(0));
        QProcess second;
        second.start(QStringLiteral(SWEEPORA_APP_PATH), {});
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        // It ended before its main window loaded: no group table was written.
        QVERIFY(!QFile::exists(env->groupFile()));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
