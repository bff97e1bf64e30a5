#include "cli/cli.h"

#include "files/columnsort.h"

#include <array>
#include <ctime>
#include <numeric>
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

void appendBytes(std::string &out, QByteArrayView bytes) {
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7F || c == '\\') {
            const QByteArray escaped = tsvBytes(bytes.toByteArray());
            out.append(escaped.constData(), size_t(escaped.size()));
            return;
        }
    }
    out.append(bytes.data(), size_t(bytes.size()));
}

// The date texts of recent seconds: files made together share seconds, and rows in name order
// visit the same few seconds again and again.
class DateTexts {
public:
    explicit DateTexts(const FileRows &rows) : m_rows(rows) {}
    const std::string &text(size_t row) {
        std::time_t secs;
        if (!m_rows.createdSecs(row, secs)) {
            m_other.clear();
            appendField(m_other, m_rows.dateText(row));
            return m_other;
        }
        Slot &slot = m_slots[size_t(secs) % m_slots.size()];
        if (!slot.valid || slot.secs != secs) {
            slot.bytes.clear();
            appendField(slot.bytes, m_rows.dateText(row));
            slot.secs = secs;
            slot.valid = true;
        }
        return slot.bytes;
    }

private:
    struct Slot {
        std::time_t secs = 0;
        bool valid = false;
        std::string bytes;
    };
    const FileRows &m_rows;
    std::array<Slot, 64> m_slots;
    std::string m_other;
};

void printRows(const FileRows &rows, const std::vector<quint32> &order, bool json) {
    if (json) {
        QByteArray out = "{\"rows\":[";
        for (size_t i = 0; i < order.size(); ++i) {
            const size_t at = order[i];
            if (i)
                out += ',';
            const QByteArrayView bytes = rows.nameBytes(at);
            out += "{\"name\":" + jsonString(rows.name(at));
            // JSON text cannot hold bytes that are not UTF-8: give them escaped as well.
            if (QString::fromUtf8(bytes).toUtf8() != bytes)
                out += ",\"nameBytes\":" +
                       jsonString(QString::fromUtf8(tsvBytes(bytes.toByteArray())));
            out += ",\"date\":" + jsonString(rows.dateText(at)) +
                   ",\"number\":" + jsonString(rows.numberText(at)) + ",\"checked\":true}";
        }
        out += "]}\n";
        writeRaw(out);
        return;
    }
    // One buffer for many lines.
    std::string out;
    out.reserve(1 << 20);
    DateTexts dates(rows);
    for (const quint32 at : order) {
        appendBytes(out, rows.nameBytes(at));
        out += '\t';
        out += dates.text(at);
        out += '\t';
        appendField(out, rows.numberText(at));
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
    std::vector<quint32> order(listing.rows.size());
    std::iota(order.begin(), order.end(), quint32(0));
    // A fresh listing is already in name order.
    if (status == Done && (column != 1 || descending)) {
        OrderedFileRows list(listing.rows, order);
        QString message;
        if (!sortListByColumn(list, qint16(column), fileListColumnKind(column),
                              descending ? SortDescending : SortAscending, &message)) {
            printMessage(message);
            return ErrorReported;
        }
        if (fileListColumnKind(column) == SortAsNumber)
            listing.rows.showNumbersAsValues();
    }
    printRows(listing.rows, order, args->has(QStringLiteral("--json")));
    return status;
}

} // namespace tallowin::cli
