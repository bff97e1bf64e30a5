#pragma once

#include "files/directorylisting.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace tallowin {

// How a column's cells are compared.
enum ColumnSortType : qint32 { SortAsText = 0, SortAsNumber = 1, SortAsDate = 2 };
enum ColumnSortOrder : qint32 { SortAscending = 3, SortDescending = 4 };

// A list with text cells as the sort sees it. Columns are numbered from 1.
class SortableList {
public:
    virtual ~SortableList() = default;
    virtual qsizetype rowCount() const = 0;
    virtual QString cell(qsizetype row, int column) const = 0;
    virtual void setCell(qsizetype row, int column, const QString &text) = 0;
    // Puts the rows in the given order: new row i is old row order[i].
    virtual void reorder(const std::vector<qsizetype> &order) = 0;
    // The point in time of a date cell; by default its text read in the listing's date format.
    virtual std::optional<QDateTime> dateValue(qsizetype row, int column) const;

    // The list's direction; a sort given neither ascending nor descending keeps it.
    bool descending = false;
};

inline const QString SortErrorTitle =
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "ListView Sort module Error"));

// Sorts the rows by one column: text ignoring case, numbers by value, dates by time. Rows with
// equal keys keep their order. After a number sort the cells show their values ("007" -> "7",
// zero as empty text). Returns false, with the list unchanged and `message` set to the
// message box text, when a number cell is not a number. Kinds other than 0 to 2 do nothing.
bool sortListByColumn(SortableList &list, qint16 column, qint32 kind, qint32 order,
                      QString *message = nullptr);

// The file list's columns: 1 "File Name" (text), 2 "Date Created" (date), 3 "Number Adj Name"
// (number).
class FileEntryList : public SortableList {
public:
    explicit FileEntryList(std::vector<FileEntry> &rows) : m_rows(rows) {}
    qsizetype rowCount() const override { return qsizetype(m_rows.size()); }
    QString cell(qsizetype row, int column) const override;
    void setCell(qsizetype row, int column, const QString &text) override;
    void reorder(const std::vector<qsizetype> &order) override;
    std::optional<QDateTime> dateValue(qsizetype row, int column) const override;

private:
    std::vector<FileEntry> &m_rows;
};

// A listing's rows in the order they are shown, as a sort sees them: cells are read from the
// rows, and a reorder moves only the order. The rows are never changed: after a number sort
// whoever shows them calls FileRows::showNumbersAsValues.
class OrderedFileRows : public SortableList {
public:
    OrderedFileRows(const FileRows &rows, std::vector<quint32> &order)
        : m_rows(rows), m_order(order) {}
    qsizetype rowCount() const override { return qsizetype(m_order.size()); }
    QString cell(qsizetype row, int column) const override;
    void setCell(qsizetype, int, const QString &) override {}
    void reorder(const std::vector<qsizetype> &order) override;
    std::optional<QDateTime> dateValue(qsizetype row, int column) const override;

private:
    const FileRows &m_rows;
    std::vector<quint32> &m_order;
};

qint32 fileListColumnKind(int column);

// Header clicks: each column alternates ascending, descending, ... from its own first click.
// A new listing does not reset it.
class ColumnSortToggle {
public:
    explicit ColumnSortToggle(int columns = 3) : lastSortAscending(size_t(columns), false) {}
    // The direction for a click on `column`, remembered for that column's next click.
    qint32 click(int column);
    std::vector<bool> lastSortAscending;
};

// A click on a file list header: sorts by that column in the toggled direction.
bool sortFileListByHeader(std::vector<FileEntry> &rows, ColumnSortToggle &toggle, int column,
                          QString *message = nullptr);

} // namespace tallowin
