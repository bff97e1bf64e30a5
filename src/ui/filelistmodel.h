#pragma once

#include "files/columnsort.h"
#include "files/directorylisting.h"
#include "shell/errorreport.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

namespace tallowin::ui {

class Job;

// The rows of the main window's file list: name, creation date, trailing number and a tick.
// Whole listings arrive at once (one model reset); ticks change one row or all rows at once,
// and the ticked count is kept as it changes, so 100,000 rows never need a walk per tick.
// The model sorts itself off the user-interface thread, as a header click asks.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, DateColumn = 1, NumberColumn = 2, ColumnCount = 3 };

    explicit FileListModel(QObject *parent = nullptr);
    // Stops a running sort and waits for it.
    ~FileListModel() override;

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

    // A click on the header of `column` (0..2): sorts a copy of the rows in the background in
    // the direction that column's clicks alternate through, then puts them in place. Ticks
    // changed meanwhile are kept. A later sort or new rows replace a running one.
    void sortByColumn(int column);
    // Forgets a running sort; its result is never put in place and no signal follows.
    void cancelSort();
    bool isSorting() const { return m_sorting; }

Q_SIGNALS:
    // Emitted after every change of rows or ticks.
    void countsChanged(qsizetype shown, qsizetype selected);
    // A sort put its rows in place, in `order` of `column`.
    void sorted(int column, Qt::SortOrder order);
    // A sort could not order the rows (a number cell that is not a number); rows unchanged.
    void sortFailed(const QString &message);
    // A sort ended, in place or failed (not when it was replaced or cancelled).
    void sortFinished();

private:
    void changed();
    std::vector<FileEntry> m_rows;
    qsizetype m_checked = 0;
    quint64 m_revision = 0;
    quint64 m_listingRevision = 0;

    ColumnSortToggle m_toggle;
    bool m_sorting = false;
    quint64 m_sortGeneration = 0;
    QPointer<Job> m_sortJob;
    // The sort reports through sortFailed; its job has nothing else to tell.
    NullErrorReporter m_noReports;
};

} // namespace tallowin::ui
