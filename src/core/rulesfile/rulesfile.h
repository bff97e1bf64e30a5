#pragma once

#include "engine/ruletable.h"
#include "shell/errorreport.h"
#include "shell/filesystem.h"
#include "shell/locations.h"

#include <QString>

#include <vector>

namespace tallowin {

// Rules files (".rul"): one rule per line, the eight fields joined by "|", CR LF after every
// line. Written as UTF-8; read as UTF-8, or as Windows-1252 when the bytes are not UTF-8.
namespace RulesFile {

constexpr qint32 WriteLocation = Locations::SaveRules;
constexpr qint32 ReadLocation = Locations::LoadRules;

// The path a rules file is saved to: folder, "/", the base name as typed, ".rul".
QString savePath(const QString &folder, const QString &baseName);
QString joinFolder(const QString &folder, const QString &fileName);

// The line a rule is written as, without its line break.
QString ruleLine(const RuleSlot &rule);

enum class WriteOutcome { Written, InUse, Failed };
struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Written;
    // The message for the user when the file is in use or cannot be written to.
    QString message;
};

// Writes every filled slot, replacing an existing file. A file that cannot be written for lack
// of access or because it is busy gives InUse and its message; other failures are reported as
// the system's (errno and its text) with location 237. The old file stays whole until the new
// one is complete and synced, and stays as it was when writing fails.
WriteResult write(const QString &folder, const QString &baseName, const RuleTable &rules,
                  ErrorReporter &errors, FileSystem &fs = FileSystem::system());

// The largest rules file read: 100 rules of eight fields never need more.
constexpr qint64 MaxFileSize = qint64(4) << 20;

// A line of a rules file left out of the table, and why.
struct SkippedLine {
    enum class Why {
        NotARule,   // not eight fields separated by "|"
        UnknownKind // a rule of a kind this program does not know (a newer program's)
    };
    int line = 0; // from 1
    Why why = Why::NotARule;
    int fields = 0; // NotARule: the fields the line has
    QString kind;   // UnknownKind: the kind
};
// Why a line was skipped, in plain words ("unknown rule kind FROBNICATE").
QString skipReason(const SkippedLine &skipped);

// What a read saw besides the rules.
struct ReadInfo {
    // Why the file was refused without reading (not a regular file, too large); empty else.
    QString refusal;
    int refusalError = 0; // the errno that goes with it (EISDIR, EINVAL, EFBIG)
    // Rule lines the file holds, also those beyond the table's size.
    int ruleLines = 0;
    // The line number in the file (from 1) of each rule in the table, in table order, so that
    // a rule can be told by its line.
    std::vector<int> lineNumbers;
    // The lines that are not rules, in line order; blank lines are not listed.
    std::vector<SkippedLine> skipped;
};

// Clears the table and fills it from the file: lines that do not split into exactly eight
// fields (listed in `info`), and every rule beyond the table's size, are skipped (`info`
// counts them). Only a
// regular file of at most MaxFileSize bytes is read: anything else (a FIFO would block) is
// refused, with its words in `info->refusal` when `info` is given, else reported as below. A
// file that cannot be read is reported as the system's failure with location 19 and leaves
// the table empty. Returns false on failure.
bool read(const QString &path, RuleTable &rules, ErrorReporter &errors,
          FileSystem &fs = FileSystem::system(), ReadInfo *info = nullptr);

// Takes the rules of a kind this program does not know out of the table (they would fail every
// preview), adding their lines to `info.skipped` and taking them from its counts.
void dropUnknownKinds(RuleTable &rules, ReadInfo &info);

// read() as the windows load a rules file: a refusal is reported too, the rules of unknown
// kinds are dropped, and `skipped` holds every line left out, in line order.
bool readKnownRules(const QString &path, RuleTable &rules, ErrorReporter &errors,
                    std::vector<SkippedLine> &skipped, FileSystem &fs = FileSystem::system());

// One message for the user naming the skipped lines of the rules file `path` (at most `shown`
// of them, then how many more). Empty when nothing was skipped.
QString skippedMessage(const QString &path, const std::vector<SkippedLine> &skipped,
                       int shown = 10);

// Fills the table from text already in memory, as read() does after opening the file.
// Returns the number of rule lines in `bytes`, also those beyond the table's size.
int readBytes(QByteArrayView bytes, RuleTable &rules);

// Reads one "KIND|P1|...|DESCRIPTION" line; false unless it has exactly eight fields.
bool parseRuleLine(const QString &line, RuleSlot &rule);

} // namespace RulesFile
} // namespace tallowin
