// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/StartMode.h"

namespace sweepora {

QString StartMode;

} // namespace sweepora
