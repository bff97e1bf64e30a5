#include "support/cli.h"

#include <QtTest>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace tallowin::test;

namespace {

// Runs tallowin-cli as a user the file permissions hold back. Root reads a folder of mode 000
// all the same, and test machines often run as root: then the run drops to "nobody" through
// setpriv, the way an administrator would try it. The shipped binary keeps no test switch.
bool runUnprivileged(const QStringList &args, CliRun &r, QString &why, const QString &cli) {
    if (::geteuid() != 0) {
        r = runCli(args);
        return true;
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        why = QStringLiteral("running as root and setpriv is missing");
        return false;
    }
    r = runProgram(
        setpriv, QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "--", cli} + args);
    if (r.err.contains("setpriv:")) {
        why = QStringLiteral("setpriv cannot drop to nobody here: ") + QString::fromUtf8(r.err);
        return false;
    }
    return true;
}

void chmodPath(const QString &path, mode_t mode) {
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
}

} // namespace

class TestCliErrors : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_cli;

private Q_SLOTS:
    void initTestCase() {
        // Another user must reach the folders under test; only they themselves are closed.
        chmodPath(m_dir.path(), 0755);
        QVERIFY(QDir(m_dir.path()).mkdir("open"));
        QFile f(m_dir.filePath("open/a.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QDir(m_dir.path()).mkdir("locked"));
        chmodPath(m_dir.filePath("locked"), 0);
        QFile rules(m_dir.filePath("locked.rul"));
        QVERIFY(rules.open(QIODevice::WriteOnly));
        rules.write("STANDARDMISCTRIM||||||| \r\n");
        rules.close();
        chmodPath(m_dir.filePath("locked.rul"), 0);
        QFile song(m_dir.filePath("locked.mp3"));
        QVERIFY(song.open(QIODevice::WriteOnly));
        song.close();
        chmodPath(m_dir.filePath("locked.mp3"), 0);
        // The build folder may lie where "nobody" cannot go (under /root): run a copy.
        m_cli = m_dir.filePath("tallowin-cli");
        QVERIFY(QFile::copy(QStringLiteral(TALLOWIN_CLI), m_cli));
        chmodPath(m_cli, 0755);
    }
    void cleanupTestCase() { chmodPath(m_dir.filePath("locked"), 0755); }

    // The error number is the system's, and so are its words: EACCES is "Permission denied",
    // never the program's text for its own number 13.
    void unreadableInputIsToldInTheSystemsWords_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("told");
        const QByteArray denied = std::strerror(EACCES);
        const QByteArray number = QByteArray::number(EACCES);
        const QString locked = m_dir.filePath("locked");
        QTest::newRow("list/folder-mode-000")
            << QStringList{"list", locked} << 3
            << "Error Location: 26\nSystem error " + number + ": " + denied + " Position: 2 - " +
                   locked.toUtf8() + "/**.**\nError Path: " + locked.toUtf8() + "\n";
        const QString rules = m_dir.filePath("locked.rul");
        QTest::newRow("preview/rules-file-mode-000")
            << QStringList{"preview", "--rules", rules, m_dir.filePath("open")} << 2
            << "Error Location: 19\nSystem error " + number + ": " + denied +
                   "\nError Path: " + rules.toUtf8() +
                   "\ntallowin-cli: cannot read the rules file " + rules.toUtf8() + "\n";
        const QString song = m_dir.filePath("locked.mp3");
        QTest::newRow("tags/file-mode-000")
            << QStringList{"tags", song} << 3
            << "Error Location: 600\nSystem error " + number + ": " + denied +
                   "\nError Path: " + song.toUtf8() + "\n";
    }
    void unreadableInputIsToldInTheSystemsWords() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, told);
        CliRun r;
        QString why;
        if (!runUnprivileged(args, r, why, m_cli))
            QSKIP(qPrintable(why));
        QCOMPARE(r.err, told);
        QCOMPARE(r.status, status);
        // Only the tags command prints on: the unreadable file's fields, empty.
        QCOMPARE(r.out.isEmpty(), args.first() != u"tags");
    }

    // Inputs are refused in words, not waited on; what is left out or reported is said, and a
    // report on stderr makes the exit status 3.
    void refusalsWarningsAndReports_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<int>("rows");
        const QString open = m_dir.filePath("open");
        const QString fifo = m_dir.filePath("rules.fifo");
        if (!QFileInfo::exists(fifo))
            QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
        QTest::newRow("rules-file-is-a-fifo")
            << QStringList{"preview", "--rules", fifo, open} << 2
            << "tallowin-cli: The rules file " + fifo.toUtf8() + " is not a regular file.\n"
            << 0;
        const QString large = m_dir.filePath("large.rul");
        QFile big(large);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(qint64(8) << 20)); // sparse
        big.close();
        QTest::newRow("rules-file-too-large")
            << QStringList{"preview", "--rules", large, open} << 2
            << "tallowin-cli: The rules file " + large.toUtf8() +
                   " is larger than 4 MB; 100 rules never need that much.\n"
            << 0;
        const QString many = m_dir.filePath("many.rul");
        QFile manyRules(many);
        QVERIFY(manyRules.open(QIODevice::WriteOnly));
        for (int i = 0; i < 100; ++i)
            manyRules.write("STANDARDMISCTRIM|||||||\r\n");
        manyRules.close();
        QTest::newRow("rules-beyond-100")
            << QStringList{"preview", "--rules", many, "--rule", "STANDARDINSERT|x|Start|||||",
                           open}
            << 0 << QByteArray("tallowin-cli: 101 rules given; only the first 100 are used\n") << 1;
        QTest::newRow("report-per-file-exits-3")
            << QStringList{"preview", "--rule", "STANDARDAUTOSTARTEND|End|0|1|32767|||", open} << 3
            << QByteArray("Error Location: 183\nError Number: 6\nError Description: Overflow\n")
            << 1;
        // A rule kind this program does not know: on the command line it is bad usage that
        // names the keyword; in a rules file only its line is left out, and told.
        QTest::newRow("rule-of-unknown-kind")
            << QStringList{"preview", "--rule", "NOSUCHKIND|a|b|||||", open} << 2
            << QByteArray("tallowin-cli: unknown rule kind NOSUCHKIND in --rule "
                          "NOSUCHKIND|a|b|||||\n")
            << 0;
        const QString newer = m_dir.filePath("newer.rul");
        QFile newerRules(newer);
        QVERIFY(newerRules.open(QIODevice::WriteOnly));
        newerRules.write("STANDARDINSERT|x|Start|||||insert\r\n\r\nSTANDARDFUTURE|1||||||later\r\n"
                         "STANDARDMISCTRIM|||||||trim\r\n");
        newerRules.close();
        QTest::newRow("rules-file-with-unknown-kind")
            << QStringList{"preview", "--rules", newer, open} << 0
            << "tallowin-cli: the rules file " + newer.toUtf8() +
                   ", line 3: unknown rule kind STANDARDFUTURE; that line is skipped\n"
            << 1;
        // Lines that are not rules at all are named too; the rules around them load.
        const QString junk = m_dir.filePath("junk.rul");
        QFile junkRules(junk);
        QVERIFY(junkRules.open(QIODevice::WriteOnly));
        junkRules.write("hello world\r\nSTANDARDMISCTRIM|||||||trim\r\n  \r\n"
                        "STANDARDREPLACE|||-|0||||Replace | with -\r\nNOSUCH|||||||x\r\n");
        junkRules.close();
        QTest::newRow("rules-file-with-junk-lines")
            << QStringList{"preview", "--rules", junk, open} << 0
            << "tallowin-cli: the rules file " + junk.toUtf8() +
                   ", line 1: not a rule: a rule is eight fields separated by \"|\", this line "
                   "has 1; that line is skipped\n"
                   "tallowin-cli: the rules file " +
                   junk.toUtf8() +
                   ", line 4: not a rule: a rule is eight fields separated by \"|\", this line "
                   "has 10; that line is skipped\n"
                   "tallowin-cli: the rules file " +
                   junk.toUtf8() + ", line 5: unknown rule kind NOSUCH; that line is skipped\n"
            << 1;
        const QString escape = m_dir.filePath("no\x1b[2Jwhere");
        QTest::newRow("control-bytes-escaped-on-stderr")
            << QStringList{"preview", "--rule", "STANDARDMISCTRIM|||||||", escape} << 2
            << "tallowin-cli: not a folder: " + m_dir.filePath("no").toUtf8() + "\\x1B[2Jwhere\n"
            << 0;
    }
    void refusalsWarningsAndReports() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, err);
        QFETCH(int, rows);
        const CliRun r = runCli(args);
        QCOMPARE(r.err, err);
        QCOMPARE(r.status, status);
        QCOMPARE(r.lines().size(), rows);
    }
};

QTEST_GUILESS_MAIN(TestCliErrors)
#include "tst_clierrors.moc"
