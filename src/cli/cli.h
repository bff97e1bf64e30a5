#pragma once

#include "engine/ruletable.h"
#include "files/directorylisting.h"
#include "preview/previewbuilder.h"
#include "rename/renamer.h"
#include "shell/errorreport.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace tallowin::cli {

enum ExitCode { Done = 0, SomeFailed = 1, BadUsage = 2, ErrorReported = 3 };

// The command line after the command name: options in the order given, and the operands.
struct Args {
    std::vector<std::pair<QString, QString>> options; // name (with "--"), value ("" for flags)
    QStringList operands;

    bool has(const QString &name) const;
    QString value(const QString &name) const; // the last one given
    QStringList values(const QString &name) const;
};

// Splits argv. `withValue` names the options that take a value. Fails with a message on an
// unknown option or a missing value.
std::optional<Args> parseArgs(const QStringList &argv, const QStringList &withValue,
                              const QStringList &flags, QString &error);

// Options every command accepts.
inline const QStringList CommonFlags = {QStringLiteral("--json"), QStringLiteral("--help"),
                                        QStringLiteral("--version")};
inline const QStringList RuleOptions = {QStringLiteral("--rules"), QStringLiteral("--rule")};
inline const QStringList FilterOptions = {QStringLiteral("--name-like"), QStringLiteral("--type")};
inline const QStringList FilterFlags = {QStringLiteral("--hidden"), QStringLiteral("--system")};

// Fills the table from --rules files and --rule lines, in the order given. Returns false (and
// prints why) when a rules file cannot be read or a --rule line has not eight fields or names
// a rule kind this program does not know. A rules file's line of an unknown kind, or that is
// not a rule at all, is skipped, and told on stderr with its line number and why.
bool loadRules(const Args &args, RuleTable &rules, ErrorReporter &errors);

// True when `path` (its exact bytes) names a folder, or a link to one.
bool isFolder(const QString &path);

// Lists `dir` with the FILTERS options of `args` (--name-like, --type, --hidden, --system).
// Returns Done; BadUsage (told on stderr) when `dir` is not a folder; ErrorReported when the
// listing failed (its report printed), with `listing.rows` holding what was listed. Without
// `dates` the rows carry no creation dates, which previews and renames do not need.
int listFolder(const Args &args, const QString &dir, DirectoryListing &listing, bool dates = true);

// Prints error reports to stderr as the error window would show them.
class StderrReporter : public ErrorReporter {
public:
    using ErrorReporter::report;
    void report(const ErrorReport &r) override;
    int count = 0;
    // Reports printed by every reporter of the process: any at all makes the exit status 3.
    static int printedInProcess();
};

// One line of text for the terminal, a message or a path in it, escaped as a tab-separated
// field is but for the backslash, which is left as it is: tab, LF and CR are written \t \n
// \r; other control characters (ESC, for one, would start an escape sequence) as the \xHH of
// their UTF-8; a name's bytes that are not UTF-8 as \xHH.
QByteArray terminalText(const QString &text);

// A message-window text on stderr, as one line (terminalText).
void printMessage(const QString &text);
void printUsageError(const QString &text);

// One tab-separated field: backslash, tab, LF and CR escaped, other control characters
// (C0, DEL and C1) written \xHH as the bytes of their UTF-8.
QByteArray tsvField(const QString &field);
// The same for a name kept as raw bytes: bytes that are not UTF-8 are written \xHH.
QByteArray tsvBytes(const QByteArray &bytes);
void writeLine(const QList<QByteArray> &fields);
void flushOut();

QByteArray jsonString(const QString &s);
void writeRaw(const QByteArray &bytes);

// Rows of a run on stdout, written in batches: every 64 rows or 50 ms, whichever comes first,
// and each row at once when stdout is a terminal. One write per row would cost more than the
// rename itself when piped; the journal records every finished row, so a run killed between
// batches still tells what it did through `history`.
class RowOutput {
public:
    RowOutput();
    ~RowOutput() { flush(); }
    void add(const QByteArray &row);
    void flush();

private:
    QByteArray m_pending;
    int m_rows = 0;
    bool m_eachRow = false;
    qint64 m_since = 0; // when the first pending row came, in ms of a steady clock
};

// A row's old name as a field: from the exact bytes on disk when the row has them.
QByteArray oldNameField(const PreviewEntry &row);
// For JSON, which cannot hold bytes that are not UTF-8: ",\"oldBytes\":" and the escaped
// bytes when the old name has such bytes, else nothing.
QByteArray oldBytesJson(const PreviewEntry &row);
// The same for any name: ",\"<key>\":" and the escaped bytes when `name` holds bytes that
// are not UTF-8, else nothing.
QByteArray bytesJson(const char *key, const QString &name);

// Prints preview rows as TICK<TAB>OLD<TAB>NEW lines, or as one JSON document; `jsonMore`
// (",\"name\":value" members) goes into that document after the rows. With `asWritten` NEW is
// the name a rename writes (trailing dots and spaces dropped), else as the rules made it.
void printPreviewRows(const std::vector<PreviewEntry> &rows, bool json,
                      const QByteArray &jsonMore = {}, bool asWritten = true);
// Builds the preview of `names` with `rules`; prints it, or hands the rows to `rowsOut`.
// Returns the exit status.
int runPreview(const RuleTable &rules, const QString &folder, const QStringList &names, bool json,
               std::vector<PreviewEntry> *rowsOut);

// Lists DIR (the one operand) with the FILTERS options and builds the preview of its files
// with the RULES options. Returns the exit status; on Done, `folder` and `rows` hold the result
// and `identity`, when given, the folder as it was listed.
int previewFolder(const Args &args, QString &folder, std::vector<PreviewEntry> &rows,
                  FolderIdentity *identity = nullptr);
// Renames the ticked rows inside `folder`, printing a line per row as each is done: `ok` or
// `failed` per ticked row, `skipped` with its reason per unticked row (`untickedByUser` holds
// the old names unticked by --untick). A folder that is not the one listed (`identity`) is
// refused as a whole. Returns Done, SomeFailed when a rename failed, BadUsage when refused.
// `jsonMore` goes into the JSON document after the renames, as in printPreviewRows.
int renameRows(const QString &folder, const std::vector<PreviewEntry> &rows, bool json,
               const FolderIdentity &identity = {}, const QSet<QByteArray> &untickedByUser = {},
               bool swapSafe = false, const QByteArray &jsonMore = {});
// With `swapSafe`, swaps and chains among the rows succeed (see runSwapSafe).
// Renames the rows with the run journalled, so that `undo` can take it back. A journal that
// cannot be written stops the run before anything is renamed (told on stderr). `prepare` sets
// up the renamer (expected folder, row callback) before the run.
RenameRun journalledRename(ErrorReporter &errors, const QString &folder,
                           const std::vector<PreviewEntry> &rows, bool swapSafe,
                           const std::function<void(Renamer &)> &prepare = {});

// Said when a journal record could not be written after a run had begun (`errnoValue`).
QString journalLostMessage(int errnoValue);

// Switches the crash test and the benchmarks drive the program by. tallowin-cli has none
// (switches_none.cpp): a stray variable must never take undo away from a user. The tests'
// tallowin-cli-testing, never installed, reads them (switches_testing.cpp).
struct TestSwitches {
    qint64 killAfter = 0; // kill -9 itself right after this many renames (0: never)
    // kill -9 itself right after this many files reached a temporary name (0: never)
    qint64 killInTemporary = 0;
    bool noJournal = false; // rename without a journal, to measure what the journal costs
};
TestSwitches testSwitches();

// The commands.
int cmdList(const QStringList &argv);
int cmdPreview(const QStringList &argv);
int cmdRename(const QStringList &argv);
int cmdApply(const QStringList &argv);
int cmdListFile(const QStringList &argv);
int cmdTags(const QStringList &argv);
int cmdHistory(const QStringList &argv);
int cmdUndo(const QStringList &argv);

} // namespace tallowin::cli
