#include "cli/cli.h"

#include "files/filenamecodec.h"
#include "rulesfile/rulesfile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <cstdio>

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
    for (const auto &[name, value] : args.options) {
        if (name == u"--rules") {
            RuleTable fromFile;
            if (!RulesFile::read(value, fromFile, errors)) {
                printUsageError(QStringLiteral("cannot read the rules file ") + value);
                return false;
            }
            for (int i = 1; i <= fromFile.ruleCount(); ++i)
                rules.addRule(fromFile.slot(i));
        } else if (name == u"--rule") {
            RuleSlot rule;
            if (!RulesFile::parseRuleLine(value, rule)) {
                printUsageError(QStringLiteral("a --rule needs eight fields separated by \"|\": ") +
                                value);
                return false;
            }
            rules.addRule(rule);
        }
    }
    return true;
}

int listFolder(const Args &args, const QString &dir, DirectoryListing &listing, bool dates) {
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
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

void StderrReporter::report(const ErrorReport &r) {
    ++count;
    std::fprintf(stderr, "Error Location: %d\nError Number: %d\nError Description: %s\n",
                 r.location, r.number, r.description.toUtf8().constData());
}

void printMessage(const QString &text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void printUsageError(const QString &text) {
    std::fprintf(stderr, "tallowin-cli: %s\n", text.toUtf8().constData());
}

QByteArray tsvBytes(const QByteArray &bytes) {
    // Most names need no escaping: hand them back without copying.
    bool plain = true;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7F || c == '\\') {
            plain = false;
            break;
        }
    }
    if (plain)
        return bytes;
    QByteArray out;
    out.reserve(bytes.size());
    static const char hex[] = "0123456789ABCDEF";
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        switch (c) {
        case '\\':
            out += "\\\\";
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
        if (len > 0) {
            out.append(reinterpret_cast<const char *>(p + i), len);
            i += len;
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
            ++i;
        }
    }
    return out;
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

QByteArray jsonString(const QString &s) {
    // Plain printable ASCII needs no escaping: quote it directly (a list of 100,000 names
    // would otherwise build as many JSON documents).
    bool plain = true;
    for (const QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F || c == u'"' || c == u'\\') {
            plain = false;
            break;
        }
    if (plain) {
        QByteArray out;
        out.reserve(s.size() + 2);
        out += '"';
        out += s.toLatin1();
        out += '"';
        return out;
    }
    // Qt writes a lone value inside an array; strip the brackets.
    // JSON holds no bytes that are not UTF-8: escaped name bytes are shown as U+FFFD.
    QByteArray doc =
        QJsonDocument(QJsonArray{QJsonValue(displayName(s))}).toJson(QJsonDocument::Compact);
    return doc.mid(1, doc.size() - 2);
}

} // namespace tallowin::cli
