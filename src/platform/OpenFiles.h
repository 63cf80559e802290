// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <cstdint>
#include <vector>

namespace sweepora::platform {

struct EntryStat;

// Every entry that running processes use, as far as this process may look:
// the Linux meaning of a file Windows would refuse to delete. An entry is in
// use when a process
//  - holds it open (any kind: file, folder, pipe, device node...),
//  - has it mapped into memory, also after closing its descriptor,
//  - holds a lock on it (flock, fcntl or open-file-description locks),
//  - works in it (its working folder) or has it as its root folder,
//  - or, for a socket file, has a socket bound to it. A socket file that no
//    socket is bound to any more is stale: it is not in use.
// Processes this process may not inspect (other users' as a normal user,
// and non-dumpable ones such as ssh-agent) show only through the locks and
// the bound sockets, which the system lists for everyone. A thread's own
// working folder, where it differs from its process's (rare), is not read.
//
// Cost: one look at each process's descriptors, mappings and folders; about
// 30 ms of processor time for 350 processes.
//
// Gathered once, then asked per entry; the set is a snapshot, not updated.
class OpenFiles
{
public:
    // Looks at every process now. Processes that cannot be inspected, or
    // that end meanwhile, are passed over.
    static OpenFiles gather();

    // Whether the entry identified by `device` and `inode` (as a look at the
    // entry gives them) was in use when the set was gathered.
    bool contains(std::uint64_t device, std::uint64_t inode) const;

    // Whether the entry was in use, with the doubt resolved safely: a
    // socket file counts as in use when the bound sockets could not be
    // learnt (the system refused to tell), as no one can say it is stale.
    bool inUse(const EntryStat &entry) const;

    // Whether the sockets bound to socket files could be learnt.
    bool socketsKnown() const { return m_socketsKnown; }

    // The names of the processes (their command names, as `ps -o comm`
    // shows them) that use the entry, sorted, each once. Empty when it is
    // not in use, or only in use by processes that cannot be inspected.
    QStringList processNames(std::uint64_t device, std::uint64_t inode) const;

    // Number of uses the set holds (an entry used by two processes counts
    // twice).
    std::size_t size() const { return m_entries.size() + m_sockets.size(); }

    // One use of an entry; `process` indexes the process names, or is
    // noProcess when the user is not known.
    struct Use
    {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::uint32_t process = 0;
        friend bool operator<(const Use &a, const Use &b)
        {
            if (a.device != b.device)
                return a.device < b.device;
            if (a.inode != b.inode)
                return a.inode < b.inode;
            return a.process < b.process;
        }
        friend bool operator==(const Use &, const Use &) = default;
    };
    static constexpr std::uint32_t noProcess = 0xffffffffu;

private:
    friend class OpenFilesGatherer;

    std::vector<Use> m_entries; // sorted, unique
    // Socket files with a bound socket. The system gives only the low 32 bits
    // of their inode numbers, so these are kept and compared apart.
    std::vector<Use> m_sockets; // sorted, unique; inode holds the low 32 bits
    std::vector<QString> m_processNames;
    bool m_socketsKnown = false;
};

} // namespace sweepora::platform
