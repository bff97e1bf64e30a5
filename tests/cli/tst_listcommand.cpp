#include "support/cli.h"
#include "support/files.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tallowin::test;

namespace {

void touch(const QTemporaryDir &dir, const QByteArray &name) {
    makeFiles(QFile::encodeName(dir.path()), {name});
}

bool keepsBirthTime(const QByteArray &path) {
    struct statx stx {};
    return ::statx(AT_FDCWD, path.constData(), 0, STATX_BTIME, &stx) == 0 &&
           (stx.stx_mask & STATX_BTIME) && stx.stx_btime.tv_sec != 0;
}

// The second the listing dates a file by: its birth, else its last modification.
qint64 createdSecond(const QByteArray &path) {
    struct statx stx {};
    if (::statx(AT_FDCWD, path.constData(), 0, STATX_BTIME | STATX_MTIME, &stx) != 0)
        return -1;
    return keepsBirthTime(path) ? stx.stx_btime.tv_sec : stx.stx_mtime.tv_sec;
}

void setModified(const QByteArray &path, time_t when) {
    const struct timespec times[2] = {{when, 0}, {when, 0}};
    QVERIFY(::utimensat(AT_FDCWD, path.constData(), times, 0) == 0);
}

// The NAME and NUMBER fields of each line; the date depends on the clock.
QList<QByteArray> namesAndNumbers(const CliRun &r) {
    QList<QByteArray> out;
    for (const QByteArray &line : r.lines()) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() != 3)
            return {"bad line: " + line};
        out << f[0] + '|' + f[2];
    }
    return out;
}

} // namespace

class TestListCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() {
        for (const char *n : {"track07.mp3", "track.MP3", "2005.jpg", "b.txt", ".hidden.mp3"})
            touch(m_dir, n);
        QVERIFY(QDir(m_dir.path()).mkdir("folder.mp3"));
    }

    void rows_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QList<QByteArray>>("rows");
        QTest::newRow("default/name-order")
            << QStringList{}
            << QList<QByteArray>{"2005.jpg|2005", "b.txt|0", "track.MP3|0", "track07.mp3|07"};
        QTest::newRow("filters") << QStringList{"--name-like", "TR*", "--type", "mp"}
                                 << QList<QByteArray>{"track.MP3|0", "track07.mp3|07"};
        QTest::newRow("hidden") << QStringList{"--hidden", "--type", "mp3"}
                                << QList<QByteArray>{".hidden.mp3|0", "track.MP3|0",
                                                     "track07.mp3|07"};
        QTest::newRow("name-descending")
            << QStringList{"--descending"}
            << QList<QByteArray>{"track07.mp3|07", "track.MP3|0", "b.txt|0", "2005.jpg|2005"};
        QTest::newRow("number/zeros-empty-leading-zeros-dropped")
            << QStringList{"--sort", "number"}
            << QList<QByteArray>{"b.txt|", "track.MP3|", "track07.mp3|7", "2005.jpg|2005"};
        QTest::newRow("number-descending")
            << QStringList{"--sort", "number", "--descending"}
            << QList<QByteArray>{"2005.jpg|2005", "track07.mp3|7", "b.txt|", "track.MP3|"};
    }
    void rows() {
        QFETCH(QStringList, options);
        const CliRun r = runCli(QStringList{"list"} + options + QStringList{m_dir.path()});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        QTEST(namesAndNumbers(r), "rows");
    }

    void sortByDate() {
        QTemporaryDir dir;
        // Made in the opposite order to their names, dated at least a second apart.
        touch(dir, "z-first");
        touch(dir, "a-second");
        const QByteArray first = QFile::encodeName(dir.filePath("z-first"));
        const QByteArray second = QFile::encodeName(dir.filePath("a-second"));
        if (!keepsBirthTime(first)) {
            // Dated by their modification times, which can be set.
            setModified(first, 978307200);   // 2001-01-01
            setModified(second, 1009843200); // 2002-01-01
        } else {
            // A birth time cannot be set: the second file is made again until it is dated in
            // a later second than the first.
            QTRY_VERIFY(::unlink(second.constData()) == 0 &&
                        ::close(::open(second.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644)) ==
                            0 &&
                        createdSecond(second) > createdSecond(first));
        }
        const CliRun asc = runCli({"list", "--sort", "date", dir.path()});
        QCOMPARE(asc.status, 0);
        QCOMPARE(namesAndNumbers(asc), (QList<QByteArray>{"z-first|0", "a-second|0"}));
        const CliRun desc = runCli({"list", "--sort", "date", "--descending", dir.path()});
        QCOMPARE(namesAndNumbers(desc), (QList<QByteArray>{"a-second|0", "z-first|0"}));
    }

    void hostileNamesPrintEscaped() {
        QTemporaryDir dir;
        for (const QByteArray &n : QList<QByteArray>{
                 "tab\tname", "new\nline", "cr\rx", "back\\slash", "-dash", "--help",
                 "%artist%.mp3", "bad\xff\xfe.txt", "caf\xc3\xa9", QByteArray(254, 'n') + "7"})
            touch(dir, n);
        const CliRun r = runCli({"list", dir.path()});
        QCOMPARE(r.status, 0);
        QCOMPARE(namesAndNumbers(r),
                 (QList<QByteArray>{"%artist%.mp3|0", "--help|0", "-dash|0", "back\\\\slash|0",
                                    "bad\\xFF\\xFE.txt|0", "caf\xc3\xa9|0", "cr\\rx|0",
                                    "new\\nline|0", QByteArray(254, 'n') + "7|7", "tab\\tname|0"}));
    }

    void json() {
        QTemporaryDir dir;
        touch(dir, "bad\xff.txt");
        touch(dir, "song12.mp3");
        const CliRun r = runCli({"list", "--json", dir.path()});
        QCOMPARE(r.status, 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray rows = doc.object().value("rows").toArray();
        QCOMPARE(rows.size(), 2);
        const QJsonObject bad = rows[0].toObject(), song = rows[1].toObject();
        QCOMPARE(bad.value("name").toString(), QString::fromUtf8("bad\xff.txt"));
        QCOMPARE(bad.value("nameBytes").toString(), QString("bad\\xFF.txt"));
        QCOMPARE(song.value("name").toString(), QString("song12.mp3"));
        QVERIFY(!song.contains("nameBytes"));
        QCOMPARE(song.value("number").toString(), QString("12"));
        QVERIFY(!song.value("date").toString().isEmpty());
        QCOMPARE(song.value("checked").toBool(), true);
    }

    void badInput_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("missing-folder") << QStringList{"list", "/nonexistent/folder"};
        QTest::newRow("a-file") << QStringList{"list", "FILE"};
        QTest::newRow("no-folder") << QStringList{"list"};
        QTest::newRow("two-folders") << QStringList{"list", "/", "/tmp"};
        QTest::newRow("unknown-sort") << QStringList{"list", "--sort", "size", "/"};
        QTest::newRow("unknown-option") << QStringList{"list", "--recursive", "/"};
    }
    void badInput() {
        QFETCH(QStringList, args);
        args.replaceInStrings("FILE", m_dir.filePath("b.txt"));
        const CliRun r = runCli(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestListCommand)
#include "tst_listcommand.moc"
