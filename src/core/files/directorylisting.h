#pragma once

#include "preview/progress.h"
#include "shell/errorreport.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace tallowin {

// One row of the file list.
struct FileEntry {
    QString FileName;      // the name as shown (bytes that are not UTF-8 shown as U+FFFD)
    QByteArray nativeName; // the exact bytes of the name on disk; renames use these
    QString DateCreated;   // creation date as text ("1/1/1900" for a vanished file)
    QDateTime created;     // the same as a value, for sorting; invalid when unknown
    QString NumberAdjName; // the number at the end of the base name, "0" when none
    bool Checked = true;
};

// The name and type filters and the attribute options of a listing. GetDirectoryFiles cleans
// the two filter texts in place, as the filter boxes show them afterwards.
struct DirectoryFilter {
    QString nameLike = QStringLiteral("*");
    QString type = QStringLiteral("*");
    bool showHidden = false;
    bool showSystem = false;
};

struct DirectoryListing {
    std::vector<FileEntry> rows; // sorted by name, all ticked
    bool failed = false;         // reported with location 26; rows hold what was listed
    bool cancelled = false;
};

// Lists the files of `folder` that pass the filter, sorted by name, every row ticked.
DirectoryListing GetDirectoryFiles(const QString &folder, DirectoryFilter &filter,
                                   ErrorReporter &errors, Progress *progress = nullptr);

} // namespace tallowin
