// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/DriveFigures.h"

#include "core/Helpers.h"
#include "space/GroupUsage.h"

#include <QLocale>
#include <QtDebug>

#include <limits>

namespace sweepora {

DriveFigures computeDriveFigures()
{
    DriveFigures figures;
    const UsageGroups usage = groupsForUsage();
    figures.tableError = usage.error;
    if (usage.error && usage.error.number != GroupFileError::InputPastEnd) {
        qWarning("Wasted space not available: the group table gave %s",
                 qUtf8Printable(usage.error.text()));
    } else {
        if (usage.error)
            qWarning("The group table is cut short (%s); wasted space counts its complete records",
                     qUtf8Printable(usage.error.text()));
        std::uint64_t sum = 0;
        for (const Group &group : usage.groups) {
            const std::uint64_t used = groupUsedSpace(group);
            sum = used > std::numeric_limits<std::uint64_t>::max() - sum
                ? std::numeric_limits<std::uint64_t>::max()
                : sum + used;
        }
        figures.wasted = sum;
    }
    figures.drive = QueryDrive(QLatin1String(kDrivePath));
    return figures;
}

QString driveHeading()
{
    return QStringLiteral("Drive Statistics for ") + QLatin1String(kDrivePath);
}

QString shareText(std::optional<std::uint64_t> part, std::uint64_t base)
{
    if (!part || base == 0)
        return QStringLiteral("n/a");
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    const double percent = static_cast<double>(*part) / static_cast<double>(base) * 100.0;
    return locale.toString(percent, 'f', 2) + u'%';
}

QString sizeText(std::optional<std::uint64_t> count)
{
    return count ? FormatSize(*count) : QStringLiteral("n/a");
}

} // namespace sweepora
