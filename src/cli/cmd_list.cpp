#include "cli/cli.h"

#include "files/columnsort.h"

#include <string>

namespace tallowin::cli {

namespace {

// Appends a field as tab-separated output writes it; plain ASCII (most names, every number)
// goes straight in.
void appendField(std::string &out, const QString &field) {
    for (const QChar c : field)
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F || c == u'\\') {
            const QByteArray escaped = tsvField(field);
            out.append(escaped.constData(), size_t(escaped.size()));
            return;
        }
    for (const QChar c : field)
        out += char(c.unicode());
}

void appendBytes(std::string &out, const QByteArray &bytes) {
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7F || c == '\\') {
            const QByteArray escaped = tsvBytes(bytes);
            out.append(escaped.constData(), size_t(escaped.size()));
            return;
        }
    }
    out.append(bytes.constData(), size_t(bytes.size()));
}

void printRows(const std::vector<FileEntry> &rows, bool json) {
    if (json) {
        QByteArray out = "{\"rows\":[";
        for (size_t i = 0; i < rows.size(); ++i) {
            const FileEntry &r = rows[i];
            if (i)
                out += ',';
            out += "{\"name\":" + jsonString(r.fileName);
            // JSON text cannot hold bytes that are not UTF-8: give them escaped as well.
            if (QString::fromUtf8(r.nativeName).toUtf8() != r.nativeName)
                out += ",\"nameBytes\":" + jsonString(QString::fromLatin1(tsvBytes(r.nativeName)));
            out += ",\"date\":" + jsonString(r.DateCreated) +
                   ",\"number\":" + jsonString(r.numberAdjName) +
                   ",\"checked\":" + QByteArray(r.checked ? "true" : "false") + '}';
        }
        out += "]}\n";
        writeRaw(out);
        return;
    }
    // One buffer for many lines. Rows of one second share one date text, so its bytes are
    // kept by the text's address for the next rows.
    std::string out;
    out.reserve(1 << 20);
    struct CachedDate {
        const QChar *text = nullptr;
        std::string bytes;
    };
    CachedDate dates[8];
    for (const FileEntry &r : rows) {
        appendBytes(out, r.nativeName);
        out += '\t';
        CachedDate &d = dates[(quintptr(r.DateCreated.constData()) >> 4) & 7];
        if (d.text != r.DateCreated.constData() || d.text == nullptr) {
            d.text = r.DateCreated.constData();
            d.bytes.clear();
            appendField(d.bytes, r.DateCreated);
        }
        out += d.bytes;
        out += '\t';
        appendField(out, r.numberAdjName);
        out += '\n';
        if (out.size() >= (1 << 20) - 1024) {
            writeRaw(QByteArray::fromRawData(out.data(), qsizetype(out.size())));
            out.clear();
        }
    }
    writeRaw(QByteArray::fromRawData(out.data(), qsizetype(out.size())));
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
        if (!sortListByColumn(list, qint16(column), fileListColumnKind(column),
                              descending ? SortDescending : SortAscending, &message)) {
            printMessage(message);
            return ErrorReported;
        }
    }
    printRows(listing.rows, args->has(QStringLiteral("--json")));
    return status;
}

} // namespace tallowin::cli
