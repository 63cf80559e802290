// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace sweepora::platform {

// The user this process acts as (its effective user id on Linux); entries
// owned by this user may be deleted in folders shared with everyone.
std::uint32_t currentUserId();

// Whether standard input is a terminal that a question can be asked on.
bool standardInputIsTerminal();

// Lets the process hold as many open folders as the system allows (a walk
// keeps one open per level of the tree). Safe to call any number of times
// from any thread; only the first call acts.
void allowManyOpenFolders();

// How many descriptors the process may hold open at once (its soft limit),
// for sharing a walk among threads that each hold some folders open.
std::size_t openDescriptorLimit();

} // namespace sweepora::platform
