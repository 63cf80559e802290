// SPDX-License-Identifier: GPL-3.0-or-later
// What running processes use, read from /proc and, for bound sockets, from
// the kernel's socket diagnostics (what `ss -x` reads).

#include "platform/OpenFiles.h"

#include "platform/Folder.h"

#include <QtGlobal>

#include <dirent.h>
#include <fcntl.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <linux/sock_diag.h>
#include <linux/unix_diag.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>

namespace sweepora::platform {
namespace {

using Use = OpenFiles::Use;

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

// Reads the whole of a /proc file into `text`; false when it cannot be read.
// /proc files tell no size beforehand, so they are read until the end.
bool readProcFile(int folder, const char *name, std::string &text)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    text.clear();
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ::close(fd);
            return got == 0;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

// The kernel prints device numbers as its own major and minor numbers; the
// device a look at an entry gives is the C library's encoding of the same.
std::uint64_t deviceOf(unsigned long major, unsigned long minor)
{
    return static_cast<std::uint64_t>(::makedev(major, minor));
}

// Parses "maj:min" in hexadecimal, as /proc/*/maps and /proc/locks print
// it; `p` is left after the minor number.
bool parseDevice(const char *&p, std::uint64_t &device)
{
    char *end = nullptr;
    const unsigned long major = std::strtoul(p, &end, 16);
    if (end == p || *end != ':')
        return false;
    p = end + 1;
    const unsigned long minor = std::strtoul(p, &end, 16);
    if (end == p)
        return false;
    p = end;
    device = deviceOf(major, minor);
    return true;
}

// Calls `line(begin, end)` for each line of `text`, without its "\n".
template<typename Line>
void forEachLine(const std::string &text, Line &&line)
{
    const char *p = text.data();
    const char *const end = p + text.size();
    while (p < end) {
        const char *lineEnd = static_cast<const char *>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!lineEnd)
            lineEnd = end;
        line(p, lineEnd);
        p = lineEnd + 1;
    }
}

const char *skipField(const char *p, const char *lineEnd)
{
    while (p < lineEnd && *p == ' ')
        ++p;
    while (p < lineEnd && *p != ' ')
        ++p;
    while (p < lineEnd && *p == ' ')
        ++p;
    return p;
}

} // namespace

class OpenFilesGatherer
{
public:
    explicit OpenFilesGatherer(OpenFiles &set) : m_set(set) {}

    void run()
    {
        DIR *proc = ::opendir("/proc");
        if (proc) {
            while (const struct dirent *entry = ::readdir(proc)) {
                if (isProcessNumber(entry->d_name))
                    addProcess(::dirfd(proc), entry->d_name);
            }
            ::closedir(proc);
        } else {
            qWarning("Cannot read /proc: no running program's files are known to be in use");
        }
        addLocks();
        m_set.m_socketsKnown = addBoundSockets();
        finish(m_set.m_entries);
        finish(m_set.m_sockets);
    }

private:
    void add(std::uint64_t device, std::uint64_t inode, std::uint32_t process)
    {
        m_set.m_entries.push_back({device, inode, process});
    }

    void addStat(int folder, const char *name, std::uint32_t process)
    {
        struct stat st;
        if (::fstatat(folder, name, &st, 0) == 0)
            add(st.st_dev, st.st_ino, process);
    }

    void addProcess(int procFolder, const char *pidText)
    {
        const int folder = ::openat(procFolder, pidText, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0)
            return; // ended meanwhile
        std::string text;
        if (!readProcFile(folder, "comm", text)) {
            ::close(folder);
            return;
        }
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        const auto process = static_cast<std::uint32_t>(m_set.m_processNames.size());
        m_set.m_processNames.push_back(QString::fromUtf8(text));
        m_pidIndex.emplace(std::atoi(pidText), process);

        // Following these links reaches the folder itself, even when it was
        // renamed or its path is too long to print.
        addStat(folder, "cwd", process);
        addStat(folder, "root", process);
        addDescriptors(folder, process);
        addMappings(folder, process, text);
        ::close(folder);
    }

    // Everything behind the process's descriptors. A socket descriptor is
    // noted by its socket's number, to be matched with the socket files
    // sockets are bound to.
    void addDescriptors(int processFolder, std::uint32_t process)
    {
        const int fdFolder = ::openat(processFolder, "fd", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fdFolder < 0)
            return;
        DIR *dir = ::fdopendir(fdFolder);
        if (!dir) {
            ::close(fdFolder);
            return;
        }
        while (const struct dirent *entry = ::readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            struct stat st;
            if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0)
                continue;
            if (S_ISSOCK(st.st_mode))
                m_socketHolders.emplace_back(static_cast<std::uint64_t>(st.st_ino), process);
            else
                add(st.st_dev, st.st_ino, process);
        }
        ::closedir(dir);
    }

    // Files mapped into the process's memory: "start-end perms offset
    // maj:min inode path" a line; inode 0 is memory of no file.
    void addMappings(int processFolder, std::uint32_t process, std::string &text)
    {
        if (!readProcFile(processFolder, "maps", text))
            return;
        std::uint64_t lastDevice = 0;
        std::uint64_t lastInode = 0;
        forEachLine(text, [&](const char *line, const char *lineEnd) {
            const char *field = skipField(skipField(skipField(line, lineEnd), lineEnd), lineEnd);
            std::uint64_t device = 0;
            if (field < lineEnd && parseDevice(field, device)) {
                const std::uint64_t inode = std::strtoull(field, nullptr, 10);
                // A library shows as several mappings in a row: add it once.
                if (inode != 0 && (inode != lastInode || device != lastDevice)) {
                    add(device, inode, process);
                    lastDevice = device;
                    lastInode = inode;
                }
            }
        });
    }

    // Held locks, one a line: "1: FLOCK  ADVISORY  WRITE 1234 fe:00:5678 0 EOF".
    // Lines with "->" are requests waiting for a lock, not locks held. The
    // process of an open-file-description lock is not told (-1).
    void addLocks()
    {
        std::string text;
        const int procFolder = ::open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool read = procFolder >= 0 && readProcFile(procFolder, "locks", text);
        if (procFolder >= 0)
            ::close(procFolder);
        if (!read) {
            qWarning("Cannot read /proc/locks: locked files are not known to be in use");
            return;
        }
        forEachLine(text, [&](const char *line, const char *lineEnd) {
            const char *field = skipField(line, lineEnd); // the lock's number
            if (lineEnd - field >= 2 && field[0] == '-' && field[1] == '>')
                return;
            field = skipField(skipField(skipField(field, lineEnd), lineEnd), lineEnd);
            char *after = nullptr;
            const long pid = std::strtol(field, &after, 10);
            field = after;
            while (field < lineEnd && *field == ' ')
                ++field;
            std::uint64_t device = 0;
            if (field < lineEnd && parseDevice(field, device) && *field == ':') {
                const std::uint64_t inode = std::strtoull(field + 1, nullptr, 10);
                const auto found = m_pidIndex.find(static_cast<int>(pid));
                add(device, inode, found != m_pidIndex.end() ? found->second : OpenFiles::noProcess);
            }
        });
    }

    // The socket files that sockets are bound to, asked of the kernel's unix
    // socket diagnostics; each is joined with the processes holding the
    // socket. /proc/net/unix would give only the paths. False when the
    // kernel does not answer.
    bool addBoundSockets()
    {
        const int sock = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
        if (sock < 0) {
            qWarning("Cannot ask for the bound sockets (%s): every socket file counts as in use",
                     std::strerror(errno));
            return false;
        }
        struct
        {
            nlmsghdr header;
            unix_diag_req request;
        } query{};
        query.header.nlmsg_len = sizeof query;
        query.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
        query.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
        query.request.sdiag_family = AF_UNIX;
        query.request.udiag_states = ~0u;
        query.request.udiag_show = UDIAG_SHOW_VFS;
        if (::send(sock, &query, sizeof query, 0) != static_cast<ssize_t>(sizeof query)) {
            qWarning("Cannot ask for the bound sockets (%s): every socket file counts as in use",
                     std::strerror(errno));
            ::close(sock);
            return false;
        }
        std::sort(m_socketHolders.begin(), m_socketHolders.end());
        bool done = false;
        bool ok = true;
        alignas(nlmsghdr) char buffer[32768];
        while (!done && ok) {
            const ssize_t got = ::recv(sock, buffer, sizeof buffer, 0);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                ok = false;
                break;
            }
            int left = static_cast<int>(got);
            for (auto *h = reinterpret_cast<nlmsghdr *>(buffer); NLMSG_OK(h, left); h = NLMSG_NEXT(h, left)) {
                if (h->nlmsg_type == NLMSG_DONE) {
                    done = true;
                    break;
                }
                if (h->nlmsg_type == NLMSG_ERROR) {
                    ok = false;
                    break;
                }
                addSocket(h);
            }
        }
        ::close(sock);
        if (!ok)
            qWarning("The bound sockets could not be read: every socket file counts as in use");
        return ok;
    }

    void addSocket(const nlmsghdr *h)
    {
        if (h->nlmsg_len < NLMSG_LENGTH(sizeof(unix_diag_msg)))
            return;
        const auto *msg = static_cast<const unix_diag_msg *>(NLMSG_DATA(h));
        int left = static_cast<int>(h->nlmsg_len - NLMSG_LENGTH(sizeof *msg));
        for (auto *attr = reinterpret_cast<const rtattr *>(msg + 1); RTA_OK(attr, left);
             attr = RTA_NEXT(attr, left)) {
            if (attr->rta_type != UNIX_DIAG_VFS || RTA_PAYLOAD(attr) < sizeof(unix_diag_vfs))
                continue;
            unix_diag_vfs vfs;
            std::memcpy(&vfs, RTA_DATA(attr), sizeof vfs);
            // The kernel's own device numbering: 12 bits major, 20 minor.
            const std::uint64_t device = deviceOf(vfs.udiag_vfs_dev >> 20, vfs.udiag_vfs_dev & 0xfffffu);
            const auto holders = std::equal_range(
                m_socketHolders.begin(), m_socketHolders.end(),
                std::make_pair(static_cast<std::uint64_t>(msg->udiag_ino), std::uint32_t{0}),
                [](const auto &a, const auto &b) { return a.first < b.first; });
            if (holders.first == holders.second)
                m_set.m_sockets.push_back({device, vfs.udiag_vfs_ino, OpenFiles::noProcess});
            for (auto it = holders.first; it != holders.second; ++it)
                m_set.m_sockets.push_back({device, vfs.udiag_vfs_ino, it->second});
        }
    }

    static void finish(std::vector<Use> &uses)
    {
        std::sort(uses.begin(), uses.end());
        uses.erase(std::unique(uses.begin(), uses.end()), uses.end());
        uses.shrink_to_fit();
    }

    OpenFiles &m_set;
    std::unordered_map<int, std::uint32_t> m_pidIndex;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> m_socketHolders; // (socket number, process)
};

namespace {

// The uses of one entry in a sorted list.
std::pair<std::vector<Use>::const_iterator, std::vector<Use>::const_iterator>
usesOf(const std::vector<Use> &uses, std::uint64_t device, std::uint64_t inode)
{
    return std::equal_range(uses.begin(), uses.end(), Use{device, inode, 0},
                            [](const Use &a, const Use &b) {
                                return a.device != b.device ? a.device < b.device : a.inode < b.inode;
                            });
}

std::uint64_t socketInode(std::uint64_t inode)
{
    return inode & 0xffffffffu;
}

} // namespace

OpenFiles OpenFiles::gather()
{
    OpenFiles set;
    OpenFilesGatherer(set).run();
    return set;
}

bool OpenFiles::contains(std::uint64_t device, std::uint64_t inode) const
{
    const auto entries = usesOf(m_entries, device, inode);
    if (entries.first != entries.second)
        return true;
    const auto sockets = usesOf(m_sockets, device, socketInode(inode));
    return sockets.first != sockets.second;
}

bool OpenFiles::inUse(const EntryStat &entry) const
{
    return contains(entry.device, entry.inode) || (entry.type == EntryType::Socket && !m_socketsKnown);
}

QStringList OpenFiles::processNames(std::uint64_t device, std::uint64_t inode) const
{
    QStringList names;
    const auto collect = [&](auto range) {
        for (auto it = range.first; it != range.second; ++it) {
            if (it->process != noProcess)
                names.append(m_processNames[it->process]);
        }
    };
    collect(usesOf(m_entries, device, inode));
    collect(usesOf(m_sockets, device, socketInode(inode)));
    names.sort();
    names.removeDuplicates();
    return names;
}

} // namespace sweepora::platform
