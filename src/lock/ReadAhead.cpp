// SPDX-License-Identifier: GPL-3.0-or-later
#include "lock/ReadAhead.h"

namespace sweepora::lock {

ReadAhead::ReadAhead(ReadFunction read, int buffers, qint64 chunkSize)
    : m_read(std::move(read)), m_chunkSize(chunkSize), m_sizes(std::size_t(buffers), 0)
{
    for (int i = 0; i < buffers; ++i)
        m_buffers.push_back(std::make_unique<char[]>(std::size_t(chunkSize)));
    m_thread = std::thread([this] { readLoop(); });
}

ReadAhead::~ReadAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void ReadAhead::readLoop()
{
    const int count = int(m_buffers.size());
    int nextEmpty = 0;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || m_filled < count; });
            if (m_stop)
                return;
        }
        // The buffer is the reader's alone until it is counted as filled.
        QString error;
        const qint64 n = m_read(m_buffers[std::size_t(nextEmpty)].get(), m_chunkSize, &error);
        {
            const std::lock_guard lock(m_mutex);
            if (n < 0) {
                m_failed = true;
                m_error = error;
            } else if (n == 0) {
                m_ended = true;
            } else {
                m_sizes[std::size_t(nextEmpty)] = n;
                ++m_filled;
            }
        }
        m_changed.notify_all();
        if (n <= 0)
            return;
        nextEmpty = (nextEmpty + 1) % count;
    }
}

bool ReadAhead::next(Chunk &chunk, QString *error)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_filled > 0 || m_ended || m_failed; });
    if (m_filled > 0) {
        chunk = {m_buffers[std::size_t(m_nextFull)].get(), m_sizes[std::size_t(m_nextFull)]};
        return true;
    }
    if (m_failed) {
        if (error)
            *error = m_error;
        return false;
    }
    chunk = {};
    return true;
}

void ReadAhead::release()
{
    {
        const std::lock_guard lock(m_mutex);
        --m_filled;
        m_nextFull = (m_nextFull + 1) % int(m_buffers.size());
    }
    m_changed.notify_all();
}

} // namespace sweepora::lock
