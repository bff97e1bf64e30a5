#include "ui/filelistmodel.h"
#include "shell/filenamecodec.h"

#include "ui/job.h"

#include "files/trailingnumber.h"

#include <algorithm>
#include <memory>
#include <numeric>

namespace tallowin::ui {

FileListModel::FileListModel(QObject *parent) : QAbstractTableModel(parent) {}

// The job's work refers to this model's reporter: it must end before the members go.
FileListModel::~FileListModel() {
    delete m_sortJob.data();
}

int FileListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_order.size());
}

int FileListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString FileListModel::numberText(size_t at) const {
    const QString text = m_store->numberText(at);
    if (!m_numbersAsValues || text.isEmpty())
        return text;
    return canonicalDecimal(text).value_or(text);
}

const QString &FileListModel::shownName(size_t at) const {
    NameCacheSlot &slot = m_names[at % m_names.size()];
    if (slot.at != at || slot.text.isNull()) {
        slot.at = at;
        slot.text = displayName(m_store->name(at));
    }
    return slot.text;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() < 0 || size_t(index.row()) >= m_order.size())
        return {};
    const quint32 at = m_order[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case NameColumn:
            return shownName(at);
        case DateColumn:
            return m_store->dateText(at);
        case NumberColumn:
            return numberText(at);
        default:
            return {};
        }
    }
    if (role == Qt::CheckStateRole && index.column() == NameColumn)
        return m_ticks[at] ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool FileListModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != NameColumn ||
        size_t(index.row()) >= m_order.size())
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
        return tr("File Name");
    case DateColumn:
        return tr("Date Created");
    case NumberColumn:
        return tr("Number Adj Name");
    default:
        return {};
    }
}

void FileListModel::setRows(std::vector<FileEntry> rows) {
    FileRows store;
    std::vector<char> ticks(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        // A row that cannot be held keeps its place, nameless and never ticked.
        ticks[i] = store.appendInPlace(rows[i]) && rows[i].checked ? 1 : 0;
    }
    setRows(std::move(store), std::move(ticks));
}

void FileListModel::setRows(FileRows rows, std::vector<char> ticks) {
    cancelSort();
    beginResetModel();
    SharedRows old = std::move(m_store);
    const size_t n = rows.size();
    m_order.resize(n);
    std::iota(m_order.begin(), m_order.end(), quint32(0));
    if (ticks.size() == n) {
        m_ticks = std::move(ticks);
        m_checked = std::count(m_ticks.begin(), m_ticks.end(), char(1));
    } else {
        m_ticks.assign(n, 1);
        m_checked = qsizetype(n);
    }
    m_store = std::make_shared<const FileRows>(std::move(rows));
    m_numbersAsValues = false;
    for (NameCacheSlot &slot : m_names)
        slot.text = QString();
    endResetModel();
    releaseOffThread(std::move(old));
    changed();
}

FileEntry FileListModel::rowAt(int row) const {
    if (row < 0 || size_t(row) >= m_order.size())
        return {};
    const quint32 at = m_order[size_t(row)];
    FileEntry e = (*m_store)[at];
    e.numberAdjName = numberText(at);
    e.checked = m_ticks[at] != 0;
    return e;
}

std::vector<FileEntry> FileListModel::rows() const {
    std::vector<FileEntry> out;
    out.reserve(m_order.size());
    for (int r = 0; r < int(m_order.size()); ++r)
        out.push_back(rowAt(r));
    return out;
}

bool FileListModel::isChecked(int row) const {
    return row >= 0 && size_t(row) < m_order.size() && m_ticks[m_order[size_t(row)]] != 0;
}

TickedRows FileListModel::tickedRows() const {
    TickedRows out;
    out.rows = m_store;
    out.ticked.reserve(size_t(m_checked));
    for (quint32 at : m_order)
        if (m_ticks[at])
            out.ticked.push_back(at);
    return out;
}

void FileListModel::setChecked(int row, bool on) {
    if (row < 0 || size_t(row) >= m_order.size())
        return;
    char &tick = m_ticks[m_order[size_t(row)]];
    if ((tick != 0) == on)
        return;
    tick = on ? 1 : 0;
    m_checked += on ? 1 : -1;
    const QModelIndex i = index(row, NameColumn);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
    changed();
}

void FileListModel::setAllChecked(bool on) {
    std::fill(m_ticks.begin(), m_ticks.end(), on ? 1 : 0);
    m_checked = on ? qsizetype(m_ticks.size()) : 0;
    if (!m_order.empty())
        Q_EMIT dataChanged(index(0, NameColumn), index(int(m_order.size()) - 1, NameColumn),
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
    struct State {
        std::vector<quint32> order;
        bool ok = true;
        QString message;
    };
    auto state = std::make_shared<State>();
    // The sort starts from the order shown, so rows with equal keys keep their places.
    state->order = m_order;
    m_sorting = true;
    auto *job = new Job(
        [state, rows = m_store, listColumn, order](Progress &, ErrorReporter &) {
            OrderedFileRows list(*rows, state->order);
            state->ok = sortListByColumn(list, qint16(listColumn), fileListColumnKind(listColumn),
                                         order, &state->message);
        },
        m_noReports, this);
    m_sortJob = job;
    connect(job, &Job::finished, this, [this, state, column, order, generation, listColumn] {
        if (generation != m_sortGeneration)
            return; // a newer sort or listing replaced these rows
        m_sorting = false;
        if (!state->ok) {
            Q_EMIT sortFailed(state->message);
            Q_EMIT sortFinished();
            return;
        }
        // Ticks belong to the rows, not to the places they are shown at: nothing to carry.
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList before = persistentIndexList();
        std::vector<quint32> placeOf;
        if (!before.isEmpty()) {
            placeOf.resize(state->order.size());
            for (size_t r = 0; r < state->order.size(); ++r)
                placeOf[state->order[r]] = quint32(r);
        }
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex &i : before)
            after << index(int(placeOf[m_order[size_t(i.row())]]), i.column());
        m_order = std::move(state->order);
        if (fileListColumnKind(listColumn) == SortAsNumber)
            m_numbersAsValues = true;
        changePersistentIndexList(before, after);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        changed();
        Q_EMIT sorted(column, order == SortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
        Q_EMIT sortFinished();
    });
    job->start();
}

void FileListModel::changed() {
    ++m_revision;
    Q_EMIT countsChanged(qsizetype(m_order.size()), m_checked);
}

} // namespace tallowin::ui
