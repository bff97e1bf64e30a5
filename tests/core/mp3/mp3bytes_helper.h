#pragma once

// Builders for MP3 bytes laid out by hand: tags and frame streams whose every byte a test names.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace mp3bytes {

inline QByteArray bigEndian(quint32 v, int n) {
    QByteArray b;
    for (int i = n - 1; i >= 0; --i)
        b += char((v >> (8 * i)) & 0xFF);
    return b;
}

inline QByteArray synchsafe(quint32 v) {
    const char b[4] = {char((v >> 21) & 0x7F), char((v >> 14) & 0x7F), char((v >> 7) & 0x7F),
                       char(v & 0x7F)};
    return QByteArray(b, 4);
}

// A text field padded with NULs (or cut) to `n` bytes.
inline QByteArray padded(QByteArray text, int n) {
    text.truncate(n);
    return text + QByteArray(n - text.size(), '\0');
}

// The 128-byte ID3v1 block; `comment` is taken as its 30 raw bytes.
inline QByteArray id3v1(const QByteArray &title, const QByteArray &artist = {},
                        const QByteArray &album = {}, const QByteArray &year = {},
                        const QByteArray &comment = {}, uchar genre = 255) {
    return "TAG" + padded(title, 30) + padded(artist, 30) + padded(album, 30) + padded(year, 4) +
           padded(comment, 30) + char(genre);
}

// Frames: `data` is the frame body (encoding byte first for text frames).
inline QByteArray frame2(const char *id, const QByteArray &data) {
    return QByteArray(id, 3) + bigEndian(quint32(data.size()), 3) + data;
}
inline QByteArray frame3(const char *id, const QByteArray &data, uchar formatFlags = 0,
                         qint64 size = -1) {
    return QByteArray(id, 4) + bigEndian(quint32(size < 0 ? data.size() : size), 4) + '\0' +
           char(formatFlags) + data;
}
inline QByteArray frame4(const char *id, const QByteArray &data, uchar formatFlags = 0) {
    return QByteArray(id, 4) + synchsafe(quint32(data.size())) + '\0' + char(formatFlags) + data;
}
inline QByteArray latin1(const char *text) {
    return QByteArray(1, '\0') + text;
}

// An ID3v2 tag of version `major` around `body`; `declaredSize` overrides the true size.
inline QByteArray id3v2(int major, const QByteArray &body, uchar flags = 0,
                        qint64 declaredSize = -1) {
    const char head[3] = {char(major), '\0', char(flags)};
    return "ID3" + QByteArray(head, 3) +
           synchsafe(quint32(declaredSize < 0 ? body.size() : declaredSize)) + body;
}

// A stream of `size` bytes made of frames with the 4-byte `header`, each `frameLength` long;
// the first frame optionally carries `firstFrameExtra` right after the header.
inline QByteArray frames(QByteArray header, qint64 frameLength, qint64 size,
                         const QByteArray &firstFrameExtra = {}) {
    QByteArray frame = header + QByteArray(frameLength - 4, '\0');
    QByteArray out;
    out.reserve(size + frameLength);
    QByteArray first = frame;
    first.replace(4, firstFrameExtra.size(), firstFrameExtra);
    out += first;
    while (out.size() < size)
        out += frame;
    out.truncate(size);
    return out;
}

// A Xing header `offset` bytes into a frame: the side information in front is zero.
inline QByteArray xingAt(int offset, quint32 frameCount, bool withCount = true) {
    return QByteArray(offset - 4, '\0') + "Xing" + bigEndian(withCount ? 1 : 0, 4) +
           bigEndian(frameCount, 4);
}

} // namespace mp3bytes
