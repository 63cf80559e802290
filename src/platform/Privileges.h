// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sweepora::platform {

// True when the program runs with the system administrator's rights
// (root on Linux).
bool runningAsAdministrator();

} // namespace sweepora::platform
