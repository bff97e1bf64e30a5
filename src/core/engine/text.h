#pragma once

#include <QList>
#include <QString>

namespace tallowin::text {

// Position (0-based) of `find` in `in` from `from`, ignoring letter case; -1 when not found.
// An empty `find` is found where the search starts; nothing is found in an empty text
// or from beyond its end.
qsizetype find(const QString &in, const QString &find, qsizetype from = 0);

// Replaces up to `maxCount` non-overlapping occurrences, scanning from the left and ignoring
// letter case; `with` is inserted exactly as given. maxCount < 0 means no bound.
QString replace(const QString &in, const QString &find, const QString &with, int maxCount = -1);

// Calls f(char32_t) for each code point of `s`. A lone surrogate is passed as itself: it is
// a file-name byte that is not UTF-8, and case mapping leaves it as it is, so the byte survives.
template <typename F> void forEachCodePoint(QStringView s, F &&f) {
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i].unicode();
        if (!QChar::isSurrogate(u)) {
            f(char32_t(u));
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && s[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(u, s[++i].unicode()));
        } else {
            f(char32_t(u));
        }
    }
}
inline void appendCodePoint(QString &out, char32_t c) {
    if (QChar::requiresSurrogates(c)) {
        out.append(QChar(QChar::highSurrogate(c)));
        out.append(QChar(QChar::lowSurrogate(c)));
    } else {
        out.append(QChar(char16_t(c)));
    }
}

// Case mapping one character at a time, so a text never changes length ("ß" stays "ß").
QString upper(const QString &s);
QString lower(const QString &s);

// The first or last n characters (code points); the whole text when it is shorter.
QString left(const QString &s, qsizetype n);
QString right(const QString &s, qsizetype n);
qsizetype length(const QString &s);

// The name part and extension of a file name, split at its last dot.
struct SplitName {
    QString name;
    QString extension;
};
SplitName splitAtLastDot(const QString &fileName);
inline QString join(const QString &name, const QString &extension) {
    return name + u'.' + extension;
}
// Splits `joined` at its last dot into name part and extension.
inline void splitInto(const QString &joined, QString &name, QString &extension) {
    const qsizetype dot = joined.lastIndexOf(u'.');
    if (dot < 0) {
        name = joined;
        extension.clear();
        return;
    }
    extension = joined.sliced(dot + 1);
    name = joined.first(dot);
}
// Makes name part and extension what splitting their joined text at its last dot gives: an
// extension holding a dot gives the part before its last dot to the name part.
inline void settleSplit(QString &name, QString &extension) {
    const qsizetype dot = extension.lastIndexOf(u'.');
    if (dot < 0)
        return;
    name += u'.';
    name += QStringView(extension).first(dot);
    extension.remove(0, dot + 1);
}

} // namespace tallowin::text
