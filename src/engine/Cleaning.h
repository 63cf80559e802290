#pragma once

#include <QList>
#include <QString>

#include <cstdint>

namespace sweepora {

// One group to clean: its key and its folder (the caller leaves out groups
// without a path).
struct CleanTarget
{
    QString key;
    QString path;
};

struct CleanResult
{
    // Key of the last group whose file the file pass handed to the delete
    // (deleted or not); empty when there was none.
    QString lastFileGroupKey;
    // Lines written to the deleted-files report by this run.
    std::uint64_t filesReported = 0;
    // True when the folder pass left anything inside a group folder (a file
    // in use, a socket, another user's entry, a refused delete).
    bool folderPassFailed = false;
    // Why the deleted-files report lost lines (it could not be opened or
    // written: no usable folder, a link, FIFO or other non-regular file in
    // its place, a full disk); empty when it holds every line of the run.
    QString reportError;
};

// A cleaning run over `targets`, in order.
//
// The file pass walks each group's folder as the listing does and deletes
// every entry of a size above 0 other than "desktop.ini" and "Desktop.ini"
// (so never a folder or an empty file), appending a line to the
// deleted-files report for each one deleted and only for those. Then the
// folder pass removes everything still inside each group folder, depth
// first; the group folder itself always stays.
//
// Both passes work relative to folder descriptors: no symbolic link is
// followed (a link is deleted, never what it points to), no other file
// system is entered, paths have no length limit. Left alone, silently:
// sockets, regular files that a running process holds open, entries of
// other users in folders shared with everyone under the sticky bit (also
// when running as root), and anything whose delete is refused.
//
// The report at `reportFile` (default: reportPath()) is appended to and
// flushed line by line, so it is complete whenever it is opened; when it
// cannot be written the run goes on without it and says why in reportError. Blocking; safe to run on a
// worker thread.
CleanResult runCleaning(const QList<CleanTarget> &targets, const QString &reportFile = {});

} // namespace sweepora
