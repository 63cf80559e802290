#pragma once

#include "platform/Folder.h"

namespace sweepora {

// Whether an entry directly inside a folder shared with everyone under the
// sticky bit (such as /tmp) is a running session's file that no open file,
// lock or socket shows: the X server's lock and auth files, Kerberos ticket
// caches, and the X11 and ICE socket folders. A cleaning run leaves these.
bool isKeptInSharedTemp(const char *name, platform::EntryType type);

} // namespace sweepora
