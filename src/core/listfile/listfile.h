#pragma once

#include "preview/previewbuilder.h"
#include "preview/progress.h"
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

// Reading the list file; tests derive from it to make the read fail.
class Reader {
public:
    virtual ~Reader() = default;
    // 0, or the errno of the failure.
    virtual int readAll(const QString &path, QByteArray &bytes);
};

enum class Outcome {
    Loaded,  // rows hold every accepted line
    Message, // a setting or the file is wrong: `message` tells the user
    Failed,  // reported with PreviewLocation
    Cancelled
};

struct Result {
    Outcome outcome = Outcome::Loaded;
    QString message;
    std::vector<PreviewEntry> rows;
};

// The current and new name a line gives: double quotes removed, split at every occurrence of
// the delimiter, the first two parts with spaces trimmed from both ends. False when the line
// has fewer than two parts.
bool splitLine(QString line, const QString &delimiter, QString &current, QString &next);

// Reads the list file and keeps, as ticked preview rows, the lines whose current name is an
// ordinary, not hidden file in `folder`. Lines end at CR LF, CR or LF; the bytes are UTF-8 when
// valid, else Windows-1252.
Result load(const Options &options, const QString &folder, ErrorReporter &errors,
            Progress *progress = nullptr, Reader *reader = nullptr);

} // namespace tallowin::ListFile
