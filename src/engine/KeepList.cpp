// SPDX-License-Identifier: GPL-3.0-or-later
// The keep list of the shared temporary folder. It gathers what the
// established cleaners of that folder keep: systemd-tmpfiles' own rules for
// /tmp (the X11 socket folders, the X lock files, the services' private
// folders), the tmpwatch rules distributions ran daily (the socket folders,
// hsperfdata_*), and BleachBit's list of files it never deletes in /tmp
// (.X0-lock, VirtualBox's and Wine's lock files). Entries of programs that
// now keep their files in the user's runtime folder (old KDE, PulseAudio,
// GConf, ORBit) are left out.

#include "engine/KeepList.h"

#include <string_view>

namespace sweepora {
namespace {

using platform::EntryType;

enum Types : unsigned { AFile = 1, AFolder = 2 };

struct Rule
{
    std::string_view prefix;
    std::string_view suffix; // with `prefix`; a whole name when `exact`
    bool exact;
    unsigned types;
};

constexpr Rule rules[] = {
    {".X11-unix", {}, true, AFolder},
    {".ICE-unix", {}, true, AFolder},
    {".XIM-unix", {}, true, AFolder},
    {".font-unix", {}, true, AFolder},
    {".Test-unix", {}, true, AFolder},
    {"xauth_", {}, false, AFile},
    {".xauth", {}, false, AFile},
    {"serverauth.", {}, false, AFile},
    {"krb5cc_", {}, false, AFile | AFolder},
    {"systemd-private-", {}, false, AFolder},
    {"hsperfdata_", {}, false, AFolder},
    {".vbox-", "-ipc", false, AFolder},
    {".wine-", {}, false, AFolder},
};

unsigned typeBit(EntryType type)
{
    switch (type) {
    case EntryType::File: return AFile;
    case EntryType::Folder: return AFolder;
    default: return 0;
    }
}

// ".X" followed by a display number and "-lock".
bool isXLockFile(std::string_view name)
{
    constexpr std::string_view head = ".X";
    constexpr std::string_view tail = "-lock";
    if (name.size() <= head.size() + tail.size() || !name.starts_with(head) || !name.ends_with(tail))
        return false;
    const std::string_view number = name.substr(head.size(), name.size() - head.size() - tail.size());
    for (const char c : number) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

bool isKeptInSharedTemp(const char *name, EntryType type)
{
    const std::string_view n(name);
    const unsigned bit = typeBit(type);
    if (bit == AFile && isXLockFile(n))
        return true;
    for (const Rule &rule : rules) {
        if (!(rule.types & bit))
            continue;
        if (rule.exact ? n == rule.prefix
                       : n.size() > rule.prefix.size() + rule.suffix.size() && n.starts_with(rule.prefix)
                             && n.ends_with(rule.suffix))
            return true;
    }
    return false;
}

} // namespace sweepora
