#pragma once

#include "files/directorylisting.h"

#include <QAbstractTableModel>

#include <vector>

namespace tallowin::ui {

// The rows of the main window's file list: name, creation date, trailing number and a tick.
// Whole listings arrive at once (one model reset); ticks change one row or all rows at once,
// and the ticked count is kept as it changes, so 100,000 rows never need a walk per tick.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, DateColumn = 1, NumberColumn = 2, ColumnCount = 3 };

    explicit FileListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    void setRows(std::vector<FileEntry> rows);
    const std::vector<FileEntry> &rows() const { return m_rows; }
    void setChecked(int row, bool on);
    void setAllChecked(bool on);
    qsizetype checkedCount() const { return m_checked; }
    // Bumped by every change of rows or ticks; a background sort uses it to see changes.
    quint64 revision() const { return m_revision; }
    // Bumped only when the rows themselves are replaced.
    quint64 listingRevision() const { return m_listingRevision; }

Q_SIGNALS:
    // Emitted after every change of rows or ticks.
    void countsChanged(qsizetype shown, qsizetype selected);

private:
    void changed();
    std::vector<FileEntry> m_rows;
    qsizetype m_checked = 0;
    quint64 m_revision = 0;
    quint64 m_listingRevision = 0;
};

} // namespace tallowin::ui
