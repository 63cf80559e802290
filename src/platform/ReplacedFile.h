// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileIdentity.h"

#include <QByteArray>
#include <QString>

namespace sweepora::platform {

// A regular file that is rewritten through a new file beside it: the old
// content is read from start to end, the new content written to a new file
// in the same folder, which is flushed to disk and renamed over the old one.
// The folder is held open and everything is reached relative to it, so a
// path longer than the system's limit works and only the file that was read
// is ever replaced. Until commit() succeeds the old file is never touched,
// and a new file left unfinished is removed when the object goes.
//
// read() and write() may run on two threads at once (one each); the rest
// belongs to the thread that opened the file.
class ReplacedFile
{
public:
    enum class OpenStatus {
        Opened,
        NoFile, // the path names nothing, or anything but a regular file
        Failed, // a regular file that could not be opened for reading
    };

    ReplacedFile() = default;
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile &) = delete;
    ReplacedFile &operator=(const ReplacedFile &) = delete;

    // Opens the regular file that `path` (the system's bytes) names for
    // reading. Links are followed as the user named them, a link at the end
    // of the path included: the file it leads to is the one replaced, and the
    // link stays. On Failed, `error` receives the system's description.
    OpenStatus open(const QByteArray &path, QString *error = nullptr);

    // The file's size when it was opened.
    qint64 size() const { return m_size; }

    // Whether a new file can stand in for the open one (see replaceable()).
    Replaceable replaceable() const;

    // Reads up to `size` bytes from where the last read stopped; 0 at the
    // end, -1 on failure with `error` set.
    qint64 read(char *data, qint64 size, QString *error);

    // Creates the new file in the file's folder.
    bool createReplacement(QString *error);
    // Gives the new file the mode, owner and group of the open one.
    bool copyModeAndOwner(QString *error);
    // Appends all of `data` to the new file. Written data is handed to the
    // disk as the file grows and dropped from the cache once it is there,
    // so that the final flush has little left to do and the run does not
    // push other files out of memory.
    bool write(const char *data, qint64 size, QString *error);
    // Flushes the new file's data to disk.
    bool flush(QString *error);
    // True when the file's name in its folder still leads to the file that
    // was opened (not moved, removed or replaced meanwhile).
    bool stillInPlace() const;
    // Renames the new file over the old one and makes the rename durable.
    bool commit(QString *error);

private:
    void startWriteback();

    int m_folder = -1;
    QByteArray m_name; // the file's name in m_folder
    int m_source = -1;
    qint64 m_size = 0;
    int m_target = -1;
    QByteArray m_targetName; // the new file's name in m_folder
    qint64 m_written = 0;
    qint64 m_queued = 0;  // bytes handed to the disk
    qint64 m_dropped = 0; // bytes known to be on disk and dropped from the cache
};

} // namespace sweepora::platform
