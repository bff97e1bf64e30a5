#pragma once

#include "base/progress.h"
#include "preview/previewbuilder.h"
#include "shell/errorreport.h"
#include "shell/locations.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tallowin::ListFile {

constexpr qint32 PreviewLocation = Locations::ListFilePreview;

enum class Delimiter { Comma, Tab, Other };

struct Options {
    QString path;
    Delimiter delimiter = Delimiter::Comma;
    QString otherDelimiter; // used with Delimiter::Other, matched exactly
    bool header = false;    // the first line names the fields and is skipped
};

// The largest list file read, and the longest line kept: a line is cut after MaxLineLength
// bytes (no name is ever that long), so a file without line breaks never fills the memory.
constexpr qint64 MaxFileSize = qint64(1) << 30;
constexpr qsizetype MaxLineLength = qsizetype(1) << 20;

// Reading the list file as a stream; tests derive from it to make the read fail.
class Reader {
public:
    virtual ~Reader();
    // Opens a regular file (without waiting on a FIFO); `size` is its length. 0 or errno:
    // EINVAL for anything but a regular file.
    virtual int open(const QString &path, qint64 &size);
    // Up to `n` bytes; `got` is 0 at the end. 0 or errno.
    virtual int read(char *buffer, qsizetype n, qsizetype &got);
    virtual void close();

private:
    int m_fd = -1;
};

enum class Outcome {
    Loaded,  // rows hold every accepted line
    Message, // a setting or the file is wrong: `message` tells the user
    Failed,  // reported with PreviewLocation
    Cancelled
};

// Why a line of the list gives no row.
enum class SkipReason {
    NoDelimiter, // one field only
    NoOldName,   // the first field is empty
    Path,        // the old name holds "/"
    NoSuchFile,
    Folder,
    Hidden,
    NotOrdinary, // a socket, FIFO or device
    System       // a file the listing leaves out: a system file, or hidden by an attribute
};
// The reason in plain words, as the command line prints it and the window shows it
// (translated there).
QString skipReasonText(SkipReason reason);

// A line that names something but gives no row. Blank lines and the header are not listed.
struct SkippedLine {
    qsizetype line = 0; // from 1, counting the header
    QString oldName;    // as given: the first field, trimmed
    QString newName;    // as given; empty when the line has no second field
    SkipReason reason = SkipReason::NoSuchFile;
};

struct Result {
    Outcome outcome = Outcome::Loaded;
    QString message;
    std::vector<PreviewEntry> rows;
    // The lines that gave no row, in file order.
    std::vector<SkippedLine> skipped;
    // The folder as it was listed to check the names; a rename refuses another folder there.
    FolderIdentity folder;
};

// The current and new name a line gives: the line split at every occurrence of the delimiter
// (matched exactly), the first two parts with spaces trimmed from both ends. A part wholly in
// double quotes (spaces around them aside) is read as CSV reads it: a delimiter inside is
// text, and "" is one quote. In a part that is not wholly quoted every quote is removed; a
// line without any wholly quoted part, or a delimiter holding a quote, reads as before quoting
// was understood: quotes removed from the whole line, then split. False when the line has
// fewer than two parts; `current` is then the one part.
bool splitLine(QString line, const QString &delimiter, QString &current, QString &next);

// One message for the user about the skipped lines: at most `shown` of them, each with its
// line number, old name and reason, then how many more. Says too when no row is left.
// Empty when nothing was skipped.
QString skippedMessage(const std::vector<SkippedLine> &skipped, size_t rowsLeft, int shown = 10);

// Reads the list file, a block at a time, and keeps, as ticked preview rows, the lines whose
// current name is an ordinary, not hidden file in `folder`; every other line that names
// something goes to `skipped` with its reason. Lines end at CR LF, CR or LF; each
// line is read as UTF-8 when it is valid UTF-8, else as Windows-1252. A file larger than
// MaxFileSize is refused with a message.
Result load(const Options &options, const QString &folder, ErrorReporter &errors,
            Progress *progress = nullptr, Reader *reader = nullptr);

} // namespace tallowin::ListFile
