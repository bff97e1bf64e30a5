#include "cli/cli.h"

namespace tallowin::cli {

int cmdListFile(const QStringList &) {
    printUsageError(QStringLiteral("the listfile command is not built yet"));
    return BadUsage;
}

} // namespace tallowin::cli
