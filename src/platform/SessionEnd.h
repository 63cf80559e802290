// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace sweepora::platform {

// The values the log-off and shutdown commands pass to EndSession.
enum EndSessionFlag : std::uint8_t {
    EndSessionLogOff = 0,   // log the user off; running programs may still object
    EndSessionShutDown = 1, // power the computer off
    EndSessionReboot = 2,   // restart the computer
    EndSessionForce = 4,    // log off at once, without asking running programs
};

// Logs the user off, powers the computer off or restarts it, without asking
// the user and without saving anything first. Returns once the request has
// been handed to the system; the program goes on running until the system
// ends it.
//
// On Linux:
//   0  the desktop session manager's log-out without confirmation (GNOME,
//      then KDE Plasma, on the session bus); when none of them is on the
//      bus, systemd-logind ends the current session.
//   1  systemd-logind PowerOff, 2  systemd-logind Reboot (both without
//      asking for authorisation interactively).
//   4  systemd-logind ends the current session.
// Other values: a set restart bit (2) restarts, else a set shutdown or
// power-off bit (1 or 8) powers off, else a set force bit (4) ends the
// session, else the value logs off.
//
// A request the system refuses (no right to power off, no session found,
// no logind on the bus, a session manager that says no) does nothing
// visible: it is only written to the log with qWarning.
void EndSession(std::uint8_t flags);

} // namespace sweepora::platform
