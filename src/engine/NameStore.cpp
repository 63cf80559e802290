// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/NameStore.h"

#include <cstring>

namespace sweepora {

NameStore::NameStore(const NameStore &other) : m_used(other.m_used)
{
    m_blocks.reserve(other.m_blocks.size());
    for (const auto &block : other.m_blocks) {
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(blockSize));
        std::memcpy(m_blocks.back().get(), block.get(), blockSize);
    }
}

NameStore &NameStore::operator=(const NameStore &other)
{
    if (this != &other)
        *this = NameStore(other);
    return *this;
}

std::uint64_t NameStore::add(const char *name, std::uint16_t length)
{
    if (blockSize - m_used < length) {
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(blockSize));
        m_used = 0;
    }
    const std::uint64_t offset = (std::uint64_t(m_blocks.size() - 1) << blockBits) | m_used;
    std::memcpy(m_blocks.back().get() + m_used, name, length);
    m_used += length;
    return offset;
}

} // namespace sweepora
