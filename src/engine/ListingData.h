// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ChunkedStore.h"
#include "engine/Listing.h"
#include "engine/NameStore.h"
#include "engine/WalkProblems.h"

#include <QSharedData>

#include <vector>

namespace sweepora {

// One folder reached by a walk: its name under its parent. Folder 0 is the
// top folder, whose path is kept whole in `topPath`.
struct FolderEntry
{
    std::uint64_t nameOffset = 0;
    std::uint32_t parent = 0;
    std::uint16_t nameLength = 0;
};

// A name to show instead of the one on disk, in the listing's name store.
struct DisplayName
{
    std::uint64_t offset = 0;
    std::uint16_t length = 0;
};

class ListingData : public QSharedData
{
public:
    ChunkedStore<FileRow, 12> rows;
    // Empty for listings that show the names on disk, which is every
    // listing but the Trash's; otherwise one per row.
    std::vector<DisplayName> displayNames;
    NameStore names;
    std::vector<FolderEntry> folders;
    QByteArray topPath; // ends with "/"
    std::uint64_t fileCount = 0;
    std::uint64_t dirCount = 0;
    std::uint64_t total = 0;
    WalkProblems problems;
    QString refusal;
};

// Fills a listing; used by the walk.
class ListingBuilder
{
public:
    explicit ListingBuilder(const QByteArray &topPath);

    // Adds a folder below `parent`; returns its index.
    std::uint32_t addFolder(std::uint32_t parent, const char *name, std::size_t length);
    void addRow(std::uint32_t folder, const char *name, std::size_t length, const FileRow &values);
    // Adds a row shown under another name than its name on disk. A listing
    // has either no rows of this kind or only such rows.
    void addRow(std::uint32_t folder, const char *name, std::size_t length, const FileRow &values,
                QByteArrayView displayName);
    ListingData &data() { return *m_listing.d; }
    Listing take() { return std::move(m_listing); }

private:
    Listing m_listing;
};

} // namespace sweepora
