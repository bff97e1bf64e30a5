#include "cli/cli.h"

#include "files/columnsort.h"

namespace tallowin::cli {

namespace {

void printRows(const std::vector<FileEntry> &rows, bool json) {
    if (json) {
        QByteArray out = "{\"rows\":[";
        for (size_t i = 0; i < rows.size(); ++i) {
            const FileEntry &r = rows[i];
            if (i)
                out += ',';
            out += "{\"name\":" + jsonString(r.FileName);
            // JSON text cannot hold bytes that are not UTF-8: give them escaped as well.
            if (QString::fromUtf8(r.nativeName).toUtf8() != r.nativeName)
                out += ",\"nameBytes\":" + jsonString(QString::fromLatin1(tsvBytes(r.nativeName)));
            out += ",\"date\":" + jsonString(r.DateCreated) +
                   ",\"number\":" + jsonString(r.NumberAdjName) +
                   ",\"checked\":" + QByteArray(r.Checked ? "true" : "false") + '}';
        }
        out += "]}\n";
        writeRaw(out);
        return;
    }
    for (const FileEntry &r : rows)
        writeLine({tsvBytes(r.nativeName), tsvField(r.DateCreated), tsvField(r.NumberAdjName)});
}

} // namespace

int cmdList(const QStringList &argv) {
    QString error;
    const auto args = parseArgs(argv, FilterOptions + QStringList{QStringLiteral("--sort")},
                                FilterFlags + QStringList{QStringLiteral("--descending")}, error);
    if (!args) {
        printUsageError(error);
        return BadUsage;
    }
    if (args->operands.size() != 1) {
        printUsageError(QStringLiteral("list needs one folder"));
        return BadUsage;
    }
    int column = 1;
    if (args->has(QStringLiteral("--sort"))) {
        const QString by = args->value(QStringLiteral("--sort"));
        if (by == u"name")
            column = 1;
        else if (by == u"date")
            column = 2;
        else if (by == u"number")
            column = 3;
        else {
            printUsageError(QStringLiteral("--sort takes name, date or number, not ") + by);
            return BadUsage;
        }
    }
    DirectoryListing listing;
    const int status = listFolder(*args, args->operands.first(), listing);
    if (status == BadUsage)
        return status;
    const bool descending = args->has(QStringLiteral("--descending"));
    // A fresh listing is already in name order.
    if (status == Done && (column != 1 || descending)) {
        FileEntryList list(listing.rows);
        QString message;
        if (!SortListByColumn(list, qint16(column), fileListColumnKind(column),
                              descending ? SortDescending : SortAscending, &message)) {
            printMessage(message);
            return ErrorReported;
        }
    }
    printRows(listing.rows, args->has(QStringLiteral("--json")));
    return status;
}

} // namespace tallowin::cli
