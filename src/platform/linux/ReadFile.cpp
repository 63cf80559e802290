// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReadFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sweepora::platform {

bool readSmallFile(const QByteArray &path, std::size_t limit, QByteArray &content)
{
    // O_NONBLOCK: a pipe put in the file's place must not stall the reader.
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) > limit) {
        ::close(fd);
        return false;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    content.resize(static_cast<qsizetype>(size));
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(fd, content.data() + filled, size - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return false;
        }
        if (got == 0)
            break; // shrank meanwhile
        filled += static_cast<std::size_t>(got);
    }
    content.truncate(static_cast<qsizetype>(filled));
    ::close(fd);
    return true;
}

} // namespace sweepora::platform
