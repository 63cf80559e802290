#include "platform/OpenFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace sweepora::platform {
namespace {

bool isProcessNumber(const char *name)
{
    if (*name == '\0')
        return false;
    for (; *name; ++name) {
        if (*name < '0' || *name > '9')
            return false;
    }
    return true;
}

// Adds the regular files behind the descriptors listed in `fdFolder`.
void addOpenFilesOf(int fdFolder, std::vector<std::pair<std::uint64_t, std::uint64_t>> &files)
{
    DIR *dir = ::fdopendir(fdFolder);
    if (!dir) {
        ::close(fdFolder);
        return;
    }
    while (const struct dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat st;
        // Following the descriptor's link reaches the open file itself,
        // even when it was renamed or its path is too long to print.
        if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode))
            files.emplace_back(static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino));
    }
    ::closedir(dir);
}

} // namespace

OpenFiles OpenFiles::gather()
{
    OpenFiles set;
    DIR *proc = ::opendir("/proc");
    if (!proc)
        return set;
    while (const struct dirent *entry = ::readdir(proc)) {
        if (!isProcessNumber(entry->d_name))
            continue;
        char path[300];
        std::snprintf(path, sizeof path, "%s/fd", entry->d_name);
        const int fdFolder = ::openat(::dirfd(proc), path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fdFolder >= 0)
            addOpenFilesOf(fdFolder, set.m_files);
    }
    ::closedir(proc);
    std::sort(set.m_files.begin(), set.m_files.end());
    set.m_files.erase(std::unique(set.m_files.begin(), set.m_files.end()), set.m_files.end());
    return set;
}

bool OpenFiles::contains(std::uint64_t device, std::uint64_t inode) const
{
    return std::binary_search(m_files.begin(), m_files.end(), std::make_pair(device, inode));
}

QStringList OpenFiles::processNames(std::uint64_t device, std::uint64_t inode) const
{
    return contains(device, inode) ? QStringList{QStringLiteral("?")} : QStringList();
}

} // namespace sweepora::platform
