#pragma once

#include <QIcon>

namespace sweepora {

// The small icon of a group's row, by the group's icon number (1 to 35).
QIcon groupRowIcon(int iconNumber);

} // namespace sweepora
