#include "support/cli.h"
#include "support/files.h"

#include <QtTest>

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

using Bytes = QList<QByteArray>;
using State = QMap<QByteArray, QByteArray>;
Q_DECLARE_METATYPE(State)

using namespace tallowin::test;

namespace {

// A folder, names, a rules file and list files that hold every kind of byte a terminal may act
// on or a line may break at: TAB, LF, ESC, BEL, C1 (U+0085, U+009B) and bytes that are not UTF-8.
const QByteArray FolderName = "d\t\n\x1B[7m\x07\xC2\x85\xC2\x9B\xE9\xFF";
const QByteArray StateFolder = "/s\t\n\x1B\xFF";
const QByteArray FolderShown = "d\\t\\n\\x1B[7m\\x07\\xC2\\x85\\xC2\\x9B\\xE9\\xFF";
const Bytes Names{"a\tb.txt",      "c\nd.txt", "e\x1B]0;x\x07.txt", "f\xC2\x85\xC2\x9B.txt",
                  "g\xE9\xFF.txt", "plain.txt"};
const Bytes NamesShown{"a\\tb.txt",           "c\\nd.txt",
                       "e\\x1B]0;x\\x07.txt", "f\\xC2\\x85\\xC2\\x9B.txt",
                       "g\\xE9\\xFF.txt",     "plain.txt"};
// Placeholders the rows use, filled in with the row's own folder.
const QByteArray Dir = "@DIR", Rules = "@RULES", List = "@LIST", Latin = "@LATIN",
                 Missing = "@MISSING", Song = "@SONG";

// Removes `path` and all below it by bytes: QDir cannot name what is not UTF-8.
void removeTree(const QByteArray &path) {
    ::nftw(
        path.constData(),
        [](const char *p, const struct stat *, int, struct FTW *) {
            ::remove(p);
            return 0;
        },
        16, FTW_DEPTH | FTW_PHYS);
}

State stateOf(const Bytes &names, const QByteArray &prefix = {}) {
    State s;
    for (const QByteArray &n : names)
        s.insert(prefix + n, n);
    return s;
}

// The first raw byte a terminal could act on or a reader split at, or -1: a C0 control other
// than LF (and TAB where `tabs` separate fields), DEL, a C1 control, or a byte that is not
// part of valid UTF-8 (a lone 0x9B is CSI to some terminals).
qsizetype firstUnsafe(const QByteArray &bytes, bool tabs) {
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes)
        return 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == '\n' || (tabs && c == '\t'))
            continue;
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            return i;
    }
    return -1;
}

} // namespace

class TestCliAnyBytes : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QByteArray m_base;

    QByteArray fill(const QByteArray &arg) const {
        QByteArray a = arg;
        a.replace(Dir, m_base + '/' + FolderName);
        a.replace(Rules, m_base + "/r\x1B\xFF.rul");
        a.replace(List, m_base + "/l\t\x1B\x07\xC2\x9B\xFF.csv");
        a.replace(Latin, m_base + "/w\xFF.csv");
        a.replace(Missing, m_base + '/' + FolderName +
                               "/no\x1B"
                               "such\xFF");
        a.replace(Song, m_base + '/' + FolderName + '/' + Names[2]);
        return a;
    }
    Bytes fill(const Bytes &args) const {
        Bytes out;
        for (const QByteArray &a : args)
            out << fill(a);
        return out;
    }
    // The same with paths as the output escapes them.
    QByteArray shown(const QByteArray &text) const {
        QByteArray a = text;
        a.replace(Dir, m_base + '/' + FolderShown);
        a.replace(Rules, m_base + "/r\\x1B\\xFF.rul");
        a.replace(Missing, m_base + '/' + FolderShown + "/no\\x1Bsuch\\xFF");
        return a;
    }

private Q_SLOTS:
    void init() {
        QVERIFY(m_tmp.isValid());
        // Paths here are ASCII: whatever the rows show of them is their own bytes.
        m_base = QFile::encodeName(m_tmp.path()) + "/run";
        QVERIFY(QDir().mkpath(m_tmp.path() + "/run"));
        // The journal's folder too: made by the first rename, found again by history and undo.
        qputenv("XDG_STATE_HOME", m_base + StateFolder);
        const QByteArray dir = fill(Dir);
        QVERIFY(::mkdir(dir.constData(), 0755) == 0);
        makeFiles(dir, Names);
        const auto write = [](const QByteArray &path, const QByteArray &bytes) {
            QFile f;
            QVERIFY(f.open(::fopen(path.constData(), "wb"), QIODevice::WriteOnly,
                           QFileDevice::AutoCloseHandle));
            f.write(bytes);
        };
        write(fill(Rules), "STANDARDINSERT|N-|Start|||||insert\r\n");
        // UTF-8 with controls in it: its names match the files.
        write(fill(List), "e\x1B]0;x\x07.txt,E\x1B\x07.txt\nf\xC2\x85\xC2\x9B.txt,F\xC2\x9B.txt\n"
                          "a\tb.txt,A\x1B.txt\n");
        // Not UTF-8, read as Windows-1252: 0x81 and 0x9B come out as characters to escape.
        write(fill(Latin), "plain.txt,b\x81\x9B\xFF.txt\n");
    }
    void cleanup() { removeTree(m_base); }

    // Every command, given the folder, names, rules file and list files above, writes no raw
    // control byte on stdout or stderr, keeps every message on its line, and works on the
    // folder: its files are listed, renamed and brought back by their exact bytes.
    void noRawControlBytesAndTheFolderWorks_data() {
        QTest::addColumn<Bytes>("before"); // a run that makes the state the row starts from
        QTest::addColumn<Bytes>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<Bytes>("out"); // stdout holds each, with the row's paths filled in
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<State>("after");
        const State same = stateOf(Names);
        const State prefixed = stateOf(Names, "N-");
        const Bytes renameAll{"rename", "--rules", Rules, Dir};
        const Bytes shownRows{"1\ta\\tb.txt\tN-a\\tb.txt", "1\tc\\nd.txt\tN-c\\nd.txt",
                              "1\te\\x1B]0;x\\x07.txt\tN-e\\x1B]0;x\\x07.txt",
                              "1\tf\\xC2\\x85\\xC2\\x9B.txt\tN-f\\xC2\\x85\\xC2\\x9B.txt",
                              "1\tg\\xE9\\xFF.txt\tN-g\\xE9\\xFF.txt"};
        Bytes okRows;
        for (const QByteArray &row : shownRows)
            okRows << "ok" + row.mid(1);
        QTest::newRow("list") << Bytes{} << Bytes{"list", Dir} << 0 << NamesShown << QByteArray()
                              << same;
        QTest::newRow("list/json")
            << Bytes{} << Bytes{"list", "--json", Dir} << 0
            << Bytes{"\"a\\tb.txt\"", "\"c\\nd.txt\"", "\"e\\u001b]0;x\\u0007.txt\"",
                     "\"f\\u0085\\u009b.txt\"",
                     "\"name\":\"g\xEF\xBF\xBD\xEF\xBF\xBD.txt\",\"nameBytes\":\"g\\\\xE9\\\\xFF."
                     "txt\""}
            << QByteArray() << same;
        QTest::newRow("preview") << Bytes{} << Bytes{"preview", "--rules", Rules, Dir} << 0
                                 << shownRows << QByteArray() << same;
        QTest::newRow("preview/json")
            << Bytes{} << Bytes{"preview", "--json", "--rules", Rules, Dir} << 0
            << Bytes{"\"new\":\"N-e\\u001b]0;x\\u0007.txt\"",
                     "\"oldBytes\":\"g\\\\xE9\\\\xFF.txt\"",
                     "\"newBytes\":\"N-g\\\\xE9\\\\xFF.txt\""}
            << QByteArray() << same;
        QTest::newRow("apply") << Bytes{}
                               << (Bytes{"apply", "--rules", Rules, "--dir", Dir, "--"} + Names)
                               << 0
                               << Bytes{"1\tc\\nd.txt\tN-c\\nd.txt",
                                        "1\tg\\xE9\\xFF.txt\tN-g\\xE9\\xFF.txt"}
                               << QByteArray() << same;
        QTest::newRow("rename") << Bytes{} << renameAll << 0 << okRows << QByteArray() << prefixed;
        QTest::newRow("rename/json")
            << Bytes{} << Bytes{"rename", "--json", "--rules", Rules, Dir} << 0
            << Bytes{"\"status\":\"ok\"", "\"newBytes\":\"N-g\\\\xE9\\\\xFF.txt\""} << QByteArray()
            << prefixed;
        // A name given as its exact bytes: one that is not UTF-8, another with a line break.
        State unticked = prefixed;
        unticked.remove("N-g\xE9\xFF.txt");
        unticked.remove("N-c\nd.txt");
        unticked.insert("g\xE9\xFF.txt", "g\xE9\xFF.txt");
        unticked.insert("c\nd.txt", "c\nd.txt");
        QTest::newRow("rename/untick")
            << Bytes{} << Bytes{"rename",        "--rules",  Rules,      "--untick",
                                "g\xE9\xFF.txt", "--untick", "c\nd.txt", Dir}
            << 0
            << Bytes{"skipped\tg\\xE9\\xFF.txt\tN-g\\xE9\\xFF.txt\tunticked by --untick",
                     "skipped\tc\\nd.txt\tN-c\\nd.txt\tunticked by --untick"}
            << QByteArray() << unticked;
        QTest::newRow("listfile") << Bytes{} << Bytes{"listfile", "--file", List, Dir} << 0
                                  << Bytes{"1\te\\x1B]0;x\\x07.txt\tE\\x1B\\x07.txt",
                                           "1\tf\\xC2\\x85\\xC2\\x9B.txt\tF\\xC2\\x9B.txt",
                                           "1\ta\\tb.txt\tA\\x1B.txt"}
                                  << QByteArray() << same;
        State listed = same;
        listed.remove("e\x1B]0;x\x07.txt");
        listed.remove("f\xC2\x85\xC2\x9B.txt");
        listed.remove("a\tb.txt");
        listed.insert("E\x1B\x07.txt", "e\x1B]0;x\x07.txt");
        listed.insert("F\xC2\x9B.txt", "f\xC2\x85\xC2\x9B.txt");
        listed.insert("A\x1B.txt", "a\tb.txt");
        QTest::newRow("listfile/rename")
            << Bytes{} << Bytes{"listfile", "--file", List, "--rename", Dir} << 0
            << Bytes{"ok\ta\\tb.txt\tA\\x1B.txt"} << QByteArray() << listed;
        QTest::newRow("listfile/not-utf8")
            << Bytes{} << Bytes{"listfile", "--file", Latin, "--json", Dir} << 0
            << Bytes{"\"old\":\"plain.txt\"", "\xE2\x80\xBA\xC3\xBF.txt\""} << QByteArray() << same;
        QTest::newRow("history") << renameAll << Bytes{"history"} << 0
                                 << Bytes{"\tcomplete\t6\t0\t" + Dir} << QByteArray() << prefixed;
        QTest::newRow("history/json")
            << renameAll << Bytes{"history", "--json"} << 0
            << Bytes{"\"folderBytes\":\"",
                     "/d\\\\t\\\\n\\\\x1B[7m\\\\x07\\\\xC2\\\\x85\\\\xC2\\\\x9B\\\\xE9\\\\xFF\""}
            << QByteArray() << prefixed;
        QTest::newRow("undo") << renameAll << Bytes{"undo"} << 0
                              << Bytes{"ok\tN-c\\nd.txt\tc\\nd.txt"}
                              << QByteArray("Run 1: 6 files back to their old names") << same;
        // Two names that differ only in bytes that are not UTF-8 stay apart.
        QTest::newRow("undo/json") << renameAll << Bytes{"undo", "--json"} << 0
                                   << Bytes{"\"currentBytes\":\"N-g\\\\xE9\\\\xFF.txt\"",
                                            "\"originalBytes\":\"g\\\\xE9\\\\xFF.txt\""}
                                   << QByteArray("Run 1: 6 files back") << same;
        QTest::newRow("tags") << Bytes{} << Bytes{"tags", Song} << 0
                              << Bytes{"File=" + Dir + "/e\\x1B]0;x\\x07.txt"} << QByteArray()
                              << same;
        QTest::newRow("tags/json")
            << Bytes{} << Bytes{"tags", "--json", Song} << 0
            << Bytes{"\"FileBytes\":\"", "\\\\xE9\\\\xFF/e\\\\x1B]0;x\\\\x07.txt\""} << QByteArray()
            << same;
        QTest::newRow("tags/missing")
            << Bytes{} << Bytes{"tags", Missing} << 3 << Bytes{"File=" + Missing}
            << QByteArray("\nError Path: " + Missing + "\n") << same;
        QTest::newRow("not-a-folder")
            << Bytes{} << Bytes{"list", Missing} << 2 << Bytes{}
            << QByteArray("tallowin-cli: not a folder: " + Missing + "\n") << same;
        QTest::newRow("listfile/not-a-folder")
            << Bytes{} << Bytes{"listfile", "--file", List, Missing} << 2 << Bytes{}
            << QByteArray("tallowin-cli: not a folder: " + Missing + "\n") << same;
        QTest::newRow("rules-file-missing") << Bytes{} << Bytes{"preview", "--rules", Missing, Dir}
                                            << 2 << Bytes{} << QByteArray(Missing + "\n") << same;
        QTest::newRow("unknown-option")
            << Bytes{} << Bytes{"list", "--x\x1B[2J\xC2\x9B", Dir} << 2 << Bytes{}
            << QByteArray("unknown option --x\\x1B[2J\\xC2\\x9B\n") << same;
        QTest::newRow("unknown-command")
            << Bytes{} << Bytes{"\x1B]0;x\x07\xC2\x85\xFF", Dir} << 2 << Bytes{}
            << QByteArray("tallowin-cli: unknown command \\x1B]0;x\\x07\\xC2\\x85\\xFF\n") << same;
        QTest::newRow("help") << Bytes{} << Bytes{"list", "--help", Dir} << 0 << Bytes{"Usage:"}
                              << QByteArray() << same;
    }
    void noRawControlBytesAndTheFolderWorks() {
        QFETCH(Bytes, before);
        QFETCH(Bytes, args);
        QFETCH(int, status);
        QFETCH(Bytes, out);
        QFETCH(QByteArray, err);
        QFETCH(State, after);
        if (!before.isEmpty())
            QCOMPARE(runCliBytes(fill(before)).status, 0);
        const CliRun r = runCliBytes(fill(args));
        QCOMPARE(r.status, status);
        QVERIFY2(firstUnsafe(r.out, true) < 0, r.out.constData());
        QVERIFY2(firstUnsafe(r.err, false) < 0, r.err.constData());
        // A name's own TAB or LF never reaches a line: only its escaped form does.
        for (const QByteArray &name : Names)
            if (name.contains('\t') || name.contains('\n'))
                QVERIFY2(!r.out.contains(name) && !r.err.contains(name), name.constData());
        for (const QByteArray &part : out)
            QVERIFY2(r.out.contains(shown(part)), (shown(part) + "\nnot in\n" + r.out).constData());
        QVERIFY2(r.err.contains(shown(err)), (shown(err) + "\nnot in\n" + r.err).constData());
        QCOMPARE(folderState(fill(Dir)), after);
        // Whatever renamed files was journalled in the very folder named.
        if (!before.isEmpty() || after != stateOf(Names))
            QVERIFY(
                ::access(
                    (m_base + StateFolder + "/tallowin/journal/run-00000001.journal").constData(),
                    F_OK) == 0);
    }
};

QTEST_GUILESS_MAIN(TestCliAnyBytes)
#include "tst_cli_anybytes.moc"
