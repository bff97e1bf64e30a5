#include "journal/undo.h"

#include "rename/swapsafe.h"
#include "shell/filenamecodec.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <optional>

namespace tallowin {

namespace {

// Marked here, translated where a window shows them: translators load after these are made.
const QString ChangedReason = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::core", "it was changed since the rename: its new name no longer names that file"));
const QString TakenReason =
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "its old name is taken by another file"));

bool sameFile(const JournalFileId &a, const JournalFileId &b) {
    return a == b;
}

bool sameIgnoringCase(const QByteArray &a, const QByteArray &b) {
    return nameFromBytes(a).compare(nameFromBytes(b), Qt::CaseInsensitive) == 0;
}

using FileKey = QPair<quint64, quint64>; // device, inode

// The folder as the steps before this one leave it: names already sent back are looked up in
// `moved`, the rest on disk.
class FolderView {
public:
    FolderView(FileSystem &fs, int dirFd) : m_fs(fs), m_dirFd(dirFd) {}

    std::optional<JournalFileId> at(const QByteArray &name) const {
        const auto it = m_moved.constFind(name);
        if (it != m_moved.constEnd())
            return *it;
        JournalFileId id;
        if (!journalFileId(m_fs, m_dirFd, name, id))
            return std::nullopt;
        return id;
    }
    void move(const QByteArray &from, const QByteArray &to, const JournalFileId &id) {
        m_moved.insert(from, std::nullopt);
        m_moved.insert(to, id);
    }

private:
    FileSystem &m_fs;
    int m_dirFd;
    QHash<QByteArray, std::optional<JournalFileId>> m_moved;
};

} // namespace

UndoPlan planUndo(const JournalStore &store, qint64 id) {
    UndoPlan plan;
    if (!store.read(id, plan.journal) || !plan.journal.planComplete)
        return plan;
    const Journal &j = plan.journal;
    plan.folder = nameFromBytes(j.folder);
    FileSystem &fs = store.fileSystem();
    int dirFd = -1;
    if (!openRunFolder(fs, j, dirFd)) {
        plan.outcome = UndoPlan::Outcome::FolderGone;
        return plan;
    }
    plan.outcome = UndoPlan::Outcome::Ready;
    // The rows' current names, in one block they share.
    const auto currentNames = std::make_shared<FileRows>();
    FolderView folder(fs, dirFd);
    // The steps are walked back newest first, as if each were undone in turn; what a file
    // needs is then one rename from where it is to where it was before the run, however many
    // steps (a swap through a temporary name) it took. Its row or its left entry gathers them.
    QHash<FileKey, size_t> rowOf, leftOf;
    const auto leave = [&](const FileKey &key, const QByteArray &current,
                           const QByteArray &original, const QString &reason) {
        if (const auto row = rowOf.constFind(key); row != rowOf.constEnd()) {
            // Its later steps could go back, this one cannot: the file stays where it is.
            const PreviewEntry &r = plan.rows[*row];
            plan.left.push_back({r.oldBytes(), original, reason});
            plan.rows[*row].checked = false;
            rowOf.remove(key);
            leftOf.insert(key, plan.left.size() - 1);
            return;
        }
        if (const auto left = leftOf.constFind(key); left != leftOf.constEnd()) {
            plan.left[*left].original = original;
            return;
        }
        leftOf.insert(key, plan.left.size());
        plan.left.push_back({current, original, reason});
    };
    for (auto step = j.steps.rbegin(); step != j.steps.rend(); ++step) {
        if (step->file.inode == 0)
            continue; // the file was missing before the run: its row failed
        // A step a finished run never marked done failed then: nothing of it to take back. A
        // finished run's marks are all there, as "end" is written only after them.
        if (j.ended && !step->markedDone)
            continue;
        const auto isOurs = [&](const QByteArray &name) {
            const auto at = folder.at(name);
            return at && sameFile(*at, step->file);
        };
        QByteArray source;
        if (!step->temp.isEmpty() && isOurs(step->temp)) {
            // Cut between the two halves of a step through a temporary name, or a parked file
            // put where it could go: the file is there, whatever else its other names hold.
            source = step->temp;
        } else if (step->markedDone) {
            if (isOurs(step->to))
                source = step->to;
            else if (isOurs(step->from))
                continue; // already back where it was
        } else if (isOurs(step->to) &&
                   (!isOurs(step->from) || sameIgnoringCase(step->from, step->to))) {
            // Cut short, and its mark may be lost: the folder tells. The old name still holding
            // the file means the step did not happen (a hard link of it was the target), unless
            // the two names differ only in case, where a folder that ignores case finds the
            // file by both.
            source = step->to;
        } else if (isOurs(step->from)) {
            continue;
        }
        const FileKey key{step->file.device, step->file.inode};
        if (source.isEmpty()) {
            leave(key, step->to, step->from, ChangedReason);
            continue;
        }
        if (const auto left = leftOf.constFind(key); left != leftOf.constEnd()) {
            // A later step of this file is left, so the file stays where it is.
            plan.left[*left].original = step->from;
            continue;
        }
        // On a file system that ignores case the old name may find the file itself.
        if (source != step->from) {
            const auto taken = folder.at(step->from);
            if (taken && !sameFile(*taken, step->file)) {
                leave(key, source, step->from, TakenReason);
                continue;
            }
        }
        folder.move(source, step->from, step->file);
        if (const auto row = rowOf.constFind(key); row != rowOf.constEnd()) {
            plan.rows[*row].newName = nameFromBytes(step->from);
            continue;
        }
        PreviewEntry row;
        row.setOldBytes(source, currentNames);
        row.newName = nameFromBytes(step->from);
        row.checked = true;
        rowOf.insert(key, plan.rows.size());
        plan.rows.push_back(std::move(row));
    }
    fs.closeFolder(dirFd);
    // Rows left out above, and files that end where they are (moved away and back).
    std::erase_if(plan.rows, [](const PreviewEntry &row) {
        return !row.checked || row.oldBytes() == nameToBytes(row.newName);
    });
    plan.files = qsizetype(plan.rows.size());
    return plan;
}

UndoResult undoRun(JournalStore &store, qint64 id, ErrorReporter &errors, Progress *progress,
                   FileSystem *fs) {
    UndoResult result;
    result.plan = planUndo(store, id);
    if (result.plan.outcome != UndoPlan::Outcome::Ready)
        return result;
    if (result.plan.rows.empty()) {
        // Nothing to move and nothing left: every file is back already, as after an undo whose
        // own record was lost. Said so, with no undo run to name.
        if (result.plan.left.empty())
            result.markError = store.append(id, "undone 0");
        return result;
    }
    JournalWriter journal(store, result.plan.folder, id);
    Renamer renamer(errors, fs);
    renamer.setExactNewNames(true);
    renamer.setObserver(&journal);
    // The plan looked at the folder of the run; the renames must happen in that folder too,
    // not in whatever took its path since. The renamer checks the identity on the descriptor
    // it renames through. A link to that same folder is harmless, so links are followed.
    const FileSystem::Identity &planned = result.plan.journal.folderId;
    renamer.setExpectedFolder({planned.device, planned.inode, true, true});
    // One row per file, from where it is to where it was: files that swapped names swap back
    // through temporary names of the undo's own.
    result.run = runSwapSafe(renamer, result.plan.folder, result.plan.rows, progress);
    if (!result.run.refusal.isEmpty()) {
        result.plan.outcome = UndoPlan::Outcome::FolderGone;
        return result;
    }
    result.journalError = result.run.observerError;
    result.undoRunId = journal.id();
    // Undone only when every file went back: otherwise a plain undo offers the run again.
    const bool whole =
        result.plan.left.empty() && result.run.failedCount() == 0 && !result.run.cancelled;
    if (result.undoRunId != 0)
        result.markError = store.append(id, "undone " + QByteArray::number(result.undoRunId) +
                                                (whole ? "" : " partly"));
    if (!result.markError)
        result.markError = result.run.recordError;
    return result;
}

} // namespace tallowin
