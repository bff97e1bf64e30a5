#include "cli/cli.h"

#include "listfile/listfile.h"
#include "preview/previewreview.h"

namespace tallowin::cli {

int cmdListFile(const QStringList &argv) {
    QString error;
    const auto args = parseArgs(
        argv, {QStringLiteral("--file"), QStringLiteral("--delimiter")},
        {QStringLiteral("--header"), QStringLiteral("--rename"), QStringLiteral("--swap-safe")},
        error);
    if (!args) {
        printUsageError(error);
        return BadUsage;
    }
    if (args->operands.size() != 1) {
        printUsageError(QStringLiteral("listfile needs one folder"));
        return BadUsage;
    }
    const QString folder = args->operands.first();
    if (!isFolder(folder)) {
        printUsageError(QStringLiteral("not a folder: ") + folder);
        return BadUsage;
    }
    ListFile::Options options;
    options.path = args->value(QStringLiteral("--file"));
    options.header = args->has(QStringLiteral("--header"));
    if (args->has(QStringLiteral("--delimiter"))) {
        const QString d = args->value(QStringLiteral("--delimiter"));
        if (d == u"comma") {
            options.delimiter = ListFile::Delimiter::Comma;
        } else if (d == u"tab") {
            options.delimiter = ListFile::Delimiter::Tab;
        } else {
            options.delimiter = ListFile::Delimiter::Other;
            options.otherDelimiter = d;
        }
    }
    StderrReporter errors;
    ListFile::Result result = ListFile::load(options, folder, errors);
    if (result.outcome == ListFile::Outcome::Message) {
        printMessage(result.message);
        return BadUsage;
    }
    if (result.outcome != ListFile::Outcome::Loaded)
        return ErrorReported;
    PreviewReview review;
    review.fill(std::move(result.rows));
    const bool json = args->has(QStringLiteral("--json"));
    if (args->has(QStringLiteral("--rename")))
        return renameRows(folder, review.rows(), json, result.folder, {},
                          args->has(QStringLiteral("--swap-safe")));
    printPreviewRows(review.rows(), json);
    return Done;
}

} // namespace tallowin::cli
