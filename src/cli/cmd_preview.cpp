#include "cli/cli.h"

#include "engine/ruleengine.h"
#include "preview/previewbuilder.h"

namespace tallowin::cli {

QByteArray oldNameField(const PreviewEntry &row) {
    const QString name = row.oldName();
    return hasEscapedBytes(name) ? tsvBytes(row.oldBytes()) : tsvField(name);
}

QByteArray oldBytesJson(const PreviewEntry &row) {
    if (!hasEscapedBytes(row.oldName()))
        return {};
    return ",\"oldBytes\":" + jsonString(QString::fromUtf8(tsvBytes(row.oldBytes())));
}

QByteArray bytesJson(const char *key, const QString &name) {
    if (!hasEscapedBytes(name))
        return {};
    return ",\"" + QByteArray(key) + "\":" + jsonString(QString::fromUtf8(tsvField(name)));
}

int previewFolder(const Args &args, QString &folder, std::vector<PreviewEntry> &rows,
                  FolderIdentity *identity) {
    if (args.operands.size() != 1) {
        printUsageError(QStringLiteral("give one folder"));
        return BadUsage;
    }
    StderrReporter errors;
    RuleTable rules;
    if (!loadRules(args, rules, errors))
        return BadUsage;
    folder = args.operands.first();
    DirectoryListing listing;
    if (const int status = listFolder(args, folder, listing, false); status != Done)
        return status;
    if (identity)
        *identity = listing.folder;
    const RuleEngine engine(rules, errors, Mp3KindContext{folder, {}, {}});
    PreviewResult result = PreviewBuilder(engine, errors)
                               .build(std::make_shared<const FileRows>(std::move(listing.rows)));
    if (result.outcome == PreviewOutcome::NoRules) {
        printMessage(NoRulesMessage);
        return BadUsage;
    }
    if (result.outcome != PreviewOutcome::Done)
        return ErrorReported;
    rows = std::move(result.rows);
    return Done;
}

int cmdPreview(const QStringList &argv) {
    QString error;
    const auto args = parseArgs(argv, RuleOptions + FilterOptions, FilterFlags, error);
    if (!args) {
        printUsageError(error);
        return BadUsage;
    }
    QString folder;
    std::vector<PreviewEntry> rows;
    if (const int status = previewFolder(*args, folder, rows); status != Done)
        return status;
    printPreviewRows(rows, args->has(QStringLiteral("--json")));
    return Done;
}

} // namespace tallowin::cli
