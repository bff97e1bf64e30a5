#pragma once

#include "journal/journal.h"
#include "rename/renamer.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tallowin {

// A renamed file that an undo leaves where it is, and why.
struct UndoLeft {
    QByteArray current;  // the name the run gave it
    QByteArray original; // the name it had
    QString reason;
};

// What an undo of one run will do: the renames back, newest first, and what it leaves.
struct UndoPlan {
    enum class Outcome { Ready, NoSuchRun, FolderGone };
    Outcome outcome = Outcome::NoSuchRun;
    Journal journal;
    QString folder;
    std::vector<PreviewEntry> rows; // current name -> original name, all ticked
    qsizetype files = 0;            // the files the rows move (a swap moves one file twice)
    std::vector<UndoLeft> left;
};

// Works out how to take run `id` back, looking at the folder as it is now: each step whose
// new name still names the same file (device and inode) goes back, newest first; a step whose
// file never moved (a run cut short) needs nothing; anything else is left.
UndoPlan planUndo(const JournalStore &store, qint64 id);

struct UndoResult {
    UndoPlan plan;
    RenameRun run;        // outcomes of plan.rows
    qint64 undoRunId = 0; // the journal of this undo, 0 when it renamed nothing
    int journalError = 0; // the undo's own journal could not be written: nothing was renamed
};

// Takes run `id` back with the never-overwrite renamer; the undo is journalled as a run of its
// own (so undoing it redoes), and run `id` is marked undone by it. A folder that is no longer
// the run's folder when the renames start gives FolderGone and renames nothing.
UndoResult undoRun(JournalStore &store, qint64 id, ErrorReporter &errors,
                   Progress *progress = nullptr, FileSystem *fs = nullptr);

} // namespace tallowin
