// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora {

// The version as the splash shows it: "Version 2.0.66", each number in
// plain decimal.
QString splashVersionText(int major, int minor, int revision);

// The version as the About box shows it: "Version: 2.00.0066", the minor
// number at least two digits and the revision at least four, zero-filled.
QString aboutVersionText(int major, int minor, int revision);

// The same for this program's own version.
QString splashVersionText();
QString aboutVersionText();

} // namespace sweepora
