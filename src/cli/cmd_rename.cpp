#include "cli/cli.h"

#include "engine/mp3kind.h"
#include "engine/text.h"
#include "preview/previewreview.h"
#include "rename/renamer.h"

namespace tallowin::cli {

namespace {

// Why a row is not renamed, in the words of the `skipped` line.
QByteArray skipReason(const PreviewEntry &row, const QSet<QByteArray> &untickedByUser) {
    if (untickedByUser.contains(row.oldBytes()))
        return "unticked by --untick";
    const QString name = text::splitAtLastDot(row.newName).name;
    if (name.contains(u'%') && holdsMp3Placeholder(name))
        return "placeholder left";
    return "duplicate";
}

} // namespace

int renameRows(const QString &folder, const std::vector<PreviewEntry> &rows, bool json,
               const FolderIdentity &identity, const QSet<QByteArray> &untickedByUser,
               bool swapSafe, const QByteArray &jsonMore) {
    StderrReporter errors;
    // Lines go out as their rows are done, in batches (see RowOutput).
    RowOutput output;
    bool firstJson = true;
    const auto print = [&](const QByteArray &line) {
        if (json) {
            output.add((firstJson ? QByteArray("{\"renames\":[") : QByteArray(",")) + line);
            firstJson = false;
            return;
        }
        output.add(line);
    };
    size_t next = 0; // rows before it are printed
    const auto skippedBefore = [&](size_t end) {
        for (; next < end; ++next) {
            const PreviewEntry &row = rows[next];
            if (row.checked)
                continue;
            const QByteArray reason = skipReason(row, untickedByUser);
            const QString shown = writtenName(row.newName);
            if (json)
                print("{\"status\":\"skipped\",\"old\":" + jsonString(row.oldName()) +
                      oldBytesJson(row) + ",\"new\":" + jsonString(shown) +
                      bytesJson("newBytes", shown) + ",\"reason\":\"" + reason + "\"}");
            else
                print("skipped\t" + oldNameField(row) + '\t' + tsvField(shown) + '\t' + reason +
                      '\n');
        }
    };
    const auto rowDone = [&](const RenameOutcome &o) {
        skippedBefore(size_t(o.row));
        next = size_t(o.row) + 1;
        const PreviewEntry &old = rows[size_t(o.row)];
        if (!json) {
            QByteArray line = o.ok ? "ok\t" : "failed\t";
            line += oldNameField(old);
            line += '\t';
            line += tsvField(o.newName);
            if (!o.ok) {
                line += '\t';
                line += tsvField(o.message);
            }
            print(line + '\n');
            return;
        }
        QByteArray item = "{\"status\":" + QByteArray(o.ok ? "\"ok\"" : "\"failed\"") +
                          ",\"old\":" + jsonString(old.oldName()) + oldBytesJson(old) +
                          ",\"new\":" + jsonString(o.newName) + bytesJson("newBytes", o.newName);
        if (!o.ok)
            item += ",\"errorNumber\":" + QByteArray::number(o.errorNumber) +
                    ",\"message\":" + jsonString(o.message);
        print(item + '}');
    };
    // A swap-safe run renames through steps of its own; its rows are told once it is done.
    const RenameRun run = journalledRename(errors, folder, rows, swapSafe, [&](Renamer &r) {
        r.setExpectedFolder(identity);
        if (!swapSafe)
            r.setRowDone(rowDone);
    });
    output.flush();
    if (run.observerError)
        return ErrorReported;
    if (!run.refusal.isEmpty()) {
        printMessage(run.refusal);
        return BadUsage;
    }
    if (swapSafe)
        for (const RenameOutcome &o : run.outcomes)
            rowDone(o);
    skippedBefore(rows.size());
    output.flush();
    if (json)
        writeRaw((firstJson ? QByteArray("{\"renames\":[]") : QByteArray("]")) + jsonMore + "}\n");
    if (run.recordError) {
        flushOut();
        printUsageError(journalLostMessage(run.recordError));
        return SomeFailed;
    }
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
    FolderIdentity identity;
    if (const int status = previewFolder(*args, folder, rows, &identity); status != Done)
        return status;
    QSet<QByteArray> untickedByUser;
    PreviewReview review;
    review.fill(std::move(rows));
    // A name is matched as shown or as the preview prints it (bytes that are not UTF-8 as \xHH).
    // A name that matches no row stops everything: the file meant to be kept could be renamed.
    for (const QString &name : args->values(QStringLiteral("--untick"))) {
        bool found = false;
        for (qsizetype i = 0; i < qsizetype(review.rows().size()); ++i) {
            const PreviewEntry &row = review.rows()[size_t(i)];
            if (row.oldName() != name && QString::fromUtf8(oldNameField(row)) != name)
                continue;
            found = true;
            untickedByUser.insert(row.oldBytes());
            if (row.checked && review.setChecked(i, false).reordered)
                i = -1; // the rows moved: look again from the start
        }
        if (!found) {
            printUsageError(QStringLiteral("no file to untick is named ") + name);
            return BadUsage;
        }
    }
    return renameRows(folder, review.rows(), args->has(QStringLiteral("--json")), identity,
                      untickedByUser, args->has(QStringLiteral("--swap-safe")));
}

} // namespace tallowin::cli
