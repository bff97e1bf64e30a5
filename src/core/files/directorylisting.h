#pragma once

#include "base/folderidentity.h"
#include "base/progress.h"
#include "shell/errorreport.h"
#include "shell/filenamecodec.h"
#include "shell/filesystem.h"
#include "shell/locations.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <ctime>
#include <limits>
#include <memory>
#include <vector>

namespace tallowin {

// One row of the file list as a value of its own: for small lists, tests and hand-overs. A
// listing keeps its rows as FileRows.
struct FileEntry {
    QString fileName;      // the name as text (bytes that are not UTF-8 kept as escapes)
    QByteArray nativeName; // the exact bytes of the name on disk; renames use these
    QString DateCreated;   // creation date as text ("1/1/1900" for a vanished file)
    QDateTime created;     // the same as a point in time (UTC), for sorting; invalid when unknown
    QString numberAdjName; // the number at the end of the base name, "0" when none
    bool checked = true;

    QByteArray nameBytes() const {
        return nativeName.isEmpty() ? nameToBytes(fileName) : nativeName;
    }
};

// The rows of one listing in little memory: 1,000,000 of them must fit beside each other in a
// window and a preview. Each name is kept once, as its bytes in one block; the date as a point
// in time and the trailing number as its length at the end of the base name (so a number of
// any length stays exact). Their texts are made when asked for: when a cell is painted, a rule
// runs or a line is printed.
class FileRows {
public:
    size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    void reserve(size_t rows, qsizetype nameBytes);

    // The exact bytes of the name on disk; renames use these.
    QByteArrayView nameBytes(size_t i) const {
        const Row &r = m_rows[i];
        return {m_names.constData() + r.offset, qsizetype(r.length)};
    }
    // The name as text (bytes that are not UTF-8 kept as escapes).
    QString name(size_t i) const;
    // The creation date as the list shows it: "" when unknown, "1/1/1900" for a vanished file.
    QString dateText(size_t i) const;
    // The creation date as a point in time (UTC); invalid when unknown.
    QDateTime created(size_t i) const;
    // Seconds since the epoch of the creation date; false when unknown or vanished.
    bool createdSecs(size_t i, std::time_t &secs) const;
    bool vanished(size_t i) const { return m_rows[i].created == Vanished; }
    // The number at the end of the base name, "0" when none; after a number sort, its value
    // ("007" as "7", zero as "").
    QString numberText(size_t i) const;
    // The row as one value (ticked).
    FileEntry operator[](size_t i) const;
    // Every row as a value: for small lists and tests.
    std::vector<FileEntry> entries() const;

    // Adds a row. `createdMSecs` is ignored unless `timed`; a row neither timed nor vanished has
    // no date. `numberLength` as trailingNumberLength gives it. False, with nothing added, when
    // the row cannot be held: a name over 65,535 bytes, or names beyond 4 GiB in all (a row
    // must never point at another file's name).
    bool append(QByteArrayView nameBytes, bool timed, qint64 createdMSecs, bool vanished,
                qsizetype numberLength);
    // Adds a row made elsewhere; its date text is taken as it would be listed.
    bool append(const FileEntry &row);
    // The same, but a row that cannot be held leaves a nameless row in its place, so indexes
    // into the caller's list stay right; false then.
    bool appendInPlace(const FileEntry &row) {
        const bool held = append(row);
        if (!held)
            appendName({});
        return held;
    }
    // Adds a row of a name alone: no date and no number.
    bool appendName(QByteArrayView nameBytes) { return append(nameBytes, false, 0, false, 0); }
    // The most bytes of names one FileRows holds.
    static constexpr qint64 MaxNameBytes = qint64(0xFFFFFFFFu);
    // Reorders the rows: new row i is old row order[i]. The names stay where they are.
    void reorder(const std::vector<quint32> &order);
    // Number cells show their values from now on (after a number sort).
    void showNumbersAsValues() { m_numbersAsValues = true; }

    // Rows as values, for range-for over small lists and tests.
    class const_iterator {
    public:
        using value_type = FileEntry;
        using difference_type = std::ptrdiff_t;
        const_iterator(const FileRows *rows, size_t at) : m_rows(rows), m_at(at) {}
        FileEntry operator*() const { return (*m_rows)[m_at]; }
        const_iterator &operator++() {
            ++m_at;
            return *this;
        }
        bool operator==(const const_iterator &o) const { return m_at == o.m_at; }
        bool operator!=(const const_iterator &o) const { return m_at != o.m_at; }

    private:
        const FileRows *m_rows;
        size_t m_at;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_rows.size()}; }

private:
    static constexpr qint64 NoDate = std::numeric_limits<qint64>::min();
    static constexpr qint64 Vanished = NoDate + 1;
    struct Row {
        quint32 offset;       // of the name in m_names
        quint16 length;       // of the name in bytes
        quint16 numberLength; // of the trailing number; 0 when none
        qint64 created;       // ms since the epoch (UTC), or NoDate or Vanished
    };
    static_assert(sizeof(Row) == 16);
    QByteArray m_names;
    std::vector<Row> m_rows;
    bool m_numbersAsValues = false;
};

// Rows of one listing shared by everything that reads them (the file list, its sorts, a
// preview); never changed once made, so 1,000,000 rows are never copied to be read elsewhere.
using SharedRows = std::shared_ptr<const FileRows>;

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

struct DirectoryListing {
    FolderIdentity folder;  // the folder the rows came from (of the descriptor read)
    FileRows rows;          // sorted by name, all ticked
    bool failed = false;    // reported with location 26; rows hold what was listed
    bool cancelled = false; // stopped through Progress; rows hold what was listed, sorted
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

} // namespace tallowin
