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
    // One row per file: its current name -> its name before the run, all ticked. A file the
    // run moved through a temporary name has one row, and no temporary name shows.
    std::vector<PreviewEntry> rows;
    qsizetype files = 0; // the files the rows move

    std::vector<UndoLeft> left;
};

// Works out how to take run `id` back, looking at the folder as it is now: each file whose
// new name still names it (device and inode) goes back to its name before the run; a file that
// never moved (a run cut short, a failed step) needs nothing; anything else is left, once per
// file.
UndoPlan planUndo(const JournalStore &store, qint64 id);

struct UndoResult {
    UndoPlan plan;
    RenameRun run;        // outcomes of plan.rows
    qint64 undoRunId = 0; // the journal of this undo, 0 when it renamed nothing
    int journalError = 0; // the undo's own journal could not be written: nothing was renamed
    // A record of the undo could not be written (its errno): the files went back as `run`
    // says, but history cannot show how the undo went (see JournalStore::history).
    int markError = 0;
};

// Takes run `id` back with the never-overwrite renamer; the undo is journalled as a run of its
// own (so undoing it redoes), and run `id` is marked undone by it. A folder that is no longer
// the run's folder when the renames start gives FolderGone and renames nothing.
UndoResult undoRun(JournalStore &store, qint64 id, ErrorReporter &errors,
                   Progress *progress = nullptr, FileSystem *fs = nullptr);

} // namespace tallowin
