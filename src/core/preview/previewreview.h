#pragma once

#include "preview/previewbuilder.h"

#include <QString>

#include <memory>
#include <vector>

namespace tallowin {

inline const QString DuplicateRefusedMessage = QStringLiteral(
    "Unable to select this file, this would create a duplicate file name which is not allowed "
    "by Linux.");

// Rows with everything a review needs to answer a tick at once: which rows clash, how many of
// each clash are ticked, and the rows in order of their old names. Made by prepareReview()
// where the rows are made, off the user-interface thread: for a million rows this is seconds
// of work, a tick then a few steps.
struct PreparedReview {
    std::shared_ptr<std::vector<PreviewEntry>> rows;   // as produced (list order)
    std::shared_ptr<std::vector<PreviewEntry>> sorted; // the same rows by old name
    std::shared_ptr<const std::vector<quint32>> order; // sorted[i] is rows[order[i]]
    // Per row in list order: rows whose new names clash (by previewNameKey) share a number.
    std::vector<quint32> clash;
    // Per clash number: how many of its rows are ticked.
    std::vector<quint32> ticked;
    qsizetype selected = 0;
};
PreparedReview prepareReview(std::vector<PreviewEntry> rows);

// The rows the preview window shows and the rules for ticking them: a tick that would give
// two ticked rows the same new name (ignoring case) is refused; an accepted change updates the
// two counters and sorts the rows by old name, which they stay sorted by from then on.
// Long-lived, like the window: a later fill keeps the sorted order.
class PreviewReview {
public:
    // Replaces the rows with a producer's; both counters are set from them. What a tick needs
    // is worked out on the first tick change.
    void fill(std::vector<PreviewEntry> rows);
    // The same with all of it worked out already. Gives back the rows of `prepared` it does not
    // keep, for freeing elsewhere.
    std::shared_ptr<const std::vector<PreviewEntry>> fill(PreparedReview prepared);
    // Removes every row (Cancel, the end of a rename).
    void clear();
    // Removes every row as clear() does and hands them over, for freeing elsewhere.
    std::shared_ptr<const std::vector<PreviewEntry>> takeRows();
    // Removes every row and hands over all the review held for them.
    PreparedReview takeAll();

    const std::vector<PreviewEntry> &rows() const { return *m_rows; }
    // The rows as they are now, shared: a later change of the review leaves these as they were.
    std::shared_ptr<const std::vector<PreviewEntry>> sharedRows() const { return m_rows; }
    qsizetype filesSelected() const { return m_selected; }
    QString filesSelectedText() const;
    QString filesShownText() const;
    bool sortedByOldName() const { return m_sorted; }

    struct TickChange {
        bool accepted = true;
        QString message;        // the refusal, for the message window
        bool reordered = false; // the rows moved: views must reload them
        // When reordered: row i is now what row (*order)[i] was.
        std::shared_ptr<const std::vector<quint32>> order;
        // When reordered: the rows as they stood, no longer the review's, for freeing elsewhere.
        std::shared_ptr<const std::vector<PreviewEntry>> replaced;
    };
    // The user ticked or unticked row `row` (an index into rows()).
    TickChange setChecked(qsizetype row, bool checked);

private:
    // Sorts the rows in place by old name and keeps where each came from.
    void sortRows();
    // Puts the sorted rows in place of those in list order; gives back the latter.
    std::shared_ptr<const std::vector<PreviewEntry>> takeSorted();
    void countClashes();
    // Where row `row` of the rows shown stands in list order.
    size_t listIndex(qsizetype row) const {
        return m_rowsSorted ? (*m_order)[size_t(row)] : size_t(row);
    }
    // The rows to change, no longer shared with anyone.
    std::vector<PreviewEntry> &ownRows();

    // The rows shown: in list order until the first accepted change, then by old name.
    std::shared_ptr<std::vector<PreviewEntry>> m_rows =
        std::make_shared<std::vector<PreviewEntry>>();
    // The same rows by old name, made ahead, until they take the place of m_rows.
    std::shared_ptr<std::vector<PreviewEntry>> m_sortedRows;
    // Where each row by old name stands in list order; null until known.
    std::shared_ptr<const std::vector<quint32>> m_order;
    bool m_rowsSorted = false; // m_rows stand in m_order, not in list order
    // As in PreparedReview, by list order; made at the latest on the first tick change.
    std::vector<quint32> m_clash;
    std::vector<quint32> m_ticked;
    bool m_clashesCounted = false;
    qsizetype m_selected = 0;
    qsizetype m_shown = 0;
    bool m_sorted = false;
};

} // namespace tallowin
