// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a running program in the tests of what is in use: it takes
// hold of PATH in one way, says "ready" on standard output, and lets go
// when its standard input closes.
//
//   inuse-holder socket|flock|fcntl|mmap|cwd PATH [hidden]
//
// "hidden" makes the process non-dumpable, as ssh-agent and gpg-agent are:
// then only root may read its descriptors, mappings and working folder.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

bool hold(const char *kind, const char *path)
{
    if (std::strcmp(kind, "socket") == 0) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (fd < 0 || std::strlen(path) >= sizeof address.sun_path)
            return false;
        std::strcpy(address.sun_path, path);
        return ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 && ::listen(fd, 1) == 0;
    }
    if (std::strcmp(kind, "flock") == 0) {
        const int fd = ::open(path, O_RDWR);
        return fd >= 0 && ::flock(fd, LOCK_EX) == 0;
    }
    if (std::strcmp(kind, "fcntl") == 0) {
        const int fd = ::open(path, O_RDWR);
        struct flock lock{};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        return fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0;
    }
    if (std::strcmp(kind, "mmap") == 0) {
        const int fd = ::open(path, O_RDONLY);
        struct stat st;
        if (fd < 0 || ::fstat(fd, &st) != 0 || st.st_size == 0)
            return false;
        void *mapped = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
        ::close(fd); // the mapping stays without the descriptor
        return mapped != MAP_FAILED;
    }
    if (std::strcmp(kind, "cwd") == 0)
        return ::chdir(path) == 0;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3 || !hold(argv[1], argv[2])) {
        std::perror("inuse-holder");
        return 1;
    }
    if (argc > 3 && std::strcmp(argv[3], "hidden") == 0)
        ::prctl(PR_SET_DUMPABLE, 0);
    std::puts("ready");
    std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) {
    }
    return 0;
}
