#include "shell/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStringList>

#include <cctype>
#include <cerrno>
#include <unistd.h>

namespace tallowin {

namespace {

// QSettings compares keys exactly on Linux; upper-casing every level makes the names
// case-insensitive. Slashes and backslashes would open sub-levels, so they are escaped.
QString level(const QString &name) {
    QString n = name.toUpper();
    n.replace(u'%', QStringLiteral("%25"));
    n.replace(u'/', QStringLiteral("%2F"));
    n.replace(u'\\', QStringLiteral("%5C"));
    return n;
}

// The INI file as QSettings (IniFormat) writes it: "[GROUP]" lines, then "KEY=VALUE" lines in
// which "\" separates key levels. Names are escaped as %XX or %UXXXX; values are UTF-8 with C
// escapes, in double quotes when they hold separators or edge blanks, "@" doubled at the start.
// Lines are kept as read, so entries this program does not know survive a change untouched.

QByteArray escapedKey(const QString &key) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (const QChar qc : key) {
        uint ch = qc.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                   (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += hex[ch / 16];
            out += hex[ch % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(ch >> shift) & 15];
        }
    }
    return out;
}

QString unescapedKey(QByteArrayView raw) {
    const QString text = QString::fromUtf8(raw);
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < text.size()) {
            const bool wide = text[i + 1] == u'U';
            const qsizetype first = i + 1 + (wide ? 1 : 0), digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code =
                first + digits <= text.size() ? text.mid(first, digits).toUShort(&ok, 16) : 0;
            if (ok) {
                out += QChar(code);
                i = first + digits;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

QByteArray escapedValue(const QString &value) {
    const QString text = value.startsWith(u'@') ? u'@' + value : value;
    QString out;
    bool quote = !text.isEmpty() && (text.front() == u' ' || text.back() == u' ');
    bool hexNext = false; // a hex digit after \x.. must not run into its number
    for (const QChar qc : text) {
        const char16_t ch = qc.unicode();
        if (hexNext && ch < 128 && std::isxdigit(ch)) {
            out += QStringLiteral("\\x") + QString::number(ch, 16);
            continue;
        }
        hexNext = false;
        switch (ch) {
        case ';':
        case ',':
        case '=':
        case '#':
            quote = true;
            out += qc;
            break;
        case '\a':
            out += QStringLiteral("\\a");
            break;
        case '\b':
            out += QStringLiteral("\\b");
            break;
        case '\f':
            out += QStringLiteral("\\f");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\v':
            out += QStringLiteral("\\v");
            break;
        case '"':
        case '\\':
            out += u'\\';
            out += qc;
            break;
        default:
            if (ch <= 0x1F) {
                out += QStringLiteral("\\x") + QString::number(ch, 16);
                hexNext = true;
            } else {
                out += qc;
            }
        }
    }
    if (quote)
        out = u'"' + out + u'"';
    return out.toUtf8();
}

// The value as QSettings reads it: a text, or a list when unquoted commas split it (which
// reads as no text).
QString unescapedValue(QByteArrayView raw) {
    const QString text = QString::fromUtf8(raw).trimmed();
    QStringList parts{QString()};
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (!inQuotes && c == u';')
            break;
        if (!inQuotes && c == u',') {
            parts.back() = parts.back().trimmed();
            parts << QString();
            continue;
        }
        if (c != u'\\' || i + 1 >= text.size()) {
            parts.back() += c;
            continue;
        }
        const QChar e = text[++i];
        switch (e.unicode()) {
        case 'a':
            parts.back() += u'\a';
            break;
        case 'b':
            parts.back() += u'\b';
            break;
        case 'f':
            parts.back() += u'\f';
            break;
        case 'n':
            parts.back() += u'\n';
            break;
        case 'r':
            parts.back() += u'\r';
            break;
        case 't':
            parts.back() += u'\t';
            break;
        case 'v':
            parts.back() += u'\v';
            break;
        case 'x': {
            qsizetype end = i + 1;
            while (end < text.size() && text[end].unicode() < 128 &&
                   std::isxdigit(text[end].unicode()))
                ++end;
            parts.back() += QChar(text.mid(i + 1, end - i - 1).toUShort(nullptr, 16));
            i = end - 1;
            break;
        }
        default:
            if (e >= u'0' && e <= u'7') {
                qsizetype end = i;
                while (end < text.size() && end < i + 3 && text[end] >= u'0' && text[end] <= u'7')
                    ++end;
                parts.back() += QChar(text.mid(i, end - i).toUShort(nullptr, 8));
                i = end - 1;
            } else {
                parts.back() += e;
            }
        }
    }
    if (parts.size() != 1)
        return {};
    QString value = parts.front();
    if (value.startsWith(QStringLiteral("@@")))
        value.remove(0, 1);
    return value;
}

struct IniLine {
    QString key; // empty for blank and comment lines
    QByteArray text;
};

struct IniGroup {
    QString name; // empty before the first group header
    QByteArray header;
    std::vector<IniLine> lines;
};

std::vector<IniGroup> parseIni(QByteArrayView bytes) {
    std::vector<IniGroup> groups(1);
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArrayView trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.indexOf(']');
            IniGroup g;
            g.header = trimmed.toByteArray();
            g.name = unescapedKey(trimmed.sliced(1, (close < 0 ? trimmed.size() : close) - 1));
            if (g.name.compare(QStringLiteral("General"), Qt::CaseSensitive) == 0)
                g.name.clear();
            groups.push_back(std::move(g));
            continue;
        }
        IniLine l;
        l.text = line.toByteArray();
        const qsizetype eq = trimmed.indexOf('=');
        if (eq > 0 && !trimmed.startsWith(';') && !trimmed.startsWith('#'))
            l.key = unescapedKey(trimmed.first(eq).trimmed());
        // Blank lines between groups are written anew.
        if (!l.key.isEmpty() || !trimmed.isEmpty())
            groups.back().lines.push_back(std::move(l));
    }
    return groups;
}

QByteArray writeIni(const std::vector<IniGroup> &groups) {
    QByteArray out;
    for (const IniGroup &g : groups) {
        if (g.header.isEmpty() && g.lines.empty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        if (!g.header.isEmpty())
            out += g.header + '\n';
        for (const IniLine &l : g.lines)
            out += l.text + '\n';
    }
    return out;
}

// The group and the key inside it of a full "APP/SECTION/KEY" name.
std::pair<QString, QString> splitPath(const QString &application, const QString &section,
                                      const QString &key) {
    return {level(application), level(section) + u'/' + level(key)};
}

IniLine *findLine(std::vector<IniGroup> &groups, const QString &group, const QString &key,
                  IniGroup **owner = nullptr) {
    for (IniGroup &g : groups) {
        if (g.name != group || (g.header.isEmpty() && !group.isEmpty()))
            continue;
        if (owner)
            *owner = &g;
        for (IniLine &l : g.lines)
            if (l.key == key)
                return &l;
    }
    return nullptr;
}

} // namespace

SettingsStore::SettingsStore() : m_fileName(defaultFileName()), m_fs(FileSystem::system()) {}

SettingsStore::SettingsStore(const QString &fileName, FileSystem &fs)
    : m_fileName(fileName), m_fs(fs) {}

QString SettingsStore::defaultFileName() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/tallowin/tallowin.ini");
}

QString SettingsStore::setting(const QString &application, const QString &section,
                               const QString &key, const QString &defaultValue) const {
    // Read afresh each time: another instance (or a second program) may have written.
    QByteArray bytes;
    if (m_fs.readFile(QFile::encodeName(m_fileName), bytes) != 0)
        return defaultValue;
    std::vector<IniGroup> groups = parseIni(bytes);
    const auto [group, name] = splitPath(application, section, key);
    const IniLine *line = findLine(groups, group, name);
    if (!line)
        return defaultValue;
    const qsizetype eq = line->text.indexOf('=');
    return unescapedValue(QByteArrayView(line->text).sliced(eq + 1));
}

bool SettingsStore::saveSetting(const QString &application, const QString &section,
                                const QString &key, const QString &value) {
    m_lastError = write(application, section, key, value);
    return m_lastError == 0;
}

int SettingsStore::write(const QString &application, const QString &section, const QString &key,
                         const QString &value) const {
    // A write reads the file, changes one line and replaces the file: two at once would each
    // keep only their own change.
    static QMutex writing;
    const QMutexLocker lock(&writing);
    const QByteArray path = QFile::encodeName(m_fileName);
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    QByteArray bytes;
    int err = m_fs.readFile(path, bytes);
    if (err == ENOENT)
        err = 0;
    // A file we may not write is left as it is, as writing it in place would.
    else if (err == 0)
        err = m_fs.access(path.constData(), W_OK);
    if (err == 0) {
        std::vector<IniGroup> groups = parseIni(bytes);
        const auto [group, name] = splitPath(application, section, key);
        const QByteArray text = escapedKey(name) + '=' + escapedValue(value);
        IniGroup *owner = nullptr;
        if (IniLine *line = findLine(groups, group, name, &owner)) {
            line->text = text;
        } else {
            if (!owner) {
                groups.push_back({group, '[' + escapedKey(group) + ']', {}});
                owner = &groups.back();
            }
            owner->lines.push_back({name, text});
        }
        err = replaceFile(m_fs, path, writeIni(groups));
    }
    return err;
}

bool SettingsStore::saveSetting(const QString &application, const QString &section,
                                const QString &key, const QString &value, ErrorReporter &errors,
                                qint32 location) {
    if (saveSetting(application, section, key, value))
        return true;
    errors.reportSystemAbout(m_fileName, location, m_lastError);
    return false;
}

} // namespace tallowin
