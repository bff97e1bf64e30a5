#pragma once

#include <QString>

#include <vector>

namespace tallowin {

// A set of names compared without regard to letter case (as QString::compare with
// Qt::CaseInsensitive does). A look-up folds the characters as it hashes them, so it makes no
// folded copy; a preview of many files makes one look-up per file.
class FoldedNameSet {
public:
    explicit FoldedNameSet(qsizetype expected = 0) { rehash(expected); }

    // Adds `name` unless an equal one is in already; true when it was added.
    bool insert(const QString &name) {
        const quint64 h = hashFolded(name);
        const auto tag = quint32(h >> 32);
        size_t i = size_t(h) & m_mask;
        for (; m_slots[i].entry != 0; i = (i + 1) & m_mask) {
            if (m_slots[i].tag == tag &&
                QString::compare(m_names[m_slots[i].entry - 1], name, Qt::CaseInsensitive) == 0)
                return false;
        }
        m_names.push_back(name);
        m_slots[i] = {tag, quint32(m_names.size())};
        if (m_names.size() * 2 > m_slots.size())
            rehash(qsizetype(m_names.size()) * 2);
        return true;
    }

    static quint64 hashFolded(const QString &name) {
        quint64 h = 0xcbf29ce484222325ULL;
        const qsizetype n = name.size();
        const char16_t *p = reinterpret_cast<const char16_t *>(name.constData());
        for (qsizetype i = 0; i < n; ++i) {
            char32_t c = p[i];
            if (c < 0x80) {
                if (c >= u'A' && c <= u'Z')
                    c += 32;
            } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
                c = QChar::toCaseFolded(QChar::surrogateToUcs4(char16_t(c), p[++i]));
            } else {
                c = QChar::toCaseFolded(c);
            }
            h = (h ^ c) * 0x100000001b3ULL;
        }
        return h ^ (h >> 29);
    }

private:
    // Small slots keep the table in cache: a tag from the hash and the name's place plus one
    // (0 marks a free slot).
    struct Slot {
        quint32 tag = 0;
        quint32 entry = 0;
    };

    void rehash(qsizetype expected) {
        size_t capacity = 16;
        while (capacity < size_t(expected) * 2)
            capacity *= 2;
        m_slots.assign(capacity, Slot{});
        m_mask = capacity - 1;
        m_names.reserve(size_t(expected));
        for (size_t n = 0; n < m_names.size(); ++n) {
            const quint64 h = hashFolded(m_names[n]);
            size_t i = size_t(h) & m_mask;
            while (m_slots[i].entry != 0)
                i = (i + 1) & m_mask;
            m_slots[i] = {quint32(h >> 32), quint32(n + 1)};
        }
    }

    std::vector<Slot> m_slots;
    std::vector<QString> m_names;
    size_t m_mask = 0;
};

} // namespace tallowin
