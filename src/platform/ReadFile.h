// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstddef>

namespace sweepora::platform {

// Reads the regular file at `path` (raw bytes, as a listing gives them)
// into `content`, without following a link at the last step. False when it
// is missing, no regular file, larger than `limit` bytes, or cannot be read.
bool readSmallFile(const QByteArray &path, std::size_t limit, QByteArray &content);

} // namespace sweepora::platform
