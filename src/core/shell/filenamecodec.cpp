#include "shell/filenamecodec.h"

#include <QDir>

#include <climits>
#include <cstring>
#include <unistd.h>

namespace tallowin {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at p (at most `left` bytes), 0 when it is not one:
// overlong forms, encoded surrogates and code points above U+10FFFF are not valid.
int validSequence(const unsigned char *p, qsizetype left, char32_t &code) {
    const unsigned char b = p[0];
    int n;
    char32_t min;
    if (b < 0x80) {
        code = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2, code = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, code = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, code = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (left < n)
        return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return n;
}

bool isPlainAscii(const char *bytes, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

QString nameFromBytes(const char *bytes, qsizetype size) {
    if (isPlainAscii(bytes, size))
        return QString::fromLatin1(bytes, size);
    QString text;
    text.reserve(size);
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    qsizetype i = 0;
    while (i < size) {
        char32_t code;
        const int n = validSequence(p + i, size - i, code);
        if (n == 0) {
            text.append(QChar(char16_t(EscapeBase + p[i])));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            text.append(QChar(QChar::highSurrogate(code)));
            text.append(QChar(QChar::lowSurrogate(code)));
        } else {
            text.append(QChar(char16_t(code)));
        }
        i += n;
    }
    return text;
}

QByteArray nameToBytes(QStringView text) {
    if (!hasEscapedBytes(text))
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!isEscapedByte(c))
            continue;
        // A low surrogate right after a high one is half of a real character, not an escape.
        if (i > 0 && QChar::isHighSurrogate(text[i - 1].unicode()))
            continue;
        bytes.append(text.mid(runStart, i - runStart).toUtf8());
        bytes.append(char(c - EscapeBase));
        runStart = i + 1;
    }
    bytes.append(text.mid(runStart).toUtf8());
    return bytes;
}

bool hasEscapedBytes(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (isEscapedByte(c) && !(i > 0 && QChar::isHighSurrogate(text[i - 1].unicode())))
            return true;
    }
    return false;
}

QString absolutePathOf(const QString &path) {
    if (path.startsWith(u'/'))
        return QDir::cleanPath(path);
    char here[PATH_MAX];
    if (!::getcwd(here, sizeof here))
        return QDir(path).absolutePath();
    return QDir::cleanPath(nameFromBytes(here, qsizetype(std::strlen(here))) + u'/' + path);
}

QString displayName(const QString &text) {
    if (!hasEscapedBytes(text))
        return text;
    QString shown = text;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t c = shown[i].unicode();
        if (isEscapedByte(c) && !(i > 0 && QChar::isHighSurrogate(shown[i - 1].unicode())))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

} // namespace tallowin
