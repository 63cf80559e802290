// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "space/DriveFigures.h"

namespace sweepora::cli {

int runSpace(const QStringList &args)
{
    if (!args.isEmpty())
        return usageError(QStringLiteral("'space' takes no arguments"));

    const DriveFigures figures = computeDriveFigures();
    const DriveSpace &drive = figures.drive;
    const std::uint64_t base = drive.shareBase();
    printRecord({QStringLiteral("Total Space = ") + sizeText(drive.total)});
    printRecord({QStringLiteral("Used Space = ") + sizeText(drive.used), shareText(drive.used, base)});
    printRecord({QStringLiteral("Wasted Space = ") + sizeText(figures.wasted), shareText(figures.wasted, base)});
    printRecord({QStringLiteral("Free Space = ") + sizeText(drive.free), shareText(drive.free, base)});

    int status = Success;
    if (!figures.wasted) {
        printError(figures.tableError.text());
        status = Refused;
    }
    if (drive.total == 0) {
        printError(QStringLiteral("sweepora-cli: cannot read the size of %1").arg(QLatin1String(kDrivePath)));
        status = Refused;
    }
    return status;
}

} // namespace sweepora::cli
