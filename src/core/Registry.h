// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace sweepora {

// The program's settings store. Keys are paths such as "SOFTWARE\Vantrel"
// (either separator, compared without regard to case, as registry keys
// are); values are texts. It lives in the INI file
// GetWindowsDir() + "/registry.ini": the key path is the INI group and the
// value name its key.
//
// The value "SweeporaStartup" under the Run key is the start-at-log-in
// entry: writing it writes the desktop's autostart entry with the value as
// its command line, reading it reads that command line back, deleting it
// removes the entry.
//
// None of the operations raises an error; reads report through
// RegLastError and RegErrorText. Single-threaded use only.

inline constexpr const char *kProgramKey = "SOFTWARE\\Vantrel";
inline constexpr const char *kStartupValue = "Startup";
inline constexpr const char *kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char *kRunValue = "SweeporaStartup";

// Result codes as the registry gives them.
enum RegResult : int {
    RegSuccess = 0,
    RegFileNotFound = 2,
    RegAccessDenied = 5,
    RegNoMoreItems = 259,
};

// The value's text followed by its terminating NUL, or an empty text when
// the key or the value is missing. Callers that read a number stop at the NUL.
QString RegGetValue(const QString &keyPath, const QString &valueName);

// Creates the key (and any above it) when missing and writes the value.
void RegSetValue(const QString &keyPath, const QString &valueName, const QString &value);

// Deletes the value; a missing value or key changes nothing.
void RegDelValue(const QString &keyPath, const QString &valueName);

// Creates the key (and any above it) when missing.
void RegMakeKey(const QString &keyPath);

// Deletes the key with its values. Like the registry, a key that still has
// sub-keys is not deleted.
void RegKillKey(const QString &keyPath);

// Names of the sub-keys of `keyPath`, in stored order. Afterwards
// RegLastError is RegNoMoreItems at a normal end (RegFileNotFound for a
// missing key) and RegErrorText its message, which the caller shows.
QStringList RegListKeys(const QString &keyPath);

// Result of the last read operation and the message for it.
int RegLastError();
QString RegErrorText();

// The message for a result code: "The operation completed successfully.",
// "The system cannot find the file specified.", "No more data is available.".
QString regMessage(int code);

// Full path of the INI file; empty without a usable configuration folder,
// and then every operation is refused (RegAccessDenied) and writes nothing.
QString registryFilePath();

} // namespace sweepora
