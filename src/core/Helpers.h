// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

namespace sweepora {

// Cuts `text` at its first NUL character, in place, and returns the result.
// A text without NUL comes back unchanged.
QString StripAtNul(QString &text);

// The folder that holds the program's configuration ("System/wingrdt.dll",
// "registry.ini"), without a trailing separator. Created when missing; empty
// when it cannot be determined or created, and then `why` (when given) says
// which folder and why. Callers never put their own tail on an empty result:
// that would name a path at the root.
QString GetWindowsDir(QString *why = nullptr);

// A byte count as a short text: "0 bytes", "1 byte", "1,023 bytes",
// "1.50 KB", "100 KB", "1.00 MB", "5.00 GB", on through TB and PB.
// Thousands are always grouped with the locale's separator and decimals use
// its decimal point. With `showBytes` and a count of 1024 or more,
// " (<count grouped> bytes)" follows.
QString FormatSize(std::uint64_t count, bool showBytes = false);

// File times count 100-nanosecond intervals since 1601-01-01 UTC.
using FileTime = std::int64_t;

// Converts a Unix time (seconds and nanoseconds since 1970-01-01 UTC).
constexpr FileTime fileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds = 0)
{
    constexpr std::int64_t epochDifference = 11644473600LL; // 1601 to 1970 in seconds
    return (seconds + epochDifference) * 10000000LL + nanoseconds / 100;
}

// "H:MM M/D/YYYY" of a file time, in UTC: 9:05 3/7/2000, 14:30 12/25/1999.
// Hour, month and day carry no leading zero; seconds are not shown.
QString FileTimeText(FileTime time);

// The same text as Latin-1 bytes, written to `out` without allocating (for
// listings of millions of rows); returns its length. `out` holds at least
// fileTimeTextCapacity bytes.
constexpr std::size_t fileTimeTextCapacity = 48;
std::size_t writeFileTimeText(FileTime time, char *out);

// The leading-number rule of the group table's icon field: blanks are
// ignored, the text is read as a decimal number up to the first character
// that cannot belong to one, and the value is rounded half to even. Empty or
// non-numeric text gives 0; values beyond the int range are clamped.
int leadingNumber(const QString &text);

} // namespace sweepora
