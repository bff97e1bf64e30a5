#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace tallowin {

// A Linux file name is bytes, not text. Names are turned into text in one place and back in
// one place, so a name that is not valid UTF-8 keeps its bytes through every rule: each byte
// that does not decode becomes the lone surrogate U+DC80..U+DCFF (the "surrogateescape" of
// other tools) and turns back into the same byte when written. Valid UTF-8 costs nothing extra.

// The text of the name `bytes`.
QString nameFromBytes(const char *bytes, qsizetype size);
inline QString nameFromBytes(const QByteArray &bytes) {
    return nameFromBytes(bytes.constData(), bytes.size());
}

// The bytes of the name `text`: escaped bytes come back as they were; any other lone surrogate
// (which no name on disk can hold) becomes "?", as Qt writes it.
QByteArray nameToBytes(QStringView text);

// True when `c` is an escaped byte (U+DC80..U+DCFF) where it stands alone.
inline bool isEscapedByte(char16_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

// True when `text` holds an escaped byte.
bool hasEscapedBytes(QStringView text);

// `path` made absolute against the current folder and cleaned, as QDir::absolutePath does, but
// with the bytes of both kept: QDir passes them through a codec that has no place for bytes that
// are not UTF-8.
QString absolutePathOf(const QString &path);

// The name as a window shows it: escaped bytes as U+FFFD, everything else as it is.
QString displayName(const QString &text);

} // namespace tallowin
