#include "cli/cli.h"

namespace tallowin::cli {

int cmdRename(const QStringList &) {
    printUsageError(QStringLiteral("the rename command is not built yet"));
    return BadUsage;
}

} // namespace tallowin::cli
