#include "cli/cli.h"

#include "preview/previewreview.h"
#include "preview/renamer.h"

namespace tallowin::cli {

int renameRows(const QString &folder, const std::vector<PreviewEntry> &rows, bool json,
               bool swapSafe) {
    StderrReporter errors;
    const RenameRun run = journalledRename(errors, folder, rows, swapSafe);
    if (run.observerError)
        return ErrorReported;
    QByteArray out = json ? QByteArray("{\"renames\":[") : QByteArray();
    for (size_t i = 0; i < run.outcomes.size(); ++i) {
        const RenameOutcome &o = run.outcomes[i];
        const PreviewEntry &old = rows[size_t(o.row)];
        if (!json) {
            out += o.ok ? "ok\t" : "failed\t";
            out += oldNameField(old);
            out += '\t';
            out += tsvField(o.newName);
            if (!o.ok) {
                out += '\t';
                out += tsvField(o.message);
            }
            out += '\n';
            if (out.size() >= (1 << 16)) {
                writeRaw(out);
                out.resize(0);
            }
            continue;
        }
        if (i)
            out += ',';
        out += "{\"status\":" + QByteArray(o.ok ? "\"ok\"" : "\"failed\"") +
               ",\"old\":" + jsonString(old.oldName) + oldBytesJson(old) +
               ",\"new\":" + jsonString(o.newName);
        if (!o.ok)
            out += ",\"errorNumber\":" + QByteArray::number(o.errorNumber) +
                   ",\"message\":" + jsonString(o.message);
        out += '}';
    }
    writeRaw(json ? out + "]}\n" : out);
    return run.failedCount() > 0 ? SomeFailed : Done;
}

int cmdRename(const QStringList &argv) {
    QString error;
    const auto args = parseArgs(argv, RuleOptions + FilterOptions + QStringList{"--untick"},
                                FilterFlags + QStringList{"--swap-safe"}, error);
    if (!args) {
        printUsageError(error);
        return BadUsage;
    }
    QString folder;
    std::vector<PreviewEntry> rows;
    if (const int status = previewFolder(*args, folder, rows); status != Done)
        return status;
    PreviewReview review;
    review.fill(std::move(rows));
    // A name is matched as shown or as the preview prints it (bytes that are not UTF-8 as \xHH).
    // A name that matches no row stops everything: the file meant to be kept could be renamed.
    for (const QString &name : args->values(QStringLiteral("--untick"))) {
        bool found = false;
        for (qsizetype i = 0; i < qsizetype(review.rows().size()); ++i) {
            const PreviewEntry &row = review.rows()[size_t(i)];
            if (row.oldName != name && QString::fromUtf8(oldNameField(row)) != name)
                continue;
            found = true;
            if (row.checked && review.setChecked(i, false).reordered)
                i = -1; // the rows moved: look again from the start
        }
        if (!found) {
            printUsageError(QStringLiteral("no file to untick is named ") + name);
            return BadUsage;
        }
    }
    return renameRows(folder, review.rows(), args->has(QStringLiteral("--json")),
                      args->has(QStringLiteral("--swap-safe")));
}

} // namespace tallowin::cli
