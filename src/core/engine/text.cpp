#include "engine/text.h"

namespace tallowin::text {

qsizetype find(const QString &in, const QString &what, qsizetype from) {
    if (in.isEmpty() || from < 0 || from >= in.size())
        return -1;
    if (what.isEmpty())
        return from;
    return in.indexOf(what, from, Qt::CaseInsensitive);
}

QString replace(const QString &in, const QString &what, const QString &with, int maxCount) {
    if (what.isEmpty() || in.isEmpty() || maxCount == 0)
        return in;
    QString out;
    qsizetype pos = 0;
    int done = 0;
    while (maxCount < 0 || done < maxCount) {
        const qsizetype at = in.indexOf(what, pos, Qt::CaseInsensitive);
        if (at < 0)
            break;
        out.append(QStringView(in).mid(pos, at - pos));
        out.append(with);
        pos = at + what.size();
        ++done;
    }
    if (done == 0)
        return in;
    out.append(QStringView(in).mid(pos));
    return out;
}

namespace {
template <typename Map> QString mapEach(const QString &s, Map map) {
    QString out;
    out.reserve(s.size());
    forEachCodePoint(s, [&](char32_t c) { appendCodePoint(out, map(c)); });
    return out;
}
} // namespace

QString upper(const QString &s) {
    return mapEach(s, [](char32_t c) -> char32_t {
        if (c < 0x80)
            return c >= U'a' && c <= U'z' ? c - 32 : c;
        return QChar::toUpper(c);
    });
}

QString lower(const QString &s) {
    return mapEach(s, [](char32_t c) -> char32_t {
        if (c < 0x80)
            return c >= U'A' && c <= U'Z' ? c + 32 : c;
        return QChar::toLower(c);
    });
}

qsizetype length(const QString &s) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i)
        if (!(s.at(i).isLowSurrogate() && i > 0 && s.at(i - 1).isHighSurrogate()))
            ++n;
    return n;
}

namespace {
// Index in UTF-16 units of the code point numbered `points` (0-based).
qsizetype unitIndex(const QString &s, qsizetype points) {
    qsizetype i = 0;
    while (points > 0 && i < s.size()) {
        i +=
            (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ? 2 : 1;
        --points;
    }
    return i;
}
} // namespace

QString left(const QString &s, qsizetype n) {
    if (n <= 0)
        return {};
    return s.left(unitIndex(s, n));
}

QString right(const QString &s, qsizetype n) {
    const qsizetype len = length(s);
    if (n >= len)
        return s;
    if (n <= 0)
        return {};
    return s.mid(unitIndex(s, len - n));
}

SplitName splitAtLastDot(const QString &fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return {fileName, {}};
    return {fileName.left(dot), fileName.mid(dot + 1)};
}

} // namespace tallowin::text
