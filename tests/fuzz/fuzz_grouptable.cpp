// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the group-table reader and checks what every
// table must keep: the complete lines alone read back as the same records
// (the recovery of a cut table keeps exactly those bytes), records written
// out read back unchanged, and merging duplicate keys leaves one group a key.

#include "core/GroupTable.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

using namespace sweepora;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool writable(const Group &group)
{
    // The layout has no escape for a double quote.
    for (const QString *field : {&group.name, &group.path, &group.key, &group.icon}) {
        if (field->contains(u'"'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const GroupParse parse = parseGroups(bytes);
    check(!parse.error || parse.error.number == GroupFileError::InputPastEnd);
    check(parse.completeBytes >= 0 && parse.completeBytes <= bytes.size());
    check(!parse.error || parse.completeBytes < bytes.size());

    const GroupParse kept = parseGroups(bytes.left(parse.completeBytes));
    check(!kept.error);
    check(kept.complete == parse.complete);

    bool allWritable = true;
    for (const Group &group : parse.complete) {
        allWritable = allWritable && writable(group);
        (void)group.iconNumber();
    }
    if (allWritable) {
        const GroupParse again = parseGroups(serializeGroups(parse.complete));
        check(!again.error);
        check(again.complete == parse.complete);
    }

    const GroupList merged = mergeDuplicateKeys(parse.complete);
    QSet<QString> keys;
    for (const Group &group : merged)
        keys.insert(group.key);
    check(keys.size() == merged.size());
    check(merged.size() <= parse.complete.size());
    return 0;
}
