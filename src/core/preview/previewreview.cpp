#include "preview/previewreview.h"

#include <QCoreApplication>

#include <algorithm>

namespace tallowin {

namespace {
qsizetype countTicked(const std::vector<PreviewEntry> &rows) {
    qsizetype n = 0;
    for (const auto &r : rows)
        n += r.checked ? 1 : 0;
    return n;
}
} // namespace

void PreviewReview::fill(std::vector<PreviewEntry> rows) {
    m_rows = std::make_shared<std::vector<PreviewEntry>>(std::move(rows));
    m_keysValid = false;
    m_tickedKeys.clear();
    m_selected = countTicked(*m_rows);
    m_shown = qsizetype(m_rows->size());
    if (m_sorted)
        sortRows();
}

void PreviewReview::clear() {
    takeRows();
}

std::shared_ptr<const std::vector<PreviewEntry>> PreviewReview::takeRows() {
    std::shared_ptr<const std::vector<PreviewEntry>> old = std::move(m_rows);
    m_rows = std::make_shared<std::vector<PreviewEntry>>();
    m_tickedKeys.clear();
    m_keysValid = false;
    m_selected = 0;
    m_shown = 0;
    return old;
}

std::vector<PreviewEntry> &PreviewReview::ownRows() {
    if (m_rows.use_count() > 1) // a rename still reads them
        m_rows = std::make_shared<std::vector<PreviewEntry>>(*m_rows);
    return *m_rows;
}

QString PreviewReview::filesSelectedText() const {
    return QCoreApplication::translate("tallowin::core", "%1 Files Selected").arg(m_selected);
}

QString PreviewReview::filesShownText() const {
    return QCoreApplication::translate("tallowin::core", "%1 Files Shown").arg(m_shown);
}

void PreviewReview::countKeys() {
    m_tickedKeys.clear();
    m_tickedKeys.reserve(m_selected);
    for (const auto &r : *m_rows)
        if (r.checked)
            ++m_tickedKeys[previewNameKey(r.newName)];
    m_keysValid = true;
}

std::vector<quint32> PreviewReview::sortRows() {
    // The rows hold no text of their old names: each is made once here, not per comparison.
    // Most names are ASCII, and for those ignoring case is comparing their lower-case forms,
    // made once too; the rest compare as Qt compares ignoring case.
    std::vector<PreviewEntry> &rows = ownRows();
    struct Key {
        QString name;
        QString lower; // null unless the name is ASCII
    };
    std::vector<Key> keys(rows.size());
    std::vector<quint32> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        Key &k = keys[i];
        k.name = rows[i].oldName();
        const QByteArrayView bytes = rows[i].oldBytesView();
        if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
            k.lower = k.name.toLower();
        order[i] = quint32(i);
    }
    // Stable, so rows with equal old names keep the order they came in.
    std::stable_sort(order.begin(), order.end(), [&keys](quint32 a, quint32 b) {
        const Key &x = keys[a], &y = keys[b];
        const int c = !x.lower.isNull() && !y.lower.isNull()
                          ? x.lower.compare(y.lower)
                          : x.name.compare(y.name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : x.name < y.name;
    });
    keys = {};
    std::vector<PreviewEntry> sorted;
    sorted.reserve(rows.size());
    for (quint32 i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
    return order;
}

PreviewReview::TickChange PreviewReview::setChecked(qsizetype row, bool checked) {
    TickChange change;
    if (row < 0 || row >= qsizetype(m_rows->size()))
        return change;
    if ((*m_rows)[size_t(row)].checked == checked)
        return change;
    if (!m_keysValid)
        countKeys();
    PreviewEntry &entry = ownRows()[size_t(row)];
    const QString key = previewNameKey(entry.newName);
    if (checked) {
        const auto it = m_tickedKeys.constFind(key);
        if (it != m_tickedKeys.constEnd() && *it > 0) {
            change.accepted = false;
            change.message = DuplicateRefusedMessage;
            return change;
        }
        entry.checked = true;
        ++m_tickedKeys[key];
    } else {
        entry.checked = false;
        auto it = m_tickedKeys.find(key);
        if (it != m_tickedKeys.end() && --*it <= 0)
            m_tickedKeys.erase(it);
    }
    m_selected += checked ? 1 : -1;
    m_shown = qsizetype(m_rows->size());
    // Once sorted the rows stay sorted: the old names never change, so sort only the first time.
    if (!m_sorted) {
        m_sorted = true;
        change.order = sortRows();
        change.reordered = true;
    }
    return change;
}

} // namespace tallowin
