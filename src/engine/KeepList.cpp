#include "engine/KeepList.h"

#include <cstring>

namespace sweepora {

bool isKeptInSharedTemp(const char *name, platform::EntryType type)
{
    static const char *const folders[] = {".X11-unix", ".ICE-unix", ".XIM-unix", ".font-unix", ".Test-unix"};
    static const char *const prefixes[] = {".X", "xauth_", ".xauth", "serverauth.", "krb5cc_"};
    if (type == platform::EntryType::Folder) {
        for (const char *folder : folders) {
            if (std::strcmp(name, folder) == 0)
                return true;
        }
    }
    for (const char *prefix : prefixes) {
        if (std::strncmp(name, prefix, std::strlen(prefix)) != 0)
            continue;
        if (std::strcmp(prefix, ".X") != 0)
            return true;
        // ".X<display>-lock"
        const char *rest = name + 2;
        const char *digits = rest;
        while (*rest >= '0' && *rest <= '9')
            ++rest;
        if (rest != digits && std::strcmp(rest, "-lock") == 0)
            return true;
    }
    return false;
}

} // namespace sweepora
