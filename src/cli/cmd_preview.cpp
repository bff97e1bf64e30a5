#include "cli/cli.h"

namespace tallowin::cli {

int cmdPreview(const QStringList &) {
    printUsageError(QStringLiteral("the preview command is not built yet"));
    return BadUsage;
}

} // namespace tallowin::cli
