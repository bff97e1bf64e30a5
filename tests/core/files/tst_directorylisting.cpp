#include "files/datetext.h"
#include "files/directorylisting.h"
#include "files/trailingnumber.h"
#include "shell/filenamecodec.h"
#include "shell/parallel.h"

#include <QtTest>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tallowin;

namespace {

// Creates a file with exactly these name bytes (QFile would re-encode them).
void touch(const QTemporaryDir &dir, const QByteArray &name) {
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    QVERIFY2(fd >= 0, path.constData());
    ::close(fd);
}

QStringList names(const DirectoryListing &l) {
    QStringList n;
    for (const FileEntry &e : l.rows)
        n << e.fileName;
    return n;
}

class CancelAtStart : public Progress {
public:
    CancelAtStart() { cancel(); }
};

// Cancels as soon as the listing reports that some files are done.
class CancelMidway : public Progress {
public:
    void setCompleted(qint32, qint32 current) override {
        if (current > 0)
            cancel();
    }
};

class CountingProgress : public Progress {
public:
    void setCompleted(qint32 max, qint32 current) override {
        lastMax = max;
        lastCurrent = current;
        ++calls;
    }
    qint32 lastMax = -1, lastCurrent = -1;
    int calls = 0;
};

} // namespace

class TestDirectoryListing : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir; // the mixed folder most cases list

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        for (const char *n : {"MyPicture.jpg", "mymusic.mp3", "MYNOTES.txt", "a.jpg", "b.JPEG",
                              "c.png", "readme", ".hidden", ".hidden.jpg", "notes.my.txt"})
            touch(m_dir, n);
        QVERIFY(QDir(m_dir.path()).mkdir("sub"));
        QVERIFY(QDir(m_dir.path()).mkdir("My folder"));
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir.filePath("pipe.jpg")).constData(), 0644), 0);
        QVERIFY(QFile::link(m_dir.filePath("a.jpg"), m_dir.filePath("link.jpg")));
        QVERIFY(QFile::link(m_dir.filePath("sub"), m_dir.filePath("linkdir")));
        QVERIFY(QFile::link(m_dir.filePath("gone"), m_dir.filePath("dangling.jpg")));
    }

    void filters_data() {
        QTest::addColumn<QString>("nameLike");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("cleanedName");
        QTest::addColumn<QString>("cleanedType");
        const QStringList all{"a.jpg",        "b.JPEG",      "c.png",       "dangling.jpg",
                              "link.jpg",     "mymusic.mp3", "MYNOTES.txt", "MyPicture.jpg",
                              "notes.my.txt", "readme"};
        QTest::newRow("any/files-and-file-links-only") << "*"
                                                       << "*" << false << all << "*"
                                                       << "*";
        QTest::newRow("name/star-removed-any-case")
            << "My*"
            << "*" << false << QStringList{"mymusic.mp3", "MYNOTES.txt", "MyPicture.jpg"} << "My"
            << "*";
        QTest::newRow("name/wildcards-removed") << "?a*"
                                                << "*" << false << QStringList{"a.jpg"} << "a"
                                                << "*";
        QTest::newRow("name/only-removed-characters") << "??"
                                                      << "/\\:\"<>|" << false << all << "*"
                                                      << "*";
        QTest::newRow("type/prefix-of-last-extension")
            << "*"
            << "jp" << false
            << QStringList{"a.jpg", "b.JPEG", "dangling.jpg", "link.jpg", "MyPicture.jpg"} << "*"
            << "jp";
        QTest::newRow("type/not-an-inner-extension") << "*"
                                                     << "my" << false << QStringList{} << "*"
                                                     << "my";
        QTest::newRow("name-and-type") << "m"
                                       << "tx" << false << QStringList{"MYNOTES.txt"} << "m"
                                       << "tx";
        QTest::newRow("hidden/shown")
            << "*"
            << "*" << true << QStringList{".hidden", ".hidden.jpg"} + all << "*"
            << "*";
        QTest::newRow("hidden/with-type") << "."
                                          << "jpg" << true << QStringList{".hidden.jpg"} << "."
                                          << "jpg";
    }
    void filters() {
        QFETCH(QString, nameLike);
        QFETCH(QString, type);
        QFETCH(bool, hidden);
        QFETCH(QStringList, expected);
        DirectoryFilter filter{nameLike, type, hidden, false};
        CollectingErrorReporter errors;
        const DirectoryListing l = listDirectory(m_dir.path(), filter, errors);
        QVERIFY(errors.empty());
        QVERIFY(!l.failed && !l.cancelled);
        QCOMPARE(names(l), expected);
        QTEST(filter.nameLike, "cleanedName");
        QTEST(filter.type, "cleanedType");
        for (const FileEntry &e : l.rows)
            QVERIFY(e.checked);
    }

    // Skipping the lookups must not let a folder, FIFO or link to a folder through.
    void withoutDatesListsTheSameFiles() {
        DirectoryFilter dated;
        DirectoryFilter undated;
        undated.readDates = false;
        CollectingErrorReporter errors;
        const DirectoryListing a = listDirectory(m_dir.path(), dated, errors);
        const DirectoryListing b = listDirectory(m_dir.path(), undated, errors);
        QVERIFY(errors.empty());
        QCOMPARE(names(b), names(a));
        for (size_t i = 0; i < b.rows.size(); ++i) {
            QCOMPARE(b.rows[i].nativeName, a.rows[i].nativeName);
            QCOMPARE(b.rows[i].numberAdjName, a.rows[i].numberAdjName);
            QVERIFY(b.rows[i].DateCreated.isEmpty());
            QVERIFY(!b.rows[i].created.isValid());
        }
    }

    void rowsCarryDateAndTrailingNumber() {
        QTemporaryDir dir;
        for (const char *n :
             {"track07.mp3", "track.mp3", "2005.jpg", "7.jpg", "song12", "Part A-3.txt"})
            touch(dir, n);
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        const DirectoryListing l = listDirectory(dir.path(), filter, errors);
        QMap<QString, QString> numbers;
        for (const FileEntry &e : l.rows) {
            numbers[e.fileName] = e.numberAdjName;
            QVERIFY(e.created.isValid());
            QVERIFY(qAbs(e.created.toSecsSinceEpoch() - now) < 60);
            QCOMPARE(e.DateCreated, DateText().format(e.created));
            QCOMPARE(fileDateCreated(dir.filePath(e.fileName), errors), e.DateCreated);
        }
        const QMap<QString, QString> expected{{"track07.mp3", "07"}, {"track.mp3", "0"},
                                              {"2005.jpg", "2005"},  {"7.jpg", "7"},
                                              {"song12", "12"},      {"Part A-3.txt", "-3"}};
        QCOMPARE(numbers, expected);
        QVERIFY(errors.empty());
    }

    void vanishedFileDate() {
        CollectingErrorReporter errors;
        QCOMPARE(fileDateCreated(m_dir.filePath("no such file"), errors), UnknownDateText);
        QCOMPARE(fileDateCreated(m_dir.filePath("readme/below-a-file"), errors), UnknownDateText);
        QVERIFY(errors.empty());
    }

    // Rows keep names as bytes and dates and numbers as values; their texts must come back as
    // the list shows them, in any order the rows are put in.
    void slimRowsGiveBackWhatTheyHold() {
        const QDateTime when = QDateTime::fromSecsSinceEpoch(-86400 * 400 + 7, Qt::UTC);
        FileEntry dated;
        dated.fileName = QStringLiteral("track 007.mp3");
        dated.created = when;
        FileEntry vanished;
        vanished.fileName = QString::fromUtf8("R\xC3\xA9sum\xC3\xA9 -12.txt");
        vanished.DateCreated = UnknownDateText;
        FileEntry undated;
        undated.nativeName = QByteArray("caf\xE9.v2.x", 9); // not UTF-8
        undated.fileName = nameFromBytes(undated.nativeName);
        FileRows rows;
        for (const FileEntry &e : {dated, vanished, undated})
            QVERIFY(rows.append(e));
        // A name too long to hold is refused, and nothing is added.
        QVERIFY(!rows.append(QByteArray(70000, 'a'), false, 0, false, 0));
        QCOMPARE(rows.size(), size_t(3));

        rows.reorder({2, 0, 1});
        QCOMPARE(rows.nameBytes(0), QByteArrayView(undated.nativeName));
        QCOMPARE(rows.name(0), undated.fileName);
        QCOMPARE(rows.dateText(0), QString());
        QVERIFY(!rows.created(0).isValid());
        QCOMPARE(rows.numberText(0), QStringLiteral("2")); // "caf\xE9.v2" ends in 2
        QCOMPARE(rows.name(1), dated.fileName);
        QCOMPARE(rows.created(1), when);
        QCOMPARE(rows.dateText(1), DateText().format(when));
        QCOMPARE(rows.numberText(1), QStringLiteral(" 007")); // blanks before it belong to it
        QCOMPARE(rows.dateText(2), UnknownDateText);
        QCOMPARE(rows.numberText(2), QStringLiteral(" -12"));
        QCOMPARE(rows[2].fileName, vanished.fileName);
        // After a number sort the cells show values.
        rows.showNumbersAsValues();
        QCOMPARE(rows.numberText(1), QStringLiteral("7"));
        QCOMPARE(rows.numberText(2), QStringLiteral("-12"));
    }

    void trailingNumber_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("number");
        QTest::newRow("digits/leading-zero") << "track07"
                                             << "07";
        QTest::newRow("none") << "Holiday"
                              << "0";
        QTest::newRow("whole-name") << "2005"
                                    << "2005";
        QTest::newRow("sign") << "Part A-3"
                              << "-3";
        QTest::newRow("blank-before-number-kept") << "Song 12"
                                                  << " 12";
        QTest::newRow("thousands-separator") << "Total 1,234"
                                             << " 1,234";
        QTest::newRow("decimal") << "version1.5"
                                 << "1.5";
        QTest::newRow("exponent-is-text") << "take1e5"
                                          << "5";
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("trailing-blank") << "track 5 "
                                        << "0";
        QTest::newRow("non-ascii-digit") << "track٣"
                                         << "0";
    }
    void trailingNumber() {
        QFETCH(QString, base);
        QTEST(numberAdjName(base), "number");
    }

    void hostileNamesKeepTheirBytes() {
        QTemporaryDir dir;
        const QList<QByteArray> hostile{"tab\there.txt",
                                        "new\nline.txt",
                                        "back\\slash.txt",
                                        "-dash.txt",
                                        "%artist%.mp3",
                                        "bad\xff\xfe.txt",
                                        QByteArray(251, 'x') + ".txt",
                                        "CR\r.txt",
                                        " lead"};
        for (const QByteArray &n : hostile)
            touch(dir, n);
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        const DirectoryListing l = listDirectory(dir.path(), filter, errors);
        QList<QByteArray> listed;
        for (const FileEntry &e : l.rows) {
            listed << e.nativeName;
            // The text keeps every byte: it turns back into the name on disk.
            QCOMPARE(e.fileName, nameFromBytes(e.nativeName));
            QCOMPARE(nameToBytes(e.fileName), e.nativeName);
            QVERIFY(!e.DateCreated.isEmpty());
        }
        QList<QByteArray> expected = hostile;
        std::sort(expected.begin(), expected.end());
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, expected);
        QVERIFY(errors.empty());
    }

    void sortedByNameIgnoringCase() {
        QTemporaryDir dir;
        // Created in an order unlike the list order; names equal but for case go by their bytes.
        for (const char *n : {"b.txt", "a.txt", "C.txt", "A.txt", "é.txt", "É.txt", "Z", "_x"})
            touch(dir, n);
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        const DirectoryListing l = listDirectory(dir.path(), filter, errors);
        QCOMPARE(names(l),
                 (QStringList{"_x", "A.txt", "a.txt", "b.txt", "C.txt", "Z", "É.txt", "é.txt"}));
    }

    // Enough files for the lookups to be shared out between threads; the thread count is
    // forced, so several threads share them on any machine.
    void manyFilesListedOnceInOrder_data() {
        QTest::addColumn<unsigned>("threads"); // 0: as the machine suggests
        QTest::newRow("default") << 0u;
        QTest::newRow("one-thread") << 1u;
        QTest::newRow("three-threads") << 3u;
    }
    void manyFilesListedOnceInOrder() {
        QFETCH(unsigned, threads);
        forceThreadCount(threads);
        const auto restore = qScopeGuard([] { forceThreadCount(0); });
        QTemporaryDir dir;
        const int n = 5000;
        for (int i = 0; i < n; ++i)
            touch(dir, QByteArray::number(i * 7919 % n).rightJustified(5, '0') + ".dat");
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        CountingProgress progress;
        const DirectoryListing l = listDirectory(dir.path(), filter, errors, &progress);
        QCOMPARE(int(l.rows.size()), n);
        for (int i = 0; i < n; ++i)
            QCOMPARE(l.rows[size_t(i)].fileName,
                     QString::number(i).rightJustified(5, u'0') + ".dat");
        QCOMPARE(progress.lastMax, n);
        QCOMPARE(progress.lastCurrent, n);
        QVERIFY(progress.calls >= 2);
    }

    void emptyFolderListsNothing() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("only a folder"));
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        const DirectoryListing l = listDirectory(dir.path(), filter, errors);
        QVERIFY(!l.failed && !l.cancelled && errors.empty());
        QVERIFY(l.rows.empty());
        QCOMPARE(filesShownText(qsizetype(l.rows.size())), QString("0 Files Shown"));
        QCOMPARE(filesSelectedText(0), QString("0 Files Selected"));
    }

    void cancelStopsBetweenFiles() {
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        CancelAtStart progress;
        const DirectoryListing l = listDirectory(m_dir.path(), filter, errors, &progress);
        QVERIFY(l.cancelled);
        QVERIFY(!l.failed);
        QVERIFY(l.rows.empty());
    }

    void cancelMidwayKeepsWhatWasLookedUp() {
        QTemporaryDir dir;
        const int n = 6000;
        for (int i = 0; i < n; ++i)
            touch(dir, "f" + QByteArray::number(i));
        DirectoryFilter filter;
        CollectingErrorReporter errors;
        CancelMidway progress;
        const DirectoryListing l = listDirectory(dir.path(), filter, errors, &progress);
        QVERIFY(l.cancelled);
        QVERIFY(!l.failed);
        QVERIFY(!l.rows.empty());
        QVERIFY(int(l.rows.size()) < n);
        QStringList listed = names(l);
        QStringList sorted = listed;
        std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(listed, sorted);
        for (const FileEntry &e : l.rows)
            QVERIFY(e.checked && e.created.isValid() && QFile::exists(dir.filePath(e.fileName)));
    }

    void failureReport_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("nameLike");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("patternTail");
        QTest::newRow("missing-folder") << "missing"
                                        << "*" << ENOENT << "/missing/**.**";
        QTest::newRow("missing-folder/trailing-slash-filter-cleaned")
            << "missing/"
            << "My*" << ENOENT << "/missing/My*.**";
        QTest::newRow("a-file-not-a-folder") << "readme"
                                             << "*" << ENOTDIR << "/readme/**.**";
    }
    void failureReport() {
        QFETCH(QString, folder);
        QFETCH(QString, nameLike);
        QFETCH(int, number);
        QFETCH(QString, patternTail);
        DirectoryFilter filter{nameLike, "*", false, false};
        CollectingErrorReporter errors;
        const DirectoryListing l = listDirectory(m_dir.filePath(folder), filter, errors);
        QVERIFY(l.failed);
        QVERIFY(l.rows.empty());
        QCOMPARE(errors.reports.size(), size_t(1));
        const ErrorReport &r = errors.last();
        QCOMPARE(r.location, 26);
        QCOMPARE(r.number, number);
        QVERIFY(r.isSystem());
        QCOMPARE(r.description, QString::fromLocal8Bit(strerror(number)) + " Position: 2 - " +
                                    m_dir.path() + patternTail);
    }

    void dateTextMatchesQLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("C") << "C"
                           << "d MMM yyyy HH:mm:ss";
        QTest::newRow("en_US/12-hour") << "en_US"
                                       << "M/d/yy h:mm:ss AP";
        QTest::newRow("de_DE") << "de_DE"
                               << "dd.MM.yy HH:mm:ss";
        QTest::newRow("ja_JP/letters-in-time")
            << "ja_JP" << QString::fromUtf8("yyyy/MM/dd H時mm分ss秒");
    }
    void dateTextMatchesQLocale() {
        QFETCH(QString, locale);
        const QLocale l(locale);
        const DateText text(l);
        QTEST(text.pattern(), "pattern");
        // Midnight, noon, one in the afternoon, a leap day, a far year.
        for (const QDateTime &when : {QDateTime(QDate(2004, 3, 1), QTime(0, 0, 5)),
                                      QDateTime(QDate(2004, 12, 31), QTime(12, 0)),
                                      QDateTime(QDate(2020, 2, 29), QTime(13, 7, 9)),
                                      QDateTime(QDate(2069, 7, 4), QTime(23, 59, 59))}) {
            const QString written = text.format(std::time_t(when.toSecsSinceEpoch()));
            QCOMPARE(written, l.toString(when, text.pattern()));
            QCOMPARE(text.parse(written), std::optional<QDateTime>(when));
        }
        QCOMPARE(text.parse(UnknownDateText),
                 std::optional<QDateTime>(QDateTime(QDate(1900, 1, 1), QTime(0, 0))));
        QCOMPARE(text.parse("not a date"), std::nullopt);
    }

    void searchPatternOfRoot() {
        DirectoryFilter filter;
        QCOMPARE(searchPattern("/", filter), QString("/**.**"));
        QCOMPARE(searchPattern("/music", filter), QString("/music/**.**"));
    }
};

QTEST_GUILESS_MAIN(TestDirectoryListing)
#include "tst_directorylisting.moc"
