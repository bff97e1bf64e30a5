#include "engine/mp3kind.h"
#include "engine/ruleengine.h"
#include "mp3/mp3reader.h"
#include "preview/previewbuilder.h"

#include <QtTest>

#include <cerrno>

using namespace tallowin;

namespace {

Mp3Info tagged() {
    Mp3Info m;
    m.album = QStringLiteral("Back in Black");
    m.artist = QStringLiteral("AC/DC");
    m.bitRate = QStringLiteral("128");
    m.duration = QStringLiteral("3m 25s");
    m.genre = QStringLiteral("Rock");
    m.songName = QStringLiteral("Hells Bells");
    m.track = QStringLiteral("1/10");
    m.year = QStringLiteral("1980");
    m.frequency = QStringLiteral("44100");
    return m;
}

} // namespace

class TestMp3Kind : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fill_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("expected");
        QTest::newRow("placeholders/any-case") << "x"
                                               << "mp3"
                                               << "%Artist% - %ALBUM% - %songname%"
                                               << "AC-DC - Back in Black - Hells Bells.mp3";
        QTest::newRow("placeholders/every-occurrence") << "x"
                                                       << "mp3"
                                                       << "%year% %Year% %YEAR%"
                                                       << "1980 1980 1980.mp3";
        QTest::newRow("placeholders/all-nine") << "x"
                                               << "mp3"
                                               << "%track% %genre% %bitrate% %duration% %year%"
                                               << "1-10 Rock 128 3m 25s 1980.mp3";
        QTest::newRow("placeholders/empty-comment-stays") << "x"
                                                          << "mp3"
                                                          << "%songname% %comment%"
                                                          << "Hells Bells %comment%.mp3";
        QTest::newRow("placeholders/frequency-not-one") << "x"
                                                        << "mp3"
                                                        << "%songname% %Frequency%"
                                                        << "Hells Bells %Frequency%.mp3";
        QTest::newRow("extension/any-case") << "song"
                                            << "MP3"
                                            << "%songname%"
                                            << "Hells Bells.MP3";
        QTest::newRow("extension/not-mp3") << "song"
                                           << "wav"
                                           << "%songname%"
                                           << "song.wav";
        QTest::newRow("not-mp3/colon-replaced") << "a:b"
                                                << "wav"
                                                << "%songname%"
                                                << "a-b.wav";
        QTest::newRow("chars/all-nine-replaced") << "x"
                                                 << "mp3"
                                                 << "/\\?*:\"<>|"
                                                 << "---------.mp3";
        QTest::newRow("chars/in-extension") << "a"
                                            << "w:v"
                                            << "%songname%"
                                            << "a.w-v";
    }

    void fill() {
        QFETCH(QString, name);
        QFETCH(QString, extension);
        QFETCH(QString, templ);
        QFETCH(QString, expected);
        Mp3KindContext context;
        context.read = [](const QString &) { return tagged(); };
        QCOMPARE(applyMp3Kind(name, extension, templ, context), expected);
    }

    // Each placeholder fills the text the earlier ones left, in table order.
    void laterPlaceholderInValueIsFilled() {
        Mp3KindContext context;
        context.read = [](const QString &) {
            Mp3Info m;
            m.album = QStringLiteral("Best of %year%");
            m.year = QStringLiteral("1999");
            m.songName = QStringLiteral("%album%");
            return m;
        };
        QCOMPARE(applyMp3Kind("x", "mp3", "%album% / %songname%", context),
                 QStringLiteral("Best of 1999 - %album%.mp3"));
    }

    void readsTheFileInTheFolderAndYields() {
        Mp3KindContext context;
        QStringList paths;
        int yields = 0;
        context.read = [&](const QString &path) {
            paths << path;
            return Mp3Info();
        };
        context.yield = [&] { ++yields; };
        context.folder = QStringLiteral("/music/rock");
        applyMp3Kind("one", "Mp3", "%artist%", context);
        context.folder = QStringLiteral("/music/pop/");
        applyMp3Kind("two.live", "mp3", "%artist%", context);
        applyMp3Kind("three", "ogg", "%artist%", context);
        QCOMPARE(paths, (QStringList{"/music/rock/one.Mp3", "/music/pop/two.live.mp3"}));
        QCOMPARE(yields, 2);
    }

    // The preview over real tagged and untagged files in a folder.
    void previewOfRealFiles() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString data = QStringLiteral(TALLOWIN_TEST_DATA "/mp3/");
        const QStringList names{"id3v23-and-v1.mp3", "untagged-cbr.mp3", "long-title.mp3",
                                "id3v24-utf16.mp3", "mpeg2.mp3"};
        for (const QString &n : names)
            QVERIFY(QFile::copy(data + n, dir.filePath(n)));
        QFile text(dir.filePath("notes.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.close();

        RuleTable rules;
        rules.addRule(RuleKinds::Mp3, QStringLiteral("%Artist% - %Album% - %SongName%"), {}, {}, {},
                      {}, {}, QStringLiteral("MP3 names"));
        CollectingErrorReporter errors;
        const RuleEngine engine(rules, errors, Mp3KindContext{dir.path(), {}, {}});
        PreviewBuilder builder(engine, errors);
        const PreviewResult result = builder.build(names + QStringList{"notes.txt"});
        QCOMPARE(result.outcome, PreviewOutcome::Done);
        QStringList rows;
        for (const PreviewEntry &r : result.rows)
            rows << QString::number(r.checked) + u'|' + r.newName;
        QCOMPARE(rows,
                 (QStringList{"1|AC-DC - Back in Black - Hells Bells.mp3",
                              "0|%Artist% - %Album% - %SongName%.mp3",
                              "0|Verbose - %Album% - " +
                                  QStringLiteral("A very long title ").repeated(16) + "end.mp3",
                              QString::fromUtf8("1|Björk - Homogenic - Jóga – 日本語.mp3"),
                              "1|Low Rate - Twenty Two - Half Speed.mp3", "1|notes.txt"}));
    }

    // A file that cannot be read is reported as the system's failure naming the file, and
    // keeps its placeholders (so the preview leaves it unticked); the preview goes on with
    // the next file. An untagged file is no failure.
    void unreadableFileIsReportedForThatFile_data() {
        QTest::addColumn<bool>("injected");
        QTest::newRow("vanished-from-the-folder") << false;
        QTest::newRow("read-error") << true;
    }
    void unreadableFileIsReportedForThatFile() {
        QFETCH(bool, injected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString data = QStringLiteral(TALLOWIN_TEST_DATA "/mp3/");
        for (const char *n : {"id3v23-and-v1.mp3", "untagged-cbr.mp3"})
            QVERIFY(QFile::copy(data + n, dir.filePath(n)));
        Mp3KindContext context{dir.path(), {}, {}};
        const QString bad = dir.filePath("bad.mp3");
        const int error = injected ? EIO : ENOENT;
        if (injected) {
            QVERIFY(QFile::copy(data + "id3v23-and-v1.mp3", bad));
            context.read = [bad](const QString &path) {
                Mp3Reader reader;
                if (path == bad)
                    return Mp3FileTags({}, EIO);
                reader.read(path);
                return Mp3FileTags(reader.info(), reader.error());
            };
        }
        RuleTable rules;
        rules.addRule(RuleKinds::Mp3, QStringLiteral("%Artist% - %SongName%"), {}, {}, {}, {}, {},
                      QStringLiteral("MP3 names"));
        CollectingErrorReporter errors;
        const RuleEngine engine(rules, errors, context);
        const PreviewResult result =
            PreviewBuilder(engine, errors)
                .build(QStringList{"bad.mp3", "untagged-cbr.mp3", "id3v23-and-v1.mp3"});
        QCOMPARE(result.outcome, PreviewOutcome::Done);
        QStringList rows;
        for (const PreviewEntry &r : result.rows)
            rows << QString::number(r.checked) + u'|' + r.newName;
        QCOMPARE(rows, (QStringList{"0|%Artist% - %SongName%.mp3", "0|%Artist% - %SongName%.mp3",
                                    "1|AC-DC - Hells Bells.mp3"}));
        QCOMPARE(errors.reports.size(), size_t(1));
        const ErrorReport &r = errors.last();
        QVERIFY(r.isSystem());
        QCOMPARE(r.number, error);
        QCOMPARE(r.location, Locations::ApplyRule);
        QCOMPARE(r.description, systemErrorText(error));
        QCOMPARE(r.path, bad);
    }
};

QTEST_GUILESS_MAIN(TestMp3Kind)
#include "tst_mp3kind.moc"
