#include "preview/previewreview.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <thread>

namespace tallowin {

namespace {
qsizetype countTicked(const std::vector<PreviewEntry> &rows) {
    qsizetype n = 0;
    for (const auto &r : rows)
        n += r.checked ? 1 : 0;
    return n;
}

// Gives each clash key a number: clash[listIndex(i)] for row i, and the ticked rows per number.
template <typename ListIndex>
void numberClashes(const std::vector<PreviewEntry> &rows, ListIndex listIndex,
                   std::vector<quint32> &clash, std::vector<quint32> &ticked) {
    QHash<QString, quint32> numbers;
    numbers.reserve(qsizetype(rows.size()));
    clash.assign(rows.size(), 0);
    ticked.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString key = previewNameKey(rows[i].newName);
        auto it = numbers.find(key);
        if (it == numbers.end()) {
            it = numbers.insert(key, quint32(ticked.size()));
            ticked.push_back(0);
        }
        clash[listIndex(i)] = *it;
        ticked[*it] += rows[i].checked ? 1 : 0;
    }
}

// Compares ASCII names as QString::compare compares their lower-case forms: byte by byte,
// A-Z as a-z, a shorter name before a longer one it begins.
int compareAsciiIgnoringCase(QByteArrayView x, QByteArrayView y) {
    const qsizetype n = std::min(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i) {
        uchar a = uchar(x[i]), b = uchar(y[i]);
        a += (a >= 'A' && a <= 'Z') ? 32 : 0;
        b += (b >= 'A' && b <= 'Z') ? 32 : 0;
        if (a != b)
            return a < b ? -1 : 1;
    }
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

// The rows' places in order of their old names: place i holds row order[i].
std::vector<quint32> orderByOldName(const std::vector<PreviewEntry> &rows) {
    // The rows hold no text of their old names. Most names are ASCII: for those, ignoring case
    // is comparing their bytes with A-Z as a-z, read where they are. The rest compare as Qt
    // compares ignoring case, their texts made once (for an ASCII name, when first needed).
    struct Key {
        QByteArrayView bytes;
        QString name; // null until needed
        bool ascii;
    };
    std::vector<Key> keys(rows.size());
    std::vector<quint32> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        Key &k = keys[i];
        k.bytes = rows[i].oldBytesView();
        k.ascii =
            std::all_of(k.bytes.begin(), k.bytes.end(), [](char c) { return uchar(c) < 0x80; });
        if (!k.ascii)
            k.name = rows[i].oldName();
        order[i] = quint32(i);
    }
    const auto nameOf = [&](quint32 i) -> const QString & {
        Key &k = keys[i];
        if (k.name.isNull() && !k.bytes.isEmpty())
            k.name = rows[i].oldName();
        return k.name;
    };
    // Stable, so rows with equal old names keep the order they came in.
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) {
        const Key &x = keys[a], &y = keys[b];
        if (x.ascii && y.ascii) {
            const int c = compareAsciiIgnoringCase(x.bytes, y.bytes);
            return c != 0 ? c < 0 : x.bytes.compare(y.bytes) < 0;
        }
        const QString &xn = nameOf(a), &yn = nameOf(b);
        const int c = xn.compare(yn, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : xn < yn;
    });
    return order;
}
} // namespace

PreparedReview prepareReview(std::vector<PreviewEntry> rows) {
    PreparedReview p;
    p.rows = std::make_shared<std::vector<PreviewEntry>>(std::move(rows));
    const std::vector<PreviewEntry> &r = *p.rows;
    numberClashes(
        r, [](size_t i) { return i; }, p.clash, p.ticked);
    p.selected = countTicked(r);
    std::vector<quint32> order = orderByOldName(r);
    // Copies share their texts and name blocks with the rows: a copy costs little beyond its
    // own 56 bytes.
    p.sorted = std::make_shared<std::vector<PreviewEntry>>();
    p.sorted->reserve(r.size());
    for (quint32 i : order)
        p.sorted->push_back(r[i]);
    p.order = std::make_shared<const std::vector<quint32>>(std::move(order));
    return p;
}

void PreviewReview::fill(std::vector<PreviewEntry> rows) {
    takeAll();
    m_rows = std::make_shared<std::vector<PreviewEntry>>(std::move(rows));
    m_selected = countTicked(*m_rows);
    m_shown = qsizetype(m_rows->size());
    if (m_sorted)
        sortRows();
}

std::shared_ptr<const std::vector<PreviewEntry>> PreviewReview::fill(PreparedReview prepared) {
    takeAll();
    if (prepared.rows)
        m_rows = std::move(prepared.rows);
    m_shown = qsizetype(m_rows->size());
    const bool whole = prepared.sorted && prepared.order &&
                       prepared.sorted->size() == m_rows->size() &&
                       prepared.clash.size() == m_rows->size();
    if (!whole) { // not made by prepareReview: work it out as for plain rows
        m_selected = countTicked(*m_rows);
        if (m_sorted)
            sortRows();
        return {};
    }
    m_sortedRows = std::move(prepared.sorted);
    m_order = std::move(prepared.order);
    m_clash = std::move(prepared.clash);
    m_ticked = std::move(prepared.ticked);
    m_clashesCounted = true;
    m_selected = prepared.selected;
    if (m_sorted)
        return takeSorted();
    return {};
}

void PreviewReview::clear() {
    takeAll();
}

std::shared_ptr<const std::vector<PreviewEntry>> PreviewReview::takeRows() {
    return takeAll().rows;
}

PreparedReview PreviewReview::takeAll() {
    PreparedReview gone;
    gone.rows = std::move(m_rows);
    gone.sorted = std::move(m_sortedRows);
    gone.order = std::move(m_order);
    gone.clash = std::move(m_clash);
    gone.ticked = std::move(m_ticked);
    gone.selected = m_selected;
    m_rows = std::make_shared<std::vector<PreviewEntry>>();
    m_sortedRows.reset();
    m_order.reset();
    m_rowsSorted = false;
    m_clash.clear();
    m_ticked.clear();
    m_clashesCounted = false;
    m_selected = 0;
    m_shown = 0;
    return gone;
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

void PreviewReview::countClashes() {
    numberClashes(
        *m_rows, [this](size_t i) { return listIndex(qsizetype(i)); }, m_clash, m_ticked);
    m_clashesCounted = true;
}

void PreviewReview::sortRows() {
    std::vector<quint32> order = orderByOldName(*m_rows);
    std::vector<PreviewEntry> &rows = ownRows();
    std::vector<PreviewEntry> sorted;
    sorted.reserve(rows.size());
    for (quint32 i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
    m_order = std::make_shared<const std::vector<quint32>>(std::move(order));
    m_sortedRows.reset();
    m_rowsSorted = true;
}

std::shared_ptr<const std::vector<PreviewEntry>> PreviewReview::takeSorted() {
    std::shared_ptr<const std::vector<PreviewEntry>> listed = std::move(m_rows);
    m_rows = std::move(m_sortedRows);
    m_rowsSorted = true;
    return listed;
}

PreviewReview::TickChange PreviewReview::setChecked(qsizetype row, bool checked) {
    TickChange change;
    if (row < 0 || row >= qsizetype(m_rows->size()))
        return change;
    if ((*m_rows)[size_t(row)].checked == checked)
        return change;
    if (!m_clashesCounted)
        countClashes();
    quint32 &ticked = m_ticked[m_clash[listIndex(row)]];
    if (checked && ticked > 0) {
        change.accepted = false;
        change.message = DuplicateRefusedMessage;
        return change;
    }
    ticked += checked ? 1 : quint32(-1);
    m_selected += checked ? 1 : -1;
    m_shown = qsizetype(m_rows->size());
    // Once sorted the rows stay sorted: the old names never change, so sort only the first time.
    if (!m_sorted) {
        m_sorted = true;
        change.reordered = true;
        if (m_sortedRows && !m_rowsSorted) {
            // The rows by old name, made ahead, take the place of these: a rename that shares
            // these reads them as they were.
            const std::vector<quint32> &order = *m_order;
            const auto at =
                size_t(std::find(order.begin(), order.end(), quint32(row)) - order.begin());
            (*m_sortedRows)[at].checked = checked;
            change.replaced = takeSorted();
        } else {
            ownRows()[size_t(row)].checked = checked;
            sortRows();
        }
        change.order = m_order;
        return change;
    }
    ownRows()[size_t(row)].checked = checked;
    return change;
}

} // namespace tallowin
