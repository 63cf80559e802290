// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace sweepora {

// The file that keeps a second copy of the program from starting: in the
// user's runtime folder ($XDG_RUNTIME_DIR), else in the temporary folder.
QString instanceLockPath();

// True when the command line after the program's name is exactly "-m".
bool isMonitorModeCommandLine(const QStringList &arguments);

// Makes the main window visible (which loads it); in monitor mode it is
// then minimized and StartMode emptied. The one place where start-up hands
// over to the main window.
void handOverToMainWindow();

} // namespace sweepora
