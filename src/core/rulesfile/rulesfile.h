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

// What a read saw besides the rules.
struct ReadInfo {
    // Why the file was refused without reading (not a regular file, too large); empty else.
    QString refusal;
    // Rule lines the file holds, also those beyond the table's size.
    int ruleLines = 0;
    // The line number in the file (from 1) of each rule in the table, in table order, so that
    // a rule can be told by its line.
    std::vector<int> lineNumbers;
};

// Clears the table and fills it from the file: lines that do not split into exactly eight
// fields, and every rule beyond the table's size, are skipped (`info` counts them). Only a
// regular file of at most MaxFileSize bytes is read: anything else (a FIFO would block) is
// refused, with its words in `info->refusal` when `info` is given, else reported as below. A
// file that cannot be read is reported as the system's failure with location 19 and leaves
// the table empty. Returns false on failure.
bool read(const QString &path, RuleTable &rules, ErrorReporter &errors,
          FileSystem &fs = FileSystem::system(), ReadInfo *info = nullptr);

// Fills the table from text already in memory, as read() does after opening the file.
// Returns the number of rule lines in `bytes`, also those beyond the table's size.
int readBytes(QByteArrayView bytes, RuleTable &rules);

// Reads one "KIND|P1|...|DESCRIPTION" line; false unless it has exactly eight fields.
bool parseRuleLine(const QString &line, RuleSlot &rule);

} // namespace RulesFile
} // namespace tallowin
