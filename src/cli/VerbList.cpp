// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/GroupTable.h"
#include "core/Helpers.h"
#include "engine/GroupFolder.h"
#include "engine/Listing.h"
#include "engine/TrashListing.h"

#include <cstdio>

namespace sweepora::cli {
namespace {

// Appends one field as printRecord writes it. Names straight from the disk
// are mostly plain UTF-8 and are copied as they are; the rest goes through
// the escaping of printRecord.
void appendField(QByteArray &out, QByteArrayView raw)
{
    bool plain = raw.isValidUtf8();
    for (qsizetype i = 0; plain && i < raw.size(); ++i) {
        const auto c = static_cast<unsigned char>(raw[i]);
        plain = c >= 0x20 && c != 0x7f && c != '\\';
    }
    if (plain)
        out += raw;
    else
        out += escapeBytes(raw);
}

void flush(QByteArray &out)
{
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    out.clear();
}

} // namespace

int runList(const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("'list' takes one group key"));
    const QString &key = args.first();
    // A table that cannot be read is reported as such, not as an unknown
    // key; a missing table holds no groups, and a cut one its complete lines.
    const GroupParse load = LoadGroups();
    if (load.error && load.error.number != GroupFileError::FileNotFound
        && load.error.number != GroupFileError::InputPastEnd) {
        printError(load.error.text());
        return Refused;
    }
    std::optional<QString> path;
    for (const Group &group : load.complete) {
        if (group.key == key)
            path = group.path; // the last line with the key wins
    }
    if (!path || path->isEmpty()) {
        printError(QStringLiteral("No group has the key ") + key);
        return Refused;
    }

    const Listing listing = listGroupFolder(*path);
    if (!listing.refusal().isEmpty()) {
        printError(groupRefusalText(key, listing.refusal()));
        return Refused;
    }
    QByteArray out;
    out.reserve(1 << 17);
    std::uint32_t folder = 0;
    QByteArray folderPath = listing.size() > 0 ? listing.folderPath(0) : QByteArray();
    for (qsizetype row = 0; row < listing.size(); ++row) {
        if (listing.folderOf(row) != folder) {
            folder = listing.folderOf(row);
            folderPath = listing.folderPath(folder);
        }
        appendField(out, listing.displayNameBytes(row));
        out += '\t';
        out += QByteArray::number(static_cast<qulonglong>(listing.fileSize(row)));
        out += " bytes\t";
        out += FileTimeText(listing.created(row)).toLatin1();
        out += '\t';
        out += FileTimeText(listing.accessed(row)).toLatin1();
        out += '\t';
        out += FileTimeText(listing.modified(row)).toLatin1();
        out += '\t';
        QByteArray fullPath = folderPath;
        fullPath += listing.nameBytes(row);
        appendField(out, fullPath);
        out += '\n';
        if (out.size() > (1 << 16))
            flush(out);
    }
    flush(out);
    printRecord({listing.filesTotalText()});
    printRecord({listing.filesTotalSpaceText(*path)});
    if (!listing.problems().empty()) {
        printError(groupRefusalText(key, listing.problems().summary()));
        return Refused;
    }
    return Success;
}

} // namespace sweepora::cli
