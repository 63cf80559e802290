// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Listing.h"

#include "engine/ListingData.h"

#include <QList>

#include <algorithm>

namespace sweepora {

Listing::Listing() : d(new ListingData) {}
Listing::Listing(const Listing &) = default;
Listing::Listing(Listing &&) noexcept = default;
Listing &Listing::operator=(const Listing &) = default;
Listing &Listing::operator=(Listing &&) noexcept = default;
Listing::~Listing() = default;

qsizetype Listing::size() const
{
    return static_cast<qsizetype>(d->rows.size());
}

const FileRow &Listing::rowAt(qsizetype row) const
{
    Q_ASSERT(row >= 0 && row < size());
    return d->rows[static_cast<std::size_t>(row)];
}

QString Listing::name(qsizetype row) const
{
    return QString::fromUtf8(displayNameBytes(row));
}

QByteArrayView Listing::displayNameBytes(qsizetype row) const
{
    if (d->displayNames.empty())
        return nameBytes(row);
    Q_ASSERT(row >= 0 && row < size());
    const DisplayName &shown = d->displayNames[static_cast<std::size_t>(row)];
    return d->names.view(shown.offset, shown.length);
}

QByteArrayView Listing::nameBytes(qsizetype row) const
{
    const FileRow &r = rowAt(row);
    return d->names.view(r.nameOffset, r.nameLength);
}

std::uint64_t Listing::fileSize(qsizetype row) const
{
    return rowAt(row).size;
}

FileTime Listing::created(qsizetype row) const
{
    return rowAt(row).created;
}

FileTime Listing::accessed(qsizetype row) const
{
    return rowAt(row).accessed;
}

FileTime Listing::modified(qsizetype row) const
{
    return rowAt(row).modified;
}

const WalkProblems &Listing::problems() const
{
    return d->problems;
}

QString Listing::refusal() const
{
    return d->refusal;
}

std::uint32_t Listing::folderOf(qsizetype row) const
{
    return rowAt(row).folder;
}

QByteArray Listing::folderPath(std::uint32_t folder) const
{
    // Gather the names from the folder up to the top, then join them.
    QList<QByteArrayView> parts;
    qsizetype length = d->topPath.size();
    for (std::uint32_t f = folder; f != 0; f = d->folders[f].parent) {
        const FolderEntry &entry = d->folders[f];
        parts.append(d->names.view(entry.nameOffset, entry.nameLength));
        length += entry.nameLength + 1;
    }
    QByteArray path;
    path.reserve(length);
    path += d->topPath;
    for (auto it = parts.crbegin(); it != parts.crend(); ++it) {
        path += *it;
        path += '/';
    }
    return path;
}

QByteArray Listing::fullPath(qsizetype row) const
{
    QByteArray path = folderPath(folderOf(row));
    path += nameBytes(row);
    return path;
}

QString Listing::fullPathText(qsizetype row) const
{
    return QString::fromUtf8(fullPath(row));
}

std::uint64_t Listing::fileCount() const
{
    return d->fileCount;
}

std::uint64_t Listing::dirCount() const
{
    return d->dirCount;
}

std::uint64_t Listing::total() const
{
    return d->total;
}

QString Listing::filesTotalText() const
{
    return QString::number(d->fileCount) + QStringLiteral(" Files found in ")
        + QString::number(d->dirCount + 1) + QStringLiteral(" Directories");
}

QString Listing::filesTotalSpaceText(const QString &searchPath) const
{
    return QStringLiteral("Size of files found under ") + searchPath + QStringLiteral(" = ")
        + FormatSize(d->total);
}

void Listing::removeRow(qsizetype row)
{
    Q_ASSERT(row >= 0 && row < size());
    d->rows.erase(static_cast<std::size_t>(row));
    if (!d->displayNames.empty())
        d->displayNames.erase(d->displayNames.begin() + row);
}

ListingBuilder::ListingBuilder(const QByteArray &topPath)
{
    ListingData &data = *m_listing.d;
    data.topPath = topPath;
    data.folders.push_back({});
}

std::uint32_t ListingBuilder::addFolder(std::uint32_t parent, const char *name, std::size_t length)
{
    ListingData &data = *m_listing.d;
    const auto nameLength = static_cast<std::uint16_t>(length);
    data.folders.push_back({data.names.add(name, nameLength), parent, nameLength});
    return static_cast<std::uint32_t>(data.folders.size() - 1);
}

void ListingBuilder::addRow(std::uint32_t folder, const char *name, std::size_t length, const FileRow &values)
{
    ListingData &data = *m_listing.d;
    FileRow row = values;
    row.nameLength = static_cast<std::uint16_t>(length);
    row.nameOffset = data.names.add(name, row.nameLength);
    row.folder = folder;
    data.rows.push_back(row);
}

void ListingBuilder::addRow(std::uint32_t folder, const char *name, std::size_t length, const FileRow &values,
                            QByteArrayView displayName)
{
    ListingData &data = *m_listing.d;
    Q_ASSERT(data.displayNames.size() == data.rows.size());
    addRow(folder, name, length, values);
    const auto shownLength = static_cast<std::uint16_t>(std::min<qsizetype>(displayName.size(), 0xffff));
    data.displayNames.push_back({data.names.add(displayName.data(), shownLength), shownLength});
}

} // namespace sweepora
