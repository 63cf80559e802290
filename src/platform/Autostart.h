// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora::platform {

// The start-at-log-in entry. On Linux this is the XDG autostart file
// $XDG_CONFIG_HOME/autostart/sweepora.desktop whose Exec line is the command.

// Full path of the entry's file (may not exist).
QString autostartEntryPath();

// Writes the entry so that the desktop runs `commandLine` at log-in.
// Replaces an existing entry atomically. Returns false on failure.
bool writeAutostartEntry(const QString &commandLine);

// The command line of the entry, or an empty text when there is none.
QString readAutostartEntry();

// Removes the entry. A missing entry is not a failure.
bool removeAutostartEntry();

// The command line that starts `program` in monitor mode: the program's
// absolute path, quoted where the desktop-entry rules need it, then " -m".
QString monitorModeCommandLine(const QString &program);

} // namespace sweepora::platform
