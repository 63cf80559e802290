// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sweepora::platform {

// Opening the program's own files (the group table, the deleted-files
// report). Such a file is used only when its name is a regular file: a
// symbolic link in its place is not followed, and a FIFO, device or folder
// is never opened in a way that could block or read from it.

enum class OwnFileMode {
    Read,     // read only; the file must exist
    Append,   // writes go to the end; created when missing
    Truncate, // emptied once it is known to be a regular file; created when missing
};

struct OwnFileOpen
{
    int fd = -1;             // open descriptor, owned by the caller; -1 on failure
    bool missing = false;    // nothing at the path (or a folder on the way is missing)
    bool notRegular = false; // a link, FIFO, device, socket or folder is in its place
    bool denied = false;     // the system refused access
    QString error;           // the system's description of the failure
};

OwnFileOpen openOwnFile(const QString &path, OwnFileMode mode);

// Whether a file may be put in place of `path` by a rename: true when
// nothing is there or a regular file is (a symbolic link is not followed and
// counts as something else). On false, `error` says what is there.
bool mayReplaceOwnFile(const QString &path, QString *error = nullptr);

} // namespace sweepora::platform
