#include "files/columnsort.h"

#include "files/datetext.h"
#include "files/trailingnumber.h"
#include "shell/errorreport.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>

namespace tallowin {

namespace {

const DateText &dateFormat() {
    static const DateText text;
    return text;
}

// "YYYY MM DD hh:mm:ss" in local time: dates ordered as text. Made with localtime_r, as
// QDateTime's local time conversion is slow for a list of 100,000 files.
QString dateKey(const QDateTime &when) {
    const std::time_t secs = std::time_t(when.toSecsSinceEpoch());
    struct tm tm {};
    if (!localtime_r(&secs, &tm)) {
        const QDateTime local = when.toLocalTime();
        tm.tm_year = local.date().year() - 1900;
        tm.tm_mon = local.date().month() - 1;
        tm.tm_mday = local.date().day();
        tm.tm_hour = local.time().hour();
        tm.tm_min = local.time().minute();
        tm.tm_sec = local.time().second();
    }
    char buf[40];
    const int n = std::snprintf(buf, sizeof buf, "%04d %02d %02d %02d:%02d:%02d", tm.tm_year + 1900,
                                tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return QString::fromLatin1(buf, n);
}

template <class Less> std::vector<qsizetype> stableOrder(qsizetype n, bool descending, Less less) {
    std::vector<qsizetype> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), qsizetype(0));
    if (descending)
        std::stable_sort(order.begin(), order.end(),
                         [&](qsizetype a, qsizetype b) { return less(b, a); });
    else
        std::stable_sort(order.begin(), order.end(), less);
    return order;
}

} // namespace

std::optional<QDateTime> SortableList::dateValue(qsizetype row, int column) const {
    return dateFormat().parse(cell(row, column));
}

bool sortListByColumn(SortableList &list, qint16 column, qint32 kind, qint32 order,
                      QString *message) {
    if (kind != SortAsText && kind != SortAsNumber && kind != SortAsDate)
        return true;
    if (order == SortAscending)
        list.descending = false;
    else if (order == SortDescending)
        list.descending = true;
    const qsizetype n = list.rowCount();

    if (kind == SortAsNumber) {
        std::vector<QString> keys(static_cast<size_t>(n));
        for (qsizetype r = 0; r < n; ++r) {
            const QString text = list.cell(r, column);
            if (text.isEmpty())
                continue; // an empty cell counts as zero
            auto value = canonicalDecimal(text);
            if (!value) {
                // Checked before anything moves, so a failure leaves the list as it was.
                if (message)
                    *message = errorText(ErrorNumbers::TypeMismatch) + QStringLiteral(" (") +
                               QString::number(ErrorNumbers::TypeMismatch) + u')';
                return false;
            }
            keys[size_t(r)] = *value;
        }
        const auto permutation = stableOrder(n, list.descending, [&](qsizetype a, qsizetype b) {
            return compareDecimals(keys[size_t(a)], keys[size_t(b)]) < 0;
        });
        std::vector<QString> sortedKeys;
        sortedKeys.reserve(size_t(n));
        for (qsizetype i : permutation)
            sortedKeys.push_back(keys[size_t(i)]);
        list.reorder(permutation);
        for (qsizetype r = 0; r < n; ++r)
            list.setCell(r, column, sortedKeys[size_t(r)]);
        return true;
    }

    std::vector<QString> keys(static_cast<size_t>(n));
    for (qsizetype r = 0; r < n; ++r) {
        if (kind == SortAsDate) {
            if (const auto when = list.dateValue(r, column)) {
                keys[size_t(r)] = dateKey(*when);
                continue;
            }
        }
        keys[size_t(r)] = list.cell(r, column).toCaseFolded();
    }
    list.reorder(stableOrder(n, list.descending, [&](qsizetype a, qsizetype b) {
        return QStringView(keys[size_t(a)]).compare(QStringView(keys[size_t(b)])) < 0;
    }));
    return true;
}

QString FileEntryList::cell(qsizetype row, int column) const {
    const FileEntry &e = m_rows[size_t(row)];
    switch (column) {
    case 1:
        return e.fileName;
    case 2:
        return e.DateCreated;
    case 3:
        return e.numberAdjName;
    default:
        return {};
    }
}

void FileEntryList::setCell(qsizetype row, int column, const QString &text) {
    FileEntry &e = m_rows[size_t(row)];
    switch (column) {
    case 1:
        e.fileName = text;
        break; // display only: renames use the bytes
    case 2:
        e.DateCreated = text;
        break;
    case 3:
        e.numberAdjName = text;
        break;
    default:
        break;
    }
}

void FileEntryList::reorder(const std::vector<qsizetype> &order) {
    std::vector<FileEntry> sorted;
    sorted.reserve(order.size());
    for (qsizetype i : order)
        sorted.push_back(std::move(m_rows[size_t(i)]));
    m_rows = std::move(sorted);
}

std::optional<QDateTime> FileEntryList::dateValue(qsizetype row, int column) const {
    const FileEntry &e = m_rows[size_t(row)];
    if (column == 2 && e.created.isValid())
        return e.created;
    return SortableList::dateValue(row, column);
}

QString OrderedFileRows::cell(qsizetype row, int column) const {
    const size_t at = m_order[size_t(row)];
    switch (column) {
    case 1:
        return m_rows.name(at);
    case 2:
        return m_rows.dateText(at);
    case 3:
        return m_rows.numberText(at);
    default:
        return {};
    }
}

void OrderedFileRows::reorder(const std::vector<qsizetype> &order) {
    std::vector<quint32> sorted;
    sorted.reserve(order.size());
    for (qsizetype i : order)
        sorted.push_back(m_order[size_t(i)]);
    m_order = std::move(sorted);
}

std::optional<QDateTime> OrderedFileRows::dateValue(qsizetype row, int column) const {
    const size_t at = m_order[size_t(row)];
    if (column == 2) {
        if (const QDateTime when = m_rows.created(at); when.isValid())
            return when;
    }
    return SortableList::dateValue(row, column);
}

qint32 fileListColumnKind(int column) {
    switch (column) {
    case 1:
        return SortAsText;
    case 2:
        return SortAsDate;
    case 3:
        return SortAsNumber;
    default:
        return -1;
    }
}

qint32 ColumnSortToggle::click(int column) {
    if (column < 1 || size_t(column) > lastSortAscending.size())
        return SortAscending;
    const size_t i = size_t(column - 1);
    const bool ascending = !lastSortAscending[i];
    lastSortAscending[i] = ascending;
    return ascending ? SortAscending : SortDescending;
}

bool sortFileListByHeader(std::vector<FileEntry> &rows, ColumnSortToggle &toggle, int column,
                          QString *message) {
    FileEntryList list(rows);
    return sortListByColumn(list, qint16(column), fileListColumnKind(column), toggle.click(column),
                            message);
}

} // namespace tallowin
