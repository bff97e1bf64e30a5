#include "ui/filelistmodel.h"
#include "files/filenamecodec.h"

#include "ui/job.h"

#include <QHash>

#include <memory>

namespace tallowin::ui {

FileListModel::FileListModel(QObject *parent) : QAbstractTableModel(parent) {}

// The job's work refers to this model's reporter: it must end before the members go.
FileListModel::~FileListModel() {
    delete m_sortJob.data();
}

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
        case NameColumn:
            return displayName(e.fileName);
        case DateColumn:
            return e.DateCreated;
        case NumberColumn:
            return e.numberAdjName;
        default:
            return {};
        }
    }
    if (role == Qt::CheckStateRole && index.column() == NameColumn)
        return e.checked ? Qt::Checked : Qt::Unchecked;
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
    case NameColumn:
        return QStringLiteral("File Name");
    case DateColumn:
        return QStringLiteral("Date Created");
    case NumberColumn:
        return QStringLiteral("Number Adj Name");
    default:
        return {};
    }
}

void FileListModel::setRows(std::vector<FileEntry> rows) {
    cancelSort();
    beginResetModel();
    m_rows = std::move(rows);
    m_checked = 0;
    for (const FileEntry &e : m_rows)
        m_checked += e.checked ? 1 : 0;
    endResetModel();
    ++m_listingRevision;
    changed();
}

void FileListModel::setChecked(int row, bool on) {
    if (row < 0 || size_t(row) >= m_rows.size())
        return;
    FileEntry &e = m_rows[size_t(row)];
    if (e.checked == on)
        return;
    e.checked = on;
    m_checked += on ? 1 : -1;
    const QModelIndex i = index(row, NameColumn);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
    changed();
}

void FileListModel::setAllChecked(bool on) {
    for (FileEntry &e : m_rows)
        e.checked = on;
    m_checked = on ? qsizetype(m_rows.size()) : 0;
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, NameColumn), index(int(m_rows.size()) - 1, NameColumn),
                           {Qt::CheckStateRole});
    changed();
}

void FileListModel::cancelSort() {
    ++m_sortGeneration;
    m_sorting = false;
    if (m_sortJob)
        m_sortJob->cancel();
}

void FileListModel::sortByColumn(int column) {
    if (column < 0 || column >= ColumnCount)
        return;
    const int listColumn = column + 1;
    const qint32 order = m_toggle.click(listColumn);
    cancelSort();
    const quint64 generation = m_sortGeneration;
    const quint64 revision = m_revision;
    struct State {
        std::vector<FileEntry> rows;
        bool ok = true;
        QString message;
    };
    auto state = std::make_shared<State>();
    state->rows = m_rows;
    m_sorting = true;
    auto *job = new Job(
        [state, listColumn, order](Progress &, ErrorReporter &) {
            FileEntryList list(state->rows);
            state->ok = sortListByColumn(list, qint16(listColumn), fileListColumnKind(listColumn),
                                         order, &state->message);
        },
        m_noReports, this);
    m_sortJob = job;
    connect(job, &Job::finished, this, [this, state, column, order, generation, revision] {
        if (generation != m_sortGeneration)
            return; // a newer sort or listing replaced these rows
        m_sorting = false;
        if (!state->ok) {
            Q_EMIT sortFailed(state->message);
            Q_EMIT sortFinished();
            return;
        }
        // Ticks changed while sorting: carry them over by name (unique in a folder).
        if (revision != m_revision) {
            QHash<QByteArray, bool> ticks;
            ticks.reserve(qsizetype(m_rows.size()));
            for (const FileEntry &e : m_rows)
                ticks.insert(e.nativeName, e.checked);
            for (FileEntry &e : state->rows)
                e.checked = ticks.value(e.nativeName, e.checked);
        }
        // Not setRows: the rows are the same listing, only in another order.
        beginResetModel();
        m_rows = std::move(state->rows);
        m_checked = 0;
        for (const FileEntry &e : m_rows)
            m_checked += e.checked ? 1 : 0;
        endResetModel();
        changed();
        Q_EMIT sorted(column, order == SortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
        Q_EMIT sortFinished();
    });
    job->start();
}

void FileListModel::changed() {
    ++m_revision;
    Q_EMIT countsChanged(qsizetype(m_rows.size()), m_checked);
}

} // namespace tallowin::ui
