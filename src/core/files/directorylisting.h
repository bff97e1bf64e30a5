#pragma once

#include "preview/progress.h"
#include "shell/errorreport.h"
#include "shell/filesystem.h"
#include "shell/locations.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

namespace tallowin {

// One row of the file list.
struct FileEntry {
    QString fileName;      // the name as text (bytes that are not UTF-8 kept as escapes)
    QByteArray nativeName; // the exact bytes of the name on disk; renames use these
    QString DateCreated;   // creation date as text ("1/1/1900" for a vanished file)
    QDateTime created;     // the same as a point in time (UTC), for sorting; invalid when unknown
    QString numberAdjName; // the number at the end of the base name, "0" when none
    bool checked = true;
};

// Rows of one listing shared by everything that reads them (the file list, its sorts, a
// preview); never changed once made, so 1,000,000 rows are never copied to be read elsewhere.
using SharedRows = std::shared_ptr<const std::vector<FileEntry>>;

// What a preview reads of a file list: the rows, and which of them are ticked, in list order.
struct TickedRows {
    SharedRows rows;
    std::vector<quint32> ticked; // indexes into *rows
};
// Every ticked row of `rows`, in their order (a copy of them is shared).
TickedRows tickedRowsOf(const std::vector<FileEntry> &rows);

// The name and type filters and the attribute options of a listing. listDirectory cleans
// the two filter texts in place, as the filter boxes show them afterwards.
struct DirectoryFilter {
    QString nameLike = QStringLiteral("*");
    QString type = QStringLiteral("*");
    bool showHidden = false;
    bool showSystem = false;
    // Without dates an ordinary file needs no lookup beyond the folder itself; rows then have
    // no DateCreated. Renaming needs no dates, and in large folders the lookups are most of
    // the listing's cost.
    bool readDates = true;
};

// Which folder a listing read: a rename refuses to work in any other folder that has since
// taken its path.
struct FolderIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool known = false;
    // The path's last component was a symbolic link to the folder when it was listed.
    bool viaLink = false;

    bool sameFolder(const FolderIdentity &o) const {
        return device == o.device && inode == o.inode;
    }
};

struct DirectoryListing {
    FolderIdentity folder;       // the folder the rows came from (of the descriptor read)
    std::vector<FileEntry> rows; // sorted by name, all ticked
    bool failed = false;         // reported with location 26; rows hold what was listed
    bool cancelled = false;      // stopped through Progress; rows hold what was listed, sorted
};

// The texts of the two count labels below the list ("12 Files Shown", "10 Files Selected").
inline QString filesShownText(qsizetype shown) {
    return QString::number(shown) + QStringLiteral(" Files Shown");
}
inline QString filesSelectedText(qsizetype ticked) {
    return QString::number(ticked) + QStringLiteral(" Files Selected");
}

// Error location of a failed listing, and of a date that could not be read.
constexpr qint32 ListingErrorLocation = Locations::ListFolder;
constexpr qint32 DateCreatedErrorLocation = Locations::FileDateCreated;

// Lists the files of `folder` that pass the filter, sorted by name, every row ticked.
// Files only: folders, sockets, FIFOs and devices never qualify, nor symbolic links to folders;
// other links are listed as links. A name starting with "." is hidden. `progress`, when given,
// is told the count after each batch of files and may cancel between files. Failures are
// reported as the system's: their errno and its text.
DirectoryListing listDirectory(const QString &folder, DirectoryFilter &filter,
                               ErrorReporter &errors, Progress *progress = nullptr,
                               FileSystem &fs = FileSystem::system());

// A filter text with the characters "/\?*:"<>|" removed; "*" when nothing is left.
QString cleanFilterText(const QString &text);
// The wildcard pattern a listing stands for, as failure reports show it ("/music/My*.mp*").
QString searchPattern(const QString &folder, const DirectoryFilter &filter);

// The creation date of the file at `path` as text: birth time where the file system keeps one,
// else the modification time; "1/1/1900" when the file does not exist. Other failures are
// reported with location 9060 and give empty text.
QString fileDateCreated(const QString &path, ErrorReporter &errors,
                        FileSystem &fs = FileSystem::system());

// Sorts rows by name ignoring case, names equal but for case by their bytes.
void sortByName(std::vector<FileEntry> &rows);
// Reorders rows in place: new row i is old row order[i]. Uses up `order`.
void applyOrder(std::vector<FileEntry> &rows, std::vector<quint32> &order);

} // namespace tallowin
