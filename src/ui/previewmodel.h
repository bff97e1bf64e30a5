#pragma once

#include "preview/previewreview.h"

#include <QAbstractTableModel>

namespace tallowin::ui {

// The preview rows as a two-column list with tick boxes on the first column. The review
// decides every tick: a refused one leaves the row as it was and is announced by tickRefused.
class PreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PreviewModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    void fill(std::vector<PreviewEntry> rows);
    // The same with rows prepared for the review ahead (prepareReview, off this thread).
    void fillPrepared(PreparedReview rows);
    void clear();
    const PreviewReview &review() const { return m_review; }

Q_SIGNALS:
    void tickRefused(const QString &message);
    // The counters changed (a fill, a clear or an accepted tick).
    void countsChanged();

private:
    // Where the persistent indexes `before` stand once the rows are in `order`.
    QModelIndexList movedIndexes(const QModelIndexList &before,
                                 const std::vector<quint32> &order) const;

    PreviewReview m_review;
};

} // namespace tallowin::ui
