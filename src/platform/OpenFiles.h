#pragma once

#include <QStringList>

#include <cstdint>
#include <utility>
#include <vector>

namespace sweepora::platform {

// The regular files that running processes hold open, as far as this
// process may look (on Linux through /proc/*/fd of every process it may
// inspect, this process included). Gathered once, then asked per file: a
// file in the set counts as locked, as Windows would refuse to delete it.
class OpenFiles
{
public:
    // Looks at every process now. Processes that cannot be inspected are
    // passed over.
    static OpenFiles gather();

    // Whether the file identified by `device` and `inode` was open when the
    // set was gathered.
    bool contains(std::uint64_t device, std::uint64_t inode) const;

    // The names of the processes that use the entry; empty when none.
    QStringList processNames(std::uint64_t device, std::uint64_t inode) const;

    std::size_t size() const { return m_files.size(); }

private:
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_files; // sorted (device, inode)
};

} // namespace sweepora::platform
