// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora {

// "-m" from a start in monitor mode until the main window has been handed
// over (minimized to the tray); empty otherwise.
extern QString StartMode;

} // namespace sweepora
