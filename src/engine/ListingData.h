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

class ListingData : public QSharedData
{
public:
    ChunkedStore<FileRow, 12> rows;
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
    ListingData &data() { return *m_listing.d; }
    Listing take() { return std::move(m_listing); }

private:
    Listing m_listing;
};

} // namespace sweepora
