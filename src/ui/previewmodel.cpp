#include "ui/previewmodel.h"
#include "rename/renamer.h"
#include "shell/filenamecodec.h"
#include "ui/job.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <utility>

namespace tallowin::ui {

PreviewModel::PreviewModel(QObject *parent) : QAbstractTableModel(parent) {}

int PreviewModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_review.rows().size());
}

int PreviewModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant PreviewModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= 2)
        return {};
    const PreviewEntry &e = m_review.rows()[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        // Name bytes that are not UTF-8 show as U+FFFD; the rows keep them. A new name shows
        // as the rename will write it.
        return displayName(index.column() == 0 ? e.oldName() : writtenName(e.newName));
    case Qt::CheckStateRole:
        if (index.column() == 0)
            return e.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return tr("Original File Name");
    if (section == 1)
        return tr("New File Name");
    return {};
}

Qt::ItemFlags PreviewModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool PreviewModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole ||
        index.row() >= rowCount())
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    // The first accepted change sorts the rows. The view's current row and selection must
    // follow their files, or the next key press would tick another file.
    const bool maySort = !m_review.sortedByOldName();
    if (maySort)
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    auto change = m_review.setChecked(index.row(), checked);
    if (maySort) {
        const QModelIndexList before = persistentIndexList();
        if (change.reordered && !before.isEmpty())
            changePersistentIndexList(before, movedIndexes(before, *change.order));
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
    releaseOffThread(std::move(change.replaced));
    if (!change.accepted) {
        // The view may already draw the new tick; have it read the row back.
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        Q_EMIT tickRefused(change.message);
        return false;
    }
    if (!change.reordered)
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    Q_EMIT countsChanged();
    return true;
}

QModelIndexList PreviewModel::movedIndexes(const QModelIndexList &before,
                                           const std::vector<quint32> &order) const {
    // A few indexes among a million rows: one pass over the order, with no table of a million
    // places made for them.
    std::vector<std::pair<quint32, int>> wanted; // (old row, new row)
    wanted.reserve(size_t(before.size()));
    for (const QModelIndex &i : before)
        wanted.emplace_back(quint32(i.row()), i.row());
    std::sort(wanted.begin(), wanted.end());
    for (size_t r = 0; r < order.size(); ++r) {
        auto it = std::lower_bound(wanted.begin(), wanted.end(), std::pair(order[r], INT_MIN));
        for (; it != wanted.end() && it->first == order[r]; ++it)
            it->second = int(r);
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before) {
        const auto it =
            std::lower_bound(wanted.begin(), wanted.end(), std::pair(quint32(i.row()), INT_MIN));
        after << index(it->second, i.column());
    }
    return after;
}

void PreviewModel::fill(std::vector<PreviewEntry> rows) {
    beginResetModel();
    PreparedReview old = m_review.takeAll();
    m_review.fill(std::move(rows));
    endResetModel();
    freeOffThread(std::move(old));
    Q_EMIT countsChanged();
}

void PreviewModel::fillPrepared(PreparedReview rows) {
    beginResetModel();
    PreparedReview old = m_review.takeAll();
    auto unused = m_review.fill(std::move(rows));
    endResetModel();
    // Everything of a million rows is freed on the release thread, never here.
    freeOffThread(std::move(old));
    releaseOffThread(std::move(unused));
    Q_EMIT countsChanged();
}

void PreviewModel::clear() {
    beginResetModel();
    PreparedReview old = m_review.takeAll();
    endResetModel();
    freeOffThread(std::move(old));
    Q_EMIT countsChanged();
}

} // namespace tallowin::ui
