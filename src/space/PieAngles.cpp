// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/PieAngles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sweepora {
namespace {

// The first edge sits a hair past 3 o'clock, so that the first and last
// sectors both show their radius there.
constexpr double kStartDegrees = 0.00001;

// Share of a full turn in whole degrees, an exact half rounding to even.
double wholeDegrees(std::uint64_t part, std::uint64_t total)
{
    const double degrees = static_cast<double>(part) / static_cast<double>(total) * 360.0;
    const double down = std::floor(degrees);
    const double fraction = degrees - down;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(down, 2.0) != 0.0))
        return down + 1.0;
    return down;
}

} // namespace

double Rads(double degrees)
{
    return (22.0 / 7.0) * degrees / 180.0;
}

double NonZeroAngle(double angle)
{
    return angle == 0.0 ? 0.001 : angle;
}

std::optional<PieAngles> pieAngles(std::uint64_t total, std::uint64_t free, std::uint64_t wasted)
{
    if (total == 0)
        return std::nullopt;

    PieAngles pie;
    pie.freeDegrees = std::min(wholeDegrees(free, total), 360.0);
    // Wasted space is drawn inside the free part; a wasted share larger than
    // the free one (or folders on other drives) fills that part and no more.
    const double wasted360 = NonZeroAngle(wholeDegrees(wasted, total));
    pie.wastedDegrees = NonZeroAngle(std::min(wasted360, pie.freeDegrees));

    // Rads(360) lies a little beyond a full turn; no edge may pass the
    // starting edge once round, or a sector would cover the ones before it.
    const double first = Rads(kStartDegrees);
    const double fullTurn = first + 2.0 * std::numbers::pi;
    const double wastedEnd = std::min(Rads(pie.wastedDegrees), fullTurn);
    const double freeEnd = std::clamp(Rads(pie.freeDegrees), wastedEnd, fullTurn);

    pie.wasted = {first, wastedEnd};
    pie.free = {wastedEnd, freeEnd};
    pie.used = {freeEnd, fullTurn};
    return pie;
}

} // namespace sweepora
