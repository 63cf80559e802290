// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora {

// The start-at-log-in switch, kept in the settings store: "Startup" under
// the program's key ("1" on, "0" off) and the Run value that makes the
// desktop start the program in monitor mode at log-in.

// True when "Startup", read as a number up to its terminating NUL, is 1.
// A missing or unreadable value reads as off.
bool startupSwitchIsOn();

// Turns the switch on: writes the Run value with the command line that
// starts `program` with "-m", then "Startup" = "1". Failures of the writes
// are logged, not reported; the switch then stays as it was.
void turnStartupSwitchOn(const QString &program);

// Turns the switch off: deletes the Run value, then writes "Startup" = "0".
void turnStartupSwitchOff();

} // namespace sweepora
