#pragma once

#include <QString>

namespace sweepora {

// "-m" from a start in monitor mode until the main window has been handed
// over (minimized to the tray); empty otherwise.
extern QString StartMode;

} // namespace sweepora
