// The reader on real files made with lame, id3v2 and mutagen, checked against what mutagen reads,
// and on hostile files that must neither crash nor hang.

#include "mp3/mp3reader.h"

#include <QtTest>

using namespace tallowin;

namespace {

const QString DataDir = QStringLiteral(TALLOWIN_TEST_DATA "/mp3");

QString python() {
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

QStringList realFiles() {
    return QDir(DataDir).entryList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name);
}

} // namespace

class TestMp3Files : public QObject {
    Q_OBJECT

    QJsonObject m_mutagen;

private Q_SLOTS:
    void initTestCase() {
        QStringList args{DataDir + QStringLiteral("/mutagen-facts.py")};
        for (const QString &f : realFiles())
            args << DataDir + u'/' + f;
        QProcess p;
        p.start(python(), args);
        QVERIFY2(p.waitForFinished(60000), "mutagen did not answer");
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        m_mutagen = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        QCOMPARE(m_mutagen.size(), realFiles().size());
    }

    void agreesWithMutagen_data() {
        QTest::addColumn<QString>("file");
        for (const QString &f : realFiles())
            QTest::newRow(qPrintable(f)) << f;
    }

    void agreesWithMutagen() {
        QFETCH(QString, file);
        Mp3Reader reader;
        QVERIFY(reader.read(DataDir + u'/' + file));
        const Mp3Info &m = reader.info();
        const QJsonObject want = m_mutagen.value(file).toObject();
        const std::pair<const char *, QString> got[] = {
            {"Songname", m.songName},   {"Artist", m.artist}, {"Album", m.album},
            {"Year", m.year},           {"Track", m.track},   {"Genre", m.genre},
            {"Frequency", m.frequency}, {"Mode", m.mode},     {"MpegVersion", m.mpegVersion},
            {"MpegLayer", m.mpegLayer}};
        for (const auto &[key, value] : got)
            QVERIFY2(value == want.value(QLatin1String(key)).toString(),
                     qPrintable(QStringLiteral("%1: %2 != %3")
                                    .arg(QLatin1String(key), value,
                                         want.value(QLatin1String(key)).toString())));
        QCOMPARE(m.vbr, want.value("VBR").toBool());
    }

    // Bit rate and play time by the whole-file formulas; comments from ID3v1 only.
    void formulaFacts_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected"); // BitRate, Duration, Comment
        QTest::newRow("untagged-cbr") << "untagged-cbr.mp3" << QStringList{"48", "0m 1s", ""};
        QTest::newRow("id3v23-and-v1")
            << "id3v23-and-v1.mp3" << QStringList{"48", "0m 1s", "Helloworld1999"};
        // 7830 bytes x 44100 Hz / 40 frames / 1000 / 144 = 59.95
        QTest::newRow("vbr-xing") << "vbr-xing.mp3" << QStringList{"59", "0m 1s", ""};
        // 8999 bytes x 44100 Hz / 78 frames / 1000 / 144 = 35.33; 8999 x 8 / 35 / 1000 = 2.06
        QTest::newRow("vbr-mono") << "vbr-mono.mp3" << QStringList{"35", "0m 2s", ""};
        QTest::newRow("mpeg2") << "mpeg2.mp3" << QStringList{"32", "0m 1s", ""};
    }

    void formulaFacts() {
        QFETCH(QString, file);
        QFETCH(QStringList, expected);
        Mp3Reader reader;
        QVERIFY(reader.read(DataDir + u'/' + file));
        QCOMPARE(
            (QStringList{reader.info().bitRate, reader.info().duration, reader.info().comment}),
            expected);
    }

    void longTitleWhole() {
        Mp3Reader reader;
        QVERIFY(reader.read(DataDir + QStringLiteral("/long-title.mp3")));
        QCOMPARE(reader.info().songName.size(), 16 * 18 + 3);
        QVERIFY(reader.info().songName.endsWith(QStringLiteral("title end")));
    }

    // Every file here once broke a careless reader. Reading must end, and say nothing wrong.
    void hostile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("songname");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("bitRate");
        QTest::newRow("empty") << "empty.mp3"
                               << ""
                               << ""
                               << "";
        QTest::newRow("truncated-id3v2-header") << "truncated-id3v2-header.mp3"
                                                << ""
                                                << ""
                                                << "";
        QTest::newRow("all-ff") << "all-ff.mp3"
                                << ""
                                << ""
                                << "";
        QTest::newRow("tag-size-beyond-file") << "tag-size-beyond-file.mp3"
                                              << ""
                                              << ""
                                              << "";
        QTest::newRow("excessive-alloc-frame-size") << "excessive-alloc-frame-size.mp3"
                                                    << ""
                                                    << ""
                                                    << "48";
        QTest::newRow("frame-size-beyond-tag") << "frame-size-beyond-tag.mp3"
                                               << ""
                                               << "Fine"
                                               << "48";
        QTest::newRow("infloop-zero-length-frames") << "infloop-zero-length-frames.mp3"
                                                    << ""
                                                    << "After Zeros"
                                                    << "48";
        QTest::newRow("odd-length-utf16") << "odd-length-utf16.mp3"
                                          << "Hi"
                                          << ""
                                          << "48";
        QTest::newRow("extended-header-beyond-tag") << "extended-header-beyond-tag.mp3"
                                                    << ""
                                                    << ""
                                                    << "48";
        QTest::newRow("unsync-tag-ending-in-ff")
            << "unsync-tag-ending-in-ff.mp3" << QString::fromLatin1("Sync\xff\xe0") << ""
            << "48";
        QTest::newRow("truncated-frame-header") << "truncated-frame-header.mp3"
                                                << ""
                                                << ""
                                                << "";
        QTest::newRow("tag-only-no-audio") << "tag-only-no-audio.mp3"
                                           << "Only A Tag"
                                           << ""
                                           << "";
    }

    void hostile() {
        QFETCH(QString, file);
        QFETCH(QString, songname);
        QFETCH(QString, artist);
        QFETCH(QString, bitRate);
        const QString path = DataDir + QStringLiteral("/hostile/") + file;
        QVERIFY(QFile::exists(path));
        Mp3Reader reader;
        QVERIFY(reader.read(path));
        QCOMPARE(reader.info().songName, songname);
        QCOMPARE(reader.info().artist, artist);
        QCOMPARE(reader.info().bitRate, bitRate);
    }

    // Every hostile file, also the ones added later without a row above.
    void everyHostileFileEnds() {
        QDirIterator it(DataDir + QStringLiteral("/hostile"), QDir::Files);
        int seen = 0;
        while (it.hasNext()) {
            Mp3Reader reader;
            QVERIFY(reader.read(it.next()));
            ++seen;
        }
        QVERIFY(seen > 0);
    }
};

QTEST_GUILESS_MAIN(TestMp3Files)
#include "tst_mp3files.moc"
