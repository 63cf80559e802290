// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <cstdint>

namespace sweepora {

// One line of the deleted-files report, as UTF-8 bytes: the full path, then
// blanks up to the start of the next 14-column print zone (at least one, so
// a path whose length is a multiple of 14 gets 14), then the size in plain
// decimal digits, " Bytes" and CR LF. Columns count characters. Control
// characters in the path are written as \t, \n, \r or \xHH, so every
// deleted file keeps to one line; bytes that are not UTF-8 show as U+FFFD.
QByteArray reportLine(const QByteArray &fullPath, std::uint64_t size);

// Appends lines to the deleted-files report. The file is opened (and
// created when missing) with the first line; lines reach the file in
// batches (see add()) and all of them by finish(). It is opened without following a symbolic
// link and used only when it is a regular file, so a link in its place never
// leads the lines into another file and a FIFO never blocks the run. A report
// that cannot be opened or written loses its lines, with a warning in the
// log and the reason in error(); the caller goes on.
class DeletedFilesReport
{
public:
    explicit DeletedFilesReport(const QString &file);
    // Writes what is still waiting (see finish()).
    ~DeletedFilesReport();

    // Adds the line for one deleted file; false when the report cannot be
    // written. Lines are written in batches, at most a fifth of a second or
    // 64 KiB behind.
    bool add(const QByteArray &fullPath, std::uint64_t size);

    // Writes and flushes the lines still waiting; false when lines were lost.
    bool finish();

    // Why lines were lost: the first failure to open or write the report,
    // naming the file. Empty while every line was written.
    QString error() const { return m_error; }

private:
    static constexpr qsizetype kBatchBytes = 64 * 1024;
    static constexpr qint64 kBatchMilliseconds = 200;

    QFile m_file;
    QByteArray m_pending;
    QElapsedTimer m_sinceWrite;
    QString m_path;
    QString m_error;
    bool m_failed = false;
};

} // namespace sweepora
