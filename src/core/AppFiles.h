#pragma once

#include <QString>

namespace sweepora {

// Where the program's files live. Each call asks afresh, so tests (and users)
// can point the XDG folders elsewhere at any time.

// The group table: GetWindowsDir() + "/System/wingrdt.dll".
QString groupTablePath();

// The deleted-files report "DelRpt.TXT" in the program's own folder.
QString reportPath();

// Creates the deleted-files report anew, empty. Returns false (and logs) on
// failure; callers go on without a report.
bool emptyReport();

} // namespace sweepora
