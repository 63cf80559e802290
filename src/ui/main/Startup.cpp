// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/Startup.h"

#include "ui/common/StartMode.h"
#include "ui/main/MainWindow.h"

#include <QDir>

namespace sweepora {

QString instanceLockPath()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QDir(runtime).exists())
        runtime = QDir::tempPath();
    return runtime + QStringLiteral("/sweepora-%1.lock").arg(qEnvironmentVariable("USER"));
}

bool isMonitorModeCommandLine(const QStringList &arguments)
{
    return arguments.size() == 2 && arguments.at(1) == QLatin1String("-m");
}

void handOverToMainWindow()
{
    auto *window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (StartMode == QLatin1String("-m")) {
        // Monitor mode: the window loads but goes straight to the tray
        // without being shown first.
        window->startInTray();
        StartMode.clear();
    } else {
        window->show();
    }
}

} // namespace sweepora
