#pragma once

#include "base/progress.h"
#include "preview/previewbuilder.h"
#include "shell/errorreport.h"
#include "shell/filesystem.h"
#include "shell/locations.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace tallowin {

// The file-system calls a rename makes, relative to an open folder. Tests derive from it to
// make calls fail or to change the folder in between.
using RenameFileSystem = FileSystem;

// Error numbers the rename tells apart.
namespace RenameErrors {
constexpr qint32 FileNotFound = ErrorNumbers::FileNotFound;
constexpr qint32 BadFileName = ErrorNumbers::BadFileName;
constexpr qint32 InvalidArgument = ErrorNumbers::InvalidProcedureCall;
constexpr qint32 AccessError = ErrorNumbers::PathFileAccessError;
constexpr qint32 AlreadyOpen = ErrorNumbers::FileAlreadyOpen;
constexpr qint32 AlreadyExists = ErrorNumbers::FileAlreadyExists;
} // namespace RenameErrors

// How a failed file-system call is told: by one of RenameErrors in the message window, or
// by its own errno in the error window.
struct RenameFailure {
    qint32 number = 0;
    bool toErrorWindow = false;
};
RenameFailure classifyRenameError(int errnoValue);

// The message-window text for one of RenameErrors; `reason` says in words why
// (failureReason() or nameProblem()).
QString renameFailureMessage(qint32 number, const QString &reason, const QString &oldName,
                             const QString &newName);

// A new name made ready for the disk: trailing dots and spaces dropped, then refused when it is
// empty, ".", "..", holds "/" or NUL, or is longer than a file name may be.
struct NewName {
    QString written;  // the name as it goes to disk
    QByteArray bytes; // its UTF-8
    bool acceptable = false;
};
NewName prepareNewName(const QString &shown);
// The name a rename of `newName` writes: trailing dots and spaces dropped unless `exact`; for
// previews to show what the rename will make.
QString writtenName(const QString &newName, bool exact = false);
// The name a row goes to: prepared as above, or exactly as given (an undo's old names).
NewName targetName(const QString &newName, bool exact);
// True when `name` can only name an entry of the folder itself.
bool isPlainFileName(const QByteArray &name);

// What became of one ticked row.
struct RenameOutcome {
    qsizetype row = -1; // index into the rows renamed
    bool ok = false;
    qint32 errorNumber = 0;
    // The failure went to the error window (location 216) instead of the message window.
    bool reported = false;
    QString message;     // the message-window text, or the error report's description
    QString reason;      // why it failed, in plain words ("permission denied")
    QByteArray oldBytes; // the old name as on disk
    QString newName;     // the name as written (or as it would have been)
    qsizetype step = -1; // its place in the run's plan (as a journal counts); -1: never tried
};

struct RenameRun {
    std::vector<RenameOutcome> outcomes; // ticked rows only, in row order
    bool cancelled = false;
    // Set when the whole run was refused and nothing renamed: the folder is not the one
    // listed. The words for the user.
    QString refusal;
    // The observer refused the run before anything was renamed (its errno), as when the
    // journal cannot be written.
    int observerError = 0;
    // The observer lost a record during the run (its errno): the renames happened, but the
    // journal does not tell all of them.
    int recordError = 0;
    qsizetype failedCount() const;
};

// A rename the run is about to make: the row and its two names as bytes.
struct PlannedRename {
    qsizetype row = -1;
    QByteArray from;
    QByteArray to;
};

// Told of a run before its first rename and after each completed one, so that a journal can
// say afterwards, even after a crash, what was renamed.
class RenameObserver {
public:
    virtual ~RenameObserver() = default;
    // Before the first rename: every rename the run will try, in order, relative to the open
    // folder `dirFd`. A nonzero errno stops the run before anything is renamed.
    virtual int runStarting(int dirFd, const std::vector<PlannedRename> &plan) = 0;
    // plan[step] is about to pass through the temporary name `temp`.
    virtual void passingThrough(qsizetype step, const QByteArray &temp) = 0;
    virtual void renamed(qsizetype step) = 0;
    virtual void runEnded() = 0;
    // After the run: the file of plan[step] was moved on to `name` (a parked file put where
    // it could go).
    virtual void movedAfterRun(qsizetype step, const QByteArray &name) {
        (void)step;
        (void)name;
    }
    // After the run: the errno of a record it could not keep, 0 when it kept them all.
    virtual int recordError() const { return 0; }
};

// Renames the ticked rows in order inside one folder, never replacing a file: a row fails when
// its target exists (unless it is the same file, as in a change of letter case only), each
// failure is told and the run goes on. Renames are made relative to the folder opened once at
// the start, so no row can reach outside it.
class Renamer {
public:
    static constexpr qint32 Location = Locations::PreviewRename;

    explicit Renamer(ErrorReporter &errors, FileSystem *fs = nullptr);

    RenameRun run(const QString &folder, const std::vector<PreviewEntry> &rows,
                  Progress *progress = nullptr);

    // The folder the rows were listed from. A run then opens `folder` without following a
    // link in its last component (unless the listing went through one) and refuses to
    // rename anything when what it opened is another folder.
    void setExpectedFolder(const FolderIdentity &folder) { m_expected = folder; }
    // Told each ticked row's outcome as soon as it is known, so a caller can show it at once.
    void setRowDone(std::function<void(const RenameOutcome &)> done) {
        m_rowDone = std::move(done);
    }
    void setObserver(RenameObserver *observer) { m_observer = observer; }
    RenameObserver *observer() const { return m_observer; }
    // New names go to disk exactly as given, trailing dots and spaces kept: an undo puts back
    // names that the rename trimmed.
    void setExactNewNames(bool exact) { m_exactNames = exact; }
    bool exactNewNames() const { return m_exactNames; }

private:
    int moveNoReplace(int dirFd, const char *from, const char *to, bool *bothKept = nullptr);
    // `stranded` gets the temporary name the file was left under when the way back failed.
    int renameOne(int dirFd, const QByteArray &from, const QByteArray &to, QByteArray &stranded);

    ErrorReporter &m_errors;
    FileSystem &m_fs;
    unsigned m_tempCounter = 0;
    FolderIdentity m_expected;
    std::function<void(const RenameOutcome &)> m_rowDone;
    RenameObserver *m_observer = nullptr;
    bool m_exactNames = false;
    qsizetype m_step = -1; // the planned rename being made
};

// The words added to a failure when the file was left under another name, `name`.
QString strandedMessage(const QString &folderPath, const QByteArray &name);

// The words of a run refused because `folder` is no longer the folder listed.
QString folderChangedMessage(const QString &folder);

} // namespace tallowin
