#include "journal/journal.h"
#include "journal/undo.h"
#include "rename/swapsafe.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tallowin;
using namespace tallowin::test;

using State = QMap<QByteArray, QByteArray>;
using Names = QList<QByteArray>;

namespace {

// "old>new" pairs as ticked rows.
std::vector<PreviewEntry> rowsFrom(const QStringList &pairs) {
    std::vector<PreviewEntry> rows;
    for (const QString &p : pairs) {
        PreviewEntry row;
        row.setOldName(p.section(u'>', 0, 0));
        row.newName = p.section(u'>', 1);
        row.checked = true;
        rows.push_back(row);
    }
    return rows;
}

// A file system that makes the rename of one name fail, and can look at the journal just
// before the first rename reaches the disk.
class WatchingFileSystem : public FileSystem {
public:
    QByteArray failFrom;
    int failWith = 0;
    std::function<void()> beforeFirstRename;

    int renameNoReplace(int dirFd, const char *from, const char *to) override {
        if (beforeFirstRename) {
            auto once = std::move(beforeFirstRename);
            beforeFirstRename = nullptr;
            once();
        }
        if (failWith && failFrom == from)
            return failWith;
        return FileSystem::renameNoReplace(dirFd, from, to);
    }
};

// A file system that runs `swap` once, just before the first folder is opened through it.
class SwappingFileSystem : public FileSystem {
public:
    std::function<void()> swap;

    int open(int dirFd, const char *path, int flags, mode_t mode, int &fd) override {
        if (swap) {
            auto once = std::move(swap);
            swap = nullptr;
            once();
        }
        return FileSystem::open(dirFd, path, flags, mode, fd);
    }
};

// Thrown where the run stops as a kill would stop it.
struct Killed {};

// A file system that stops the run (throws Killed) right after a rename chosen by `killAfter`
// has reached the disk, and fails the writes `failWrite` picks with ENOSPC.
class CrashingFileSystem : public FileSystem {
public:
    std::function<bool(const char *from, const char *to)> killAfter;
    std::function<bool(QByteArrayView data)> failWrite;

    int renameNoReplace(int dirFd, const char *from, const char *to) override {
        const int e = FileSystem::renameNoReplace(dirFd, from, to);
        if (e == 0 && killAfter && killAfter(from, to))
            throw Killed{};
        return e;
    }
    int write(int fd, QByteArrayView data) override {
        if (failWrite && failWrite(data))
            return ENOSPC;
        return FileSystem::write(fd, data);
    }
};

QByteArray inodeOf(const QByteArray &path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 ? QByteArray::number(qulonglong(st.st_ino))
                                               : QByteArray();
}

struct Fixture {
    // QTemporaryDir cannot remove names that are not UTF-8.
    ~Fixture() {
        for (const QByteArray &name : folderState(folder()).keys())
            ::unlink((folder() + '/' + name).constData());
    }
    QTemporaryDir dir;
    QTemporaryDir state;
    QByteArray folder() const { return QFile::encodeName(dir.path()); }
    JournalStore store() const { return JournalStore(state.path()); }
};

RenameRun journalledRun(JournalStore &store, const QString &folder,
                        const std::vector<PreviewEntry> &rows, bool swapSafe = false,
                        FileSystem *fs = nullptr) {
    CollectingErrorReporter errors;
    JournalWriter journal(store, folder);
    Renamer renamer(errors, fs);
    renamer.setObserver(&journal);
    return swapSafe ? runSwapSafe(renamer, folder, rows) : renamer.run(folder, rows);
}

QStringList leftText(const UndoPlan &plan) {
    QStringList out;
    for (const UndoLeft &l : plan.left)
        out << QString::fromUtf8(l.current + '>' + l.original);
    return out;
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escapeRoundTrip_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("plain") << QByteArray("photo_001.jpg");
        QTest::newRow("space-and-percent") << QByteArray("50% off .txt");
        QTest::newRow("not-utf8") << QByteArray("caf\xE9.jpg");
        QTest::newRow("line-ends") << QByteArray("a\nb\rc\t");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only-percent") << QByteArray("%");
    }
    void escapeRoundTrip() {
        QFETCH(QByteArray, name);
        const QByteArray escaped = journalEscape(name);
        QVERIFY(!escaped.isEmpty());
        QVERIFY(!escaped.contains(' ') && !escaped.contains('\n'));
        QCOMPARE(journalUnescape(escaped), name);
    }

    // The whole plan is on disk before anything is renamed: a crash after the first rename
    // still finds every row.
    void planWrittenBeforeFirstRename() {
        Fixture fx;
        makeFiles(fx.folder(), {"a", "b", "caf\xE9"});
        JournalStore store = fx.store();
        WatchingFileSystem fs;
        Journal seen;
        fs.beforeFirstRename = [&] { QVERIFY(store.read(1, seen)); };
        std::vector<PreviewEntry> rows = rowsFrom({"a>x", "b>y"});
        PreviewEntry odd;
        odd.setOldBytes("caf\xE9");
        odd.newName = QStringLiteral("Greece ") + QChar(0xDCE9);
        odd.checked = true;
        rows.push_back(odd);
        const RenameRun run = journalledRun(store, fx.dir.path(), rows, false, &fs);
        QCOMPARE(run.failedCount(), 0);
        QVERIFY(seen.planComplete);
        QVERIFY(!seen.ended);
        QCOMPARE(seen.markedDone, 0);
        QCOMPARE(seen.steps.size(), size_t(3));
        QCOMPARE(seen.steps[2].from, QByteArray("caf\xE9"));
        QCOMPARE(seen.steps[2].to, QByteArray("Greece \xE9"));
        QVERIFY(seen.steps[0].file.inode != 0);
        Journal after;
        QVERIFY(store.read(1, after));
        QVERIFY(after.ended);
        QCOMPARE(after.markedDone, 3);
        QCOMPARE(after.folder, QFile::encodeName(QDir(fx.dir.path()).absolutePath()));
    }

    // Undo sends back what still is as the run left it and reports the rest.
    void undoLeavesWhatChanged_data() {
        QTest::addColumn<QByteArray>("change"); // a shell-free description of the hand edit
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<State>("after");
        const State allBack{{"a", "a"}, {"b", "b"}, {"c", "c"}};
        QTest::newRow("nothing-changed") << QByteArray() << QStringList{} << allBack;
        QTest::newRow("target-replaced") << QByteArray("replace y") << QStringList{"y>b"}
                                         << State{{"a", "a"}, {"y", "new"}, {"c", "c"}};
        QTest::newRow("target-deleted")
            << QByteArray("delete y") << QStringList{"y>b"} << State{{"a", "a"}, {"c", "c"}};
        QTest::newRow("target-renamed-by-hand") << QByteArray("move y w") << QStringList{"y>b"}
                                                << State{{"a", "a"}, {"w", "b"}, {"c", "c"}};
        QTest::newRow("old-name-taken") << QByteArray("create b") << QStringList{"y>b"}
                                        << State{{"a", "a"}, {"b", "new"}, {"y", "b"}, {"c", "c"}};
    }
    void undoLeavesWhatChanged() {
        QFETCH(QByteArray, change);
        QFETCH(QStringList, left);
        QFETCH(State, after);
        Fixture fx;
        makeFiles(fx.folder(), {"a", "b", "c"});
        JournalStore store = fx.store();
        QCOMPARE(journalledRun(store, fx.dir.path(), rowsFrom({"a>x", "b>y", "c>z"})).failedCount(),
                 0);
        const QByteArray y = fx.folder() + "/y", b = fx.folder() + "/b";
        if (change == "replace y") {
            QCOMPARE(::unlink(y.constData()), 0);
            QFile f(QFile::decodeName(y));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("new");
        } else if (change == "delete y") {
            QCOMPARE(::unlink(y.constData()), 0);
        } else if (change == "move y w") {
            QCOMPARE(::rename(y.constData(), (fx.folder() + "/w").constData()), 0);
        } else if (change == "create b") {
            QFile f(QFile::decodeName(b));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("new");
        }
        QCOMPARE(store.lastUndoable(), 1);
        CollectingErrorReporter errors;
        const UndoResult undo = undoRun(store, 1, errors);
        QCOMPARE(leftText(undo.plan), left);
        QCOMPARE(undo.run.failedCount(), 0);
        QCOMPARE(folderState(fx.folder()), after);
        // A file left behind keeps the run on offer for a plain undo.
        QCOMPARE(store.history().front().stateText(),
                 left.isEmpty() ? QStringLiteral("undone") : QStringLiteral("partly undone"));
        QCOMPARE(store.lastUndoable(), left.isEmpty() ? 0 : 1);
    }

    // Three runs taken back in turn; undoing the last undo redoes its run.
    void multiLevelUndoAndRedo() {
        Fixture fx;
        makeFiles(fx.folder(), {"a"});
        JournalStore store = fx.store();
        for (const char *step : {"a>b", "b>c", "c>d"})
            QCOMPARE(journalledRun(store, fx.dir.path(), rowsFrom({QString::fromLatin1(step)}))
                         .failedCount(),
                     0);
        CollectingErrorReporter errors;
        for (const QByteArray name : {"c", "b", "a"}) {
            const qint64 last = store.lastUndoable();
            QVERIFY(last != 0);
            const UndoResult undo = undoRun(store, last, errors);
            QCOMPARE(undo.run.failedCount(), 0);
            QCOMPARE(folderState(fx.folder()), (State{{name, "a"}}));
        }
        QCOMPARE(store.lastUndoable(), 0);
        // Runs 4, 5, 6 are the undos; undoing 6 (which took "b" back to "a") redoes run 1.
        const UndoResult redo = undoRun(store, 6, errors);
        QCOMPARE(redo.run.failedCount(), 0);
        QCOMPARE(folderState(fx.folder()), (State{{"b", "a"}}));
        QCOMPARE(store.lastUndoable(), 1);
        QStringList states;
        for (const RunSummary &run : store.history())
            states << run.stateText();
        QCOMPARE(states, (QStringList{"complete", "undone", "undone", "complete", "complete",
                                      "undone", "complete"}));
    }

    // The folder swapped for a link to another folder between undo's look at it and its first
    // rename: nothing is renamed anywhere, the other folder keeps its names and the run can
    // still be undone.
    void undoRefusesAFolderSwappedAfterItsPlan() {
        Fixture fx;
        QTemporaryDir other;
        makeFiles(fx.folder(), {"a", "b"});
        JournalStore store = fx.store();
        QCOMPARE(journalledRun(store, fx.dir.path(), rowsFrom({"a>x", "b>y"})).failedCount(), 0);
        // The other folder holds the names the run gave, so a followed link would find them.
        const QByteArray otherFolder = QFile::encodeName(other.path());
        makeFiles(otherFolder, {"x", "y"});
        const QByteArray moved = fx.folder() + ".moved";
        SwappingFileSystem fs;
        fs.swap = [&] {
            QCOMPARE(::rename(fx.folder().constData(), moved.constData()), 0);
            QCOMPARE(::symlink(otherFolder.constData(), fx.folder().constData()), 0);
        };
        CollectingErrorReporter errors;
        const UndoResult undo = undoRun(store, 1, errors, nullptr, &fs);
        QVERIFY(!fs.swap);
        QCOMPARE(int(undo.plan.outcome), int(UndoPlan::Outcome::FolderGone));
        QVERIFY(undo.run.outcomes.empty());
        QCOMPARE(folderState(otherFolder), (State{{"x", "x"}, {"y", "y"}}));
        QCOMPARE(folderState(moved), (State{{"x", "a"}, {"y", "b"}}));
        QCOMPARE(store.lastUndoable(), 1);
        QCOMPARE(::unlink(fx.folder().constData()), 0);
        QCOMPARE(::rename(moved.constData(), fx.folder().constData()), 0);
    }

    // A journal cut by a crash: a torn last line is ignored, a plan cut short means nothing
    // was renamed.
    void cutJournals() {
        Fixture fx;
        makeFiles(fx.folder(), {"a", "b"});
        JournalStore store = fx.store();
        QCOMPARE(journalledRun(store, fx.dir.path(), rowsFrom({"a>x", "b>y"})).failedCount(), 0);
        QFile full(QFile::decodeName(store.path(1)));
        QVERIFY(full.open(QIODevice::ReadOnly));
        QByteArray text = full.readAll();
        full.close();
        // Drop "end" and the second mark, and leave half a line behind.
        text.chop(QByteArray("d 1\nend\n").size());
        text += "d 1";
        QVERIFY(full.open(QIODevice::WriteOnly | QIODevice::Truncate));
        full.write(text);
        full.close();
        Journal j;
        QVERIFY(store.read(1, j));
        QVERIFY(j.planComplete);
        QVERIFY(!j.ended);
        QCOMPARE(j.markedDone, 1);
        QCOMPARE(store.history().front().state, RunSummary::State::Interrupted);
        // The unmarked rename is found from the folder itself.
        CollectingErrorReporter errors;
        const UndoResult undo = undoRun(store, 1, errors);
        QCOMPARE(undo.run.failedCount(), 0);
        QCOMPARE(folderState(fx.folder()), (State{{"a", "a"}, {"b", "b"}}));

        QFile cut(QFile::decodeName(store.path(3)));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write("tallowin-journal 1\nid 3\ntime 2026-01-02T03:04:05.000Z\nkind rename\n"
                  "plan 2 40\ns 0 1 2 a x\n");
        cut.close();
        QVERIFY(store.read(3, j));
        QVERIFY(!j.planComplete);
        QCOMPARE(store.lastUndoable(), 0);
        QCOMPARE(undoRun(store, 3, errors).plan.outcome, UndoPlan::Outcome::NoSuchRun);
    }

    // Journal files no writer made: the reader refuses what it cannot trust without crashing
    // or taking memory the file does not justify, and history lists only rename runs.
    void hostileJournals_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("isRun");        // read() takes it for a run
        QTest::addColumn<bool>("planComplete"); // and its plan as whole
        const QByteArray head = "tallowin-journal 1\nid 1\ntime 2026-01-02T03:04:05.000Z\n"
                                "kind rename\nfolder /nowhere\nfolderid 1 2\n";
        const QByteArray step = "s 0 1 2 0 a b\n";
        const QByteArray plan = "plan 1 " + QByteArray::number(step.size()) + '\n' + step;
        QTest::newRow("whole") << head + plan + "plan-end\nd 0\nend\n" << true << true;
        QTest::newRow("huge-byte-count")
            << head + "plan 1 9223372036854775807\n" + step + "plan-end\n"
            << true << false;
        QTest::newRow("huge-step-count")
            << head + "plan 4611686018427387903 14\n" + step + "plan-end\n"
            << false << false;
        QTest::newRow("negative-count") << head + "plan -1 14\n" + step + "plan-end\n"
                                        << false << false;
        QTest::newRow("truncated-plan") << head + "plan 2 28\n" + step << true << false;
        QTest::newRow("plan-without-end") << head + plan << true << false;
        const auto planOf = [](const QByteArray &lines) {
            return "plan 1 " + QByteArray::number(lines.size()) + '\n' + lines + "plan-end\n";
        };
        QTest::newRow("damaged-step") << head + planOf("s 0 1 2 0 abcdef\n") << true << false;
        QTest::newRow("over-long-header-line")
            << head + "folder " + QByteArray(100 * 1024, 'a') + '\n' + plan + "plan-end\n"
            << false << false;
        QTest::newRow("over-long-step-line")
            << head + planOf("s 0 1 2 0 a " + QByteArray(100 * 1024, 'b') + '\n') << true << false;
        // A record no writer makes is passed over; the marks around it still count.
        QTest::newRow("over-long-record")
            << head + plan + "plan-end\n" + QByteArray(100 * 1024, 'd') + "\nd 0\nend\n"
            << true << true;
        QTest::newRow("junk") << QByteArray("hello\nworld\n") << false << false;
        QTest::newRow("empty") << QByteArray() << false << false;
        QTest::newRow("header-only") << QByteArray("tallowin-journal 1\nid 1\n") << false << false;
        QTest::newRow("no-time") << QByteArray("tallowin-journal 1\nid 1\nkind rename\n") + plan +
                                        "plan-end\n"
                                 << false << false;
        QTest::newRow("other-id") << QByteArray(head).replace("id 1\n", "id 7\n") + plan +
                                         "plan-end\n"
                                  << false << false;
    }
    void hostileJournals() {
        QFETCH(QByteArray, text);
        QFETCH(bool, isRun);
        QFETCH(bool, planComplete);
        QTemporaryDir state;
        JournalStore store(state.path());
        QFile file(QFile::decodeName(store.path(1)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(text), text.size());
        file.close();

        Journal j;
        QCOMPARE(store.read(1, j), isRun);
        QCOMPARE(j.planComplete, planComplete);
        if (isRun) {
            QVERIFY(j.time.isValid());
            QCOMPARE(j.steps.size(), size_t(planComplete ? 1 : 0));
        }
        QList<QByteArray> skipped;
        const std::vector<RunSummary> runs = store.history(&skipped);
        QCOMPARE(runs.size(), size_t(isRun ? 1 : 0));
        QCOMPARE(skipped, isRun ? QList<QByteArray>() : QList<QByteArray>{store.path(1)});
        if (isRun && !planComplete) {
            // Nothing was renamed by a run whose plan is not whole: there is nothing to undo.
            QCOMPARE(runs.front().state, RunSummary::State::Interrupted);
            QCOMPARE(runs.front().journal.markedDone, 0);
        }
        if (planComplete) {
            QCOMPARE(runs.front().journal.markedDone, 1);
            QCOMPARE(runs.front().state, RunSummary::State::Complete);
            QCOMPARE(store.lastUndoable(), 1);
        }
        const UndoPlan undo = planUndo(store, 1);
        QCOMPARE(undo.outcome,
                 planComplete ? UndoPlan::Outcome::FolderGone : UndoPlan::Outcome::NoSuchRun);
        QVERIFY(undo.rows.empty());
    }

    void oldRunsPruned() {
        Fixture fx;
        makeFiles(fx.folder(), {"f0"});
        JournalStore store(fx.state.path(), 3);
        for (int i = 0; i < 5; ++i)
            journalledRun(store, fx.dir.path(),
                          rowsFrom({QStringLiteral("f%1>f%2").arg(i).arg(i + 1)}));
        QCOMPARE(store.ids(), (std::vector<qint64>{3, 4, 5}));
    }

    // Swaps and chains among the run's own rows arrive with swap-safe renames and fail
    // cleanly without; a file outside the run is never replaced either way.
    void swapSafe_data() {
        QTest::addColumn<Names>("files");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<State>("plain");
        QTest::addColumn<State>("swapSafe");
        const State abc{{"a", "a"}, {"b", "b"}, {"c", "c"}};
        QTest::newRow("swap") << Names{"a", "b"} << QStringList{"a>b", "b>a"}
                              << State{{"a", "a"}, {"b", "b"}} << State{{"a", "b"}, {"b", "a"}};
        QTest::newRow("three-cycle") << Names{"a", "b", "c"} << QStringList{"a>b", "b>c", "c>a"}
                                     << abc << State{{"a", "c"}, {"b", "a"}, {"c", "b"}};
        QTest::newRow("chain-in-wrong-order")
            << Names{"a", "b"} << QStringList{"a>b", "b>c"} << State{{"a", "a"}, {"c", "b"}}
            << State{{"b", "a"}, {"c", "b"}};
        QTest::newRow("outside-file-kept") << Names{"a", "b", "c"} << QStringList{"a>b", "b>c"}
                                           << State{{"a", "a"}, {"b", "b"}, {"c", "c"}}
                                           << State{{"a", "a"}, {"b", "b"}, {"c", "c"}};
        QTest::newRow("cycle-beside-outside-clash")
            << Names{"a", "b", "c", "d"} << QStringList{"a>b", "b>a", "c>d"}
            << State{{"a", "a"}, {"b", "b"}, {"c", "c"}, {"d", "d"}}
            << State{{"a", "b"}, {"b", "a"}, {"c", "c"}, {"d", "d"}};
    }
    void swapSafe() {
        QFETCH(Names, files);
        QFETCH(QStringList, rows);
        QFETCH(State, plain);
        QFETCH(State, swapSafe);
        for (const bool safe : {false, true}) {
            Fixture fx;
            makeFiles(fx.folder(), files);
            JournalStore store = fx.store();
            journalledRun(store, fx.dir.path(), rowsFrom(rows), safe);
            const State done = folderState(fx.folder());
            QCOMPARE(done, safe ? swapSafe : plain);
            // And the journal takes it all back, temporary names included: one row per file
            // moved, from its name now to its name before, and no temporary name in any.
            CollectingErrorReporter errors;
            const qint64 last = store.lastUndoable();
            QStringList expected;
            for (auto it = done.cbegin(); it != done.cend(); ++it)
                if (it.key() != it.value())
                    expected << QString::fromUtf8(it.key() + '>' + it.value());
            if (last) {
                const UndoResult undo = undoRun(store, last, errors);
                QCOMPARE(undo.plan.left.size(), size_t(0));
                QStringList undone;
                for (const RenameOutcome &o : undo.run.outcomes) {
                    QVERIFY(o.ok);
                    undone << QString::fromUtf8(o.oldBytes) + u'>' + o.newName;
                }
                undone.sort();
                QCOMPARE(undone, expected);
                QCOMPARE(undo.plan.files, qsizetype(expected.size()));
                // Runs count files, never the steps through temporary names: the rename's and
                // the undo's alike.
                const std::vector<RunSummary> runs = store.history();
                QCOMPARE(runs.size(), size_t(2));
                for (const RunSummary &run : runs)
                    QCOMPARE(run.renamedFiles, qsizetype(expected.size()));
                QCOMPARE(runs.back().journal.plannedFiles, qsizetype(expected.size()));
            }
            State original;
            for (const QByteArray &f : files)
                original.insert(f, f);
            QCOMPARE(folderState(fx.folder()), original);
        }
    }

    // A file parked under a temporary name whose last step fails goes back to its old name.
    // Cycles and chains of every length tried, with the rename of one file refused at every
    // place in turn: no file is left under a hidden temporary name, none is lost, a file kept
    // from its old name says where it is, and undo brings every file home with nothing left.
    void swapSafeStepFails_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("cycle");
        QTest::addColumn<int>("failing");
        for (const bool cycle : {true, false})
            for (const int length : {2, 3, 5})
                for (int failing = 0; failing < length; ++failing)
                    QTest::addRow("%s-%d/fails-%d", cycle ? "cycle" : "chain", length, failing)
                        << length << cycle << failing;
    }
    void swapSafeStepFails() {
        QFETCH(int, length);
        QFETCH(bool, cycle);
        QFETCH(int, failing);
        Fixture fx;
        Names names;
        QStringList pairs;
        for (int i = 0; i < length; ++i)
            names << "f" + QByteArray::number(i) + ".txt";
        for (int i = 0; i < length; ++i) {
            const QByteArray to = i + 1 < length ? names[i + 1] : cycle ? names[0] : "end.txt";
            pairs << QString::fromUtf8(names[i] + '>' + to);
        }
        makeFiles(fx.folder(), names);
        const State before = folderState(fx.folder());
        JournalStore store = fx.store();
        WatchingFileSystem fs;
        fs.failFrom = names[failing];
        fs.failWith = EPERM;
        const RenameRun run = journalledRun(store, fx.dir.path(), rowsFrom(pairs), true, &fs);
        QVERIFY(run.failedCount() > 0);
        const State after = folderState(fx.folder());
        QStringList contents;
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            QVERIFY2(!it.key().startsWith(".tallowin"), it.key().constData());
            contents << QString::fromUtf8(it.value());
        }
        QStringList expected;
        for (const QByteArray &name : names)
            expected << QString::fromUtf8(name);
        contents.sort();
        QCOMPARE(contents, expected);
        // The parked first file of a cycle finds its name taken when a step after the parking
        // succeeded and one before its return failed.
        QCOMPARE(after.contains("f0 (tallowin rescue).txt"),
                 cycle && failing >= 1 && failing <= length - 2);
        // A file under a name that is neither its own nor its row's new one is named in the
        // failure of its row.
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            if (!it.key().contains("(tallowin rescue)"))
                continue;
            bool told = false;
            for (const RenameOutcome &o : run.outcomes)
                told = told || (!o.ok && o.oldBytes == it.value() &&
                                o.message.contains(QString::fromUtf8(it.key())));
            QVERIFY2(told, it.key().constData());
        }
        CollectingErrorReporter errors;
        const UndoResult undo = undoRun(store, store.lastUndoable(), errors);
        QCOMPARE(leftText(undo.plan), QStringList());
        QCOMPARE(undo.run.failedCount(), 0);
        QCOMPARE(folderState(fx.folder()), before);
    }

    // A rename whose target is a hard link of its file goes through a temporary name and fails
    // (never replacing). Killed between the two halves, or finished with the failure: undo puts
    // the file back under its old name, leaves the link alone and reports no false alarm.
    void hardLinkTarget_data() {
        QTest::addColumn<bool>("killed");
        QTest::newRow("failed-in-a-finished-run") << false;
        QTest::newRow("killed-between-the-halves") << true;
    }
    void hardLinkTarget() {
        QFETCH(bool, killed);
        Fixture fx;
        makeFiles(fx.folder(), {"a", "c"});
        QCOMPARE(::link((fx.folder() + "/a").constData(), (fx.folder() + "/b").constData()), 0);
        const State before = folderState(fx.folder());
        const QByteArray inode = inodeOf(fx.folder() + "/a");
        JournalStore store = fx.store();
        CrashingFileSystem fs;
        if (killed)
            fs.killAfter = [](const char *, const char *to) {
                return QByteArray(to).startsWith(".tallowin-");
            };
        const auto rows = rowsFrom({"a>b", "c>d"});
        bool stopped = false;
        try {
            const RenameRun run = journalledRun(store, fx.dir.path(), rows, false, &fs);
            QCOMPARE(run.failedCount(), 1);
        } catch (const Killed &) {
            stopped = true;
        }
        QCOMPARE(stopped, killed);
        QCOMPARE(store.lastUndoable(), 1);
        CollectingErrorReporter errors;
        const UndoResult undo = undoRun(store, 1, errors);
        QCOMPARE(leftText(undo.plan), QStringList());
        QCOMPARE(undo.run.failedCount(), 0);
        // One file moves back: d to c when the run finished, a from its temporary name when not.
        QCOMPARE(undo.run.outcomes.size(), size_t(1));
        QCOMPARE(folderState(fx.folder()), before);
        QCOMPARE(inodeOf(fx.folder() + "/a"), inode);
        QCOMPARE(inodeOf(fx.folder() + "/b"), inode);
    }

    // Records the journal could not keep are told, and history never claims more than is
    // true: a run whose marks were lost reads as interrupted (undo goes by the folder), and a
    // run whose undo record was lost as partly undone, still offered to a plain undo.
    void journalRecordsLost_data() {
        QTest::addColumn<QByteArray>("lost");
        QTest::newRow("marks-and-end") << QByteArray("d ");
        QTest::newRow("undone-record") << QByteArray("undone");
    }
    void journalRecordsLost() {
        QFETCH(QByteArray, lost);
        Fixture fx;
        makeFiles(fx.folder(), {"a", "b", "c"});
        const State before = folderState(fx.folder());
        CrashingFileSystem fs;
        fs.failWrite = [&](QByteArrayView data) {
            return data.startsWith(lost) || data.startsWith("\n" + lost);
        };
        JournalStore failing(fx.state.path(), JournalStore::DefaultKeep, fs);
        JournalStore store = fx.store();
        const auto rows = rowsFrom({"a>x", "b>y", "c>z"});
        CollectingErrorReporter errors;
        if (lost == "d ") {
            const RenameRun run = journalledRun(failing, fx.dir.path(), rows);
            QCOMPARE(run.failedCount(), 0);
            QCOMPARE(run.recordError, ENOSPC);
            const RunSummary seen = store.history().back();
            QCOMPARE(seen.stateText(), QStringLiteral("interrupted"));
            QCOMPARE(seen.renamedFiles, 0);
            QCOMPARE(store.history(nullptr, true).back().renamedFiles, 3);
            const UndoResult undo = undoRun(store, store.lastUndoable(), errors);
            QCOMPARE(undo.run.failedCount(), 0);
            QCOMPARE(undo.markError, 0);
        } else {
            QCOMPARE(journalledRun(store, fx.dir.path(), rows).recordError, 0);
            const UndoResult undo = undoRun(failing, 1, errors);
            QCOMPARE(undo.run.failedCount(), 0);
            QCOMPARE(undo.markError, ENOSPC);
            QCOMPARE(folderState(fx.folder()), before);
            QCOMPARE(store.history().front().stateText(), QStringLiteral("partly undone"));
            // Offered again; that undo finds every file home and says the run is undone.
            QCOMPARE(store.lastUndoable(), 1);
            const UndoResult again = undoRun(store, 1, errors);
            QVERIFY(again.run.outcomes.empty() && again.plan.left.empty());
            QCOMPARE(again.markError, 0);
        }
        QCOMPARE(folderState(fx.folder()), before);
        QCOMPARE(store.history().front().stateText(), QStringLiteral("undone"));
        QCOMPARE(store.lastUndoable(), 0);
    }

    // A run killed with its last marks unwritten: history counts the files its folder shows
    // renamed, and an undo cut short leaves its run partly undone, offered again.
    void killedRunsCounted() {
        Fixture fx;
        Names names;
        QStringList pairs;
        for (int i = 0; i < 10; ++i) {
            names << "f" + QByteArray::number(i);
            pairs << QStringLiteral("f%1>g%1").arg(i);
        }
        makeFiles(fx.folder(), names);
        const State before = folderState(fx.folder());
        JournalStore store = fx.store();
        CrashingFileSystem fs;
        int renamed = 0;
        fs.killAfter = [&](const char *, const char *) { return ++renamed == 7; };
        // Unwinding would write the batched marks a kill loses: lose them here too.
        fs.failWrite = [](QByteArrayView data) { return data.startsWith("d "); };
        JournalStore killedStore(fx.state.path(), JournalStore::DefaultKeep, fs);
        QVERIFY_THROWS_EXCEPTION(
            Killed, journalledRun(killedStore, fx.dir.path(), rowsFrom(pairs), false, &fs));
        QCOMPARE(store.history().back().renamedFiles, 0);
        QCOMPARE(store.history(nullptr, true).back().renamedFiles, 7);
        QCOMPARE(store.history(nullptr, true).back().journal.plannedFiles, 10);

        // An undo killed after two files went back.
        CollectingErrorReporter errors;
        renamed = 0;
        fs.failWrite = nullptr;
        fs.killAfter = [&](const char *, const char *) { return ++renamed == 2; };
        QVERIFY_THROWS_EXCEPTION(Killed, undoRun(killedStore, 1, errors, nullptr, &fs));
        QCOMPARE(store.history().front().stateText(), QStringLiteral("partly undone"));
        QCOMPARE(store.lastUndoable(), 1);
        const UndoResult rest = undoRun(store, 1, errors);
        QCOMPARE(rest.run.outcomes.size(), size_t(5));
        QCOMPARE(rest.run.failedCount(), 0);
        QCOMPARE(folderState(fx.folder()), before);
        QCOMPARE(store.history().front().stateText(), QStringLiteral("undone"));
    }

    void parkedFileNeverLeftBehind() {
        Fixture fx;
        makeFiles(fx.folder(), {"a", "b"});
        JournalStore store = fx.store();
        WatchingFileSystem fs;
        fs.failFrom = "b";
        fs.failWith = EACCES;
        const RenameRun run =
            journalledRun(store, fx.dir.path(), rowsFrom({"a>b", "b>a"}), true, &fs);
        QCOMPARE(run.outcomes.size(), size_t(2));
        QCOMPARE(run.failedCount(), 2);
        QCOMPARE(run.outcomes[0].row, 0);
        QCOMPARE(QString::fromUtf8(run.outcomes[0].oldBytes), QStringLiteral("a"));
        QVERIFY(run.outcomes[0].message.contains(QStringLiteral("the file a to b")));
        QCOMPARE(folderState(fx.folder()), (State{{"a", "a"}, {"b", "b"}}));
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
