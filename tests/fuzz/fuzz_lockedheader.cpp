// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary headers and passwords to the locked-file header checks and
// the cipher: the marker test agrees with the marker bytes, a check value
// fits only a header long enough to hold it, every header that locking
// writes is recognised with its own password, and the cipher gives back
// what it was given.

#include "lock/Cipher.h"
#include "lock/LockedFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace sweepora::lock;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // First byte: the password's length in bytes; then the password as
    // UTF-8; the rest is the start of a file.
    const std::size_t passwordBytes = std::min<std::size_t>(data[0], size - 1);
    const QString password = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(passwordBytes));
    const QByteArray header(reinterpret_cast<const char *>(data + 1 + passwordBytes),
                            qsizetype(size - 1 - passwordBytes));

    check(isLockedHeader(header) == header.startsWith("[Secret]"));
    if (passwordFitsHeader(password, header))
        check(header.size() >= InspectedHeaderSize);

    if (!password.isEmpty()) {
        const QByteArray made = lockedFileHeader(password);
        check(made.size() == LockedHeaderSize);
        check(isLockedHeader(made));
        check(passwordFitsHeader(password, made));
        check(made.endsWith("\r\n"));
    }

    QByteArray body = header;
    Process(body, password);
    check(body.size() == header.size());
    Process(body, password);
    check(body == header);
    return 0;
}
