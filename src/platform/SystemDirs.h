// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora::platform {

// The folder that holds the group table's "System" folder (on Linux
// $XDG_CONFIG_HOME/sweepora). Created when missing. Returned without a
// trailing separator; empty when it cannot be determined or created, and
// then `why` (when given) names the folder and the reason.
QString windowsDir(QString *why = nullptr);

// The program's own folder for the deleted-files report (on Linux
// $XDG_DATA_HOME/sweepora). Created when missing; no trailing separator;
// empty when it cannot be determined or created, with the reason in `why`.
QString programDir(QString *why = nullptr);

// The folder separator that paths of this platform end with ("/" on Linux).
inline constexpr char16_t pathSeparator = u'/';

} // namespace sweepora::platform
