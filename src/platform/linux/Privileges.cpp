// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Privileges.h"

#include <unistd.h>

namespace sweepora::platform {

bool runningAsAdministrator()
{
    return ::geteuid() == 0;
}

} // namespace sweepora::platform
