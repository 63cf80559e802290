// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace sweepora::lock {

// Reads a stream ahead of its consumer on a thread of its own, into a small
// ring of buffers, so that reading overlaps whatever the consumer does with
// the chunks before. Memory stays at the ring's size whatever the stream's.
class ReadAhead
{
public:
    // Reads up to `size` bytes into `data`: the count, 0 at the end, -1 on
    // failure with `error` set. Called on the reading thread only.
    using ReadFunction = std::function<qint64(char *data, qint64 size, QString *error)>;

    // Starts reading at once, in chunks of `chunkSize` into `buffers` buffers.
    ReadAhead(ReadFunction read, int buffers, qint64 chunkSize);
    // Stops the reading thread and waits for it.
    ~ReadAhead();
    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    struct Chunk
    {
        char *data = nullptr;
        qint64 size = 0; // 0 at the end of the stream
    };

    // Waits for the next chunk, which stays valid until release(). False
    // when reading failed, with `error` set.
    bool next(Chunk &chunk, QString *error);
    // Hands the chunk from next() back for reading into.
    void release();

private:
    void readLoop();

    ReadFunction m_read;
    qint64 m_chunkSize;
    std::vector<std::unique_ptr<char[]>> m_buffers;
    std::vector<qint64> m_sizes;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_filled = 0;     // buffers read and not yet released
    int m_nextFull = 0;   // the buffer next() gives out next
    bool m_ended = false; // no more chunks will come
    bool m_failed = false;
    QString m_error;
    bool m_stop = false;

    std::thread m_thread;
};

} // namespace sweepora::lock
