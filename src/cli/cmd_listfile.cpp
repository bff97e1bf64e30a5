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
    const bool json = args->has(QStringLiteral("--json"));
    // The lines that gave no row, before any row: as rename's skipped lines, the reason led by
    // the line's number. In JSON, an array of their own.
    QByteArray skipped;
    for (const ListFile::SkippedLine &s : result.skipped) {
        const QString reason = ListFile::skipReasonText(s.reason);
        if (json)
            skipped +=
                (skipped.isEmpty() ? "" : ",") +
                ("{\"line\":" + QByteArray::number(s.line) + ",\"old\":" + jsonString(s.oldName) +
                 ",\"new\":" + jsonString(s.newName) + ",\"reason\":" + jsonString(reason) + '}');
        else
            skipped += "skipped\t" + tsvField(s.oldName) + '\t' + tsvField(s.newName) + "\tline " +
                       QByteArray::number(s.line) + ": " + reason.toUtf8() + '\n';
    }
    const QByteArray jsonMore = json ? ",\"skipped\":[" + skipped + ']' : QByteArray();
    if (!json) {
        writeRaw(skipped);
        flushOut();
    }
    if (result.rows.empty()) {
        if (json)
            writeRaw((args->has(QStringLiteral("--rename")) ? "{\"renames\":[]" : "{\"rows\":[]") +
                     jsonMore + "}\n");
        printUsageError(QStringLiteral("no line of %1 names a file in %2: nothing to rename")
                            .arg(options.path, folder));
        return BadUsage;
    }
    PreviewReview review;
    review.fill(std::move(result.rows));
    if (args->has(QStringLiteral("--rename")))
        return renameRows(folder, review.rows(), json, result.folder, {},
                          args->has(QStringLiteral("--swap-safe")), jsonMore);
    printPreviewRows(review.rows(), json, jsonMore);
    return Done;
}

} // namespace tallowin::cli
