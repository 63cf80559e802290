// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Folder.h"

namespace sweepora {

// Whether `folder` is one that no cleaning run may empty, whatever the group
// table says: the root, the user's home folder, or one of the system's own
// folders (/bin, /etc, /usr and the like). Compared by identity, so another
// spelling or a link that leads there is caught too.
bool isProtectedFolder(const platform::Folder &folder);

} // namespace sweepora
