// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/GroupFileError.h"
#include "space/MFreeSpace.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace sweepora {

// The drive whose space the drive space window shows.
inline constexpr const char *kDrivePath = "/";

// Everything the drive space window shows, computed once when it opens.
struct DriveFigures
{
    DriveSpace drive;                    // all 0 when the drive could not be examined
    std::optional<std::uint64_t> wasted; // the groups' used space; none when the
                                         // group table could not be read
    GroupFileError tableError;           // what reading the group table gave
};

// Reads the group table afresh, sums the used space of every group's folder
// and looks at the drive that holds kDrivePath. A table cut short inside a
// record still gives the sum over its complete records. Walks every group
// folder: long work.
DriveFigures computeDriveFigures();

// The heading, "Drive Statistics for /".
QString driveHeading();

// A share of `base` with two decimals and "%", such as "41.27%"; "n/a" when
// the base is 0 or the part is unknown. The window and sweepora-cli take
// every share of DriveSpace::shareBase(), used + free, so that the used and
// free shares add up to 100% as df's Use% leaves out the reserve.
QString shareText(std::optional<std::uint64_t> part, std::uint64_t base);

// A byte count as the window shows it (FormatSize without the exact count);
// "n/a" when unknown.
QString sizeText(std::optional<std::uint64_t> count);

} // namespace sweepora
