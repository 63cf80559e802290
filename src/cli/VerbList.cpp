// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/GroupTable.h"
#include "core/Helpers.h"
#include "engine/GroupFolder.h"
#include "engine/Listing.h"
#include "engine/TrashListing.h"

#include <charconv>
#include <cstdio>

namespace sweepora::cli {
namespace {

// Appends one field as printRecord writes it. Names straight from the disk
// are mostly plain ASCII or UTF-8 and are copied as they are; the rest goes
// through the escaping of printRecord.
void appendField(QByteArray &out, QByteArrayView raw)
{
    bool ascii = true;
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || byte == '\\') {
            out += escapeBytes(raw);
            return;
        }
        ascii = ascii && byte < 0x80;
    }
    if (ascii || raw.isValidUtf8())
        out += raw;
    else
        out += escapeBytes(raw);
}

// The date columns of a listing: rows of one folder often share the minute
// shown, so the text of the last minute seen is kept.
class TimeColumn
{
public:
    void append(QByteArray &out, FileTime time)
    {
        constexpr FileTime ticksPerMinute = 600000000;
        FileTime minute = time / ticksPerMinute;
        if (time % ticksPerMinute < 0)
            --minute;
        if (minute != m_minute || m_length == 0) {
            m_minute = minute;
            m_length = writeFileTimeText(time, m_text);
        }
        out.append(m_text, static_cast<qsizetype>(m_length));
    }

private:
    FileTime m_minute = 0;
    std::size_t m_length = 0;
    char m_text[fileTimeTextCapacity];
};

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
    // A folder's path ends in "/", so it is escaped on its own, once, with
    // the same result as escaping it together with each name.
    QByteArray folderField;
    if (listing.size() > 0)
        appendField(folderField, listing.folderPath(0));
    TimeColumn created;
    TimeColumn accessed;
    TimeColumn modified;
    for (qsizetype row = 0; row < listing.size(); ++row) {
        if (listing.folderOf(row) != folder) {
            folder = listing.folderOf(row);
            folderField.clear();
            appendField(folderField, listing.folderPath(folder));
        }
        appendField(out, listing.displayNameBytes(row));
        out += '\t';
        char size[24];
        out.append(size, std::to_chars(size, size + sizeof size, listing.fileSize(row)).ptr - size);
        out += " bytes\t";
        created.append(out, listing.created(row));
        out += '\t';
        accessed.append(out, listing.accessed(row));
        out += '\t';
        modified.append(out, listing.modified(row));
        out += '\t';
        out += folderField;
        appendField(out, listing.nameBytes(row));
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
