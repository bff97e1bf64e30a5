#include "files/trailingnumber.h"

namespace tallowin {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Splits a number text into sign, integer digits and fraction digits; false when it is none.
bool splitNumber(QStringView t, bool &negative, QString *intDigits, QString *fracDigits) {
    qsizetype b = 0, e = t.size();
    while (b < e && isBlank(t[b]))
        ++b;
    while (e > b && isBlank(t[e - 1]))
        --e;
    negative = false;
    if (b < e && (t[b] == u'+' || t[b] == u'-')) {
        negative = t[b] == u'-';
        ++b;
    }
    qsizetype digits = 0;
    qsizetype i = b;
    while (i < e) {
        if (isDigit(t[i])) {
            if (intDigits)
                *intDigits += t[i];
            ++digits;
            ++i;
        } else if (t[i] == u',') { // thousands separators, placed loosely as people type them
            ++i;
        } else {
            break;
        }
    }
    if (i < e && t[i] == u'.') {
        ++i;
        while (i < e && isDigit(t[i])) {
            if (fracDigits)
                *fracDigits += t[i];
            ++digits;
            ++i;
        }
    }
    return digits > 0 && i == e;
}

} // namespace

bool readsAsNumber(QStringView text) {
    bool negative;
    return splitNumber(text, negative, nullptr, nullptr);
}

qsizetype trailingNumberLength(QStringView baseName) {
    const qsizetype n = baseName.size();
    if (n == 0 || !readsAsNumber(baseName.right(1)))
        return 0;
    // Most names end in plain digits after a letter ("track07"): a tail reaching past a
    // character that no number holds is no number, so the digits are the answer at once.
    qsizetype digits = 0;
    while (digits < n && isDigit(baseName[n - 1 - digits]))
        ++digits;
    if (digits == n)
        return n;
    if (digits > 0) {
        const QChar before = baseName[n - 1 - digits];
        if (!isBlank(before) && before != u'+' && before != u'-' && before != u',' &&
            before != u'.')
            return digits;
    }
    for (qsizetype k = 2; k <= n; ++k)
        if (!readsAsNumber(baseName.right(k)))
            return k - 1;
    return n;
}

QString numberAdjName(QStringView baseName) {
    const qsizetype length = trailingNumberLength(baseName);
    return length == 0 ? QStringLiteral("0") : baseName.right(length).toString();
}

std::optional<QString> canonicalDecimal(QStringView text) {
    bool negative;
    QString intDigits, fracDigits;
    if (!splitNumber(text, negative, &intDigits, &fracDigits))
        return std::nullopt;
    qsizetype lead = 0;
    while (lead < intDigits.size() && intDigits[lead] == u'0')
        ++lead;
    intDigits.remove(0, lead);
    while (!fracDigits.isEmpty() && fracDigits.back() == u'0')
        fracDigits.chop(1);
    if (intDigits.isEmpty() && fracDigits.isEmpty())
        return QString();
    QString out;
    if (negative)
        out += u'-';
    out += intDigits.isEmpty() ? QStringLiteral("0") : intDigits;
    if (!fracDigits.isEmpty())
        out += u'.' + fracDigits;
    return out;
}

int compareDecimals(const QString &a, const QString &b) {
    const auto sign = [](const QString &s) {
        return s.isEmpty() ? 0 : s.startsWith(u'-') ? -1 : 1;
    };
    const int sa = sign(a), sb = sign(b);
    if (sa != sb)
        return sa < sb ? -1 : 1;
    if (sa == 0)
        return 0;
    // Same sign: compare magnitudes, then flip for negatives.
    const QStringView ma = sa < 0 ? QStringView(a).mid(1) : QStringView(a);
    const QStringView mb = sb < 0 ? QStringView(b).mid(1) : QStringView(b);
    const qsizetype da = ma.indexOf(u'.') < 0 ? ma.size() : ma.indexOf(u'.');
    const qsizetype db = mb.indexOf(u'.') < 0 ? mb.size() : mb.indexOf(u'.');
    int c = 0;
    if (da != db)
        c = da < db ? -1 : 1;
    else
        c = ma.compare(mb); // equal integer widths: digit text order is value order
    if (c != 0)
        c = c < 0 ? -1 : 1;
    return sa < 0 ? -c : c;
}

} // namespace tallowin
