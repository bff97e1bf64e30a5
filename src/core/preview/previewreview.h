#pragma once

#include "preview/previewbuilder.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace tallowin {

inline const QString DuplicateRefusedMessage = QStringLiteral(
    "Unable to select this file, this would create a duplicate file name which is not allowed "
    "by Linux.");

// The rows the preview window shows and the rules for ticking them: a tick that would give
// two ticked rows the same new name (ignoring case) is refused; an accepted change updates the
// two counters and sorts the rows by old name, which they stay sorted by from then on.
// Long-lived, like the window: a later fill keeps the sorted order.
class PreviewReview {
public:
    // Replaces the rows with a producer's; both counters are set from them.
    void fill(std::vector<PreviewEntry> rows);
    // Removes every row (Cancel, the end of a rename).
    void clear();
    // Removes every row as clear() does and hands them over, for freeing elsewhere.
    std::shared_ptr<const std::vector<PreviewEntry>> takeRows();

    const std::vector<PreviewEntry> &rows() const { return *m_rows; }
    // The rows as they are now, shared: a later change of the review leaves these as they were.
    std::shared_ptr<const std::vector<PreviewEntry>> sharedRows() const { return m_rows; }
    qsizetype filesSelected() const { return m_selected; }
    QString filesSelectedText() const;
    QString filesShownText() const;
    bool sortedByOldName() const { return m_sorted; }

    struct TickChange {
        bool accepted = true;
        QString message;            // the refusal, for the message window
        bool reordered = false;     // the rows moved: views must reload them
        std::vector<quint32> order; // when reordered: row i is now what row order[i] was
    };
    // The user ticked or unticked row `row` (an index into rows()).
    TickChange setChecked(qsizetype row, bool checked);

private:
    // Sorts by old name; gives back where each row came from.
    std::vector<quint32> sortRows();
    void countKeys();
    // The rows to change, no longer shared with anyone.
    std::vector<PreviewEntry> &ownRows();

    std::shared_ptr<std::vector<PreviewEntry>> m_rows =
        std::make_shared<std::vector<PreviewEntry>>();
    qsizetype m_selected = 0;
    qsizetype m_shown = 0;
    bool m_sorted = false;
    // Ticked rows per clash key; built on the first tick change so a fill stays cheap.
    QHash<QString, qsizetype> m_tickedKeys;
    bool m_keysValid = false;
};

} // namespace tallowin
