// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Folder.h"

namespace sweepora {

// Whether the entry `name` of type `type`, met at the top level of a folder
// shared with everyone under the sticky bit (such as /tmp), is kept by
// every cleaning run with everything in it. These are entries a running
// desktop depends on that no sign of use shows: files nothing holds open,
// or folders whose sockets come and go.
//
//  - .X<n>-lock, the X server's lock file of display n (a file);
//  - the X server's authority files as display managers and startx keep
//    them: xauth_*, .xauth*, serverauth.* (files);
//  - Kerberos ticket caches, krb5cc_* (a file, or a folder of caches);
//  - the X11, ICE, input-method, font-server and test socket folders:
//    .X11-unix, .ICE-unix, .XIM-unix, .font-unix, .Test-unix (folders);
//  - the private temporary folders systemd gives services,
//    systemd-private-* (folders);
//  - Java's shared performance data of running virtual machines,
//    hsperfdata_* (folders);
//  - VirtualBox's and Wine's per-user server folders, .vbox-*-ipc and
//    .wine-* (folders), whose lock files are held by no descriptor.
//
// Names are compared exactly, case included. Anything deeper than the top
// level, or in another folder, is not on the list.
bool isKeptInSharedTemp(const char *name, platform::EntryType type);

} // namespace sweepora
