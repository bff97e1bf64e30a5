#include "ui/filelistmodel.h"

#include <algorithm>
#include <limits>

namespace tallowin::ui {

FileListModel::FileListModel(QObject *parent) : QAbstractTableModel(parent) {}

int FileListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() < 0 || size_t(index.row()) >= m_rows.size())
        return {};
    const FileEntry &e = m_rows[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case NameColumn: return e.FileName;
        case DateColumn: return e.DateCreated;
        case NumberColumn: return e.NumberAdjName;
        default: return {};
        }
    }
    if (role == Qt::CheckStateRole && index.column() == NameColumn)
        return e.Checked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool FileListModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != NameColumn ||
        size_t(index.row()) >= m_rows.size())
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags FileListModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == NameColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant FileListModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn: return QStringLiteral("File Name");
    case DateColumn: return QStringLiteral("Date Created");
    case NumberColumn: return QStringLiteral("Number Adj Name");
    default: return {};
    }
}

void FileListModel::setRows(std::vector<FileEntry> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_checked = 0;
    for (const FileEntry &e : m_rows)
        m_checked += e.Checked ? 1 : 0;
    endResetModel();
    ++m_listingRevision;
    changed();
}

void FileListModel::setChecked(int row, bool on) {
    if (row < 0 || size_t(row) >= m_rows.size())
        return;
    FileEntry &e = m_rows[size_t(row)];
    if (e.Checked == on)
        return;
    e.Checked = on;
    m_checked += on ? 1 : -1;
    const QModelIndex i = index(row, NameColumn);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
    changed();
}

void FileListModel::setAllChecked(bool on) {
    for (FileEntry &e : m_rows)
        e.Checked = on;
    m_checked = on ? qsizetype(m_rows.size()) : 0;
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, NameColumn), index(int(m_rows.size()) - 1, NameColumn),
                           {Qt::CheckStateRole});
    changed();
}

void FileListModel::sortRows(std::vector<FileEntry> &rows, int column, bool ascending) {
    // Keys are made once per row: comparing 100,000 rows re-parses nothing.
    struct Key {
        double number = 0;
        qint64 date = 0;
        size_t row = 0;
    };
    std::vector<Key> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        keys[i].row = i;
        if (column == NumberColumn)
            keys[i].number = rows[i].NumberAdjName.toDouble();
        else if (column == DateColumn)
            keys[i].date = rows[i].created.isValid() ? rows[i].created.toMSecsSinceEpoch()
                                                     : std::numeric_limits<qint64>::min();
    }
    auto less = [&](const Key &a, const Key &b) {
        switch (column) {
        case NumberColumn: return a.number < b.number;
        case DateColumn: return a.date < b.date;
        default:
            return QString::compare(rows[a.row].FileName, rows[b.row].FileName,
                                    Qt::CaseInsensitive) < 0;
        }
    };
    if (ascending)
        std::stable_sort(keys.begin(), keys.end(), less);
    else
        std::stable_sort(keys.begin(), keys.end(),
                         [&](const Key &a, const Key &b) { return less(b, a); });
    std::vector<FileEntry> sorted;
    sorted.reserve(rows.size());
    for (const Key &k : keys)
        sorted.push_back(std::move(rows[k.row]));
    rows = std::move(sorted);
}

void FileListModel::changed() {
    ++m_revision;
    Q_EMIT countsChanged(qsizetype(m_rows.size()), m_checked);
}

} // namespace tallowin::ui
