// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

class QMenu;
class QWidget;

namespace sweepora {

// Ends the session with one of the values of platform::EndSession
// (0 log off, 1 shut down, 2 restart, 4 forced log-off). Windows take one
// so that tests can stand in for the system; an empty hook means
// platform::EndSession itself.
using EndSessionHook = std::function<void(std::uint8_t flags)>;

// Calls `hook`, or platform::EndSession when the hook is empty.
void endSession(const EndSessionHook &hook, std::uint8_t flags);

// Adds the four session-end commands to `menu`, in this order:
//   "&Reboot"    object name "reboot",    flag 2
//   "&Shutdown"  object name "shutdown",  flag 1
//   "&Re Logon"  object name "relogon",   flag 0
//   "&Force"     object name "forcedown", flag 4
// Each acts at once, without a question. The main window's "Sh&utDown"
// menu and the tray menu's "Sh&ut Down ..." menu both hold these items.
void addShutDownItems(QMenu *menu, const EndSessionHook &hook = {});

// The toolbar's Shutdown button: asks "Do you wan to shutdown your computer
// now?" (title "ALERT!", Yes and No, exclamation icon, No pressed by Enter)
// and shuts down (flag 1) only on Yes. Returns true when the user said Yes.
bool confirmShutDown(QWidget *parent, const EndSessionHook &hook = {});

} // namespace sweepora
