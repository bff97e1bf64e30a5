#include "listfile/listfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace tallowin;
using namespace tallowin::ListFile;

namespace {

QStringList rowsText(const std::vector<PreviewEntry> &rows) {
    QStringList out;
    for (const auto &r : rows)
        out << QString::fromLatin1(r.checked ? "1|" : "0|") + r.oldName() + u'|' + r.newName;
    return out;
}

QStringList skippedText(const std::vector<SkippedLine> &skipped) {
    QStringList out;
    for (const auto &s : skipped)
        out << QStringLiteral("%1|%2|%3|%4")
                   .arg(s.line)
                   .arg(s.oldName, s.newName, skipReasonText(s.reason));
    return out;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class FailingReader : public Reader {
public:
    explicit FailingReader(int e) : error(e) {}
    int open(const QString &, qint64 &) override { return error; }
    int error;
};

// Opens the file, then fails reading it after `goodReads` blocks.
class BreakingReader : public Reader {
public:
    int read(char *buffer, qsizetype n, qsizetype &got) override {
        if (goodReads-- == 0)
            return EIO;
        return Reader::read(buffer, qMin<qsizetype>(n, 4), got);
    }
    int goodReads = 1;
};

} // namespace

class TestListFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_folder;

private Q_SLOTS:
    void initTestCase() {
        m_folder = m_tmp.filePath("files");
        QVERIFY(QDir().mkpath(m_folder + "/sub.txt"));
        for (const char *name :
             {"a.txt", "b.txt", "c d.txt", "café.txt", ".hidden.txt", "A.TXT", "x,y.txt"})
            writeFile(m_folder + '/' + QString::fromUtf8(name), name);
        QVERIFY(QFile::link(m_folder + "/sub.txt", m_folder + "/folder-link"));
        QVERIFY(::mkfifo(QFile::encodeName(m_folder + "/pipe").constData(), 0644) == 0);
        writeFile(m_tmp.filePath("outside.txt"), "outside");
        QVERIFY(::mkfifo(QFile::encodeName(m_tmp.filePath("list.fifo")).constData(), 0644) == 0);
        // Sparse: beyond the limit to the reader, no space on the disk.
        writeFile(m_tmp.filePath("large.csv"), "a.txt,b.txt");
        QVERIFY(::truncate(QFile::encodeName(m_tmp.filePath("large.csv")).constData(),
                           MaxFileSize + 1) == 0);
    }

    void splitLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QStringList>("parts"); // empty: no row
        QTest::newRow("quotes/removed") << "\"a.txt\",\"b.txt\""
                                        << "," << QStringList{"a.txt", "b.txt"};
        QTest::newRow("quotes/inside-name") << "a\"1\".txt,b.txt"
                                            << "," << QStringList{"a1.txt", "b.txt"};
        QTest::newRow("extra-parts/ignored") << "a.txt,b.txt,extra"
                                             << "," << QStringList{"a.txt", "b.txt"};
        QTest::newRow("one-part/no-row") << "a.txt"
                                         << "," << QStringList{};
        QTest::newRow("empty/no-row") << ""
                                      << "," << QStringList{};
        // A part wholly in quotes is read as CSV reads it.
        QTest::newRow("quoted/delimiter-inside") << "\"a,b.txt\",c.txt"
                                                 << "," << QStringList{"a,b.txt", "c.txt"};
        QTest::newRow("quoted/new-name-holds-delimiter") << "x.txt,\"x,y\""
                                                         << "," << QStringList{"x.txt", "x,y"};
        QTest::newRow("quoted/doubled-quote") << "\"say \"\"hi\"\".txt\",\"b\"\"\""
                                              << "," << QStringList{"say \"hi\".txt", "b\""};
        QTest::newRow("quoted/spaces-around") << "  \"a,b\"  ,  \" c \" "
                                              << "," << QStringList{"a,b", "c"};
        QTest::newRow("quoted/tab-inside") << "\"a\tb\"\t\"c\""
                                           << "\t" << QStringList{"a\tb", "c"};
        QTest::newRow("quoted/other-delimiter-inside") << "\"a::b\"::\"c::d\"::e"
                                                       << "::" << QStringList{"a::b", "c::d"};
        QTest::newRow("quoted/empty-new-name") << "a.txt,\"\""
                                               << "," << QStringList{"a.txt", ""};
        QTest::newRow("quoted/only-part-no-row") << "\"x,y\""
                                                 << "," << QStringList{};
        // A part that is not wholly quoted reads as before: its quotes go, the delimiter splits.
        QTest::newRow("part-quoted/text-after-quote") << "\"a,b\"c,d"
                                                      << "," << QStringList{"a", "bc"};
        QTest::newRow("part-quoted/never-closed") << "\"a,b.txt"
                                                  << "," << QStringList{"a", "b.txt"};
        QTest::newRow("part-quoted/beside-a-quoted-part") << "a\"1\".txt,\"x,y\""
                                                          << "," << QStringList{"a1.txt", "x,y"};
        QTest::newRow("part-quoted/doubled-quote-removed") << "a\"\"b,c"
                                                           << "," << QStringList{"ab", "c"};
        // Spaces stop at a delimiter that is a space: empty parts stay parts.
        QTest::newRow("space-delimiter/empty-part") << "a  \"b c\""
                                                    << " " << QStringList{"a", ""};
        QTest::newRow("space-delimiter/quoted") << "\"a b\" \"c d\""
                                                << " " << QStringList{"a b", "c d"};
        // A delimiter holding a quote: quotes go from the whole line first, as before.
        QTest::newRow("quote-in-delimiter/never-splits") << "a\";\"b"
                                                         << "\";" << QStringList{};
        QTest::newRow("spaces/trimmed") << "  a.txt  ,  b c.txt "
                                        << "," << QStringList{"a.txt", "b c.txt"};
        QTest::newRow("tab/only-spaces-trimmed") << " a.txt\t\tb.txt"
                                                 << "\t" << QStringList{"a.txt", ""};
        QTest::newRow("other/two-characters") << "a.txt::b.txt:c"
                                              << "::" << QStringList{"a.txt", "b.txt:c"};
        QTest::newRow("other/case-matters") << "aXb"
                                            << "x" << QStringList{};
        QTest::newRow("other/lower-x") << "axb"
                                       << "x" << QStringList{"a", "b"};
        QTest::newRow("empty-new-name") << "a.txt,"
                                        << "," << QStringList{"a.txt", ""};
    }
    void splitLine() {
        QFETCH(QString, line);
        QFETCH(QString, delimiter);
        QFETCH(QStringList, parts);
        QString current, next;
        const bool ok = ListFile::splitLine(line, delimiter, current, next);
        QCOMPARE(ok, !parts.isEmpty());
        if (ok)
            QCOMPARE((QStringList{current, next}), parts);
    }

    void load_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("delimiter");
        QTest::addColumn<QString>("other");
        QTest::addColumn<bool>("header");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("skipped"); // line|old|new|reason
        const int comma = int(Delimiter::Comma), tab = int(Delimiter::Tab),
                  other = int(Delimiter::Other);
        const QStringList none;
        QTest::newRow("crlf") << QByteArray("a.txt,1.txt\r\nb.txt,2.txt\r\n") << comma << ""
                              << false << QStringList{"1|a.txt|1.txt", "1|b.txt|2.txt"} << none;
        QTest::newRow("cr") << QByteArray("a.txt,1.txt\rb.txt,2.txt") << comma << "" << false
                            << QStringList{"1|a.txt|1.txt", "1|b.txt|2.txt"} << none;
        // A file written on Linux: each LF ends a line, so no new name holds a line break.
        QTest::newRow("lf") << QByteArray("a.txt,1.txt\nb.txt,2.txt\n") << comma << "" << false
                            << QStringList{"1|a.txt|1.txt", "1|b.txt|2.txt"} << none;
        QTest::newRow("header/skipped") << QByteArray("a.txt,header\r\nb.txt,2.txt") << comma << ""
                                        << true << QStringList{"1|b.txt|2.txt"} << none;
        QTest::newRow("header/read-as-data")
            << QByteArray("a.txt,header\r\nb.txt,2.txt") << comma << "" << false
            << QStringList{"1|a.txt|header", "1|b.txt|2.txt"} << none;
        // A header of field names is read as data when not said to be one, and told.
        QTest::newRow("header/unticked-is-told")
            << QByteArray("Old,New\r\nb.txt,2.txt") << comma << "" << false
            << QStringList{"1|b.txt|2.txt"} << QStringList{"1|Old|New|no such file"};
        QTest::newRow("tab") << QByteArray("\"c d.txt\"\t\"e f.txt\"") << tab << "" << false
                             << QStringList{"1|c d.txt|e f.txt"} << none;
        QTest::newRow("other") << QByteArray("a.txt::x.txt") << other << "::" << false
                               << QStringList{"1|a.txt|x.txt"} << none;
        QTest::newRow("utf8") << QByteArray("caf\xC3\xA9.txt,\xE2\x82\xAC.txt") << comma << ""
                              << false << QStringList{"1|café.txt|€.txt"} << none;
        QTest::newRow("windows-1252") << QByteArray("caf\xE9.txt,\x80.txt") << comma << "" << false
                                      << QStringList{"1|café.txt|€.txt"} << none;
        // One stray byte decides for its own line only.
        QTest::newRow("decoded-line-by-line")
            << QByteArray("a.txt,R\xC3\xA9sum\xC3\xA9.txt\r\nb.txt,caf\xE9.txt\r\n"
                          "c d.txt,\xE2\x82\xAC\r\n")
            << comma << "" << false
            << QStringList{"1|a.txt|Résumé.txt", "1|b.txt|café.txt", "1|c d.txt|€"} << none;
        QTest::newRow("byte-order-mark")
            << QByteArray("\xEF\xBB\xBF"
                          "a.txt,1.txt")
            << comma << "" << false << QStringList{"1|a.txt|1.txt"} << none;
        // Quoted names hold the delimiter: a file named with a comma can be renamed, and a
        // name can be given one.
        QTest::newRow("quoted/comma-in-names")
            << QByteArray("\"x,y.txt\",\"b,1.txt\"\r\nb.txt,\"B,1\"") << comma << "" << false
            << QStringList{"1|x,y.txt|b,1.txt", "1|b.txt|B,1"} << none;
        // Every line that names something and gives no row is told, with its reason.
        QTest::newRow("skip-reasons")
            << QByteArray(
                   "missing.txt,1\r\n.hidden.txt,2\r\nsub.txt,3\r\na.TXT,4\r\nA.TXT,5\r\n"
                   "pipe,6\r\nfolder-link,7\r\n../outside.txt,7\r\nsub.txt/x,8\r\nb.txt\r\n,9\r\n"
                   "\r\n  \r\n,\r\n\"\",\"\"\r\n\"x,y.txt\"")
            << comma << "" << false << QStringList{"1|A.TXT|5"}
            << QStringList{"1|missing.txt|1|no such file",
                           "2|.hidden.txt|2|names a hidden file",
                           "3|sub.txt|3|names a folder, not a file",
                           "4|a.TXT|4|no such file",
                           "6|pipe|6|names something that is not an ordinary file",
                           "7|folder-link|7|names a folder, not a file",
                           "8|../outside.txt|7|names a path, not a file in the folder",
                           "9|sub.txt/x|8|names a path, not a file in the folder",
                           "10|b.txt||has no delimiter",
                           "11||9|gives no old name",
                           "16|x,y.txt||has no delimiter"};
        QTest::newRow("names-outside-the-folder")
            << QByteArray("../outside.txt,x\r\n/etc/passwd,y\r\n" +
                          QFile::encodeName(m_tmp.filePath("outside.txt")) + ",z")
            << comma << "" << false << QStringList{}
            << QStringList{"1|../outside.txt|x|names a path, not a file in the folder",
                           "2|/etc/passwd|y|names a path, not a file in the folder",
                           "3|" + m_tmp.filePath("outside.txt") +
                               "|z|names a path, not a file in the folder"};
        // Unsafe new names are kept here; the rename refuses them.
        QTest::newRow("unsafe-new-names-kept")
            << QByteArray("a.txt,../outside.txt\r\nb.txt,/etc/passwd") << comma << "" << false
            << QStringList{"1|a.txt|../outside.txt", "1|b.txt|/etc/passwd"} << none;
        QTest::newRow("same-new-name-both-ticked")
            << QByteArray("a.txt,same.txt\r\nb.txt,same.txt") << comma << "" << false
            << QStringList{"1|a.txt|same.txt", "1|b.txt|same.txt"} << none;
        QTest::newRow("empty-file") << QByteArray() << comma << "" << true << QStringList{} << none;
    }
    void load() {
        QFETCH(QByteArray, content);
        QFETCH(int, delimiter);
        QFETCH(QString, other);
        QFETCH(bool, header);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, skipped);
        Options options;
        options.path = m_tmp.filePath("list.csv");
        writeFile(options.path, content);
        options.delimiter = Delimiter(delimiter);
        options.otherDelimiter = other;
        options.header = header;
        CollectingErrorReporter errors;
        const Result result = ListFile::load(options, m_folder, errors);
        QCOMPARE(result.outcome, Outcome::Loaded);
        QCOMPARE(rowsText(result.rows), expected);
        QCOMPARE(skippedText(result.skipped), skipped);
        QVERIFY(errors.empty());
    }

    // The window's one message: the lines with reasons, capped, and whether anything is left.
    void skippedMessage_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rowsLeft");
        QTest::addColumn<QString>("message");
        QTest::newRow("none") << 0 << 3 << QString();
        QTest::newRow("one") << 1 << 3
                             << "1 line of the list file was skipped:\n"
                                "line 1, \"f1.txt\": no such file";
        QTest::newRow("all-shown-nothing-left")
            << 2 << 0
            << "2 lines of the list file were skipped:\n"
               "line 1, \"f1.txt\": no such file\n"
               "line 2, \"f2.txt\": no such file\n"
               "No line names a file in the folder: there is nothing to rename.";
        QTest::newRow("capped") << 5 << 1
                                << "5 lines of the list file were skipped:\n"
                                   "line 1, \"f1.txt\": no such file\n"
                                   "line 2, \"f2.txt\": no such file\n"
                                   "line 3, \"f3.txt\": no such file\n"
                                   "and 2 more.";
    }
    void skippedMessage() {
        QFETCH(int, count);
        QFETCH(int, rowsLeft);
        QFETCH(QString, message);
        std::vector<SkippedLine> skipped;
        for (int i = 1; i <= count; ++i)
            skipped.push_back({i, QStringLiteral("f%1.txt").arg(i), {}, SkipReason::NoSuchFile});
        QCOMPARE(ListFile::skippedMessage(skipped, size_t(rowsLeft), 3), message);
    }

    // A name of any length stays one line of a message the window can show.
    void skippedMessageCutsLongNames() {
        const QString longName(5000, u'n');
        const QString text =
            ListFile::skippedMessage({{7, longName, {}, SkipReason::NoDelimiter}}, 1);
        QVERIFY(text.size() < 200);
        QVERIFY(text.contains("line 7, \"nnn"));
        QVERIFY(text.endsWith(u"\u2026\": has no delimiter"));
    }

    void refusals_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("delimiter");
        QTest::addColumn<int>("readError");
        QTest::addColumn<QString>("message");
        const QString list = m_tmp.filePath("refusal.csv");
        writeFile(list, "a.txt,b.txt");
        const int comma = int(Delimiter::Comma);
        QTest::newRow("no-file-named")
            << "" << comma << 0
            << "You must specify a file containing the rename information you wish to use.";
        QTest::newRow("no-other-delimiter")
            << list << int(Delimiter::Other) << 0
            << "You have indicated that your file uses a delimiter other than tab or comma, but "
               "you have not specified a delimiter, please do so.";
        QTest::newRow("missing") << m_tmp.filePath("nope.csv") << comma << 0
                                 << "The rename information file you have specified: " +
                                        m_tmp.filePath("nope.csv") + " could not be located.";
        QTest::newRow("folder") << m_folder << comma << 0
                                << "The rename information file you have specified: " + m_folder +
                                       " could not be located.";
        // A FIFO would block the reader until someone writes to it.
        const QString fifo = m_tmp.filePath("list.fifo");
        QTest::newRow("fifo") << fifo << comma << 0
                              << "The rename information file you have specified: " + fifo +
                                     " could not be located.";
        const QString large = m_tmp.filePath("large.csv");
        QTest::newRow("too-large") << large << comma << 0
                                   << "The rename information file you have specified: " + large +
                                          " is larger than 1 GB, please split it and try again.";
        QTest::newRow("no-longer-a-regular-file")
            << list << comma << EINVAL
            << "The rename information file you have specified: " + list + " could not be located.";
        QTest::newRow("in-use") << list << comma << EBUSY
                                << "The file " + list +
                                       " is already open, please close the file in any "
                                       "applications already using it and try again.";
        QTest::newRow("bad-name")
            << list << comma << ENAMETOOLONG
            << "The file you specified " + list +
                   " does not exist, please check the file name and try again.";
    }
    void refusals() {
        QFETCH(QString, path);
        QFETCH(int, delimiter);
        QFETCH(int, readError);
        QFETCH(QString, message);
        Options options;
        options.path = path;
        options.delimiter = Delimiter(delimiter);
        FailingReader reader(readError);
        CollectingErrorReporter errors;
        const Result result =
            ListFile::load(options, m_folder, errors, nullptr, readError ? &reader : nullptr);
        QCOMPARE(result.outcome, Outcome::Message);
        QCOMPARE(result.message, message);
        QVERIFY(result.rows.empty());
        QVERIFY(errors.empty());
    }

    void otherReadFailuresAreReported() {
        Options options;
        options.path = m_tmp.filePath("unreadable.csv");
        writeFile(options.path, "a.txt,b.txt");
        FailingReader reader(EIO);
        CollectingErrorReporter errors;
        const Result result = ListFile::load(options, m_folder, errors, nullptr, &reader);
        QCOMPARE(result.outcome, Outcome::Failed);
        QCOMPARE(errors.reports.size(), size_t(1));
        QCOMPARE(errors.last().location, 89329831);
        QCOMPARE(errors.last().number, EIO);
    }

    // The file arrives in blocks: a CR LF split between two, and a line longer than any name,
    // read as a whole file would be.
    void blocksAndLongLines() {
        Options options;
        options.path = m_tmp.filePath("blocks.csv");
        options.header = true;
        QByteArray header(65535, 'h');
        header += "\r\na.txt,x.txt\r\n" + QByteArray(3 * MaxLineLength, 'n') + "\r\nb.txt,y.txt";
        writeFile(options.path, header);
        CollectingErrorReporter errors;
        const Result result = ListFile::load(options, m_folder, errors);
        QCOMPARE(result.outcome, Outcome::Loaded);
        QCOMPARE(rowsText(result.rows), (QStringList{"1|a.txt|x.txt", "1|b.txt|y.txt"}));
        // The LF after the CR that ended the first block made no line of its own.
        QCOMPARE(result.rows[0].sourceIndex, 1);
        QCOMPARE(result.rows[1].sourceIndex, 3);
        QVERIFY(errors.empty());
    }

    void failureWhileReadingIsReportedAndKeepsNoRows() {
        Options options;
        options.path = m_tmp.filePath("breaks.csv");
        writeFile(options.path, "a.txt,1\r\nb.txt,2\r\n");
        BreakingReader reader;
        CollectingErrorReporter errors;
        const Result result = ListFile::load(options, m_folder, errors, nullptr, &reader);
        QCOMPARE(result.outcome, Outcome::Failed);
        QVERIFY(result.rows.empty());
        QCOMPARE(errors.last(), ErrorReport::system(89329831, EIO).about(options.path));
    }

    // The folder is listed once to check the names; a rename refuses any other folder there.
    void keepsTheFolderItListed() {
        Options options;
        options.path = m_tmp.filePath("identity.csv");
        writeFile(options.path, "a.txt,b.txt");
        NullErrorReporter errors;
        const Result result = ListFile::load(options, m_folder, errors);
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(m_folder).constData(), &st) == 0);
        QVERIFY(result.folder.known);
        QCOMPARE(result.folder.device, st.st_dev);
        QCOMPARE(result.folder.inode, st.st_ino);
    }

    void progressFollowsTheBytesRead() {
        Options options;
        options.path = m_tmp.filePath("progress.csv");
        writeFile(options.path, "a.txt,1\r\nb.txt,2\r\nc d.txt,3\r\n");
        struct Recording : Progress {
            QStringList log;
            void setStatus(const QString &s) override { log << s; }
            void setCompleted(qint32 m, qint32 c) override {
                log << QStringLiteral("%1/%2").arg(c).arg(m);
                if (c == 14)
                    cancel();
            }
        } progress;
        NullErrorReporter errors;
        const Result result = ListFile::load(options, m_folder, errors, &progress);
        // Line lengths without their breaks, out of the file's length.
        QCOMPARE(progress.log, (QStringList{"Loading Rename File", "1/100", "7/29", "14/29"}));
        QCOMPARE(result.outcome, Outcome::Cancelled);
        QVERIFY(result.rows.empty());
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
