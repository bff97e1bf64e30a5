#include "cli/cli.h"

#include "engine/rulekinds.h"
#include "rulesfile/rulesfile.h"
#include "shell/filenamecodec.h"

#include <chrono>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace tallowin::cli {

bool Args::has(const QString &name) const {
    for (const auto &o : options)
        if (o.first == name)
            return true;
    return false;
}

QString Args::value(const QString &name) const {
    QString v;
    for (const auto &o : options)
        if (o.first == name)
            v = o.second;
    return v;
}

QStringList Args::values(const QString &name) const {
    QStringList v;
    for (const auto &o : options)
        if (o.first == name)
            v << o.second;
    return v;
}

std::optional<Args> parseArgs(const QStringList &argv, const QStringList &withValue,
                              const QStringList &flags, QString &error) {
    Args args;
    bool operandsOnly = false;
    for (qsizetype i = 0; i < argv.size(); ++i) {
        const QString &a = argv[i];
        if (operandsOnly || !a.startsWith(u"--") || a.size() == 2) {
            if (!operandsOnly && a == u"--") {
                operandsOnly = true;
                continue;
            }
            args.operands << a;
            continue;
        }
        QString name = a, value;
        const qsizetype eq = a.indexOf(u'=');
        const bool inlineValue = eq > 0;
        if (inlineValue) {
            name = a.left(eq);
            value = a.mid(eq + 1);
        }
        if (withValue.contains(name)) {
            if (!inlineValue) {
                if (i + 1 >= argv.size()) {
                    error = name + QStringLiteral(" needs a value");
                    return std::nullopt;
                }
                value = argv[++i];
            }
            args.options.emplace_back(name, value);
        } else if (flags.contains(name) || CommonFlags.contains(name)) {
            if (inlineValue) {
                error = name + QStringLiteral(" takes no value");
                return std::nullopt;
            }
            args.options.emplace_back(name, QString());
        } else {
            error = QStringLiteral("unknown option ") + name;
            return std::nullopt;
        }
    }
    return args;
}

bool loadRules(const Args &args, RuleTable &rules, ErrorReporter &errors) {
    rules.clearRules();
    qint64 given = 0;
    for (const auto &[name, value] : args.options) {
        if (name == u"--rules") {
            RuleTable fromFile;
            RulesFile::ReadInfo info;
            if (!RulesFile::read(value, fromFile, errors, FileSystem::system(), &info)) {
                printUsageError(info.refusal.isEmpty()
                                    ? QStringLiteral("cannot read the rules file ") + value
                                    : info.refusal);
                return false;
            }
            // A rules file may come from a newer program, or hold junk: its other rules load.
            RulesFile::dropUnknownKinds(fromFile, info);
            for (const RulesFile::SkippedLine &skipped : info.skipped)
                printUsageError(
                    QStringLiteral("the rules file %1, line %2: %3; that line is skipped")
                        .arg(value, QString::number(skipped.line), RulesFile::skipReason(skipped)));
            given += info.ruleLines;
            for (int i = 1; i <= fromFile.ruleCount(); ++i)
                rules.addRule(fromFile.slot(i));
        } else if (name == u"--rule") {
            RuleSlot rule;
            if (!RulesFile::parseRuleLine(value, rule)) {
                printUsageError(QStringLiteral("a --rule needs eight fields separated by \"|\": ") +
                                value);
                return false;
            }
            if (!findRuleKind(rule[Kind])) {
                printUsageError(QStringLiteral("unknown rule kind ") + rule[Kind] +
                                QStringLiteral(" in --rule ") + value);
                return false;
            }
            ++given;
            rules.addRule(rule);
        }
    }
    if (given > MaxRules)
        printUsageError(QString::number(given) + QStringLiteral(" rules given; only the first ") +
                        QString::number(MaxRules) + QStringLiteral(" are used"));
    return true;
}

bool isFolder(const QString &path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(nameToBytes(path).constData(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

int listFolder(const Args &args, const QString &dir, DirectoryListing &listing, bool dates) {
    if (!isFolder(dir)) {
        printUsageError(QStringLiteral("not a folder: ") + dir);
        return BadUsage;
    }
    DirectoryFilter filter;
    if (args.has(QStringLiteral("--name-like")))
        filter.nameLike = args.value(QStringLiteral("--name-like"));
    if (args.has(QStringLiteral("--type")))
        filter.type = args.value(QStringLiteral("--type"));
    filter.showHidden = args.has(QStringLiteral("--hidden"));
    filter.showSystem = args.has(QStringLiteral("--system"));
    filter.readDates = dates;
    StderrReporter errors;
    listing = listDirectory(dir, filter, errors);
    return listing.failed ? ErrorReported : Done;
}

namespace {
int printedReports = 0;

void appendHex(QByteArray &out, unsigned char c) {
    static const char hex[] = "0123456789ABCDEF";
    out += "\\x";
    out += hex[c >> 4];
    out += hex[c & 15];
}
} // namespace

int StderrReporter::printedInProcess() {
    return printedReports;
}

void StderrReporter::report(const ErrorReport &r) {
    ++count;
    ++printedReports;
    // A program's number and an errno share values (13 is "Type mismatch" and EACCES): a
    // system error says so on its line, where a program error keeps its number and text lines.
    if (r.isSystem())
        std::fprintf(stderr, "Error Location: %d\nSystem error %d: %s\n", r.location, r.number,
                     terminalText(r.description).constData());
    else
        std::fprintf(stderr, "Error Location: %d\nError Number: %d\nError Description: %s\n",
                     r.location, r.number, terminalText(r.description).constData());
    if (!r.path.isEmpty())
        std::fprintf(stderr, "Error Path: %s\n", terminalText(r.path).constData());
}

namespace {

// The bytes with tab, LF and CR written \t \n \r, other control characters (C0, DEL and C1)
// and bytes that are not UTF-8 written \xHH; a backslash doubled when `backslash`.
QByteArray escapeBytes(const QByteArray &bytes, bool backslash) {
    // Most names need no escaping: hand them back without copying.
    bool plain = true;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7F || (c == '\\' && backslash)) {
            plain = false;
            break;
        }
    }
    if (plain)
        return bytes;
    QByteArray out;
    out.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        switch (c) {
        case '\\':
            out += backslash ? "\\\\" : "\\";
            ++i;
            continue;
        case '\t':
            out += "\\t";
            ++i;
            continue;
        case '\n':
            out += "\\n";
            ++i;
            continue;
        case '\r':
            out += "\\r";
            ++i;
            continue;
        default:
            break;
        }
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F)
                appendHex(out, c);
            else
                out += char(c);
            ++i;
            continue;
        }
        // Length of a well-formed UTF-8 sequence starting here, or 0.
        int len = c >= 0xC2 && c <= 0xDF   ? 2
                  : c >= 0xE0 && c <= 0xEF ? 3
                  : c >= 0xF0 && c <= 0xF4 ? 4
                                           : 0;
        if (len > 0 && i + len <= n) {
            for (int k = 1; k < len; ++k)
                if ((p[i + k] & 0xC0) != 0x80)
                    len = 0;
            if (len == 3 && ((c == 0xE0 && p[i + 1] < 0xA0) || (c == 0xED && p[i + 1] >= 0xA0)))
                len = 0;
            if (len == 4 && ((c == 0xF0 && p[i + 1] < 0x90) || (c == 0xF4 && p[i + 1] >= 0x90)))
                len = 0;
        } else {
            len = 0;
        }
        if (len == 2 && c == 0xC2 && p[i + 1] <= 0x9F) {
            // A C1 control (0x9B starts an escape sequence on some terminals).
            appendHex(out, c);
            appendHex(out, p[i + 1]);
            i += 2;
        } else if (len > 0) {
            out.append(reinterpret_cast<const char *>(p + i), len);
            i += len;
        } else {
            appendHex(out, c);
            ++i;
        }
    }
    return out;
}

} // namespace

QByteArray tsvBytes(const QByteArray &bytes) {
    return escapeBytes(bytes, true);
}

QByteArray terminalText(const QString &text) {
    return escapeBytes(nameToBytes(text), false);
}

void printMessage(const QString &text) {
    std::fprintf(stderr, "%s\n", terminalText(text).constData());
}

void printUsageError(const QString &text) {
    std::fprintf(stderr, "tallowin-cli: %s\n", terminalText(text).constData());
}

QByteArray tsvField(const QString &field) {
    return tsvBytes(nameToBytes(field));
}

void writeRaw(const QByteArray &bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void writeLine(const QList<QByteArray> &fields) {
    QByteArray line = fields.isEmpty() ? QByteArray() : fields.first();
    for (qsizetype i = 1; i < fields.size(); ++i) {
        line += '\t';
        line += fields[i];
    }
    line += '\n';
    writeRaw(line);
}

void flushOut() {
    std::fflush(stdout);
}

namespace {
qint64 steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

RowOutput::RowOutput() : m_eachRow(::isatty(STDOUT_FILENO) == 1) {}

void RowOutput::add(const QByteArray &row) {
    if (m_rows == 0)
        m_since = steadyMs();
    m_pending += row;
    if (++m_rows >= 64 || m_eachRow || steadyMs() - m_since >= 50)
        flush();
}

void RowOutput::flush() {
    if (!m_pending.isEmpty()) {
        writeRaw(m_pending);
        m_pending.clear();
    }
    m_rows = 0;
    flushOut();
}

QByteArray jsonString(const QString &s) {
    QByteArray out;
    out.reserve(s.size() + 2);
    out += '"';
    static const char hex[] = "0123456789abcdef";
    const auto escaped = [&](char16_t u) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(u >> shift) & 15];
    };
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i].unicode();
        if (u == '"' || u == '\\') {
            out += '\\';
            out += char(u);
        } else if (u == '\n') {
            out += "\\n";
        } else if (u == '\t') {
            out += "\\t";
        } else if (u == '\r') {
            out += "\\r";
        } else if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
            escaped(u); // controls stay out of a terminal that shows the document
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && s[i + 1].isLowSurrogate()) {
            out += QStringView(s).sliced(i, 2).toUtf8();
            ++i;
        } else if (isEscapedByte(u)) {
            out += "\xEF\xBF\xBD"; // a name byte that is not UTF-8 shows as U+FFFD; *Bytes keep it
        } else if (QChar::isSurrogate(u)) {
            escaped(u); // a lone surrogate has no UTF-8; the escape keeps it
        } else {
            out += QStringView(s).sliced(i, 1).toUtf8();
        }
    }
    out += '"';
    return out;
}

} // namespace tallowin::cli
