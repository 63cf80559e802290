// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Helpers.h"

#include "platform/SystemDirs.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>

namespace sweepora {

QString StripAtNul(QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QString GetWindowsDir(QString *why)
{
    return platform::windowsDir(why);
}

namespace {

QLocale groupingLocale()
{
    // "#,##0" always groups, even in the C locale whose default omits it.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale;
}

struct Rung
{
    double kibLimit;  // first rung whose limit exceeds the size in KiB applies
    int unitPower;    // the number shown is count / 1024^unitPower
    int decimals;
    const char *unit;
};

// Decimal thresholds on the size in KiB; after GB the same pattern goes on
// through TB and PB, and the last rung has no upper limit.
constexpr Rung ladder[] = {
    {1e1, 1, 2, " KB"}, {1e2, 1, 1, " KB"}, {1e3, 1, 0, " KB"},
    {1e4, 2, 2, " MB"}, {1e5, 2, 1, " MB"}, {1e6, 2, 0, " MB"},
    {1e7, 3, 2, " GB"}, {1e8, 3, 1, " GB"}, {1e9, 3, 0, " GB"},
    {1e10, 4, 2, " TB"}, {1e11, 4, 1, " TB"}, {1e12, 4, 0, " TB"},
    {1e13, 5, 2, " PB"}, {1e14, 5, 1, " PB"},
    {std::numeric_limits<double>::infinity(), 5, 0, " PB"},
};

} // namespace

QString FormatSize(std::uint64_t count, bool showBytes)
{
    const QLocale locale = groupingLocale();
    if (count < 1024) {
        return locale.toString(static_cast<qulonglong>(count))
            + (count == 1 ? QStringLiteral(" byte") : QStringLiteral(" bytes"));
    }
    const double bytes = static_cast<double>(count);
    const double kib = bytes / 1024.0;
    QString text;
    for (const Rung &rung : ladder) {
        if (kib < rung.kibLimit) {
            const double shown = bytes / std::pow(1024.0, rung.unitPower);
            // The "0.00" formats never group thousands.
            QLocale plain = locale;
            plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
            text = plain.toString(shown, 'f', rung.decimals) + QLatin1String(rung.unit);
            break;
        }
    }
    if (showBytes)
        text += QStringLiteral(" (") + locale.toString(static_cast<qulonglong>(count))
            + QStringLiteral(" bytes)");
    return text;
}

namespace {

struct CivilDate
{
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's
// civil_from_days), exact over the whole 64-bit range we can be given.
CivilDate civilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2), month, day};
}

} // namespace

std::size_t writeFileTimeText(FileTime time, char *out)
{
    constexpr std::int64_t ticksPerSecond = 10000000;
    constexpr std::int64_t secondsPerDay = 86400;
    constexpr std::int64_t daysFrom1601To1970 = 134774;

    std::int64_t seconds = time / ticksPerSecond;
    if (time % ticksPerSecond < 0)
        --seconds; // floor for times before 1601
    std::int64_t days = seconds / secondsPerDay;
    std::int64_t secondOfDay = seconds % secondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += secondsPerDay;
        --days;
    }
    const CivilDate date = civilFromDays(days - daysFrom1601To1970);
    const int hour = static_cast<int>(secondOfDay / 3600);
    const int minute = static_cast<int>(secondOfDay / 60 % 60);

    char *const end = out + fileTimeTextCapacity;
    char *p = std::to_chars(out, end, hour).ptr;
    *p++ = ':';
    *p++ = static_cast<char>('0' + minute / 10);
    *p++ = static_cast<char>('0' + minute % 10);
    *p++ = ' ';
    p = std::to_chars(p, end, date.month).ptr;
    *p++ = '/';
    p = std::to_chars(p, end, date.day).ptr;
    *p++ = '/';
    p = std::to_chars(p, end, date.year).ptr;
    return static_cast<std::size_t>(p - out);
}

QString FileTimeText(FileTime time)
{
    char text[fileTimeTextCapacity];
    return QString::fromLatin1(text, static_cast<qsizetype>(writeFileTimeText(time, text)));
}

int leadingNumber(const QString &text)
{
    // Blanks are ignored anywhere in the number, as the reader of the
    // original table did ("1 0" reads as 10).
    QString digits;
    bool seenPoint = false;
    bool seenDigit = false;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t')
            continue;
        if ((c == u'-' || c == u'+') && digits.isEmpty()) {
            digits += c;
            continue;
        }
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            seenDigit = true;
            continue;
        }
        if (c == u'.' && !seenPoint) {
            digits += c;
            seenPoint = true;
            continue;
        }
        break;
    }
    if (!seenDigit)
        return 0;
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok)
        return 0;
    const double rounded = std::nearbyint(value); // default mode: half to even
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}

} // namespace sweepora
