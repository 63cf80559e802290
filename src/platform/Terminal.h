// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace sweepora::platform {

// True when standard input is a terminal.
bool stdinIsTerminal();

// Writes `prompt` to standard error and reads one line from the terminal on
// standard input with echo turned off (and back on afterwards), without its
// line end. No value at the end of input or when the terminal cannot be
// read.
std::optional<QString> readHiddenLine(const QString &prompt);

} // namespace sweepora::platform
