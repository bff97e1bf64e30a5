#include "cli/cli.h"

#include "journal/journal.h"
#include "journal/undo.h"
#include "rename/swapsafe.h"
#include "shell/filenamecodec.h"

#include <QFile>

#include <csignal>
#include <cstring>

namespace tallowin::cli {

namespace {

// The journal, with the crash test's switch: killed right after the Nth completed rename, as a
// crash or a kill -9 would (never in the shipped program; see testSwitches()).
class CliJournal : public JournalWriter {
public:
    CliJournal(JournalStore &store, const QString &folder, qint64 killAfter)
        : JournalWriter(store, folder), m_killAfter(killAfter) {}
    void renamed(qsizetype step) override {
        JournalWriter::renamed(step);
        if (m_killAfter > 0 && ++m_count == m_killAfter)
            std::raise(SIGKILL);
    }

private:
    qint64 m_killAfter;
    qint64 m_count = 0;
};

// The crash test's other switch: killed right after the Nth file reached a temporary name.
class KillingFileSystem : public FileSystem {
public:
    explicit KillingFileSystem(qint64 killAt) : m_left(killAt) {}
    int renameNoReplace(int dirFd, const char *from, const char *to) override {
        const int e = FileSystem::renameNoReplace(dirFd, from, to);
        if (e == 0 && std::strncmp(to, ".tallowin-", 10) == 0 && --m_left == 0)
            std::raise(SIGKILL);
        return e;
    }

private:
    qint64 m_left;
};

QByteArray nameField(const QByteArray &bytes) {
    return tsvBytes(bytes);
}

QByteArray nameJson(const QByteArray &bytes) {
    return jsonString(displayName(nameFromBytes(bytes)));
}

// JSON text cannot hold bytes that are not UTF-8: a name with some gives them escaped as well,
// as `key`, so that two such names never look alike.
QByteArray nameJson(const QByteArray &bytes, const char *key) {
    return nameJson(bytes) + bytesJson(key, nameFromBytes(bytes));
}

} // namespace

RenameRun journalledRename(ErrorReporter &errors, const QString &folder,
                           const std::vector<PreviewEntry> &rows, bool swapSafe,
                           const std::function<void(Renamer &)> &prepare) {
    const TestSwitches switches = testSwitches();
    JournalStore store;
    CliJournal journal(store, folder, switches.killAfter);
    KillingFileSystem killing(switches.killInTemporary);
    Renamer renamer(errors, switches.killInTemporary > 0 ? &killing : nullptr);
    if (prepare)
        prepare(renamer);
    if (!switches.noJournal)
        renamer.setObserver(&journal);
    RenameRun run = swapSafe ? runSwapSafe(renamer, folder, rows) : renamer.run(folder, rows);
    if (run.observerError)
        printUsageError(QStringLiteral("cannot write the rename journal in ") + store.folder() +
                        QStringLiteral(": ") +
                        QString::fromLocal8Bit(std::strerror(run.observerError)) +
                        QStringLiteral("; nothing was renamed"));
    return run;
}

QString journalLostMessage(int errnoValue) {
    return QStringLiteral("the rename journal in ") + JournalStore().folder() +
           QStringLiteral(" could not record all of this run (") +
           QString::fromLocal8Bit(std::strerror(errnoValue)) +
           QStringLiteral("); history shows it as interrupted, and undo goes by the folder");
}

int cmdHistory(const QStringList &argv) {
    QString error;
    const auto args = parseArgs(argv, {}, {}, error);
    if (!args || !args->operands.isEmpty()) {
        printUsageError(args ? QStringLiteral("history takes no operands") : error);
        return BadUsage;
    }
    const bool json = args->has(QStringLiteral("--json"));
    QByteArray out = json ? QByteArray("{\"runs\":[") : QByteArray();
    bool first = true;
    QList<QByteArray> skipped;
    // A run cut short is counted in its folder too: its last marks may be lost.
    const std::vector<RunSummary> runs = JournalStore().history(&skipped, true);
    for (const QByteArray &path : skipped)
        printUsageError(QStringLiteral("skipped a journal file that is not a rename run: ") +
                        nameFromBytes(path));
    for (const RunSummary &run : runs) {
        const Journal &j = run.journal;
        const QByteArray time = j.time.toString(Qt::ISODate).toLatin1();
        if (json) {
            out += first ? "" : ",";
            out += "{\"id\":" + QByteArray::number(j.id) + ",\"time\":\"" + time +
                   "\",\"state\":\"" + run.stateText().toLatin1() +
                   "\",\"renamed\":" + QByteArray::number(run.renamedFiles) +
                   ",\"planned\":" + QByteArray::number(j.plannedFiles) +
                   ",\"undoes\":" + QByteArray::number(j.undoes) +
                   ",\"folder\":" + nameJson(j.folder, "folderBytes") + '}';
        } else {
            writeLine({QByteArray::number(j.id), time, run.stateText().toLatin1(),
                       QByteArray::number(run.renamedFiles), QByteArray::number(j.undoes),
                       nameField(j.folder)});
        }
        first = false;
    }
    if (json)
        writeRaw(out + "]}\n");
    return Done;
}

int cmdUndo(const QStringList &argv) {
    QString error;
    const auto args = parseArgs(argv, {}, {}, error);
    if (!args || args->operands.size() > 1) {
        printUsageError(args ? QStringLiteral("undo takes at most one run") : error);
        return BadUsage;
    }
    JournalStore store;
    qint64 id = 0;
    if (args->operands.isEmpty()) {
        id = store.lastUndoable();
        if (id == 0) {
            printMessage(QStringLiteral("There is no rename to undo."));
            return BadUsage;
        }
    } else {
        bool ok = false;
        id = args->operands.first().toLongLong(&ok);
        if (!ok || id <= 0) {
            printUsageError(QStringLiteral("not a run: ") + args->operands.first());
            return BadUsage;
        }
    }
    StderrReporter errors;
    const UndoResult result = undoRun(store, id, errors);
    const UndoPlan &plan = result.plan;
    if (plan.outcome == UndoPlan::Outcome::NoSuchRun) {
        printUsageError(QStringLiteral("no run %1 in ").arg(id) + store.folder());
        return BadUsage;
    }
    if (plan.outcome == UndoPlan::Outcome::FolderGone) {
        printMessage(
            QStringLiteral("The folder ") + plan.folder +
            QStringLiteral(" of run %1 is gone or has been replaced; nothing was undone.").arg(id));
        return BadUsage;
    }
    if (result.journalError) {
        printUsageError(QStringLiteral("cannot write the rename journal in ") + store.folder() +
                        QStringLiteral(": ") +
                        QString::fromLocal8Bit(std::strerror(result.journalError)) +
                        QStringLiteral("; nothing was undone"));
        return ErrorReported;
    }
    const bool json = args->has(QStringLiteral("--json"));
    QByteArray out = json ? "{\"run\":" + QByteArray::number(id) +
                                ",\"undoRun\":" + QByteArray::number(result.undoRunId) +
                                ",\"renames\":["
                          : QByteArray();
    qsizetype back = 0;
    bool first = true;
    for (const RenameOutcome &o : result.run.outcomes) {
        const PreviewEntry &row = plan.rows[size_t(o.row)];
        const QByteArray original = nameToBytes(row.newName);
        back += o.ok ? 1 : 0;
        if (json) {
            out += first ? "" : ",";
            out += "{\"status\":" + QByteArray(o.ok ? "\"ok\"" : "\"failed\"") +
                   ",\"current\":" + nameJson(row.oldBytes(), "currentBytes") +
                   ",\"original\":" + nameJson(original, "originalBytes");
            if (!o.ok)
                out += ",\"message\":" + jsonString(o.message);
            out += '}';
        } else {
            QList<QByteArray> fields{o.ok ? "ok" : "failed", nameField(row.oldBytes()),
                                     nameField(original)};
            if (!o.ok)
                fields << tsvField(o.message);
            writeLine(fields);
        }
        first = false;
    }
    for (const UndoLeft &left : plan.left) {
        if (json) {
            out += first ? "" : ",";
            out += "{\"status\":\"left\",\"current\":" + nameJson(left.current, "currentBytes") +
                   ",\"original\":" + nameJson(left.original, "originalBytes") +
                   ",\"message\":" + jsonString(left.reason) + '}';
        } else {
            writeLine(
                {"left", nameField(left.current), nameField(left.original), tsvField(left.reason)});
        }
        first = false;
    }
    if (json)
        writeRaw(out + "]}\n");
    const qsizetype notBack =
        qsizetype(result.run.outcomes.size()) - back + qsizetype(plan.left.size());
    flushOut();
    std::fprintf(stderr, "Run %lld: %lld files back to their old names, %lld left as they are.\n",
                 static_cast<long long>(id), static_cast<long long>(back),
                 static_cast<long long>(notBack));
    if (result.markError) {
        printUsageError(QStringLiteral("the rename journal in ") + store.folder() +
                        QStringLiteral(" could not record this undo (") +
                        QString::fromLocal8Bit(std::strerror(result.markError)) +
                        QStringLiteral("); history shows run %1 as partly undone").arg(id));
        return SomeFailed;
    }
    return notBack > 0 ? SomeFailed : Done;
}

} // namespace tallowin::cli
