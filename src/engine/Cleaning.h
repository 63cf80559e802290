// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace sweepora {

// One group to clean: its key and its folder (the caller leaves out groups
// without a path).
struct CleanTarget
{
    QString key;
    QString path;
};

// A group that was refused, or not walked whole: the run left it (or part
// of it) alone, and says why.
struct GroupProblem
{
    QString key;
    QString reason;
};

// A group where running programs use something: nothing they use was
// deleted, and no folder of the group was removed.
struct GroupInUse
{
    QString key;
    QStringList programs; // process names, sorted, each once
};

// What a run deleted (or a dry run would delete) in one group: the files
// with content, as the report lists them.
struct GroupTotals
{
    QString key;
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
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
    // Groups refused or not walked whole, in run order. The run succeeded
    // only when there is none.
    QList<GroupProblem> problems;
    // Groups in use by running programs, in run order.
    QList<GroupInUse> inUse;
    // One entry a group that was walked, in run order.
    QList<GroupTotals> totals;

    bool complete() const { return problems.isEmpty(); }
    // Why the deleted-files report lost lines (it could not be opened or
    // written: no usable folder, a link, FIFO or other non-regular file in
    // its place, a full disk); empty when it holds every line of the run.
    QString reportError;
};

// Options of a cleaning run.
struct CleanOptions
{
    // Entries below a folder shared with everyone under the sticky bit
    // (such as /tmp) that were changed or read within this many seconds are
    // left alone, as systemd-tmpfiles leaves them.
    std::int64_t sharedMinimumAgeSeconds = 10 * 24 * 60 * 60;
    // A dry run changes nothing and writes no report: it tells `wouldDelete`
    // what the run would delete and `wouldLeave` what it would leave, by the
    // same walk and rules as the run.
    bool dryRun = false;
    std::function<void(const QByteArray &path, std::uint64_t size)> wouldDelete;
    std::function<void(const QByteArray &path, const QString &why)> wouldLeave;
};

// The minimum age of the shared temporary folders' entries, from the
// settings store ("SharedTempMinimumAgeDays" under the program's key; 10
// days when not set or not a number of at least 0).
std::int64_t sharedMinimumAgeSetting();

// A cleaning run over `targets`, in order.
//
// The file pass walks each group's folder as the listing does and deletes
// every entry of a size above 0 other than "desktop.ini" and "Desktop.ini"
// (so never a folder or an empty file), appending a line to the
// deleted-files report for each one deleted and only for those. Then the
// folder pass removes everything still inside each group folder, depth
// first; the group folder itself always stays.
//
// A group folder is opened as openGroupFolder() says (absolute paths only,
// no planted link followed); the root, the home folder and the system's
// folders are refused. Both passes work relative to folder descriptors: no
// symbolic link is followed (a link is deleted, never what it points to),
// no mount point is entered, paths have no length limit and depth no limit.
//
// Left alone: anything in use by a running process (open, mapped, locked,
// a working folder, a bound socket) and, in a folder that holds a bound
// socket, everything (a running program's session folder); when anything in
// a group is in use, no folder of that group is removed. In folders shared
// with everyone under the sticky bit: other users' entries (also when
// running as root), the X server's, Kerberos' and similar session files no
// process shows as in use, and entries younger than the minimum age.
// Anything whose delete is refused is left too. A group folder that is a
// freedesktop trash is emptied item by item (see CleaningRun::cleanTrash).
//
// The report at `reportFile` (default: reportPath()) is appended to, never
// more than a fifth of a second behind the run and whole when it returns;
// when it cannot be written the run goes on without it and says why in
// reportError. Blocking; safe to run on a worker thread.
CleanResult runCleaning(const QList<CleanTarget> &targets, const QString &reportFile = {},
                        const CleanOptions &options = {});

} // namespace sweepora
