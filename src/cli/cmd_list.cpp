#include "cli/cli.h"

namespace tallowin::cli {

int cmdList(const QStringList &) {
    printUsageError(QStringLiteral("the list command is not built yet"));
    return BadUsage;
}

} // namespace tallowin::cli
