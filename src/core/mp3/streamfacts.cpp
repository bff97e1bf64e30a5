// The facts of the first MPEG audio frame: version, layer, mode, frequency, bit rate, duration.

#include "mp3/mp3reader.h"

#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace tallowin {

namespace {

// Below this size a file holds no audio worth describing.
constexpr qint64 MinimumStreamFile = 256;

enum class Version { Mpeg1, Mpeg2, Mpeg25 };

constexpr std::array<int, 15> BitRatesV1L3 = {0,   32,  40,  48,  56,  64,  80, 96,
                                              112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 15> BitRatesV2L3 = {0,  8,  16, 24,  32,  40,  48, 56,
                                              64, 80, 96, 112, 128, 144, 160};
constexpr std::array<int, 3> FrequenciesV1 = {44100, 48000, 32000};
constexpr std::array<const char *, 4> ModeNames = {"stereo", "joint stereo", "dual channel",
                                                   "single channel"};

struct FrameHeader {
    Version version = Version::Mpeg1;
    int bitRate = 0; // kbit/s; 0 is the free format
    int frequency = 0;
    int mode = 0;
    bool crc = false;
    bool padded = false;

    bool mono() const { return mode == 3; }
    // Bytes per frame for each bit/s of rate over the frequency: a Layer III frame carries
    // 1152 samples in MPEG-1 and 576 in MPEG-2 and 2.5.
    int slotFactor() const { return version == Version::Mpeg1 ? 144 : 72; }
    qint64 length() const {
        return bitRate == 0 ? 0
                            : qint64(slotFactor()) * bitRate * 1000 / frequency + (padded ? 1 : 0);
    }
    // Where a Xing header stands: after the header, the CRC and the side information.
    qint64 xingOffset(bool withCrc) const {
        const int side = version == Version::Mpeg1 ? (mono() ? 17 : 32) : (mono() ? 9 : 17);
        return 4 + (withCrc ? 2 : 0) + side;
    }
};

// A Layer III frame header, or nothing.
std::optional<FrameHeader> decodeHeader(const uchar *h) {
    // 11111111 111VVLLP: sync, version (00 = 2.5, 01 reserved, 10 = 2, 11 = 1), layer
    // (01 = III), P = 0 when a CRC follows the header
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int version = (h[1] >> 3) & 3;
    const int layer = (h[1] >> 1) & 3;
    if (version == 1 || layer != 1)
        return std::nullopt;
    // BBBBFFDx: bit-rate index (15 is invalid), frequency index (3 is reserved), padding
    const int rateIndex = h[2] >> 4;
    const int frequencyIndex = (h[2] >> 2) & 3;
    if (rateIndex == 15 || frequencyIndex == 3)
        return std::nullopt;
    FrameHeader f;
    f.version = version == 3 ? Version::Mpeg1 : version == 2 ? Version::Mpeg2 : Version::Mpeg25;
    f.crc = !(h[1] & 1);
    f.padded = h[2] & 2;
    f.bitRate = (f.version == Version::Mpeg1 ? BitRatesV1L3 : BitRatesV2L3)[size_t(rateIndex)];
    const int divisor = f.version == Version::Mpeg1 ? 1 : f.version == Version::Mpeg2 ? 2 : 4;
    f.frequency = FrequenciesV1[size_t(frequencyIndex)] / divisor;
    // MMxxxxxx: channel mode
    f.mode = h[3] >> 6;
    return f;
}

// A header is taken when the next frame follows where its length says, in the same stream.
// Two sync bytes inside audio data or a tag seldom manage that.
bool followedByFrame(ByteSource &src, qint64 at, const FrameHeader &f) {
    const qint64 length = f.length();
    if (length == 0)
        return true; // free format: no length to check against
    const qint64 next = at + length;
    uchar h[4];
    if (!src.read(next, 4, h))
        return true; // the last frame of the file
    if (std::memcmp(h, "TAG", 3) == 0)
        return true;
    const auto g = decodeHeader(h);
    return g && g->version == f.version && g->frequency == f.frequency;
}

// The first Layer III frame from `start` on: its offset and header.
std::optional<std::pair<qint64, FrameHeader>> findFirstFrame(ByteSource &src, qint64 start) {
    const qint64 size = src.size();
    constexpr qint64 Chunk = 16 * 1024;
    std::vector<uchar> buffer(size_t(qMin(Chunk, size)));
    qint64 base = start;
    while (base + 4 <= size) {
        const qint64 n = qMin(Chunk, size - base);
        if (!src.read(base, n, buffer.data()))
            return std::nullopt;
        const uchar *p = buffer.data();
        for (qint64 i = 0; i + 4 <= n; ++i) {
            const void *ff = std::memchr(p + i, 0xFF, size_t(n - 3 - i));
            if (!ff)
                break;
            i = static_cast<const uchar *>(ff) - p;
            if (const auto f = decodeHeader(p + i); f && followedByFrame(src, base + i, *f))
                return std::make_pair(base + i, *f);
        }
        if (base + n >= size)
            break;
        base += n - 3; // a header may straddle the chunks
    }
    return std::nullopt;
}

} // namespace

void Mp3Reader::readStreamFacts(ByteSource &src) {
    Mp3Info &f = m_info;
    const qint64 fileSize = src.size();
    if (fileSize < MinimumStreamFile)
        return;
    // Sync patterns inside an ID3v2 tag (a cover picture) are no audio.
    const auto found = findFirstFrame(src, id3v2TagEnd(src));
    if (!found)
        return;
    const auto &[at, h] = *found;

    // A Xing header: "Xing", 4 flag bytes, then the frame count when flag bit 0 is set.
    std::optional<quint32> frameCount;
    for (const bool withCrc : {h.crc, false}) {
        uchar x[12];
        if (!src.read(at + h.xingOffset(withCrc), 12, x) || std::memcmp(x, "Xing", 4) != 0)
            continue;
        f.vbr = true;
        if (x[7] & 1)
            frameCount = quint32(x[8]) << 24 | quint32(x[9]) << 16 | quint32(x[10]) << 8 | x[11];
        break;
    }

    f.mpegVersion = h.version == Version::Mpeg1   ? QStringLiteral("1")
                    : h.version == Version::Mpeg2 ? QStringLiteral("2")
                                                  : QStringLiteral("2.5");
    f.mpegLayer = QStringLiteral("3");
    f.mode = QString::fromLatin1(ModeNames[size_t(h.mode)]);
    f.frequency = QString::number(h.frequency);

    // The whole file's bytes over its play time; the tags count as part of the file.
    std::optional<qint64> bitRate;
    if (f.vbr && frameCount) {
        if (*frameCount > 0)
            bitRate = qint64(
                std::floor(double(fileSize) * h.frequency / *frameCount / 1000.0 / h.slotFactor()));
    } else {
        bitRate = h.bitRate;
    }
    if (!bitRate)
        return;
    f.bitRate = QString::number(*bitRate);
    if (*bitRate <= 0)
        return;
    const qint64 seconds = qint64(std::floor(double(fileSize) * 8.0 / double(*bitRate) / 1000.0));
    f.duration =
        QString::number(seconds / 60) + QStringLiteral("m ") + QString::number(seconds % 60) + u's';
}

} // namespace tallowin
