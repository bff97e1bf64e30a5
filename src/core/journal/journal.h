#pragma once

#include "rename/renamer.h"
#include "shell/filesystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <vector>

namespace tallowin {

// A rename run as its journal tells it. The journal is written before the first rename (the
// whole plan, synced) and grows by a mark per completed rename, so that after a crash the
// plan and the folder's state together tell what happened to each row.
//
// The file is text, one record per line; names are bytes with every byte outside "!".."~"
// and "%" itself written %HH:
//   tallowin-journal 1
//   id N / time ISO-8601 / kind rename|undo / undoes N (an undo only)
//   folder BYTES / folderid DEV INO
//   files N (the files the plan moves: steps less those that park a file under a temporary
//            name; older journals lack it)
//   plan STEPS BYTES   then STEPS lines "s ROW DEV INO BIRTH FROM TO", then "plan-end"
// and then, appended as the run goes:
//   p STEP TEMP   (the step passes through a temporary name)
//   d STEP        (the step is done; written in batches, so a crash may lose the last few)
//   t STEP        (the same for a step that parks a file under a temporary name)
//   end           (the run ended, and every record before it reached the journal)
//   undone N      (run N undid this run; 0: an undo found every file back already)
//   undone N partly (run N took back some of this run's files; others could not go back)
// A line without its line end (cut by a crash) is ignored, and so is a line longer than any the
// writer makes (64 KiB).
// A file as the journal knows it: device and inode, and its birth time (nanoseconds, 0 where
// the file system keeps none), since a file made after a deletion may get the freed inode.
struct JournalFileId {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 birth = 0;
    bool operator==(const JournalFileId &o) const {
        return device == o.device && inode == o.inode && birth == o.birth;
    }
};
struct Journal;
// Opens the folder of run `journal` into `dirFd` when it is still the folder the run renamed in
// (device and inode); false, with nothing open, when it was moved, replaced or is gone, and the
// names in the journal would point at other files.
bool openRunFolder(FileSystem &fs, const Journal &journal, int &dirFd);

// The file `name` stands for in the folder `dirFd` (a link as the link); false when none.
bool journalFileId(FileSystem &fs, int dirFd, const QByteArray &name, JournalFileId &id);

struct JournalStep {
    qsizetype row = -1;
    JournalFileId file; // the file as it was before the run; inode 0 when missing then
    QByteArray from;
    QByteArray to;
    QByteArray temp; // a temporary name the step passed through, if any
    bool markedDone = false;
};

struct Journal {
    qint64 id = 0;
    QDateTime time;
    bool isUndo = false;
    qint64 undoes = 0; // the run an undo undid
    QByteArray folder;
    FileSystem::Identity folderId;
    bool planComplete = false; // false: cut before the first rename, nothing was renamed
    bool ended = false;
    std::vector<JournalStep> steps; // only when read with steps
    qsizetype stepCount = 0;
    qsizetype plannedFiles = 0; // files the plan moves (a swap's parking steps not counted)
    qsizetype markedDone = 0;   // steps marked done
    qsizetype markedFiles = 0;  // of those, the ones that took a file to its new name
    std::vector<qint64> undoneBy;
    std::vector<qint64> partlyUndoneBy;
};

// One run as `history` lists it.
struct RunSummary {
    // PartlyUndone: an undo took back some files and left others; a plain undo offers it again.
    enum class State { Complete, Interrupted, Undone, PartlyUndone };
    Journal journal; // without steps
    State state = State::Complete;
    // The files the run renamed: its marks, and for a run cut short (whose last marks may be
    // lost) also the files the folder shows under their new names, when history was asked to
    // look.
    qsizetype renamedFiles = 0;
    QString stateText() const;
};

// The folder of journals and the runs in it.
class JournalStore {
public:
    static constexpr int DefaultKeep = 50;

    // $XDG_STATE_HOME/tallowin/journal, by default ~/.local/state/tallowin/journal.
    static QString defaultFolder();
    // How many runs are kept: TALLOWIN_JOURNAL_KEEP when set to a number, else DefaultKeep.
    // Read here so that every front end keeps as many as the user asked for.
    static int defaultKeep();

    explicit JournalStore(QString folder = defaultFolder(), int keep = defaultKeep(),
                          FileSystem &fs = FileSystem::system());

    QString folder() const { return m_folder; }
    QByteArray path(qint64 id) const;
    // The ids of the runs kept, oldest first.
    std::vector<qint64> ids() const;
    // Reads run `id`; without `withSteps` only its header and counts. False when it is missing
    // or is no run's journal (no whole header and plan line: a run writes them before its first
    // rename). A plan cut short or damaged reads as a run that renamed nothing.
    bool read(qint64 id, Journal &out, bool withSteps = true) const;
    // Every run, oldest first, with its state: an undo that is itself undone no longer counts,
    // and a run whose undo never recorded how it went (cut short, or its record lost) counts as
    // partly undone. Files of the folder that are no run's journal are passed over; their
    // paths go to `skipped` when given, for the front end to say so. With `lookAtFolders`, a
    // run cut short has its renamed files counted in its folder as well as by its marks.
    std::vector<RunSummary> history(QList<QByteArray> *skipped = nullptr,
                                    bool lookAtFolders = false) const;
    // The run a plain undo takes back: the newest rename (not an undo) that renamed something
    // and is not undone; 0 when there is none.
    qint64 lastUndoable() const;

    // Makes a new journal file holding `body` and then `more` (the records after the id), synced,
    // and returns its id and an open descriptor; the oldest runs beyond the number kept are
    // removed. 0 or an errno value.
    int create(const QByteArray &body, qint64 &id, int &fd, QByteArrayView more = {});
    // Appends one record line to run `id`, synced. 0 or an errno value.
    int append(qint64 id, const QByteArray &line);

    FileSystem &fileSystem() const { return m_fs; }

private:
    void prune(qint64 newest);

    QString m_folder;
    int m_keep;
    FileSystem &m_fs;
};

// Writes the journal of one rename run: hand it to Renamer::setObserver.
class JournalWriter : public RenameObserver {
public:
    // `undoes`: the run this one undoes, 0 for a plain rename.
    JournalWriter(JournalStore &store, const QString &folder, qint64 undoes = 0);
    ~JournalWriter() override;

    int runStarting(int dirFd, const std::vector<PlannedRename> &plan) override;
    void passingThrough(qsizetype step, const QByteArray &temp) override;
    void renamed(qsizetype step) override;
    void runEnded() override;
    // Recorded as the step's passing name, so that undo finds the file there.
    void movedAfterRun(qsizetype step, const QByteArray &name) override;
    // The errno of the first record that could not be written after the plan. The run is then
    // never marked ended, so history shows it interrupted and undo goes by the folder.
    int recordError() const override { return m_error; }

    // The id of the journal written; 0 before the run started or when it renamed nothing.
    qint64 id() const { return m_id; }

private:
    void flush();
    void lost(int e);

    JournalStore &m_store;
    QByteArray m_folder;
    qint64 m_undoes;
    qint64 m_id = 0;
    int m_fd = -1;
    QByteArray m_pending;
    int m_pendingMarks = 0;
    std::vector<bool> m_parking; // per step: it takes a file to a temporary name
    int m_error = 0;
};

// Journal name escaping, for names that are bytes.
QByteArray journalEscape(const QByteArray &bytes);
void appendJournalEscaped(QByteArray &out, QByteArrayView bytes);
QByteArray journalUnescape(QByteArrayView text);

} // namespace tallowin
