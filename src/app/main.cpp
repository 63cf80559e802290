// SPDX-License-Identifier: GPL-3.0-or-later
// sweepora: the desktop program.

#include "ui/main/Startup.h"
#include "ui/about/frmSplash.h"
#include "ui/common/Icons.h"
#include "platform/Privileges.h"
#include "ui/common/StartMode.h"

#include <QApplication>
#include <QLockFile>

using namespace sweepora;

int main(int argc, char *argv[])
{
    // The preview pane's browser refuses to start as root with its sandbox on.
    if (platform::runningAsAdministrator() && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sweepora"));
    QApplication::setApplicationVersion(QStringLiteral(SWEEPORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("sweepora"));

    // One copy at a time: a second start ends at once, before any window.
    QLockFile instanceLock(instanceLockPath());
    if (!instanceLock.tryLock(0))
        return 0;

    if (isMonitorModeCommandLine(QCoreApplication::arguments()))
        StartMode = QStringLiteral("-m");

    QApplication::setWindowIcon(appIcon());
    // The splash hands over to the main window after four seconds, or on
    // Enter or a click.
    (new frmSplash(handOverToMainWindow))->show();
    return app.exec();
}
