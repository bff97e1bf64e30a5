#include "support/cli.h"
#include "support/files.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

using Lines = QList<QByteArray>;
using State = QMap<QByteArray, QByteArray>;
Q_DECLARE_METATYPE(State)

using namespace tallowin::test;

class TestCliRename : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QByteArray m_dir;  // the folder the commands work on
    QByteArray m_side; // a folder beside it, which must never change

private Q_SLOTS:
    void initTestCase() {
        m_dir = QFile::encodeName(m_tmp.filePath("files"));
        m_side = QFile::encodeName(m_tmp.filePath("side"));
        QVERIFY(QDir().mkpath(QFile::decodeName(m_dir)));
        QVERIFY(QDir().mkpath(QFile::decodeName(m_side)));
        makeFiles(m_side, {"outside.txt", "passwd"});
    }
    void cleanup() {
        removeAll(m_dir);
        QCOMPARE(folderState(m_side),
                 (State{{"outside.txt", "outside.txt"}, {"passwd", "passwd"}}));
    }

    void preview_data() {
        QTest::addColumn<Lines>("files");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<Lines>("out");
        QTest::addColumn<QByteArray>("err");
        const QStringList upper{"--rule", "STANDARDLETTERUPPERCASE|0||||||"};
        QTest::newRow("hostile-names-escaped")
            << Lines{"tab\tx.txt", "new\nline", "back\\slash", "-dash", "caf\xE9.txt"} << upper << 0
            << Lines{"1\t-dash\t-DASH", "1\tback\\\\slash\tBACK\\\\SLASH",
                     "1\tcaf\\xE9.txt\tCAF\\xE9.txt", "1\tnew\\nline\tNEW\\nLINE",
                     "1\ttab\\tx.txt\tTAB\\tX.txt"}
            << QByteArray();
        // The name shown is the one the rename writes: no dots or spaces at its end.
        QTest::newRow("new-name-as-written")
            << Lines{"f1", "g.txt"}
            << QStringList{"--rule", "STANDARDSETTO|X-f1.||||||", "--rule",
                           "STANDARDEXTSETTO|md. . ||||||"}
            << 0 << Lines{"1\tf1\tX-f1..md", "0\tg.txt\tX-f1..md"} << QByteArray();
        QTest::newRow("placeholder-and-duplicate-unticked")
            << Lines{"%artist%.mp3", "a.txt", "A.txt"} << upper << 0
            << Lines{"0\t%artist%.mp3\t%ARTIST%.mp3", "1\tA.txt\tA.txt", "0\ta.txt\tA.txt"}
            << QByteArray();
        QTest::newRow("filters") << Lines{"a.txt", "b.mp3", ".hidden.txt"}
                                 << (upper + QStringList{"--type", "txt", "--hidden"}) << 0
                                 << Lines{"1\t.hidden.txt\t.HIDDEN.txt", "1\ta.txt\tA.txt"}
                                 << QByteArray();
        QTest::newRow("no-rules")
            << Lines{"a.txt"} << QStringList{} << 2 << Lines{}
            << QByteArray(
                   "You have not selected any rules to apply to these files, thus I am "
                   "unable to preview any changes.  Please add some rules before previewing.\n");
        QTest::newRow("rule-failure")
            << Lines{"ab.txt"} << QStringList{"--rule", "STANDARDREMOVE|5|Start|||||"} << 3
            << Lines{}
            << QByteArray("Error Location: 183\nError Number: 5\nError Description: Invalid "
                          "procedure call or argument\n"
                          "Error Location: 50\nError Number: 5\nError Description: Invalid "
                          "procedure call or argument Position: 8\n");
    }
    void preview() {
        QFETCH(Lines, files);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(Lines, out);
        QFETCH(QByteArray, err);
        makeFiles(m_dir, files);
        const State before = folderState(m_dir);
        const CliRun r =
            runCli(QStringList{"preview"} + args + QStringList{QFile::decodeName(m_dir)});
        QCOMPARE(r.status, status);
        QCOMPARE(r.lines(), out);
        QCOMPARE(r.err, err);
        QCOMPARE(folderState(m_dir), before);
    }

    void rename_data() {
        QTest::addColumn<Lines>("files");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<Lines>("out");
        QTest::addColumn<State>("after");
        QTest::newRow("renames-ticked-rows")
            << Lines{"a.txt", "b.txt"} << QStringList{"--rule", "STANDARDINSERT|x|Start|||||"} << 0
            << Lines{"ok\ta.txt\txa.txt", "ok\tb.txt\txb.txt"}
            << State{{"xa.txt", "a.txt"}, {"xb.txt", "b.txt"}};
        QTest::newRow("untick")
            << Lines{"a.txt", "b.txt", "c\xE9"}
            << QStringList{"--rule", "STANDARDINSERT|x|Start|||||", "--untick", "b.txt", "--untick",
                           "c\\xE9"}
            << 0
            << Lines{"ok\ta.txt\txa.txt", "skipped\tb.txt\txb.txt\tunticked by --untick",
                     "skipped\tc\\xE9\txc\\xE9\tunticked by --untick"}
            << State{{"xa.txt", "a.txt"}, {"b.txt", "b.txt"}, {"c\xE9", "c\xE9"}};
        // Every row is told: the ones the preview left unticked too, with the reason.
        QTest::newRow("unticked-rows-told")
            << Lines{"%artist%.mp3", "a.txt", "A.txt"}
            << QStringList{"--rule", "STANDARDLETTERUPPERCASE|0||||||"} << 0
            << Lines{"skipped\t%artist%.mp3\t%ARTIST%.mp3\tplaceholder left", "ok\tA.txt\tA.txt",
                     "skipped\ta.txt\tA.txt\tduplicate"}
            << State{{"%artist%.mp3", "%artist%.mp3"}, {"A.txt", "A.txt"}, {"a.txt", "a.txt"}};
        // Control characters in names never reach the terminal as they are.
        QTest::newRow("control-characters-escaped")
            << Lines{"esc\x1B[31m", "c1\xC2\x9B", "del\x7F"}
            << QStringList{"--rule", "STANDARDINSERT|x|Start|||||"} << 0
            << Lines{"ok\tc1\\xC2\\x9B\txc1\\xC2\\x9B", "ok\tdel\\x7F\txdel\\x7F",
                     "ok\tesc\\x1B[31m\txesc\\x1B[31m"}
            << State{{"xc1\xC2\x9B", "c1\xC2\x9B"},
                     {"xdel\x7F", "del\x7F"},
                     {"xesc\x1B[31m", "esc\x1B[31m"}};
        QTest::newRow("untick-unknown-name-renames-nothing")
            << Lines{"a.txt"}
            << QStringList{"--rule", "STANDARDINSERT|x|Start|||||", "--untick", "A.txt"} << 2
            << Lines{} << State{{"a.txt", "a.txt"}};
        QTest::newRow("existing-target-kept")
            << Lines{"a.txt", "b.txt", "xb.txt"}
            << QStringList{"--rule", "STANDARDINSERT|x|Start|||||"} << 1
            << Lines{"ok\ta.txt\txa.txt",
                     "failed\tb.txt\txb.txt\tUnable to rename the file b.txt to xb.txt because a "
                     "file with that name already exist.",
                     "ok\txb.txt\txxb.txt"}
            << State{{"xa.txt", "a.txt"}, {"b.txt", "b.txt"}, {"xxb.txt", "xb.txt"}};
        QTest::newRow("case-only")
            << Lines{"photo.jpg"} << QStringList{"--rule", "STANDARDLETTERUPPERCASE|1||||||"} << 0
            << Lines{"ok\tphoto.jpg\tPHOTO.JPG"} << State{{"PHOTO.JPG", "photo.jpg"}};
        // Bytes that are not UTF-8 reach the disk as they were, through any rule.
        QTest::newRow("not-utf8-from-own-bytes")
            << Lines{"caf\xE9.txt"} << QStringList{"--rule", "STANDARDEXTSETTO|md||||||"} << 0
            << Lines{"ok\tcaf\\xE9.txt\tcaf\\xE9.md"} << State{{"caf\xE9.md", "caf\xE9.txt"}};
        QTest::newRow("not-utf8-kept-by-insert")
            << Lines{"caf\xE9.jpg", "caf\xE8.jpg"}
            << QStringList{"--rule", "STANDARDINSERT|Greece |Start|||||"} << 0
            << Lines{"ok\tcaf\\xE8.jpg\tGreece caf\\xE8.jpg",
                     "ok\tcaf\\xE9.jpg\tGreece caf\\xE9.jpg"}
            << State{{"Greece caf\xE8.jpg", "caf\xE8.jpg"}, {"Greece caf\xE9.jpg", "caf\xE9.jpg"}};
        QTest::newRow("trailing-dots-and-spaces-dropped")
            << Lines{"a.txt", "b.txt"}
            << QStringList{"--rule", "STANDARDEXTSETTO|||||||", "--rule",
                           "STANDARDINSERT|  |End|||||"}
            << 0 << Lines{"ok\ta.txt\ta", "ok\tb.txt\tb"} << State{{"a", "a.txt"}, {"b", "b.txt"}};
        QTest::newRow("slash-in-name-part-shown-as-dash")
            << Lines{"a.txt"} << QStringList{"--rule", "STANDARDSETTO|../side/x||||||"} << 0
            << Lines{"ok\ta.txt\t..-side-x.txt"} << State{{"..-side-x.txt", "a.txt"}};
        // A refused name says what is wrong with it, never that the file is gone.
        const QString refused = QStringLiteral(" because the new name holds \"/\".");
        QTest::newRow("unsafe-new-names-refused")
            << Lines{"a.txt", "b.txt"}
            << QStringList{"--rule", "STANDARDEXTSETTO|/etc/passwd||||||"} << 1
            << Lines{("failed\ta.txt\ta./etc/passwd\tUnable to rename the file a.txt to "
                      "a./etc/passwd" +
                      refused)
                         .toUtf8(),
                     ("failed\tb.txt\tb./etc/passwd\tUnable to rename the file b.txt to "
                      "b./etc/passwd" +
                      refused)
                         .toUtf8()}
            << State{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}};
        // A failure names the name the rename tried, without the dots the rules left.
        const QByteArray taken = "failed\tf1\tX-f1\tUnable to rename the file f1 to X-f1 because "
                                 "a file with that name already exist.";
        QTest::newRow("failure-names-the-name-tried")
            << Lines{"f1", "X-f1"}
            << QStringList{"--name-like", "f", "--rule", "STANDARDSETTO|X-f1.||||||"} << 1
            << Lines{taken} << State{{"f1", "f1"}, {"X-f1", "X-f1"}};
        QTest::newRow("failure-names-the-name-tried/swap-safe")
            << Lines{"f1", "X-f1"}
            << QStringList{"--swap-safe", "--name-like", "f", "--rule", "STANDARDSETTO|X-f1.||||||"}
            << 1 << Lines{taken} << State{{"f1", "f1"}, {"X-f1", "X-f1"}};
        QTest::newRow("empty-new-name-refused")
            << Lines{"a.txt"}
            << QStringList{"--rule", "STANDARDSETTO|||||||", "--rule", "STANDARDEXTSETTO|||||||"}
            << 1
            << Lines{"failed\ta.txt\t\tUnable to rename the file a.txt to . because the new name "
                     "is empty."}
            << State{{"a.txt", "a.txt"}};
    }
    void rename() {
        QFETCH(Lines, files);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(Lines, out);
        QFETCH(State, after);
        makeFiles(m_dir, files);
        const CliRun r =
            runCli(QStringList{"rename"} + args + QStringList{QFile::decodeName(m_dir)});
        QCOMPARE(r.status, status);
        QCOMPARE(r.lines(), out);
        QCOMPARE(folderState(m_dir), after);
    }

    void listFile_data() {
        QTest::addColumn<Lines>("files");
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<Lines>("out");
        QTest::addColumn<State>("after");
        const Lines ab{"a.txt", "b.txt"};
        const State abState{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}};
        QTest::newRow("preview") << ab
                                 << QByteArray("Old,New\r\n\"a.txt\" , \"x.txt\"\nmissing.txt,y\n")
                                 << QStringList{"--header"} << 0
                                 << Lines{"skipped\tmissing.txt\ty\tline 3: no such file",
                                          "1\ta.txt\tx.txt"}
                                 << abState;
        QTest::newRow("tab") << ab << QByteArray("a.txt\tx, y.txt\r")
                             << QStringList{"--delimiter", "tab"} << 0
                             << Lines{"1\ta.txt\tx, y.txt"} << abState;
        QTest::newRow("other-delimiter")
            << ab << QByteArray("a.txt => x.txt") << QStringList{"--delimiter", "=>"} << 0
            << Lines{"1\ta.txt\tx.txt"} << abState;
        QTest::newRow("rename") << ab << QByteArray("a.txt,x.txt\r\nb.txt,x.txt\r\n")
                                << QStringList{"--rename"} << 1
                                << Lines{"ok\ta.txt\tx.txt",
                                         "failed\tb.txt\tx.txt\tUnable to rename the file b.txt to "
                                         "x.txt because a file with that name already exist."}
                                << State{{"x.txt", "a.txt"}, {"b.txt", "b.txt"}};
        const QByteArray outside = QFile::encodeName(m_tmp.filePath("side/outside.txt"));
        const QString refused = QStringLiteral(" because the new name holds \"/\".");
        QTest::newRow("nothing-outside-the-folder")
            << ab
            << QByteArray("../side/outside.txt,mine.txt\r\n/etc/passwd,mine2.txt\r\n" + outside +
                          ",mine3.txt\r\n"
                          "a.txt,../side/outside.txt\r\nb.txt,/etc/passwd\r\n")
            << QStringList{"--rename"} << 1
            << Lines{"skipped\t../side/outside.txt\tmine.txt\tline 1: names a path, not a file in "
                     "the folder",
                     "skipped\t/etc/passwd\tmine2.txt\tline 2: names a path, not a file in the "
                     "folder",
                     "skipped\t" + outside +
                         "\tmine3.txt\tline 3: names a path, not a file in the folder",
                     ("failed\ta.txt\t../side/outside.txt\tUnable to rename the file a.txt to "
                      "../side/outside.txt" +
                      refused)
                         .toUtf8(),
                     ("failed\tb.txt\t/etc/passwd\tUnable to rename the file b.txt to /etc/passwd" +
                      refused)
                         .toUtf8()}
            << abState;
        // A quoted name holds the delimiter, on either side.
        QTest::newRow("quoted-names")
            << Lines{"a.txt", "x,y.txt"}
            << QByteArray("\"x,y.txt\",\"b,1.txt\"\r\na.txt,\"say \"\"hi\"\"\"\r\n")
            << QStringList{"--rename"} << 0
            << Lines{"ok\tx,y.txt\tb,1.txt", "ok\ta.txt\tsay \"hi\""}
            << State{{"b,1.txt", "x,y.txt"}, {"say \"hi\"", "a.txt"}};
        // Escaped as any field is; the rows still rename.
        QTest::newRow("skipped-names-escaped")
            << ab << QByteArray("\"tab\there\",x\r\na.txt,y\r\n") << QStringList{"--rename"} << 0
            << Lines{"skipped\ttab\\there\tx\tline 1: no such file", "ok\ta.txt\ty"}
            << State{{"y", "a.txt"}, {"b.txt", "b.txt"}};
        // Nothing left to rename is said, and is bad input.
        QTest::newRow("nothing-left") << ab << QByteArray("Old,New\r\nc.txt,d.txt\r\nb.txt\r\n")
                                      << QStringList{"--rename"} << 2
                                      << Lines{"skipped\tOld\tNew\tline 1: no such file",
                                               "skipped\tc.txt\td.txt\tline 2: no such file",
                                               "skipped\tb.txt\t\tline 3: has no delimiter"}
                                      << abState;
        QTest::newRow("no-list-file")
            << ab << QByteArray() << QStringList{"--file="} << 2 << Lines{} << abState;
        QTest::newRow("empty-delimiter")
            << ab << QByteArray("a.txt,x") << QStringList{"--delimiter", ""} << 2 << Lines{}
            << abState;
    }
    void listFile() {
        QFETCH(Lines, files);
        QFETCH(QByteArray, list);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(Lines, out);
        QFETCH(State, after);
        makeFiles(m_dir, files);
        QFile f(m_tmp.filePath("list.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(list);
        f.close();
        const CliRun r = runCli(QStringList{"listfile", "--file", f.fileName()} + args +
                                QStringList{QFile::decodeName(m_dir)});
        QCOMPARE(r.status, status);
        QCOMPARE(r.lines(), out);
        QCOMPARE(folderState(m_dir), after);
        QCOMPARE(r.err.isEmpty(), status != 2);
    }

    void jsonOutput() {
        makeFiles(m_dir, {"a.txt", "b\xE9.txt"});
        const QString dir = QFile::decodeName(m_dir);
        CliRun r = runCli({"preview", "--json", "--rule", "STANDARDINSERT|x|End|||||", dir});
        QCOMPARE(r.status, 0);
        QJsonArray rows = QJsonDocument::fromJson(r.out)["rows"].toArray();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].toObject()["oldBytes"].toString(), QStringLiteral("b\\xE9.txt"));
        QCOMPARE(rows[0].toObject()["new"].toString(), QStringLiteral("ax.txt"));

        makeFiles(m_dir, {"ax.txt"});
        r = runCli(
            {"rename", "--json", "--rule", "STANDARDINSERT|x|End|||||", "--untick", "ax.txt", dir});
        QCOMPARE(r.status, 1);
        const QJsonArray renames = QJsonDocument::fromJson(r.out)["renames"].toArray();
        QCOMPARE(renames.size(), 3);
        QCOMPARE(renames[0].toObject()["status"].toString(), QStringLiteral("failed"));
        QCOMPARE(renames[0].toObject()["errorNumber"].toInt(), 58);
        QCOMPARE(renames[1].toObject()["status"].toString(), QStringLiteral("skipped"));
        QCOMPARE(renames[1].toObject()["reason"].toString(),
                 QStringLiteral("unticked by --untick"));
        QCOMPARE(renames[2].toObject()["status"].toString(), QStringLiteral("ok"));
    }

    // The list file's skipped lines are an array of their own beside the rows or the renames.
    void listFileJsonSkipped_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("rowsKey");
        QTest::addColumn<int>("status");
        QTest::newRow("preview") << QStringList{} << "rows" << 0;
        QTest::newRow("rename") << QStringList{"--rename"} << "renames" << 0;
    }
    void listFileJsonSkipped() {
        QFETCH(QStringList, args);
        QFETCH(QString, rowsKey);
        QFETCH(int, status);
        makeFiles(m_dir, {"a.txt"});
        QFile f(m_tmp.filePath("list.json.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("a.txt,b.txt\r\n\r\n\"gone,1\",x\r\n");
        f.close();
        const CliRun r = runCli(QStringList{"listfile", "--json", "--file", f.fileName()} + args +
                                QStringList{QFile::decodeName(m_dir)});
        QCOMPARE(r.status, status);
        const QJsonDocument doc = QJsonDocument::fromJson(r.out);
        QVERIFY2(doc.isObject(), r.out.constData());
        QCOMPARE(doc[rowsKey].toArray().size(), 1);
        const QJsonArray skipped = doc["skipped"].toArray();
        QCOMPARE(skipped.size(), 1);
        QCOMPARE(skipped[0].toObject(),
                 (QJsonObject{
                     {"line", 3}, {"old", "gone,1"}, {"new", "x"}, {"reason", "no such file"}}));
    }

    // Control characters are escaped in JSON as \u00XX: the document stays valid, and a
    // terminal that shows it is not driven by them.
    void jsonEscapesControlCharacters() {
        makeFiles(m_dir, {"esc\x1B[31m", "c1\xC2\x9B"});
        const CliRun r = runCli({"preview", "--json", "--rule", "STANDARDINSERT|x|Start|||||",
                                 QFile::decodeName(m_dir)});
        QCOMPARE(r.status, 0);
        QVERIFY2(!r.out.contains('\x1B') && !r.out.contains("\xC2\x9B"), r.out.constData());
        QVERIFY(r.out.contains("esc\\u001b[31m") && r.out.contains("c1\\u009b"));
        const QJsonArray rows = QJsonDocument::fromJson(r.out)["rows"].toArray();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].toObject()["old"].toString(), QStringLiteral("c1\u009b"));
        QCOMPARE(rows[1].toObject()["new"].toString(), QStringLiteral("xesc\u001b[31m"));
    }

    // A folder named through a link renames in the folder the link leads to.
    void folderNamedThroughALink() {
        makeFiles(m_dir, {"a.txt"});
        const QString link = m_tmp.filePath("link");
        QFile::remove(link);
        QVERIFY(QFile::link(QFile::decodeName(m_dir), link));
        const CliRun r = runCli({"rename", "--rule", "STANDARDINSERT|x|Start|||||", link});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines(), Lines{"ok\ta.txt\txa.txt"});
        QCOMPARE(folderState(m_dir), (State{{"xa.txt", "a.txt"}}));
    }

    void missingFolderIsBadUsage() {
        for (const char *command : {"preview", "rename"}) {
            const CliRun r =
                runCli({command, "--rule", "STANDARDINSERT|x|End|||||", m_tmp.filePath("nowhere")});
            QCOMPARE(r.status, 2);
        }
        QCOMPARE(runCli({"listfile", "--file", "x", m_tmp.filePath("nowhere")}).status, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliRename)
#include "tst_cli_rename.moc"
