// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Process.h"

#include <QtDebug>

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace sweepora::platform {

std::uint32_t currentUserId()
{
    return static_cast<std::uint32_t>(::geteuid());
}

bool standardInputIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

void allowManyOpenFolders()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct rlimit limit;
        if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == limit.rlim_max)
            return;
        limit.rlim_cur = limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &limit) != 0)
            qWarning("Cannot raise the open-file limit: %s", std::strerror(errno));
    });
}

std::size_t openDescriptorLimit()
{
    struct rlimit limit;
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        qWarning("Cannot read the open-file limit: %s", std::strerror(errno));
        return 0;
    }
    return limit.rlim_cur == RLIM_INFINITY ? SIZE_MAX : static_cast<std::size_t>(limit.rlim_cur);
}

} // namespace sweepora::platform
