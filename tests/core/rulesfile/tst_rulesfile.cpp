#include "rulesfile/rulesfile.h"

#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace tallowin;

static QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

static void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

static QStringList kinds(const RuleTable &t) {
    QStringList k;
    for (int i = 1; i <= t.ruleCount(); ++i)
        k << t.slot(i)[Kind];
    return k;
}

// Fails one step of writing a file: the write after half its bytes, the sync, the close or
// the rename; every other call is the system's own.
class FailingFileSystem : public FileSystem {
public:
    explicit FailingFileSystem(QString step) : m_step(std::move(step)) {}
    int write(int fd, QByteArrayView data) override {
        if (m_step != u"write")
            return FileSystem::write(fd, data);
        if (const int err = FileSystem::write(fd, data.first(data.size() / 2)))
            return err;
        return ENOSPC;
    }
    int sync(int fd) override { return m_step == u"sync" ? EIO : FileSystem::sync(fd); }
    int close(int fd) override {
        const int err = FileSystem::close(fd);
        return m_step == u"close" && err == 0 ? EDQUOT : err;
    }
    int rename(const char *from, const char *to) override {
        return m_step == u"rename" ? EXDEV : FileSystem::rename(from, to);
    }

private:
    QString m_step;
};

class TestRulesFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void writesEightFieldsPerLineWithCrLf() {
        RuleTable t;
        t.addRule("STANDARDREPLACE", "a", "b", "1", "", "", "",
                  "File Name: Replace a with b the first time it appears");
        t.addRule("STANDARDMISCTRIM", "", "", "", "", "", "",
                  "Misc: Remove any spaces before or after the file name");
        t.addRule("MP3", "%Artist% - %SongName%", "", "", "", "", "",
                  "MP3 Files Change Name To: x");
        CollectingErrorReporter errors;
        const auto r = RulesFile::write(dir.path(), "three", t, errors);
        QCOMPARE(r.outcome, RulesFile::WriteOutcome::Written);
        QVERIFY(errors.empty());
        const QByteArray bytes = readAll(dir.filePath("three.rul"));
        QCOMPARE(bytes.count("\r\n"), 3);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(bytes.startsWith("STANDARDREPLACE|a|b|1||||File Name: Replace a with b the first "
                                 "time it appears\r\n"));
        for (const QByteArray &line : bytes.split('\n'))
            if (!line.isEmpty())
                QCOMPARE(line.count('|'), 7);
    }

    void roundTripReproducesTheTable() {
        RuleTable t;
        t.addRule("STANDARDREPLACE", "a, b", " c", "0", "", "", "",
                  "File Name: Replace a, b with  c");
        t.addRule("STANDARDINSERT", "\"quoted\" é ü € 日本", "End", "", "", "", "", "ünïcode");
        t.addRule("STANDARDAUTOBEFOREAFTER", "track", "Before", "3", "1", "5", "", "Auto");
        CollectingErrorReporter errors;
        RulesFile::write(dir.path(), "round", t, errors);
        RuleTable back;
        QVERIFY(RulesFile::read(dir.filePath("round.rul"), back, errors));
        QCOMPARE(back, t);
        QVERIFY(errors.empty());
    }

    void nameIsTakenAsTypedAndOverwritten() {
        RuleTable t;
        t.addRule("STANDARDMISCTRIM");
        CollectingErrorReporter errors;
        RulesFile::write(dir.path() + "/", "my.rul", t, errors);
        QVERIFY(QFile::exists(dir.filePath("my.rul.rul")));
        t.addRule("STANDARDMISCADDSPACES");
        RulesFile::write(dir.path(), "my.rul", t, errors);
        QCOMPARE(readAll(dir.filePath("my.rul.rul")).count("\r\n"), 2);
        // No scratch file is left behind.
        QCOMPARE(QDir(dir.path()).entryList({"my.rul*"}, QDir::Files).size(), 1);
    }

    void read_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QStringList>("descriptions");
        QTest::newRow("hand-edited-trim")
            << QByteArray("STANDARDMISCTRIM|||||||Misc: Remove any spaces before or after the "
                          "file name\r\n")
            << QStringList{"STANDARDMISCTRIM"}
            << QStringList{"Misc: Remove any spaces before or after the file name"};
        QTest::newRow("description-as-written")
            << QByteArray("STANDARDMISCTRIM|||||||anything\r\n") << QStringList{"STANDARDMISCTRIM"}
            << QStringList{"anything"};
        QTest::newRow("bar-in-text-drops-only-that-line")
            << QByteArray("STANDARDREPLACE|||-|0||||File Name: Replace | with -\r\n"
                          "STANDARDMISCTRIM|||||||t\r\n")
            << QStringList{"STANDARDMISCTRIM"} << QStringList{"t"};
        QTest::newRow("short-and-empty-lines-skipped")
            << QByteArray("\r\nSTANDARDMISCTRIM||\r\n\r\nMP3|%artist%||||||d\r\n")
            << QStringList{"MP3"} << QStringList{"d"};
        QTest::newRow("unknown-kind-kept") << QByteArray("FROBNICATE|1|2|3|4|5|6|seven")
                                           << QStringList{"FROBNICATE"} << QStringList{"seven"};
        QTest::newRow("lf-line-ends") << QByteArray("A|||||||1\nB|||||||2\n")
                                      << QStringList{"A", "B"} << QStringList{"1", "2"};
        QTest::newRow("cr-line-ends")
            << QByteArray("A|||||||1\rB|||||||2") << QStringList{"A", "B"} << QStringList{"1", "2"};
        QTest::newRow("windows-1252")
            << QByteArray("STANDARDINSERT|caf\xe9 \x80|End|||||Insert caf\xe9\r\n")
            << QStringList{"STANDARDINSERT"} << QStringList{QString::fromUtf8("Insert café")};
        QTest::newRow("200-bars") << QByteArray(200, '|') << QStringList{} << QStringList{};
        QTest::newRow("empty-file") << QByteArray() << QStringList{} << QStringList{};
    }
    void read() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, kinds);
        QFETCH(QStringList, descriptions);
        const QString path = dir.filePath("in.rul");
        writeFile(path, bytes);
        RuleTable t;
        t.addRule("OLD"); // loading replaces the current rules
        CollectingErrorReporter errors;
        QVERIFY(RulesFile::read(path, t, errors));
        QVERIFY(errors.empty());
        QCOMPARE(::kinds(t), kinds);
        for (int i = 0; i < descriptions.size(); ++i)
            QCOMPARE(t.slot(i + 1)[Description], descriptions[i]);
    }

    // Every line left out is named with its reason, junk and unknown kinds alike; blank lines
    // are not. The rules around them load as before.
    void skippedLinesAreNamed_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("kinds");   // after unknown kinds are dropped
        QTest::addColumn<QStringList>("skipped"); // line: reason
        QTest::addColumn<int>("ruleLines");
        const QString bars =
            "not a rule: a rule is eight fields separated by \"|\", this line has ";
        QTest::newRow("saved-file-nothing-skipped")
            << QByteArray("STANDARDMISCTRIM|||||||t\r\nSTANDARDINSERT|x|Start|||||i\r\n")
            << QStringList{"STANDARDMISCTRIM", "STANDARDINSERT"} << QStringList{} << 2;
        QTest::newRow("blank-lines-not-named")
            << QByteArray("\r\n   \r\nSTANDARDMISCTRIM|||||||t\r\n\t\r\n")
            << QStringList{"STANDARDMISCTRIM"} << QStringList{} << 1;
        QTest::newRow("junk-and-unknown-in-line-order")
            << QByteArray("hello\r\nFROBNICATE|1|2|3|4|5|6|seven\nSTANDARDMISCTRIM||\r"
                          "STANDARDMISCTRIM|||||||t\r\nSTANDARDREPLACE|||-|0||||Replace | with -")
            << QStringList{"STANDARDMISCTRIM"}
            << QStringList{"1: " + bars + "1", "2: unknown rule kind FROBNICATE",
                           "3: " + bars + "3", "5: " + bars + "10"}
            << 1;
        QTest::newRow("200-bars") << QByteArray(200, '|') << QStringList{}
                                  << QStringList{"1: " + bars + "201"} << 0;
    }
    void skippedLinesAreNamed() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, kinds);
        QFETCH(QStringList, skipped);
        QFETCH(int, ruleLines);
        const QString path = dir.filePath("skips.rul");
        writeFile(path, bytes);
        RuleTable t;
        CollectingErrorReporter errors;
        RulesFile::ReadInfo info;
        QVERIFY(RulesFile::read(path, t, errors, FileSystem::system(), &info));
        RulesFile::dropUnknownKinds(t, info);
        QCOMPARE(::kinds(t), kinds);
        QStringList told;
        for (const auto &s : info.skipped)
            told << QString::number(s.line) + ": " + RulesFile::skipReason(s);
        QCOMPARE(told, skipped);
        QCOMPARE(info.ruleLines, ruleLines);
        QCOMPARE(info.lineNumbers.size(), size_t(t.ruleCount()));

        // As the windows read it: the same rules, the same lines told.
        RuleTable known;
        std::vector<RulesFile::SkippedLine> knownSkipped;
        QVERIFY(RulesFile::readKnownRules(path, known, errors, knownSkipped));
        QCOMPARE(known, t);
        QCOMPARE(knownSkipped.size(), info.skipped.size());
        QVERIFY(errors.empty());
    }

    // The windows' one message: the file, the lines with reasons, capped.
    void skippedMessageNamesTheLines() {
        std::vector<RulesFile::SkippedLine> skipped;
        QCOMPARE(RulesFile::skippedMessage("x.rul", skipped), QString());
        for (int line = 1; line <= 4; ++line) {
            RulesFile::SkippedLine s;
            s.line = line;
            s.why = RulesFile::SkippedLine::Why::UnknownKind;
            s.kind = QStringLiteral("K%1").arg(line);
            skipped.push_back(s);
        }
        QCOMPARE(RulesFile::skippedMessage("x.rul", skipped, 2),
                 QStringLiteral("The rules file x.rul was loaded without these lines:\n"
                                "line 1: unknown rule kind K1\n"
                                "line 2: unknown rule kind K2\n"
                                "and 2 more."));
        QCOMPARE(RulesFile::skippedMessage("x.rul", skipped).count(u'\n'), 4);
    }

    // A refusal the windows meet is reported, as read() alone reports it.
    void readKnownRulesReportsRefusals() {
        const QString folder = dir.filePath("refused.rul");
        QVERIFY(QDir().mkpath(folder));
        RuleTable t;
        t.addRule("OLD");
        CollectingErrorReporter errors;
        std::vector<RulesFile::SkippedLine> skipped;
        QVERIFY(!RulesFile::readKnownRules(folder, t, errors, skipped));
        QCOMPARE(t.ruleCount(), 0);
        QCOMPARE(errors.reports.size(), size_t(1));
        QCOMPARE(errors.last().location, 19);
        QCOMPARE(errors.last().number, EISDIR);
        QCOMPARE(errors.last().description, "The rules file " + folder + " is not a regular file.");
    }

    void windows1252TextIsDecoded() {
        const QString path = dir.filePath("cp1252.rul");
        writeFile(path, "STANDARDREPLACE|\x93x\x94|\x80|0||||d\r\n");
        RuleTable t;
        CollectingErrorReporter errors;
        QVERIFY(RulesFile::read(path, t, errors));
        QCOMPARE(t.slot(1)[Param1], QString::fromUtf8("“x”"));
        QCOMPARE(t.slot(1)[Param2], QString::fromUtf8("€"));
    }

    void onlyTheFirstHundredRulesLoad() {
        QByteArray bytes;
        for (int i = 1; i <= 120; ++i)
            bytes += "K" + QByteArray::number(i) + "|||||||d\r\n";
        const QString path = dir.filePath("many.rul");
        writeFile(path, bytes);
        RuleTable t;
        CollectingErrorReporter errors;
        RulesFile::ReadInfo info;
        QVERIFY(RulesFile::read(path, t, errors, FileSystem::system(), &info));
        QCOMPARE(t.ruleCount(), 100);
        QCOMPARE(t.slot(100)[Kind], QStringLiteral("K100"));
        // The rules left out are counted, so the command line can say so.
        QCOMPARE(info.ruleLines, 120);
    }

    void garbageUpToTheSizeLimitLoadsNothing() {
        QByteArray bytes(RulesFile::MaxFileSize, '\0');
        quint32 x = 12345;
        for (char &c : bytes) {
            x = x * 1103515245 + 12345;
            c = char(x >> 24);
            if (c == '|')
                c = 'x'; // eight fields by chance would be a valid rule
        }
        const QString path = dir.filePath("garbage.rul");
        writeFile(path, bytes);
        RuleTable t;
        CollectingErrorReporter errors;
        QVERIFY(RulesFile::read(path, t, errors));
        QCOMPARE(t.ruleCount(), 0);
    }

    void unreadableFileIsReportedAndTableEmptied_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.rul";
        QTest::newRow("folder") << "";
    }
    void unreadableFileIsReportedAndTableEmptied() {
        QFETCH(QString, name);
        RuleTable t;
        t.addRule("OLD");
        CollectingErrorReporter errors;
        QVERIFY(!RulesFile::read(dir.filePath(name), t, errors));
        QCOMPARE(t.ruleCount(), 0);
        QCOMPARE(errors.last().location, 19);
        QVERIFY(errors.last().isSystem());
    }

    // Only a regular file within the size limit is read; a FIFO would block the reader.
    void onlyRegularFilesWithinTheLimitAreRead_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("fifo") << "fifo.rul"
                              << "is not a regular file.";
        QTest::newRow("folder") << "folder.rul"
                                << "is not a regular file.";
        QTest::newRow("too-large") << "large.rul"
                                   << "is larger than 4 MB; 100 rules never need that much.";
    }
    void onlyRegularFilesWithinTheLimitAreRead() {
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        const QString path = dir.filePath(name);
        if (!QFileInfo::exists(path)) {
            const QByteArray p = QFile::encodeName(path);
            if (name == u"fifo.rul")
                QVERIFY(::mkfifo(p.constData(), 0644) == 0);
            else if (name == u"folder.rul")
                QVERIFY(QDir().mkdir(path));
            else {
                writeFile(path, "A|||||||1\r\n");
                // Sparse: large to the reader, no space on the disk.
                QVERIFY(::truncate(p.constData(), RulesFile::MaxFileSize + 1) == 0);
            }
        }
        const QString expected = "The rules file " + path + ' ' + refusal;
        RuleTable t;
        t.addRule("OLD");
        CollectingErrorReporter errors;
        RulesFile::ReadInfo info;
        QVERIFY(!RulesFile::read(path, t, errors, FileSystem::system(), &info));
        QCOMPARE(info.refusal, expected);
        QCOMPARE(t.ruleCount(), 0);
        QVERIFY(errors.empty());
        // Without a place for the words, they are reported.
        QVERIFY(!RulesFile::read(path, t, errors));
        QCOMPARE(errors.reports.size(), size_t(1));
        QCOMPARE(errors.last().location, 19);
        QCOMPARE(errors.last().description, expected);
    }

    void missingFolderIsReportedOnWrite() {
        RuleTable t;
        t.addRule("STANDARDMISCTRIM");
        CollectingErrorReporter errors;
        const auto r = RulesFile::write(dir.filePath("no/such/folder"), "x", t, errors);
        QCOMPARE(r.outcome, RulesFile::WriteOutcome::Failed);
        QCOMPARE(errors.last().location, 237);
        QCOMPARE(errors.last().number, ENOENT);
        QCOMPARE(errors.last().description, "No such file or directory");
    }

    void interruptedSaveKeepsThePreviousFile_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("error");
        QTest::newRow("write-halfway") << "write" << ENOSPC;
        QTest::newRow("sync") << "sync" << EIO;
        QTest::newRow("close") << "close" << EDQUOT;
        QTest::newRow("rename") << "rename" << EXDEV;
    }

    void interruptedSaveKeepsThePreviousFile() {
        QFETCH(QString, step);
        QFETCH(int, error);
        QTemporaryDir folder;
        RuleTable t;
        t.addRule("STANDARDMISCTRIM", {}, {}, {}, {}, {}, {}, "Misc: trim");
        CollectingErrorReporter errors;
        QCOMPARE(RulesFile::write(folder.path(), "kept", t, errors).outcome,
                 RulesFile::WriteOutcome::Written);
        const QString path = folder.filePath("kept.rul");
        const QByteArray previous = readAll(path);
        QCOMPARE(previous, QByteArray("STANDARDMISCTRIM|||||||Misc: trim\r\n"));

        for (int i = 0; i < 50; ++i)
            t.addRule("STANDARDINSERT", QString::number(i), "Start", {}, {}, {}, {}, "insert");
        FailingFileSystem failing(step);
        const auto r = RulesFile::write(folder.path(), "kept", t, errors, failing);
        QCOMPARE(r.outcome, RulesFile::WriteOutcome::Failed);
        QCOMPARE(errors.last().location, 237);
        QCOMPARE(errors.last().number, error);
        QCOMPARE(readAll(path), previous);
        // No half-written file is left beside it.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"kept.rul"});
    }

    void readOnlyFileIsRefusedAsInUse() {
        if (::geteuid() == 0)
            QSKIP("root may write any file");
        RuleTable t;
        t.addRule("STANDARDMISCTRIM");
        const QString path = dir.filePath("locked.rul");
        writeFile(path, "old\r\n");
        ::chmod(QFile::encodeName(path).constData(), 0444);
        CollectingErrorReporter errors;
        const auto r = RulesFile::write(dir.path(), "locked", t, errors);
        QCOMPARE(r.outcome, RulesFile::WriteOutcome::InUse);
        QCOMPARE(r.message, "Unable to save rules to the file " + dir.path() +
                                "/locked.rul, Linux says the file is in use, please try a "
                                "different file name.");
        QCOMPARE(readAll(path), QByteArray("old\r\n"));
        QVERIFY(errors.empty());
    }

    void folderWithoutWriteAccessIsRefusedAsInUse() {
        // Root may write into any ordinary folder, but not into /sys.
        QTemporaryDir ro;
        const QString folder = ::geteuid() == 0 ? QStringLiteral("/sys") : ro.path();
        ::chmod(QFile::encodeName(ro.path()).constData(), 0555);
        RuleTable t;
        t.addRule("STANDARDMISCTRIM");
        CollectingErrorReporter errors;
        const auto r = RulesFile::write(folder, "x", t, errors);
        ::chmod(QFile::encodeName(ro.path()).constData(), 0755);
        QCOMPARE(r.outcome, RulesFile::WriteOutcome::InUse);
        QVERIFY(r.message.startsWith("Unable to save rules to the file " + folder + "/x.rul, "));
        QVERIFY(errors.empty());
    }
};

QTEST_GUILESS_MAIN(TestRulesFile)
#include "tst_rulesfile.moc"
