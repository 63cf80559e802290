// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <memory>
#include <vector>

namespace sweepora {

// Entry names kept back to back in 64 KiB blocks; a name is identified by
// the offset `add` returns. A name never spans two blocks (names are at
// most 65,535 bytes, as a folder listing gives them).
class NameStore
{
public:
    static constexpr std::uint32_t blockBits = 16;
    static constexpr std::uint32_t blockSize = 1u << blockBits;

    NameStore() = default;
    NameStore(NameStore &&) noexcept = default;
    NameStore &operator=(NameStore &&) noexcept = default;
    NameStore(const NameStore &other);
    NameStore &operator=(const NameStore &other);

    std::uint64_t add(const char *name, std::uint16_t length);
    QByteArrayView view(std::uint64_t offset, std::uint16_t length) const
    {
        return {m_blocks[offset >> blockBits].get() + (offset & (blockSize - 1)), length};
    }

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::uint32_t m_used = blockSize; // bytes used in the last block
};

} // namespace sweepora
