// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The locked-file format and the two operations on a file: locking and
// unlocking. A locked file is the plain file with an 18-byte header in front:
// the marker "[Secret]", the password check value (8 upper-case hexadecimal
// digits) and CR LF; the body is the plain content after the cipher, of the
// same length. A file counts as locked when its first 8 bytes are the marker.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

namespace sweepora::lock {

inline constexpr QByteArrayView LockMarker = "[Secret]";
// Bytes of the header that the window keeps from its inspection of a file:
// the marker and the check value.
inline constexpr qsizetype InspectedHeaderSize = 16;
// The whole header in front of a locked body: marker, check value, CR LF.
inline constexpr qsizetype LockedHeaderSize = 18;

// The 18-byte header that locking with `password` puts in front of the body.
QByteArray lockedFileHeader(QStringView password);

// True when `header` begins with the lock marker.
bool isLockedHeader(QByteArrayView header);

// True when bytes 8 to 15 of `header` hold the check value of `password`.
// A header shorter than 16 bytes never fits.
bool passwordFitsHeader(QStringView password, QByteArrayView header);

// What a path names, for deciding which command the lock window offers.
enum class PathKind {
    NoFile, // empty path, nothing there, a folder, or anything but a regular file
    Plain,  // a regular file that does not begin with the lock marker
    Locked, // a regular file that begins with the lock marker
};

struct PathInspection
{
    PathKind kind = PathKind::NoFile;
    QByteArray header; // the file's first 16 bytes (fewer for a shorter file)
};

// A file to lock or unlock: its path as the system's bytes (any bytes but
// NUL, any length), and how messages name it.
struct LockTarget
{
    QByteArray path;
    QString shown;

    static LockTarget fromPath(const QString &path);
};

// Looks at `path` (a symbolic link counts as what it points to) and reads
// the first 16 bytes of a regular file. Never fails: a path that cannot be
// looked up is NoFile, and a regular file that cannot be read is Plain with
// an empty header.
PathInspection inspectPath(const LockTarget &target);
inline PathInspection inspectPath(const QString &path)
{
    return inspectPath(LockTarget::fromPath(path));
}

// How a run of lockFile() or unlockFile() ended. Everything but Done leaves
// the file exactly as it was.
struct LockResult
{
    enum Status {
        Done,
        NoPassword,    // the password was empty
        NoFile,        // the path names no regular file
        AlreadyLocked, // lockFile() on a file that begins with the marker
        NotLocked,     // unlockFile() on a file that does not
        WrongPassword, // the header does not hold the password's check value
        Damaged,       // marker and fitting check value, but the header is cut
                       // short (16 or 17 bytes) or lacks its CR LF
        OtherNames,    // the file has further hard links, which would keep the
                       // old content under their names
        ForeignOwner,  // a new file could not be given the file's owner or group
        Failed,        // reading, writing or replacing the file failed
    };

    Status status = Done;
    // The text shown to the user; empty for Done.
    QString message;

    bool ok() const { return status == Done; }
};

// The places where a run touches the file system, in order. A test can make
// any of them fail as if the system had refused it.
enum class LockStep {
    OpenFile,        // opening the file for reading
    CreateTemporary, // creating the new content's file beside it
    Read,            // each chunk of the file read, as it is taken up
    Write,           // each write of a chunk of the new content
    Replace,         // putting the new content in place of the file
};

struct LockRunHooks
{
    // Called after each chunk with the bytes of the file read so far and the
    // file's size when the run began. The lock window keeps itself painted
    // from here.
    std::function<void(qint64 done, qint64 total)> progress;
    // Returning true makes that step fail. For tests.
    std::function<bool(LockStep)> failAt;
};

enum class LockCommand { Lock, Unlock };

// Whether `command` is offered for `path`, by the same inspection as the
// lock window's: Done when it is, otherwise the refusal a run would give
// (NoFile, AlreadyLocked or NotLocked). The password is not looked at.
LockResult commandOffered(LockCommand command, const LockTarget &target);
inline LockResult commandOffered(LockCommand command, const QString &path)
{
    return commandOffered(command, LockTarget::fromPath(path));
}

// Lock: writes the header for `password`, then the file's content after
// the cipher. Unlock: once the header's check value fits `password`, writes
// the body after the cipher, without the header.
//
// Both work in place of the file's real path (a symbolic link keeps pointing
// at it), relative to its folder, so that paths of any length work. The file
// is read ahead on a thread of its own while the chunks before are enciphered
// and written, in chunks of at most 1 MiB, to a new file in the same folder,
// given the old file's permissions, owner and group, flushed to disk, and
// renamed over the old file; whatever fails on the way, the old file stays as
// it was and the result says what failed. The hooks are called on the
// calling thread.
LockResult runLockCommand(LockCommand command, const LockTarget &target, QStringView password,
                          const LockRunHooks &hooks = {});
inline LockResult runLockCommand(LockCommand command, const QString &path, QStringView password,
                                 const LockRunHooks &hooks = {})
{
    return runLockCommand(command, LockTarget::fromPath(path), password, hooks);
}

inline LockResult lockFile(const QString &path, QStringView password, const LockRunHooks &hooks = {})
{
    return runLockCommand(LockCommand::Lock, path, password, hooks);
}

inline LockResult unlockFile(const QString &path, QStringView password, const LockRunHooks &hooks = {})
{
    return runLockCommand(LockCommand::Unlock, path, password, hooks);
}

// The size of the chunks in which a file is streamed.
inline constexpr qint64 LockChunkSize = qint64(1) << 20;

} // namespace sweepora::lock
