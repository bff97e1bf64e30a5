#include "mp3bytes_helper.h"

#include "mp3/mp3reader.h"

#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace tallowin;
using namespace mp3bytes;

namespace {

QString field(const Mp3Info &m, const QString &name) {
    const auto fields = namedFields(m);
    for (const auto &[key, value] : fields)
        if (name == QLatin1String(key))
            return *value;
    if (name == u"VBR")
        return m.vbr ? QStringLiteral("True") : QStringLiteral("False");
    qFatal("no field %s", qPrintable(name));
}

Mp3Info readBytes(const QByteArray &bytes) {
    MemoryByteSource source(bytes);
    Mp3Reader reader;
    reader.read(source);
    return reader.info();
}

// Enough audio-like bytes that a tag at either end is not the whole file.
const QByteArray Filler(400, '\0');

QByteArray withV1(const QByteArray &front, const QByteArray &v1) {
    return front + Filler + v1;
}

const QByteArray OldV1 = id3v1("Old", "Old Artist", "Old Album", "1999", {}, 17);

// 128 kbit/s, 44100 Hz, joint stereo, no padding: 417-byte frames.
const QByteArray Cbr128 = QByteArray::fromHex("fffb9064");

} // namespace

class TestMp3Reader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tags_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");

        QTest::newRow("none/title") << Filler + Filler << "Songname"
                                    << "";
        QTest::newRow("none/genre") << Filler + Filler << "Genre"
                                    << "";
        QTest::newRow("v1/title-nul-padded") << withV1({}, id3v1("My Song")) << "Songname"
                                             << "My Song";
        QTest::newRow("v1/spaces-before-nuls-stay") << withV1({}, id3v1("My Song  ")) << "Songname"
                                                    << "My Song  ";
        QTest::newRow("v1/trailing-spaces-go")
            << withV1({}, id3v1(QByteArray("Spaced") + QByteArray(24, ' '))) << "Songname"
            << "Spaced";
        QTest::newRow("v1/comment-cleaned")
            << withV1({}, id3v1("T", {}, {}, {}, "Hello, world! 1999")) << "Comment"
            << "Helloworld1999";
        QTest::newRow("v1/genre-17") << withV1({}, id3v1("T", {}, {}, {}, {}, 17)) << "Genre"
                                     << "Rock";
        QTest::newRow("v1/genre-255") << withV1({}, id3v1("T", {}, {}, {}, {}, 255)) << "Genre"
                                      << "Other";
        const QByteArray v11 = id3v1("T", {}, {}, {}, padded("Nice", 28) + '\0' + char(5));
        QTest::newRow("v1.1/track-never-from-v1") << withV1({}, v11) << "Track"
                                                  << "";
        QTest::newRow("v1.1/track-byte-not-in-comment") << withV1({}, v11) << "Comment"
                                                        << "Nice";
        // Track 65 is the letter "A": it must not turn up at the end of the comment.
        QTest::newRow("v1.1/track-byte-65-not-in-comment")
            << withV1({}, id3v1("T", {}, {}, {}, padded("Nice", 28) + '\0' + 'A')) << "Comment"
            << "Nice";
        QTest::newRow("v1/latin1")
            << withV1({}, id3v1("Caf\xe9")) << "Songname" << QString::fromUtf8("Café");

        // ID3v2.3 over ID3v1.
        QTest::newRow("v23/title-over-v1")
            << withV1(id3v2(3, frame3("TIT2", latin1("Intro"))), OldV1) << "Songname"
            << "Intro";
        QTest::newRow("v23/empty-title-keeps-v1")
            << withV1(id3v2(3, frame3("TIT2", latin1(""))), OldV1) << "Songname"
            << "Old";
        QTest::newRow("v23/zero-size-frame-keeps-v1")
            << withV1(id3v2(3, frame3("TIT2", {})), OldV1) << "Songname"
            << "Old";
        const QByteArray long299(299, 'x');
        QTest::newRow("v23/300-byte-frame-whole-text")
            << withV1(id3v2(3, frame3("TIT2", '\0' + long299)), OldV1) << "Songname"
            << QString::fromLatin1(long299);
        QTest::newRow("v23/compressed-artist-skipped")
            << withV1(id3v2(3, frame3("TPE1", latin1("Packed"), 0x80)), OldV1) << "Artist"
            << "Old Artist";
        QTest::newRow("v23/encrypted-title-skipped")
            << withV1(id3v2(3, frame3("TIT2", latin1("Secret"), 0x40)), OldV1) << "Songname"
            << "Old";
        QTest::newRow("v23/grouped-frame")
            << id3v2(3, frame3("TIT2", "\x07" + latin1("Grouped"), 0x20)) + Filler << "Songname"
            << "Grouped";
        // A frame identifier inside another frame's text is no frame.
        QTest::newRow("v23/id-inside-text-is-no-frame")
            << id3v2(3, frame3("TIT2", latin1("See TPE1\x01\x01\x01\x01xxxx")) +
                            frame3("TPE1", latin1("Real"))) +
                   Filler
            << "Artist"
            << "Real";
        QTest::newRow("v23/first-frame-wins")
            << id3v2(3, frame3("TALB", latin1("First")) + frame3("TALB", latin1("Second"))) + Filler
            << "Album"
            << "First";
        QTest::newRow("v23/year") << id3v2(3, frame3("TYER", latin1("1980"))) + Filler << "Year"
                                  << "1980";
        QTest::newRow("v23/track") << id3v2(3, frame3("TRCK", latin1("5/12"))) + Filler << "Track"
                                   << "5/12";
        QTest::newRow("v23/trailing-nul-dropped")
            << id3v2(3, frame3("TIT2", latin1("Nul") + '\0')) + Filler << "Songname"
            << "Nul";
        QTest::newRow("v23/extended-header")
            << id3v2(3, bigEndian(6, 4) + QByteArray(6, '\0') + frame3("TIT2", latin1("Ext")),
                     0x40) +
                   Filler
            << "Songname"
            << "Ext";
        QTest::newRow("v23/unsynchronised")
            << id3v2(3, frame3("TIT2", QByteArray("\0A\xff\x00\xe0", 5), 0, 4), 0x80) + Filler
            << "Songname" << QString::fromLatin1("A\xff\xe0");
        // The body is resynchronised as it is read: a large frame before the title is walked
        // over (its 2 MiB of FF bytes are written FF 00 each) to the title behind it.
        QByteArray unsyncedFF;
        for (int i = 0; i < (2 << 20); ++i)
            unsyncedFF += QByteArray("\xff\x00", 2);
        QTest::newRow("v23/unsynchronised-large-frame-walked-over")
            << id3v2(3, frame3("PRIV", unsyncedFF, 0, 2 << 20) + frame3("TIT2", latin1("After")),
                     0x80) +
                   Filler
            << "Songname"
            << "After";
        // A text frame is read up to its first megabyte; its first text lies within.
        const QByteArray longTitle =
            id3v2(3, frame3("TIT2", latin1("Long") + QByteArray(3 << 20, '\0')) +
                         frame3("TPE1", latin1("Next"))) +
            Filler;
        QTest::newRow("v23/text-frame-larger-than-read/title") << longTitle << "Songname"
                                                               << "Long";
        QTest::newRow("v23/text-frame-larger-than-read/next-frame") << longTitle << "Artist"
                                                                    << "Next";
        QTest::newRow("v23/size-beyond-file-ignored")
            << withV1(id3v2(3, frame3("TIT2", latin1("Big")), 0, 100000), OldV1) << "Songname"
            << "Old";
        QTest::newRow("v23/frame-beyond-tag-ends-walk")
            << withV1(id3v2(3, frame3("TPE1", latin1("Kept")) +
                                   frame3("TIT2", latin1("Cut"), 0, 5000)),
                      OldV1)
            << "Songname"
            << "Old";

        // Genre texts.
        auto tcon = [](const char *text) {
            return withV1(id3v2(3, frame3("TCON", latin1(text))), OldV1);
        };
        QTest::newRow("tcon/ref-and-name") << tcon("(17)Rock") << "Genre"
                                           << "Rock";
        QTest::newRow("tcon/ref-and-other-name") << tcon("(17)Stoner") << "Genre"
                                                 << "Stoner";
        QTest::newRow("tcon/bare-ref") << tcon("(80)") << "Genre"
                                       << "Folk";
        QTest::newRow("tcon/name") << tcon("Jazz") << "Genre"
                                   << "Jazz";
        QTest::newRow("tcon/number") << tcon("17") << "Genre"
                                     << "Rock";
        QTest::newRow("tcon/number-spaces") << tcon(" 67 ") << "Genre"
                                            << "Psychaledic";
        QTest::newRow("tcon/number-over-125") << tcon("200") << "Genre"
                                              << "Other";
        QTest::newRow("tcon/negative") << tcon("-1") << "Genre"
                                       << "";
        QTest::newRow("tcon/beyond-16-bits") << tcon("40000") << "Genre"
                                             << "40000";
        QTest::newRow("tcon/open-paren-only") << tcon("(17") << "Genre"
                                              << "(17";
        QTest::newRow("tcon/empty-keeps-v1") << tcon("") << "Genre"
                                             << "Rock";

        // Encodings.
        auto title = [](const QByteArray &data) { return id3v2(3, frame3("TIT2", data)) + Filler; };
        QTest::newRow("enc/utf16-le-bom") << title(QByteArray::fromHex("01fffe4a00f300"))
                                          << "Songname" << QString::fromUtf8("Jó");
        QTest::newRow("enc/utf16-be-bom") << title(QByteArray::fromHex("01feff004a00f3"))
                                          << "Songname" << QString::fromUtf8("Jó");
        QTest::newRow("enc/utf16-odd-length")
            << title(QByteArray::fromHex("01fffe4800690021")) << "Songname"
            << "Hi";
        QTest::newRow("enc/utf16-nul-terminated")
            << title(QByteArray::fromHex("01fffe480069000000")) << "Songname"
            << "Hi";
        QTest::newRow("enc/utf16be")
            << title(QByteArray::fromHex("0265e5672c")) << "Songname" << QString::fromUtf8("日本");
        QTest::newRow("enc/utf8") << title("\x03" + QByteArray("Bj\xc3\xb6rk")) << "Songname"
                                  << QString::fromUtf8("Björk");

        // ID3v2.4 and ID3v2.2.
        QTest::newRow("v24/read") << withV1(id3v2(4, frame4("TIT2", latin1("Four"))), OldV1)
                                  << "Songname"
                                  << "Four";
        QTest::newRow("v24/v1-genre-number-named")
            << withV1(id3v2(4, frame4("TIT2", latin1("Four"))), OldV1) << "Genre"
            << "Rock";
        QTest::newRow("v24/recording-date-as-year")
            << id3v2(4, frame4("TDRC", latin1("2004-05-01"))) + Filler << "Year"
            << "2004-05-01";
        QTest::newRow("v24/first-of-several-values")
            << id3v2(4, frame4("TPE1", "\x03" + QByteArray("One\0Two", 7))) + Filler << "Artist"
            << "One";
        QTest::newRow("v24/synchsafe-size-over-127")
            << id3v2(4, frame4("TIT2", '\0' + QByteArray(200, 'y'))) + Filler << "Songname"
            << QString(200, u'y');
        QTest::newRow("v24/plain-size-from-careless-writer")
            << id3v2(4, QByteArray("TIT2") + bigEndian(201, 4) + QByteArray(2, '\0') + '\0' +
                            QByteArray(200, 'z')) +
                   Filler
            << "Songname" << QString(200, u'z');
        QTest::newRow("v24/frame-unsynchronised-with-length")
            << id3v2(4, frame4("TIT2", bigEndian(4, 4) + QByteArray("\0A\xff\x00\xe0", 5), 0x03)) +
                   Filler
            << "Songname" << QString::fromLatin1("A\xff\xe0");
        QTest::newRow("v24/extended-header")
            << id3v2(4, synchsafe(6) + QByteArray(2, '\0') + frame4("TALB", latin1("Ext4")), 0x40) +
                   Filler
            << "Album"
            << "Ext4";
        QTest::newRow("v22/title") << id3v2(2, frame2("TT2", latin1("Two"))) + Filler << "Songname"
                                   << "Two";
        QTest::newRow("v22/lead-artist")
            << id3v2(2, frame2("TOA", latin1("Orig")) + frame2("TP1", latin1("Lead"))) + Filler
            << "Artist"
            << "Lead";
        QTest::newRow("v22/original-artist-stands-in")
            << id3v2(2, frame2("TOA", latin1("Orig"))) + Filler << "Artist"
            << "Orig";
        QTest::newRow("v22/track") << id3v2(2, frame2("TRK", latin1("3"))) + Filler << "Track"
                                   << "3";
        QTest::newRow("v22/genre") << id3v2(2, frame2("TCO", latin1("(8)"))) + Filler << "Genre"
                                   << "Jazz";
        QTest::newRow("v5/not-read")
            << withV1(id3v2(5, frame4("TIT2", latin1("Five"))), OldV1) << "Songname"
            << "Old";

        // Short files: a tag that fits is read, a 100-byte file of noise gives nothing.
        QTest::newRow("short/100-bytes") << QByteArray(100, 'x') << "Songname"
                                         << "";
        QTest::newRow("short/tag-only") << id3v2(3, frame3("TIT2", latin1("Tiny"))) << "Songname"
                                        << "Tiny";
    }

    void tags() {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(field(readBytes(file), name), expected);
    }

    void streamFacts_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected"); // BitRate, Duration, Frequency, Mode, VBR
        QTest::addColumn<QString>("version");

        const QStringList none{"", "", "", "", "False"};
        QTest::newRow("short/200-bytes") << frames(Cbr128, 417, 200) << none << "";
        QTest::newRow("cbr/128-joint-stereo")
            << frames(Cbr128, 417, 3284000)
            << QStringList{"128", "3m 25s", "44100", "joint stereo", "False"} << "1";
        QTest::newRow("cbr/45-seconds")
            << frames(Cbr128, 417, 45 * 16000)
            << QStringList{"128", "0m 45s", "44100", "joint stereo", "False"} << "1";
        QTest::newRow("cbr/60-seconds")
            << frames(Cbr128, 417, 60 * 16000)
            << QStringList{"128", "1m 0s", "44100", "joint stereo", "False"} << "1";
        QTest::newRow("cbr/crc-stereo-48k")
            << frames(QByteArray::fromHex("fffa9400"), 384, 96000)
            << QStringList{"128", "0m 6s", "48000", "stereo", "False"} << "1";
        QTest::newRow("xing/8000-frames")
            << frames(Cbr128, 417, 5000000, xingAt(36, 8000))
            << QStringList{"191", "3m 29s", "44100", "joint stereo", "True"} << "1";
        QTest::newRow("xing/no-frame-count-uses-header")
            << frames(Cbr128, 417, 160000, xingAt(36, 0, false))
            << QStringList{"128", "0m 10s", "44100", "joint stereo", "True"} << "1";
        QTest::newRow("xing/zero-frames")
            << frames(Cbr128, 417, 160000, xingAt(36, 0))
            << QStringList{"", "", "44100", "joint stereo", "True"} << "1";
        // Mono frames carry less side information: the header stands at 21.
        QTest::newRow("xing/mono-at-21")
            << frames(QByteArray::fromHex("fffb90c4"), 417, 417000, xingAt(21, 1000))
            << QStringList{"127", "0m 26s", "44100", "single channel", "True"} << "1";
        QTest::newRow("xing/mono-at-36-is-no-xing")
            << frames(QByteArray::fromHex("fffb90c4"), 417, 417000, xingAt(36, 1000))
            << QStringList{"128", "0m 26s", "44100", "single channel", "False"} << "1";
        QTest::newRow("free-format")
            << QByteArray(1, '\0') + frames(QByteArray::fromHex("fffb0064"), 417, 1000)
            << QStringList{"0", "", "44100", "joint stereo", "False"} << "1";
        // MPEG-2: 64 kbit/s at 22050 Hz, 208-byte frames.
        QTest::newRow("mpeg2/frames")
            << frames(QByteArray::fromHex("fff38044"), 208, 80000)
            << QStringList{"64", "0m 10s", "22050", "joint stereo", "False"} << "2";
        QTest::newRow("mpeg25/frames")
            << frames(QByteArray::fromHex("ffe34844"), 288, 80000)
            << QStringList{"32", "0m 20s", "8000", "joint stereo", "False"} << "2.5";
        // Sync bytes inside the tag (a cover picture) are not the audio.
        QTest::newRow("sync-inside-id3v2")
            << id3v2(3, frame3("APIC", '\0' + Cbr128.repeated(64))) +
                   frames(QByteArray::fromHex("fffb50c4"), 208, 64000)
            << QStringList{"64", "0m 8s", "44100", "single channel", "False"} << "1";
        QTest::newRow("lone-sync-in-noise")
            << QByteArray(1000, 'x') + Cbr128 + QByteArray(1000, 'x') << none << "";
        QTest::newRow("layer-2-not-taken")
            << frames(QByteArray::fromHex("fffd9064"), 417, 10000) << none << "";
        QTest::newRow("bad-bitrate-index-not-taken")
            << frames(QByteArray::fromHex("fffbf064"), 417, 10000) << none << "";
        QTest::newRow("all-ff") << QByteArray(65536, '\xff') << none << "";
    }

    void streamFacts() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        QFETCH(QString, version);
        const Mp3Info m = readBytes(file);
        QCOMPARE(
            (QStringList{m.bitRate, m.duration, m.frequency, m.mode, m.vbr ? "True" : "False"}),
            expected);
        QCOMPARE(m.mpegVersion, version);
        QCOMPARE(m.mpegLayer, version.isEmpty() ? QString() : QStringLiteral("3"));
    }

    void genreNames_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0 << "Blues";
        QTest::newRow("last") << 125 << "Dance Hall";
        QTest::newRow("past-last") << 126 << "Other";
        QTest::newRow("no-genre-byte") << 255 << "Other";
        QTest::newRow("largest") << 32767 << "Other";
        QTest::newRow("own-spelling-51") << 51 << "Techno-Indistrial";
        QTest::newRow("own-spelling-59") << 59 << "Gansta";
        QTest::newRow("own-spelling-67") << 67 << "Psychaledic";
        QTest::newRow("own-spelling-93") << 93 << "Psychadelic Rock";
        QTest::newRow("own-spelling-123") << 123 << "A Capella";
        QTest::newRow("negative") << -1 << "";
        QTest::newRow("most-negative") << -32768 << "";
    }

    void genreNames() {
        QFETCH(int, number);
        QFETCH(QString, name);
        QCOMPARE(Mp3Reader::genreName(qint16(number)), name);
    }

    void readingEmptiesEveryField() {
        Mp3Reader reader;
        MemoryByteSource tagged(
            withV1(id3v2(3, frame3("TRCK", latin1("9"))) + frames(Cbr128, 417, 4170), OldV1));
        QVERIFY(reader.read(tagged));
        QCOMPARE(reader.info().songName, QStringLiteral("Old"));
        QVERIFY(!reader.info().bitRate.isEmpty());
        MemoryByteSource untagged(Filler);
        QVERIFY(reader.read(untagged));
        QCOMPARE(reader.error(), 0);
        QCOMPARE(reader.info().songName, QString());
        QCOMPARE(reader.info().track, QString());
        QCOMPARE(reader.info().bitRate, QString());
        QCOMPARE(reader.info().genre, QString());
    }

    // A file that cannot be read is not a file without tags: the read fails with the errno,
    // and nothing read before the failure is taken for the file's tags.
    void unreadableFileIsNotUntagged_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << "missing" << ENOENT;
        QTest::newRow("empty-path") << "empty-path" << ENOENT;
        QTest::newRow("mode-000") << "mode-000" << EACCES;
        QTest::newRow("inside-a-file") << "inside-a-file" << ENOTDIR;
    }
    void unreadableFileIsNotUntagged() {
        QFETCH(QString, how);
        QFETCH(int, error);
        if (how == u"mode-000" && ::geteuid() == 0)
            QSKIP("root reads a file of mode 000");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("song.mp3");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(withV1(Filler, OldV1));
        f.close();
        QString path = how == u"missing"         ? dir.filePath("gone.mp3")
                       : how == u"inside-a-file" ? file + QStringLiteral("/x.mp3")
                       : how == u"empty-path"    ? QString()
                                                 : file;
        if (how == u"mode-000")
            QVERIFY(f.setPermissions(QFileDevice::Permissions()));
        Mp3Reader reader;
        QVERIFY(reader.read(file) || how == u"mode-000");
        QVERIFY(!reader.read(path));
        QCOMPARE(reader.error(), error);
        QCOMPARE(reader.info().songName, QString()); // the earlier file's tags are gone
    }

    // An I/O error in the middle of a file (EIO from a failing disk) fails the read, also
    // after tags were found before it.
    void readErrorMidwayFailsTheRead() {
        class FailingSource : public MemoryByteSource {
        public:
            using MemoryByteSource::MemoryByteSource;
            bool read(qint64 offset, qint64 n, void *out) override {
                if (offset + n > size() - 128) { // the ID3v1 tag's sector is bad
                    m_error = EIO;
                    return false;
                }
                return MemoryByteSource::read(offset, n, out);
            }
            int error() const override { return m_error; }

        private:
            int m_error = 0;
        };
        const QByteArray bytes =
            withV1(id3v2(3, frame3("TIT2", latin1("New"))) + frames(Cbr128, 417, 4170), OldV1);
        Mp3Reader reader;
        FailingSource failing(bytes);
        QVERIFY(!reader.read(failing));
        QCOMPARE(reader.error(), EIO);
        QCOMPARE(reader.info().songName, QString());
        QCOMPARE(reader.info().bitRate, QString());
        MemoryByteSource whole(bytes);
        QVERIFY(reader.read(whole));
        QCOMPARE(reader.error(), 0);
        QCOMPARE(reader.info().songName, QStringLiteral("New"));
    }

    // Anything but a regular file reads as a file without tags, never blocking on a FIFO.
    void folderOrFifoReadsAsEmpty() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray fifo = QFile::encodeName(dir.filePath("pipe.mp3"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        Mp3Reader reader;
        for (const QString &path : {dir.path(), dir.filePath("pipe.mp3")}) {
            QVERIFY(reader.read(path));
            QCOMPARE(reader.error(), 0);
            QCOMPARE(reader.info().songName, QString());
            QCOMPARE(reader.info().frequency, QString());
        }
    }
};

QTEST_GUILESS_MAIN(TestMp3Reader)
#include "tst_mp3reader.moc"
