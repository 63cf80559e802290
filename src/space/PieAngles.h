// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace sweepora {

// The drive space window's pie chart as numbers. Sector edges are angles in
// radians, counted counterclockwise (as seen on the screen) from the
// 3 o'clock direction; a sector runs counterclockwise from `start` to `end`.

// Degrees to radians with pi taken as 22/7, the way the chart places its
// edges: Rads(d) = (22/7) * d / 180, a little more than d in true radians.
double Rads(double degrees);

// 0.001 for an angle of 0, any other angle unchanged.
double NonZeroAngle(double angle);

struct PieSector
{
    double start = 0; // radians
    double end = 0;   // radians, never less than start

    double span() const { return end - start; }
    bool isEmpty() const { return end <= start; }
};

struct PieAngles
{
    double freeDegrees = 0;   // F: the free share of 360, rounded to whole degrees
    double wastedDegrees = 0; // W: the wasted share likewise, cut to F when above it;
                              //    0.001 stands in for 0 (also when F is 0)
    PieSector wasted;         // from Rads(0.00001) to Rads(W)
    PieSector free;           // from Rads(W) to Rads(F); empty when W reaches F
    PieSector used;           // from Rads(F) round to the starting edge
};

// The chart for a drive of `total` bytes with `free` bytes free and
// `wasted` bytes in the groups' folders. The window passes used + free as
// the total, so that the super-user's reserve has no sector, as df leaves
// it out of its Use%. Shares of 360 degrees round to the
// nearest whole degree, an exact half to the even neighbour. The wasted and
// free sectors share the free part of the circle: the used sector always
// spans the used share. The sectors never overlap and together never pass
// one full turn from the starting edge, so the wasted sliver stays visible
// when the free share rounds to 360 degrees. No chart (no value) for a
// total of 0.
std::optional<PieAngles> pieAngles(std::uint64_t total, std::uint64_t free, std::uint64_t wasted);

} // namespace sweepora
