// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/Helpers.h"
#include "engine/DirUsedSpace.h"

namespace sweepora::cli {

int runUsed(const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("'used' takes one folder path"));
    const UsedSpace used = usedSpace(args.first());
    if (!used.refusal.isEmpty()) {
        printError(used.refusal);
        return Refused;
    }
    printRecord({QString::number(used.bytes), FormatSize(used.bytes, true)});
    if (!used.problems.empty()) {
        printError(used.problems.summary());
        return Refused;
    }
    return Success;
}

} // namespace sweepora::cli
