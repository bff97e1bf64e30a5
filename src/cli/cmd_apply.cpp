#include "cli/cli.h"

#include "engine/ruleengine.h"
#include "preview/previewbuilder.h"
#include "rename/renamer.h"

#include <QDir>

namespace tallowin::cli {

// Prints preview rows as TICK, OLD, NEW; or as one JSON document.
void printPreviewRows(const std::vector<PreviewEntry> &rows, bool json, const QByteArray &jsonMore,
                      bool asWritten) {
    if (json) {
        QByteArray out = "{\"rows\":[";
        for (size_t i = 0; i < rows.size(); ++i) {
            const auto &r = rows[i];
            if (i)
                out += ',';
            const QString shown = asWritten ? writtenName(r.newName) : r.newName;
            out += "{\"tick\":" + QByteArray(r.checked ? "true" : "false") +
                   ",\"old\":" + jsonString(r.oldName()) + oldBytesJson(r) +
                   ",\"new\":" + jsonString(shown) + bytesJson("newBytes", shown) + '}';
        }
        out += ']' + jsonMore + "}\n";
        writeRaw(out);
        return;
    }
    // One buffer for many rows: a preview may have a hundred thousand of them.
    QByteArray out;
    out.reserve(1 << 17);
    for (const auto &r : rows) {
        out += r.checked ? "1\t" : "0\t";
        out += oldNameField(r);
        out += '\t';
        out += tsvField(asWritten ? writtenName(r.newName) : r.newName);
        out += '\n';
        if (out.size() >= (1 << 16)) {
            writeRaw(out);
            out.resize(0);
        }
    }
    writeRaw(out);
}

int runPreview(const RuleTable &rules, const QString &folder, const QStringList &names, bool json,
               std::vector<PreviewEntry> *rowsOut) {
    StderrReporter errors;
    const RuleEngine engine(rules, errors, Mp3KindContext{folder, {}, {}});
    PreviewBuilder builder(engine, errors);
    PreviewResult result = builder.build(names);
    if (result.outcome == PreviewOutcome::NoRules) {
        printMessage(NoRulesMessage);
        return BadUsage;
    }
    if (result.outcome != PreviewOutcome::Done)
        return ErrorReported;
    if (rowsOut)
        *rowsOut = result.rows;
    else
        printPreviewRows(result.rows, json, {}, false);
    return Done;
}

int cmdApply(const QStringList &argv) {
    QString error;
    const auto args =
        parseArgs(argv, RuleOptions + QStringList{QStringLiteral("--dir")}, {}, error);
    if (!args) {
        printUsageError(error);
        return BadUsage;
    }
    StderrReporter errors;
    RuleTable rules;
    if (!loadRules(*args, rules, errors))
        return BadUsage;
    const QString dir = args->has(QStringLiteral("--dir")) ? args->value(QStringLiteral("--dir"))
                                                           : QDir::currentPath();
    return runPreview(rules, dir, args->operands, args->has(QStringLiteral("--json")), nullptr);
}

} // namespace tallowin::cli
