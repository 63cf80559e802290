// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace sweepora {

// A growing array kept in fixed-size chunks: appending never moves what is
// stored, so a listing of a million rows grows without the copy (and the
// twice-the-memory peak) of a reallocating vector. Indexing stays O(1).
template <typename T, unsigned ChunkBits>
class ChunkedStore
{
    static_assert(std::is_trivially_copyable_v<T>);

public:
    static constexpr std::size_t chunkSize = std::size_t(1) << ChunkBits;

    ChunkedStore() = default;
    ChunkedStore(ChunkedStore &&) noexcept = default;
    ChunkedStore &operator=(ChunkedStore &&) noexcept = default;
    ChunkedStore(const ChunkedStore &other) : m_size(other.m_size)
    {
        m_chunks.reserve(other.m_chunks.size());
        for (const auto &chunk : other.m_chunks) {
            m_chunks.push_back(std::make_unique_for_overwrite<T[]>(chunkSize));
            std::memcpy(m_chunks.back().get(), chunk.get(), chunkSize * sizeof(T));
        }
    }
    ChunkedStore &operator=(const ChunkedStore &other)
    {
        if (this != &other)
            *this = ChunkedStore(other);
        return *this;
    }

    std::size_t size() const { return m_size; }

    T &operator[](std::size_t i) { return m_chunks[i >> ChunkBits][i & (chunkSize - 1)]; }
    const T &operator[](std::size_t i) const { return m_chunks[i >> ChunkBits][i & (chunkSize - 1)]; }

    void push_back(const T &value)
    {
        if ((m_size >> ChunkBits) == m_chunks.size())
            m_chunks.push_back(std::make_unique_for_overwrite<T[]>(chunkSize));
        (*this)[m_size++] = value;
    }

    // Removes element `i`; the ones after it move up by one.
    void erase(std::size_t i)
    {
        for (std::size_t j = i; j + 1 < m_size; ++j)
            (*this)[j] = (*this)[j + 1];
        --m_size;
        if (m_chunks.size() > (m_size + chunkSize - 1) >> ChunkBits)
            m_chunks.pop_back();
    }

private:
    std::vector<std::unique_ptr<T[]>> m_chunks;
    std::size_t m_size = 0;
};

} // namespace sweepora
