// Feeds arbitrary bytes to the journal reader as the journal files of a state folder: up to three
// runs, separated by a line "--next--", written as runs 1, 2 and 3. Each is read with and without
// its steps, the folder's history and its last undoable run are worked out, and the undo of each
// readable run is planned, once on the folder its journal names and once on a real folder the
// journal is pointed at; history looks at the folders of runs cut short. Built with
// -fsanitize=fuzzer it is a libFuzzer target; built without, it replays the files and folders
// it is given.
#include "journal/journal.h"
#include "journal/undo.h"

#include "fuzz/fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <sys/stat.h>

using namespace tallowin;

namespace {

constexpr int MaxRuns = 3;

// Made once per process: a state folder for the journals (in memory where the system has one,
// as every input is written and read several times) and a folder of a few files to plan on.
struct Folders {
    QTemporaryDir state{QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                            ? QStringLiteral("/dev/shm/tallowin-fuzz-journal-XXXXXX")
                            : QDir::tempPath() + QStringLiteral("/tallowin-fuzz-journal-XXXXXX")};
    QTemporaryDir files;
    QByteArray folderLines;
    Folders() {
        for (const char *name : {"a", "b", "x", ".tallowin-1-0.tmp"}) {
            QFile f(files.path() + u'/' + QString::fromLatin1(name));
            (void)f.open(QIODevice::WriteOnly);
        }
        struct stat st {};
        const QByteArray path = QFile::encodeName(files.path());
        if (::stat(path.constData(), &st) == 0)
            folderLines = "folder " + journalEscape(path) + "\nfolderid " +
                          QByteArray::number(qint64(st.st_dev)) + ' ' +
                          QByteArray::number(qint64(st.st_ino)) + '\n';
    }
};
Folders &folders() {
    static Folders f;
    return f;
}

void writeFile(const QByteArray &path, QByteArrayView bytes) {
    QFile f(QFile::decodeName(path));
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes.data(), bytes.size()) == bytes.size());
}

// The same journal pointed at the folder of files: its own folder lines before the plan are
// replaced by that folder's.
QByteArray pointedAtFiles(const QByteArray &text) {
    const qsizetype plan = text.indexOf("\nplan ");
    if (plan < 0)
        return {};
    QByteArray out;
    for (const QByteArray &line : text.first(plan).split('\n'))
        if (!line.startsWith("folder ") && !line.startsWith("folderid "))
            out += line + '\n';
    return out + folders().folderLines + text.sliced(plan + 1);
}

void checkPlan(const UndoPlan &plan, const Journal &journal) {
    if (plan.outcome != UndoPlan::Outcome::Ready)
        return;
    FUZZ_CHECK(plan.journal.planComplete);
    FUZZ_CHECK(plan.rows.size() + plan.left.size() <= journal.steps.size());
    FUZZ_CHECK(plan.files <= qsizetype(plan.rows.size()));
    for (const PreviewEntry &row : plan.rows)
        FUZZ_CHECK(row.checked);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));

    // Names of any bytes survive the journal's escaping.
    const QByteArray raw = input.first(qMin<qsizetype>(input.size(), 300)).toByteArray();
    const QByteArray escaped = journalEscape(raw);
    FUZZ_CHECK(!escaped.isEmpty() && !escaped.contains(' ') && !escaped.contains('\n'));
    FUZZ_CHECK(journalUnescape(escaped) == raw);

    JournalStore store(folders().state.path());
    std::vector<QByteArray> texts;
    for (QByteArrayView rest = input; texts.size() < MaxRuns;) {
        const qsizetype next = rest.indexOf("\n--next--\n");
        if (next < 0 || int(texts.size()) == MaxRuns - 1) {
            texts.push_back(rest.toByteArray());
            break;
        }
        texts.push_back(rest.first(next + 1).toByteArray());
        rest = rest.sliced(next + 10);
    }
    for (int id = 1; id <= MaxRuns; ++id) {
        if (id <= int(texts.size()))
            writeFile(store.path(id), texts[size_t(id - 1)]);
        else
            QFile::remove(QFile::decodeName(store.path(id)));
    }

    QSet<qint64> readable;
    for (int id = 1; id <= int(texts.size()); ++id) {
        Journal full, head;
        const bool ok = store.read(id, full);
        FUZZ_CHECK(store.read(id, head, false) == ok);
        if (!ok)
            continue;
        readable.insert(id);
        // A run has a time, and reading its steps changes nothing about its header and counts.
        FUZZ_CHECK(full.id == id && full.time.isValid());
        FUZZ_CHECK(head.steps.empty() && head.time == full.time && head.folder == full.folder);
        FUZZ_CHECK(head.stepCount == full.stepCount && head.isUndo == full.isUndo);
        FUZZ_CHECK(full.markedDone <= full.stepCount);
        if (full.planComplete) {
            FUZZ_CHECK(full.steps.size() == size_t(full.stepCount));
            FUZZ_CHECK(head.planComplete && head.markedDone == full.markedDone);
            FUZZ_CHECK(head.ended == full.ended && head.undoneBy == full.undoneBy);
        } else {
            FUZZ_CHECK(full.steps.empty() && full.markedDone == 0);
        }
        checkPlan(planUndo(store, id), full);
        const QByteArray pointed = pointedAtFiles(texts[size_t(id - 1)]);
        if (!pointed.isEmpty()) {
            writeFile(store.path(id), pointed);
            Journal again;
            if (store.read(id, again))
                checkPlan(planUndo(store, id), again);
            writeFile(store.path(id), texts[size_t(id - 1)]);
        }
    }

    // History lists the readable runs, passes over the rest, and never a run without a time.
    QList<QByteArray> skipped;
    const std::vector<RunSummary> runs = store.history(&skipped, true);
    FUZZ_CHECK(runs.size() == size_t(readable.size()));
    FUZZ_CHECK(runs.size() + size_t(skipped.size()) == texts.size());
    for (const RunSummary &run : runs) {
        FUZZ_CHECK(readable.contains(run.journal.id) && run.journal.time.isValid());
        // Files are counted once each: never more than the plan has steps.
        FUZZ_CHECK(run.journal.markedFiles <= run.journal.markedDone);
        FUZZ_CHECK(run.renamedFiles >= 0 && run.renamedFiles <= run.journal.stepCount);
        FUZZ_CHECK(run.journal.plannedFiles <= run.journal.stepCount);
    }
    const qint64 last = store.lastUndoable();
    FUZZ_CHECK(last == 0 || readable.contains(last));
    return 0;
}

#ifndef TALLOWIN_LIBFUZZER
#include "fuzz/replay_main.h"
#endif
