#include "preview/foldednameset.h"
#include "preview/previewbuilder.h"
#include "preview/previewreview.h"
#include "preview_helper.h"
#include "shell/parallel.h"

#include <QtTest>

using namespace tallowin;
using namespace tallowin::test;

namespace {

// Files written "name" (ticked) or "[ ]name" (unticked).
std::vector<FileEntry> filesFrom(const QStringList &names) {
    std::vector<FileEntry> files;
    for (const QString &n : names) {
        FileEntry f;
        f.checked = !n.startsWith(u"[ ]");
        f.fileName = f.checked ? n : n.mid(3);
        f.nativeName = f.fileName.toUtf8();
        files.push_back(f);
    }
    return files;
}

// Records what a run reports and cancels once `cancelAfter` files have been started.
class RecordingProgress : public Progress {
public:
    void setStatus(const QString &s) override {
        statuses << s;
        if ((s.startsWith(u"Applying") && ++started > cancelAfter) ||
            (cancelOnPreparing && s == PreparingPreviewCaption))
            cancel();
    }
    void setCompleted(qint32 max, qint32 current) override { completed << qMakePair(max, current); }
    QStringList statuses;
    QList<QPair<qint32, qint32>> completed;
    int started = 0;
    int cancelAfter = 1 << 30;
    bool cancelOnPreparing = false;
};

const QString Auto = QStringLiteral("STANDARDAUTOSTARTEND|End|1|1|1|||");

// 10,000 ticked files with repeated names; file `failAt` is "ab", too short for some rules.
std::vector<FileEntry> largeList(int failAt) {
    QStringList names;
    for (int i = 0; i < 10000; ++i)
        names << (i == failAt ? QStringLiteral("ab")
                              : QStringLiteral("name%1%2.txt").arg(i % 4000).arg(i % 3 ? "" : "x"));
    return filesFrom(names);
}

struct Run {
    PreviewResult result;
    std::vector<ErrorReport> reports;
};

// A preview run on exactly `threads` threads (as many as the run has blocks for).
Run runWithThreads(const RuleTable &table, const std::vector<FileEntry> &files, unsigned threads,
                   Progress *progress = nullptr) {
    forceThreadCount(threads);
    Run run;
    CollectingErrorReporter errors;
    const RuleEngine engine(table, errors);
    run.result = PreviewBuilder(engine, errors).build(files, progress);
    run.reports = errors.reports;
    forceThreadCount(0);
    return run;
}

} // namespace

class TestPreviewBuilder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rows_data() {
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");
        const QString keep = QStringLiteral("STANDARDREPLACE|zzz||0||||");
        QTest::newRow("split/last-dot")
            << QStringList{"STANDARDINSERT|X|End|||||"} << QStringList{"archive.tar.gz"}
            << QStringList{"1|archive.tar.gz|archive.tarX.gz"};
        QTest::newRow("split/no-dot")
            << QStringList{keep} << QStringList{"README"} << QStringList{"1|README|README."};
        QTest::newRow("split/inserted-dot-moves-split")
            << QStringList{"STANDARDINSERT|.bak|End|||||", "STANDARDINSERT|!|End|||||"}
            << QStringList{"notes.txt"} << QStringList{"1|notes.txt|notes.bak!.txt"};
        QTest::newRow("duplicate/case-only")
            << QStringList{keep} << QStringList{"a.txt", "A.TXT", "b.txt"}
            << QStringList{"1|a.txt|a.txt", "0|A.TXT|A.TXT", "1|b.txt|b.txt"};
        QTest::newRow("duplicate/same-rule-result")
            << QStringList{"STANDARDSETTO|same||||||"} << QStringList{"x.jpg", "y.JPG", "z.png"}
            << QStringList{"1|x.jpg|same.jpg", "0|y.JPG|same.JPG", "1|z.png|same.png"};
        // The test is made on the name as shown, so "a/b" and "a-b" clash either way round.
        QTest::newRow("duplicate/slash-shown-as-dash")
            << QStringList{"STANDARDREPLACE|x|a/b|0||||", "STANDARDREPLACE|y|a-b|0||||"}
            << QStringList{"y.txt", "x.txt"} << QStringList{"1|y.txt|a-b.txt", "0|x.txt|a-b.txt"};
        QTest::newRow("slash/name-part-only")
            << QStringList{"STANDARDREPLACE|a|x/y|0||||", "STANDARDEXTSETTO|t/u||||||"}
            << QStringList{"a.txt"} << QStringList{"1|a.txt|x-y.t/u"};
        QTest::newRow("placeholder/any-case")
            << QStringList{"STANDARDSETTO|%ArTiSt% - song||||||"} << QStringList{"1.mp3"}
            << QStringList{"0|1.mp3|%ArTiSt% - song.mp3"};
        QTest::newRow("placeholder/from-old-name")
            << QStringList{keep} << QStringList{"%year%.txt", "%yea.txt"}
            << QStringList{"0|%year%.txt|%year%.txt", "1|%yea.txt|%yea.txt"};
        QTest::newRow("placeholder/extension-does-not-count")
            << QStringList{"STANDARDEXTSETTO|%track%||||||"} << QStringList{"a.mp3"}
            << QStringList{"1|a.mp3|a.%track%"};
        QTest::newRow("unticked/no-row-no-number")
            << QStringList{Auto} << QStringList{"a.txt", "[ ]b.txt", "c.txt"}
            << QStringList{"1|a.txt|a1.txt", "1|c.txt|c2.txt"};
        QTest::newRow("hostile/names-pass-through")
            << QStringList{"STANDARDINSERT|!|End|||||"}
            << QStringList{"-dash.txt", "tab\there.txt", "new\nline", "back\\slash.txt"}
            << QStringList{"1|-dash.txt|-dash!.txt", "1|tab\there.txt|tab\there!.txt",
                           "1|new\nline|new\nline!.", "1|back\\slash.txt|back\\slash!.txt"};
        QTest::newRow("no-ticked-files")
            << QStringList{keep} << QStringList{"[ ]a.txt"} << QStringList{};
    }
    void rows() {
        QFETCH(QStringList, rules);
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        const RuleTable table = rulesFrom(rules);
        CollectingErrorReporter errors;
        RuleEngine engine(table, errors);
        PreviewBuilder builder(engine, errors);
        const auto list = filesFrom(files);
        const PreviewResult result = builder.build(list);
        QCOMPARE(result.outcome, PreviewOutcome::Done);
        QCOMPARE(rowsText(result.rows), expected);
        QVERIFY(errors.empty());
        // Each row leads back to its file and the file's exact name bytes.
        for (const auto &row : result.rows) {
            const FileEntry &file = list[size_t(row.sourceIndex)];
            QCOMPARE(row.oldName(), file.fileName);
            QCOMPARE(row.oldBytes(),
                     file.nativeName.isEmpty() ? nameToBytes(file.fileName) : file.nativeName);
        }
    }

    // The clash test must agree with a case-insensitive comparison, also beyond ASCII and
    // for characters outside the basic plane, however many names it holds.
    void foldedNameSet_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("clash");
        QTest::newRow("ascii") << "Photo.JPG"
                               << "photo.jpg" << true;
        QTest::newRow("latin") << "\u00C4rger.txt"
                               << "\u00E4RGER.TXT" << true;
        QTest::newRow("greek-final-sigma") << "\u03A3.txt"
                                           << "\u03C2.txt" << true;
        QTest::newRow("deseret-surrogates") << "\U00010400.txt"
                                            << "\U00010428.txt" << true;
        QTest::newRow("different") << "a.txt"
                                   << "b.txt" << false;
        QTest::newRow("lone-surrogate-differs")
            << QString(QChar(0xD800)) + u'a' << QString(QChar(0xD801)) + u'a' << false;
    }
    void foldedNameSet() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, clash);
        QCOMPARE(QString::compare(first, second, Qt::CaseInsensitive) == 0, clash);
        FoldedNameSet set;
        for (int i = 0; i < 1000; ++i)
            QVERIFY(set.insert(QString::number(i)));
        QVERIFY(set.insert(first));
        QCOMPARE(set.insert(second), !clash);
        QVERIFY(!set.insert(first.toUpper()));
        QVERIFY(!set.insert(QStringLiteral("999")));
    }

    // Large runs share the files among threads; the rows, ticks, clashes across the shares,
    // the reports, the first failure and the counter must come out as from a run file by file.
    // The thread count is forced, so this holds on any machine.
    void threadedRunMatchesFileByFile_data() {
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<int>("failAt"); // -1: no failure
        const QStringList clashes{"STANDARDREPLACE|x|%artist%|1||||",
                                  "STANDARDLETTERUPPERCASE|0||||||", "STANDARDREMOVE|1|End|||||"};
        const QStringList failing{"STANDARDREMOVE|3|Start|||||"};
        QTest::newRow("clashes-and-placeholders") << clashes << -1;
        QTest::newRow("failure/first-file") << failing << 0;
        QTest::newRow("failure/second-file") << failing << 1;
        QTest::newRow("failure/midway") << failing << 7001;
        QTest::newRow("failure/last-file") << failing << 9999;
        // The counter runs on across the shares, wraps to 0 and starts again from its start.
        QTest::newRow("auto-numbers") << QStringList{"STANDARDAUTOSTARTEND|End|3|7|-40|||",
                                                     "STANDARDAUTOBEFOREAFTER|name|Before|2|-3|5||"}
                                      << -1;
        // A bad increment is told for every file, in order, and the run goes on.
        QTest::newRow("auto-number-reports")
            << QStringList{"STANDARDAUTOSTARTEND|End|1|x|1|||", "STANDARDREMOVE|5|Start|||||"}
            << 9000;
        // The counter moved by the files before a failure, and by the failed file's own rules.
        QTest::newRow("auto-numbers/failure-early")
            << QStringList{"STANDARDAUTOSTARTEND|End|2|3|1|||", "STANDARDREMOVE|7|Start|||||",
                           "STANDARDAUTOSTARTEND|Start|1|1|1|||"}
            << 1234;
    }
    void threadedRunMatchesFileByFile() {
        QFETCH(QStringList, rules);
        QFETCH(int, failAt);
        const auto files = largeList(failAt);
        const RuleTable table = rulesFrom(rules);
        const Run serial = runWithThreads(table, files, 1);
        QCOMPARE(serial.result.outcome, failAt < 0 ? PreviewOutcome::Done : PreviewOutcome::Failed);
        QCOMPARE(serial.result.rows.size(), size_t(failAt < 0 ? files.size() : failAt));
        // Repeated names across the shares leave some rows unticked.
        if (failAt < 0 || failAt > 5000)
            QVERIFY(serial.result.tickedCount() > 0 &&
                    serial.result.tickedCount() < qsizetype(serial.result.rows.size()));
        for (unsigned threads : {2u, 3u, 4u}) {
            // The window's road (with a Progress) and the command line's are the same.
            Progress progress;
            const Run threaded =
                runWithThreads(table, files, threads, threads == 3 ? &progress : nullptr);
            QCOMPARE(threaded.result.outcome, serial.result.outcome);
            QCOMPARE(rowsText(threaded.result.rows), rowsText(serial.result.rows));
            QCOMPARE(threaded.reports, serial.reports);
            QCOMPARE(threaded.result.numbering, serial.result.numbering);
        }
    }

    // A run cancelled while threads work keeps the rows finished before the first file left
    // undone, exactly as a run file by file made them; whichever thread sees the cancel.
    void threadedRunCancelled() {
        const RuleTable table =
            rulesFrom({"STANDARDAUTOSTARTEND|End|1|1|1|||", "STANDARDINSERT|x|End|||||"});
        const auto files = largeList(-1);
        const Run serial = runWithThreads(table, files, 1);

        RecordingProgress before; // cancelled before any file is started
        before.cancelAfter = -1;
        before.cancelOnPreparing = true;
        const Run none = runWithThreads(table, files, 3, &before);
        QCOMPARE(none.result.outcome, PreviewOutcome::Cancelled);
        QVERIFY(none.result.rows.empty());
        QCOMPARE(none.result.numbering, NumberingState{});

        RecordingProgress midway;
        midway.cancelAfter = 1;
        const Run some = runWithThreads(table, files, 3, &midway);
        const size_t kept = some.result.rows.size();
        if (some.result.outcome == PreviewOutcome::Cancelled) {
            QVERIFY(kept < files.size());
        } else {
            // Every block was handed out before the cancel was seen.
            QCOMPARE(some.result.outcome, PreviewOutcome::Done);
            QCOMPARE(kept, files.size());
        }
        const std::vector<PreviewEntry> prefix(serial.result.rows.begin(),
                                               serial.result.rows.begin() + qsizetype(kept));
        QCOMPARE(rowsText(some.result.rows), rowsText(prefix));
        const std::vector<FileEntry> keptFiles(files.begin(), files.begin() + qsizetype(kept));
        QCOMPARE(some.result.numbering, runWithThreads(table, keptFiles, 1).result.numbering);
    }

    void everyRunStartsCountingAgain() {
        const RuleTable table = rulesFrom({Auto});
        NullErrorReporter errors;
        RuleEngine engine(table, errors);
        PreviewBuilder builder(engine, errors);
        const auto files = filesFrom({"a.txt", "b.txt"});
        const QStringList first = rowsText(builder.build(files).rows);
        QCOMPARE(first, (QStringList{"1|a.txt|a1.txt", "1|b.txt|b2.txt"}));
        QCOMPARE(rowsText(builder.build(files).rows), first);
    }

    void keepsBytesOfNamesThatAreNotUtf8() {
        FileEntry f;
        f.nativeName = QByteArray("caf\xE9.txt");
        f.fileName = QString::fromUtf8(f.nativeName);
        const RuleTable table = rulesFrom({"STANDARDEXTSETTO|TXT||||||"});
        NullErrorReporter errors;
        RuleEngine engine(table, errors);
        const auto result = PreviewBuilder(engine, errors).build(std::vector<FileEntry>{f});
        QCOMPARE(result.rows.size(), size_t(1));
        QCOMPARE(result.rows[0].oldBytes(), QByteArray("caf\xE9.txt"));
        QCOMPARE(result.rows[0].newName, QStringLiteral("caf\uFFFD.TXT"));
    }

    // A preview of a listing keeps no copy of the old names: each row points at its file's
    // row, also after the review sorts the rows and after the rows the preview left go away.
    void rowsPointAtTheListingsNames() {
        auto rows = std::make_shared<FileRows>();
        for (const QByteArray &name : {QByteArray("b.txt"), QByteArray("caf\xE9.txt"),
                                       QByteArray("A.txt"), QByteArray("c.txt")})
            QVERIFY(rows->append(name, false, 0, false, 0));
        const TickedRows ticked{rows, {1, 2, 3}};
        const RuleTable table = rulesFrom({"STANDARDINSERT|x|Start|||||"});
        NullErrorReporter errors;
        RuleEngine engine(table, errors);
        PreviewResult result = PreviewBuilder(engine, errors).build(ticked);
        QCOMPARE(result.rows.size(), size_t(3));
        for (const PreviewEntry &row : result.rows) {
            QCOMPARE(row.names.get(), rows.get());
            QCOMPARE(row.oldBytesView(), rows->nameBytes(size_t(row.sourceIndex)));
            QCOMPARE(row.newName, u'x' + row.oldName());
        }
        PreviewReview review;
        review.fill(std::move(result.rows));
        QVERIFY(review.setChecked(0, false).reordered);
        QStringList order;
        for (const PreviewEntry &row : review.rows())
            order << QString::number(row.sourceIndex);
        QCOMPARE(order, (QStringList{"2", "3", "1"})); // A.txt, c.txt, caf?.txt
        rows.reset(); // the rows stay readable as long as a preview row holds them
        QCOMPARE(review.rows()[2].oldBytes(), QByteArray("caf\xE9.txt"));
    }

    void ruleFailureEndsRunWithPosition() {
        const RuleTable table =
            rulesFrom({"STANDARDINSERT|x|End|||||", "STANDARDREMOVE|99|Start|||||"});
        CollectingErrorReporter errors;
        RuleEngine engine(table, errors);
        const auto result = PreviewBuilder(engine, errors).build(filesFrom({"ab.txt", "cd.txt"}));
        QCOMPARE(result.outcome, PreviewOutcome::Failed);
        QVERIFY(result.rows.empty());
        QCOMPARE(errors.reports.size(), size_t(2));
        QCOMPARE(errors.reports[0].location, 183);
        QCOMPARE(
            errors.reports[1],
            (ErrorReport{50, 5, QStringLiteral("Invalid procedure call or argument Position: 8")}));
    }

    void emptyRuleTableDoesNothing() {
        const RuleTable table;
        CollectingErrorReporter errors;
        RuleEngine engine(table, errors);
        const auto result = PreviewBuilder(engine, errors).build(filesFrom({"a.txt"}));
        QCOMPARE(result.outcome, PreviewOutcome::NoRules);
        QVERIFY(result.rows.empty());
        QVERIFY(errors.empty());
        QCOMPARE(result.numbering, NumberingState{});
    }

    void reportsProgressAndStopsWhenCancelled() {
        const RuleTable table = rulesFrom({Auto, "STANDARDINSERT|x|End|||||"});
        NullErrorReporter errors;
        RuleEngine engine(table, errors);
        PreviewBuilder builder(engine, errors);
        const auto files = filesFrom({"a.txt", "[ ]skip.txt", "b.txt", "c.txt"});

        RecordingProgress all;
        QCOMPARE(builder.build(files, &all).outcome, PreviewOutcome::Done);
        QCOMPARE(all.statuses,
                 (QStringList{"Preparing To Preview File Name Changes", "Applying Rules To: a.txt",
                              "Applying Rules To: b.txt", "Applying Rules To: c.txt"}));
        // Total ticked files x rules, then the rules applied so far, ending full. The counts
        // come after each block of files, not after each rule.
        QCOMPARE(all.completed.first(), qMakePair(6, 0));
        QCOMPARE(all.completed.last(), qMakePair(6, 6));
        for (qsizetype i = 1; i < all.completed.size(); ++i) {
            QCOMPARE(all.completed[i].first, 6);
            QVERIFY(all.completed[i].second >= all.completed[i - 1].second);
        }

        // Cancelled while b.txt is worked on: b.txt is finished, c.txt never started.
        RecordingProgress stop;
        stop.cancelAfter = 1;
        const auto result = builder.build(files, &stop);
        QCOMPARE(result.outcome, PreviewOutcome::Cancelled);
        QCOMPARE(result.rows.size(), size_t(2));
        QCOMPARE(stop.statuses.last(), QStringLiteral("Applying Rules To: b.txt"));
    }
};

QTEST_GUILESS_MAIN(TestPreviewBuilder)
#include "tst_previewbuilder.moc"
