#include "cli/Verbs.h"

#include "cli/Cli.h"
#include "core/Helpers.h"
#include "engine/DirUsedSpace.h"

namespace sweepora::cli {

int runUsed(const QStringList &args)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("'used' takes one folder path"));
    QString path = args.first();
    const std::uint64_t used = DirUsedSpace(path);
    printRecord({QString::number(used), FormatSize(used, true)});
    return Success;
}

} // namespace sweepora::cli
