#pragma once

#include "files/columnsort.h"
#include "files/directorylisting.h"
#include "shell/errorreport.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <array>
#include <vector>

namespace tallowin::ui {

class Job;

// The rows of the main window's file list: name, creation date, trailing number and a tick.
// A listing's rows are kept as they came, shared and never copied; the order they are shown in
// (a permutation) and the ticks are small arrays of their own. A sort builds a new order off the
// user-interface thread and ticks never move with it; the ticked count is kept as it changes,
// so 1,000,000 rows never need a walk per tick.
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

    // A new listing, shown in its own order; every row ticked unless `ticks` (one per row)
    // says otherwise.
    void setRows(FileRows rows, std::vector<char> ticks = {});
    // Rows handed over as values, with the ticks they carry.
    void setRows(std::vector<FileEntry> rows);
    // The row shown at `row` as it reads on screen (its tick and its number cell as shown). A
    // copy: for tests and small lists.
    FileEntry rowAt(int row) const;
    // Every row as rowAt gives it, in the order shown.
    std::vector<FileEntry> rows() const;
    bool isChecked(int row) const;
    // The rows and the ticked ones in the order shown, for a preview: shares the rows.
    TickedRows tickedRows() const;
    void setChecked(int row, bool on);
    void setAllChecked(bool on);
    qsizetype checkedCount() const { return m_checked; }
    // Bumped by every change of rows or ticks; a background sort uses it to see changes.
    quint64 revision() const { return m_revision; }

    // A click on the header of `column` (0..2): orders the rows in the background in the
    // direction that column's clicks alternate through, then shows them in that order. Ticks
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
    QString numberText(size_t at) const;
    // The name of row `at` as shown, from a small cache: painting asks for the same few rows
    // again and again, and each is decoded from its bytes.
    const QString &shownName(size_t at) const;

    SharedRows m_store = std::make_shared<const FileRows>();
    struct NameCacheSlot {
        size_t at = 0;
        QString text;
    };
    mutable std::array<NameCacheSlot, 256> m_names;
    std::vector<quint32> m_order; // shown row -> index into *m_store
    std::vector<char> m_ticks;    // by index into *m_store
    // After a number sort the number cells show their values ("007" as "7", zero as empty).
    bool m_numbersAsValues = false;
    qsizetype m_checked = 0;
    quint64 m_revision = 0;

    ColumnSortToggle m_toggle;
    bool m_sorting = false;
    quint64 m_sortGeneration = 0;
    QPointer<Job> m_sortJob;
    // The sort reports through sortFailed; its job has nothing else to tell.
    NullErrorReporter m_noReports;
};

} // namespace tallowin::ui
