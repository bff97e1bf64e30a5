// ID3v1 and ID3v2 (versions 2.2, 2.3 and 2.4) tag reading.

#include "mp3/mp3reader.h"

#include "base/numbers.h"
#include "mp3/genretable.h"

#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

namespace tallowin {

namespace {

constexpr qint64 Id3v1Size = 128;
constexpr qint64 Id3v2HeaderSize = 10;

quint32 bigEndian(const uchar *p, int n) {
    quint32 v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | p[i];
    return v;
}

// Seven bits per byte, most significant first: sizes that never hold a sync pattern.
quint32 synchsafe(const uchar *p, int n) {
    quint32 v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 7) | (p[i] & 0x7F);
    return v;
}

// Undoes unsynchronisation: every FF 00 pair stands for a lone FF. Works in place, so a large
// tag is never held twice.
QByteArray resynchronise(QByteArray bytes) {
    char *p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype out = 0;
    for (qsizetype i = 0; i < n; ++i) {
        p[out++] = p[i];
        if (uchar(p[i]) == 0xFF && i + 1 < n && p[i + 1] == 0)
            ++i;
    }
    bytes.truncate(out);
    return bytes;
}

// --- ID3v1 -----------------------------------------------------------------------------------

// Trailing spaces go first, then every NUL: spaces in front of the NUL padding stay.
QString cleanV1(const char *p, int n) {
    QString s = QString::fromLatin1(p, n);
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == u' ')
        --end;
    s.truncate(end);
    s.remove(QChar(0));
    return s;
}

// The comment keeps only characters above "/": punctuation and spaces go.
QString cleanComment(QString comment) {
    comment.removeIf([](QChar c) { return c.unicode() <= 47; });
    return comment;
}

// --- ID3v2 text ------------------------------------------------------------------------------

QString utf16(const uchar *p, qsizetype n, bool littleEndian) {
    QString s;
    s.reserve(n / 2);
    // An odd last byte is no character and is dropped; the first 00 00 unit ends the text.
    for (qsizetype i = 0; i + 1 < n; i += 2) {
        const char16_t unit =
            littleEndian ? char16_t(p[i] | (p[i + 1] << 8)) : char16_t((p[i] << 8) | p[i + 1]);
        if (unit == 0)
            break;
        s += QChar(unit);
    }
    return s;
}

// The first text of a text frame: the encoding byte decides how the bytes are read, and the
// text ends at its first terminator (later texts of a 2.4 list, and NUL padding, are left out).
QString frameText(const QByteArray &frame) {
    if (frame.isEmpty())
        return {};
    const auto *p = reinterpret_cast<const uchar *>(frame.constData()) + 1;
    qsizetype n = frame.size() - 1;
    auto untilNul = [&] {
        const void *nul = std::memchr(p, 0, size_t(n));
        return nul ? static_cast<const uchar *>(nul) - p : n;
    };
    switch (frame[0]) {
    case 1: // UTF-16 with a byte-order mark; without one, little-endian as most writers use
    case 2: // UTF-16 big-endian
    {
        bool little = frame[0] == 1;
        if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
            little = true;
            p += 2, n -= 2;
        } else if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
            little = false;
            p += 2, n -= 2;
        }
        return utf16(p, n, little);
    }
    case 3: { // UTF-8
        if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
            p += 3, n -= 3;
        return QString::fromUtf8(reinterpret_cast<const char *>(p), untilNul());
    }
    default: // ISO-8859-1, and any unknown encoding read byte by byte
        return QString::fromLatin1(reinterpret_cast<const char *>(p), untilNul());
    }
}

// The frames this reader takes, in the order their values are kept.
enum Slot {
    SlotTitle,
    SlotArtist,
    SlotArtistOriginal,
    SlotAlbum,
    SlotYear,
    SlotDate,
    SlotGenre,
    SlotTrack,
    SlotCount
};

int slotOf(const char *id, int major) {
    struct Id {
        const char *v2;
        const char *v3;
        Slot slot;
    };
    // 2.2 names its lead artist TP1; TOA (the original artist) only stands in when TP1 is
    // missing. 2.4 dates the recording in TDRC instead of TYER.
    static constexpr std::array<Id, 8> ids = {{{"TT2", "TIT2", SlotTitle},
                                               {"TP1", "TPE1", SlotArtist},
                                               {"TOA", nullptr, SlotArtistOriginal},
                                               {"TAL", "TALB", SlotAlbum},
                                               {"TYE", "TYER", SlotYear},
                                               {nullptr, "TDRC", SlotDate},
                                               {"TCO", "TCON", SlotGenre},
                                               {"TRK", "TRCK", SlotTrack}}};
    for (const Id &i : ids) {
        const char *want = major == 2 ? i.v2 : i.v3;
        if (want && std::memcmp(id, want, major == 2 ? 3 : 4) == 0)
            return i.slot;
    }
    return -1;
}

bool validFrameId(const uchar *id, int n) {
    for (int i = 0; i < n; ++i)
        if (!((id[i] >= 'A' && id[i] <= 'Z') || (id[i] >= '0' && id[i] <= '9')))
            return false;
    return true;
}

// A stretch of another source, seen from its own offset 0.
class WindowSource : public ByteSource {
public:
    WindowSource(ByteSource &source, qint64 base, qint64 length)
        : m_source(source), m_base(base), m_length(length) {}
    qint64 size() const override { return m_length; }
    bool read(qint64 offset, qint64 n, void *out) override {
        return holds(offset, n) && m_source.read(m_base + offset, n, out);
    }

private:
    ByteSource &m_source;
    qint64 m_base;
    qint64 m_length;
};

// A stretch of another source with its unsynchronisation undone as it is read (every FF 00
// stands for a lone FF), so a tag of any size is never held in memory. Reads are cheapest in
// order, as the frame walk makes them; reading backwards starts over from the beginning.
class UnsyncSource : public ByteSource {
public:
    UnsyncSource(ByteSource &source, qint64 base, qint64 length)
        : m_source(source), m_base(base), m_length(length) {
        // The length once resynchronised: one pass counting, nothing kept.
        m_size = 0;
        while (decode(nullptr, std::numeric_limits<qint64>::max()) > 0) {
        }
        m_size = m_decoded;
        restart();
    }
    qint64 size() const override { return m_size; }
    bool read(qint64 offset, qint64 n, void *out) override {
        if (!holds(offset, n))
            return false;
        if (offset < m_decoded)
            restart();
        while (m_decoded < offset)
            if (decode(nullptr, offset - m_decoded) == 0)
                return false;
        auto *dst = static_cast<uchar *>(out);
        while (n > 0) {
            const qint64 got = decode(dst, n);
            if (got == 0)
                return false;
            dst += got;
            n -= got;
        }
        return true;
    }

private:
    void restart() {
        m_raw = 0;
        m_decoded = 0;
        m_afterFF = false;
        m_chunkLength = 0;
        m_chunkAt = 0;
    }
    // Up to `limit` bytes resynchronised into `out` (or dropped when it is null); 0 at the end.
    qint64 decode(uchar *out, qint64 limit) {
        qint64 produced = 0;
        while (produced < limit) {
            if (m_chunkAt == m_chunkLength) {
                const qint64 n = qMin<qint64>(sizeof m_chunk, m_length - m_raw);
                if (n <= 0 || !m_source.read(m_base + m_raw, n, m_chunk))
                    break;
                m_raw += n;
                m_chunkLength = n;
                m_chunkAt = 0;
            }
            const uchar b = m_chunk[m_chunkAt++];
            if (m_afterFF && b == 0) {
                m_afterFF = false;
                continue;
            }
            m_afterFF = b == 0xFF;
            if (out)
                out[produced] = b;
            ++produced;
        }
        m_decoded += produced;
        return produced;
    }

    ByteSource &m_source;
    qint64 m_base;
    qint64 m_length;
    qint64 m_size = 0;
    qint64 m_raw = 0;     // bytes of the stretch taken into m_chunk so far
    qint64 m_decoded = 0; // resynchronised bytes handed out so far
    bool m_afterFF = false;
    qint64 m_chunkLength = 0;
    qint64 m_chunkAt = 0;
    uchar m_chunk[16 * 1024];
};

// The most of one text frame read: the first text in it is all the reader keeps, and a file
// name holds 255 bytes at most, so a frame of any size costs no more memory than this.
constexpr qint64 MaxFrameRead = qint64(1) << 20;

struct Id3v2Header {
    int major = 0;
    uchar flags = 0;
    qint64 size = 0; // of the body after the 10-byte header
};

// The header of an ID3v2 tag at the start of the source, when there is one whose body the
// source holds in full.
bool readId3v2Header(ByteSource &src, Id3v2Header &h) {
    uchar b[Id3v2HeaderSize];
    if (!src.read(0, Id3v2HeaderSize, b) || std::memcmp(b, "ID3", 3) != 0)
        return false;
    h.major = b[3];
    h.flags = b[5];
    h.size = synchsafe(b + 6, 4);
    return h.major >= 2 && h.major <= 4 && b[4] != 0xFF && h.size <= src.size() - Id3v2HeaderSize;
}

// Reads the text frames of an ID3v2 body into `texts` (the first non-skipped frame per slot).
void walkFrames(ByteSource &body, qint64 start, const Id3v2Header &tag,
                std::array<QString, SlotCount> &texts, std::array<bool, SlotCount> &found) {
    const int major = tag.major;
    const int idLength = major == 2 ? 3 : 4;
    const qint64 headerLength = major == 2 ? 6 : 10;
    const bool tagUnsync = tag.flags & 0x80;
    const qint64 end = body.size();
    qint64 pos = start;
    // Every step moves on by at least one frame header, so the walk ends.
    while (pos + headerLength <= end) {
        uchar h[10];
        if (!body.read(pos, headerLength, h) || h[0] == 0 || !validFrameId(h, idLength))
            return; // padding, or bytes that are no frame
        qint64 size;
        if (major == 2) {
            size = bigEndian(h + 3, 3);
        } else if (major == 3) {
            size = bigEndian(h + 4, 4);
        } else {
            // Some writers put plain sizes into 2.4 tags; a byte with its top bit set says so.
            const bool plain = (h[4] | h[5] | h[6] | h[7]) & 0x80;
            size = plain ? bigEndian(h + 4, 4) : synchsafe(h + 4, 4);
        }
        const qint64 dataStart = pos + headerLength;
        if (size > end - dataStart)
            return; // a frame reaching past the tag: nothing after it can be trusted
        pos = dataStart + size;

        const int slot = slotOf(reinterpret_cast<const char *>(h), major);
        if (slot < 0 || found[size_t(slot)] || size == 0)
            continue;
        qint64 skip = 0;
        bool unsync = false;
        if (major == 3) {
            // ijk00000: compressed, encrypted, grouped
            const uchar format = h[9];
            if (format & 0xC0)
                continue;
            if (format & 0x20)
                skip = 1;
        } else if (major == 4) {
            // 0h00kmnp: grouped, compressed, encrypted, unsynchronised, data length given
            const uchar format = h[9];
            if (format & 0x0C)
                continue;
            if (format & 0x40)
                skip += 1;
            if (format & 0x01)
                skip += 4;
            unsync = tagUnsync || (format & 0x02);
        }
        if (skip >= size)
            continue;
        QByteArray data = body.bytes(dataStart + skip, qMin(size - skip, MaxFrameRead));
        if (unsync)
            data = resynchronise(std::move(data));
        texts[size_t(slot)] = frameText(data);
        found[size_t(slot)] = true;
    }
}

// The ID3v2 genre rule: "(17)Rock" gives "Rock", "Rock" stays, and a bare reference "(17)"
// gives "17" for the genre table. A "(" without ")" keeps the whole text.
QString genreFromTag(const QString &text) {
    if (!text.startsWith(u'('))
        return text;
    const qsizetype close = text.indexOf(u')');
    if (close < 0)
        return text;
    const QString after = text.mid(close + 1);
    if (!after.isEmpty())
        return after;
    const QString inside = text.mid(1, close - 1);
    return strictNumber(inside) ? inside : QString();
}

} // namespace

qint64 id3v2TagEnd(ByteSource &source) {
    Id3v2Header h;
    if (!readId3v2Header(source, h))
        return 0;
    const qint64 footer = h.major == 4 && (h.flags & 0x10) ? Id3v2HeaderSize : 0;
    return qMin(source.size(), Id3v2HeaderSize + h.size + footer);
}

void Mp3Reader::readTag(ByteSource &src) {
    Mp3Info &f = m_info;
    const qint64 fileSize = src.size();

    char v1[Id3v1Size];
    if (fileSize >= Id3v1Size && src.read(fileSize - Id3v1Size, Id3v1Size, v1) &&
        std::memcmp(v1, "TAG", 3) == 0) {
        f.songName = cleanV1(v1 + 3, 30);
        f.artist = cleanV1(v1 + 33, 30);
        f.album = cleanV1(v1 + 63, 30);
        f.year = cleanV1(v1 + 93, 4);
        // ID3v1.1 keeps a track number in the comment's last byte behind a zero; it is no
        // part of the comment.
        const bool v11 = v1[97 + 28] == 0 && v1[97 + 29] != 0;
        f.comment = cleanV1(v1 + 97, v11 ? 28 : 30);
        f.genre = QString::number(uchar(v1[127]));
        if (!f.comment.isEmpty())
            f.comment = cleanComment(f.comment);
    }

    Id3v2Header tag;
    // 2.2 flag 0x40 is a compression scheme that was never defined: nothing to read.
    if (readId3v2Header(src, tag) && !(tag.major == 2 && (tag.flags & 0x40))) {
        std::array<QString, SlotCount> texts;
        std::array<bool, SlotCount> found{};
        // Before 2.4 unsynchronisation covers the whole body, frame headers included; else
        // frames are read straight from the file.
        std::optional<UnsyncSource> unsynced;
        if (tag.major < 4 && (tag.flags & 0x80))
            unsynced.emplace(src, Id3v2HeaderSize, tag.size);
        WindowSource window(src, Id3v2HeaderSize, tag.size);
        ByteSource &body = unsynced ? static_cast<ByteSource &>(*unsynced) : window;

        qint64 start = 0;
        if (tag.major >= 3 && (tag.flags & 0x40)) {
            // Extended header: 2.3 gives its size without its own 4 bytes, 2.4 with them.
            uchar e[4];
            if (body.read(0, 4, e))
                start = tag.major == 3 ? 4 + qint64(bigEndian(e, 4)) : qint64(synchsafe(e, 4));
            else
                start = body.size();
        }
        walkFrames(body, start, tag, texts, found);

        auto take = [](QString &field, const QString &text) {
            if (!text.isEmpty())
                field = text;
        };
        take(f.songName, texts[SlotTitle]);
        take(f.album, texts[SlotAlbum]);
        take(f.artist, texts[SlotArtist].isEmpty() ? texts[SlotArtistOriginal] : texts[SlotArtist]);
        const QString &date = tag.major == 4 ? texts[SlotDate] : texts[SlotYear];
        const QString &otherDate = tag.major == 4 ? texts[SlotYear] : texts[SlotDate];
        take(f.year, date.isEmpty() ? otherDate : date);
        take(f.genre, genreFromTag(texts[SlotGenre]));
        take(f.track, texts[SlotTrack]);
    }

    // A numeric genre (from either tag) becomes its name.
    if (const auto n = strictNumber(f.genre)) {
        if (const auto g = toInt16(*n))
            f.genre = genreName(*g);
    }
}

} // namespace tallowin
