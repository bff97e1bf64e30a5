#include "ui/previewmodel.h"

namespace tallowin::ui {

PreviewModel::PreviewModel(QObject *parent) : QAbstractTableModel(parent) {}

int PreviewModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_review.rows().size());
}

int PreviewModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 2; }

QVariant PreviewModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= 2)
        return {};
    const PreviewEntry &e = m_review.rows()[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return index.column() == 0 ? e.oldName : e.newName;
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
        return QStringLiteral("Original File Name");
    if (section == 1)
        return QStringLiteral("New File Name");
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
    const auto change = m_review.setChecked(index.row(), checked);
    if (!change.accepted) {
        // The view may already draw the new tick; have it read the row back.
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        Q_EMIT tickRefused(change.message);
        return false;
    }
    if (change.reordered) {
        // The first accepted change sorts the rows; a layout change keeps the scroll position.
        Q_EMIT layoutAboutToBeChanged();
        Q_EMIT layoutChanged();
        Q_EMIT dataChanged(this->index(0, 0), this->index(rowCount() - 1, 1));
    } else {
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    }
    Q_EMIT countsChanged();
    return true;
}

void PreviewModel::fill(std::vector<PreviewEntry> rows) {
    beginResetModel();
    m_review.fill(std::move(rows));
    endResetModel();
    Q_EMIT countsChanged();
}

void PreviewModel::clear() {
    beginResetModel();
    m_review.clear();
    endResetModel();
    Q_EMIT countsChanged();
}

} // namespace tallowin::ui
