// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora {

// Where the program's files live. Each call asks afresh, so tests (and users)
// can point the XDG folders elsewhere at any time. When the folder cannot be
// used the path is empty, never a path at the root, and `why` (when given)
// says which folder and why.

// The group table: GetWindowsDir() + "/System/wingrdt.dll".
QString groupTablePath(QString *why = nullptr);

// The deleted-files report "DelRpt.TXT" in the program's own folder.
QString reportPath(QString *why = nullptr);

// Creates the deleted-files report anew, empty. The report is opened without
// following a symbolic link and only when it is a regular file (or missing).
// Returns false on failure, with the reason in `error` (and in the log);
// callers go on without a report.
bool emptyReport(QString *error = nullptr);

} // namespace sweepora
