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
        for (const char *name : {"a.txt", "b.txt", "c d.txt", "café.txt", ".hidden.txt", "A.TXT"})
            writeFile(m_folder + '/' + QString::fromUtf8(name), name);
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
        QTest::newRow("quoted-comma/still-splits") << "\"a,b.txt\",c.txt"
                                                   << "," << QStringList{"a", "b.txt"};
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
        const int comma = int(Delimiter::Comma), tab = int(Delimiter::Tab),
                  other = int(Delimiter::Other);
        QTest::newRow("crlf") << QByteArray("a.txt,1.txt\r\nb.txt,2.txt\r\n") << comma << ""
                              << false << QStringList{"1|a.txt|1.txt", "1|b.txt|2.txt"};
        QTest::newRow("cr") << QByteArray("a.txt,1.txt\rb.txt,2.txt") << comma << "" << false
                            << QStringList{"1|a.txt|1.txt", "1|b.txt|2.txt"};
        // A file written on Linux: each LF ends a line, so no new name holds a line break.
        QTest::newRow("lf") << QByteArray("a.txt,1.txt\nb.txt,2.txt\n") << comma << "" << false
                            << QStringList{"1|a.txt|1.txt", "1|b.txt|2.txt"};
        QTest::newRow("header/skipped") << QByteArray("a.txt,header\r\nb.txt,2.txt") << comma << ""
                                        << true << QStringList{"1|b.txt|2.txt"};
        QTest::newRow("header/read-as-data")
            << QByteArray("a.txt,header\r\nb.txt,2.txt") << comma << "" << false
            << QStringList{"1|a.txt|header", "1|b.txt|2.txt"};
        QTest::newRow("tab") << QByteArray("\"c d.txt\"\t\"e f.txt\"") << tab << "" << false
                             << QStringList{"1|c d.txt|e f.txt"};
        QTest::newRow("other") << QByteArray("a.txt::x.txt") << other << "::" << false
                               << QStringList{"1|a.txt|x.txt"};
        QTest::newRow("utf8") << QByteArray("caf\xC3\xA9.txt,\xE2\x82\xAC.txt") << comma << ""
                              << false << QStringList{"1|café.txt|€.txt"};
        QTest::newRow("windows-1252") << QByteArray("caf\xE9.txt,\x80.txt") << comma << "" << false
                                      << QStringList{"1|café.txt|€.txt"};
        // One stray byte decides for its own line only.
        QTest::newRow("decoded-line-by-line")
            << QByteArray("a.txt,R\xC3\xA9sum\xC3\xA9.txt\r\nb.txt,caf\xE9.txt\r\n"
                          "c d.txt,\xE2\x82\xAC\r\n")
            << comma << "" << false
            << QStringList{"1|a.txt|Résumé.txt", "1|b.txt|café.txt", "1|c d.txt|€"};
        QTest::newRow("byte-order-mark") << QByteArray("\xEF\xBB\xBF"
                                                       "a.txt,1.txt")
                                         << comma << "" << false << QStringList{"1|a.txt|1.txt"};
        QTest::newRow("only-listed-files")
            << QByteArray("missing.txt,1\r\n.hidden.txt,2\r\nsub.txt,3\r\na.TXT,4\r\nA.TXT,5")
            << comma << "" << false << QStringList{"1|A.TXT|5"};
        QTest::newRow("names-outside-the-folder")
            << QByteArray("../outside.txt,x\r\n/etc/passwd,y\r\n" +
                          QFile::encodeName(m_tmp.filePath("outside.txt")) + ",z")
            << comma << "" << false << QStringList{};
        // Unsafe new names are kept here; the rename refuses them.
        QTest::newRow("unsafe-new-names-kept")
            << QByteArray("a.txt,../outside.txt\r\nb.txt,/etc/passwd") << comma << "" << false
            << QStringList{"1|a.txt|../outside.txt", "1|b.txt|/etc/passwd"};
        QTest::newRow("same-new-name-both-ticked")
            << QByteArray("a.txt,same.txt\r\nb.txt,same.txt") << comma << "" << false
            << QStringList{"1|a.txt|same.txt", "1|b.txt|same.txt"};
        QTest::newRow("empty-file") << QByteArray() << comma << "" << true << QStringList{};
    }
    void load() {
        QFETCH(QByteArray, content);
        QFETCH(int, delimiter);
        QFETCH(QString, other);
        QFETCH(bool, header);
        QFETCH(QStringList, expected);
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
        QVERIFY(errors.empty());
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
