#include "cli/cli.h"

namespace tallowin::cli {

int cmdTags(const QStringList &) {
    printUsageError(QStringLiteral("the tags command is not built yet"));
    return BadUsage;
}

} // namespace tallowin::cli
