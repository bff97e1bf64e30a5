// The tags command, and the MP3 kind through apply, as scripts use them.

#include "support/cli.h"

#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/resource.h>

namespace {

const QString DataDir = QStringLiteral(TALLOWIN_TEST_DATA "/mp3");

using Run = tallowin::test::CliRun;

// Runs the command line; `memoryLimit` (bytes) caps the address space of the child.
Run cli(const QStringList &args, rlim_t memoryLimit = 0) {
    tallowin::test::RunOptions options;
    if (memoryLimit)
        options.inChild = [memoryLimit] {
            const rlimit limit{memoryLimit, memoryLimit};
            ::setrlimit(RLIMIT_AS, &limit);
        };
    options.timeoutMs = 60000;
    return tallowin::test::runCli(args, options);
}

QByteArray emptyFields(const QString &path) {
    return "File=" + path.toUtf8() +
           "\nDuration=\nFrequency=\nMode=\nMpegLayer=\nMpegVersion=\nBitRate=\nSongname=\n"
           "Artist=\nAlbum=\nYear=\nComment=\nGenre=\nTrack=\nVBR=False\n";
}

} // namespace

class TestTagsCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A folder has no tags; a file that cannot be read prints its fields empty too, and is
    // reported as the system's failure naming it, which makes the exit status 3.
    void fieldsInOrderAndUnreadableFilesEmpty() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = DataDir + QStringLiteral("/id3v23-and-v1.mp3");
        const QString missing = dir.filePath("missing.mp3");
        const Run r = cli({"tags", file, dir.path(), missing});
        QCOMPARE(r.status, 3);
        const QByteArray expected =
            "File=" + file.toUtf8() +
            "\nDuration=0m 1s\nFrequency=44100\nMode=stereo\nMpegLayer=3\nMpegVersion=1\n"
            "BitRate=48\nSongname=Hells Bells\nArtist=AC/DC\nAlbum=Back in Black\nYear=1980\n"
            "Comment=Helloworld1999\nGenre=Rock\nTrack=1/10\nVBR=False\n\n" +
            emptyFields(dir.path()) + '\n' + emptyFields(missing);
        QCOMPARE(r.out, expected);
        QCOMPARE(r.err, "Error Location: 600\nSystem error " + QByteArray::number(ENOENT) + ": " +
                            std::strerror(ENOENT) + "\nError Path: " + missing.toUtf8() + '\n');
    }

    void jsonIsOneDocument() {
        const Run r =
            cli({"tags", "--json", DataDir + "/id3v24-utf16.mp3", DataDir + "/vbr-xing.mp3"});
        QCOMPARE(r.status, 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray files = doc.object().value("files").toArray();
        QCOMPARE(files.size(), 2);
        QCOMPARE(files[0].toObject().value("Songname").toString(),
                 QString::fromUtf8("Jóga – 日本語"));
        QCOMPARE(files[0].toObject().value("VBR").toBool(), false);
        QCOMPARE(files[1].toObject().value("BitRate").toString(), QStringLiteral("59"));
        QCOMPARE(files[1].toObject().value("VBR").toBool(), true);
    }

    void tabsInValuesEscaped() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray text = QByteArray(1, '\0') + "Tab\there\\";
        const QByteArray frame =
            "TIT2" + QByteArray(3, '\0') + char(text.size()) + QByteArray(2, '\0') + text;
        const QByteArray tag = "ID3" + QByteArray("\x03\0\0\0\0\0", 6) + char(frame.size()) + frame;
        QFile f(dir.filePath("tab.mp3"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(tag);
        f.close();
        const Run r = cli({"tags", f.fileName()});
        QVERIFY2(r.out.contains("\nSongname=Tab\\there\\\\\n"), r.out.constData());
    }

    void withoutFilesIsBadUsage() {
        const Run r = cli({"tags"});
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
    }

    // Sizes read from a file must never make the reader allocate more than the file holds:
    // with the address space capped well below the sizes these files declare, it still reads.
    void hostileFilesInLittleMemory() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer needs more address space than the cap leaves");
#endif
        QStringList args{"tags"};
        QDirIterator it(DataDir + QStringLiteral("/hostile"), QDir::Files);
        while (it.hasNext())
            args << it.next();
        QVERIFY(args.size() > 1);
        const Run r = cli(args, rlim_t(200) << 20);
        QVERIFY2(r.status == 0, r.err.constData());
        QCOMPARE(r.out.count("\nVBR="), args.size() - 1);
    }

    void applyNamesFilesAfterTheirTags() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const char *n : {"id3v23-and-v1.mp3", "untagged-cbr.mp3"})
            QVERIFY(QFile::copy(DataDir + u'/' + n, dir.filePath(n)));
        const Run r = cli({"apply", "--dir", dir.path(), "--rule",
                           "MP3|%Artist% - %Album% - %SongName%||||||MP3", "--",
                           "id3v23-and-v1.mp3", "untagged-cbr.mp3", "song.wav"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("1\tid3v23-and-v1.mp3\tAC-DC - Back in Black - Hells Bells.mp3\n"
                                   "0\tuntagged-cbr.mp3\t%Artist% - %Album% - %SongName%.mp3\n"
                                   "1\tsong.wav\tsong.wav\n"));
    }
};

QTEST_GUILESS_MAIN(TestTagsCli)
#include "tst_tagscli.moc"
