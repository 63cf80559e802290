#pragma once

// Stand-in for the artwork's header while it is not part of the tree; the
// build uses it only when src/ui/common/Icons.h is missing.

#include <QIcon>

namespace sweepora {

// The group icon `number` (1 to 35); a null icon for any other number.
QIcon groupIcon(int number);

} // namespace sweepora
