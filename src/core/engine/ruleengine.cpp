#include "engine/ruleengine.h"

#include "engine/numbers.h"
#include "engine/text.h"

#include <QList>

#include <cmath>
#include <vector>

namespace tallowin {

namespace {

using namespace RuleKinds;

// The bound of "every occurrence" in the name kinds.
constexpr int EveryOccurrence = 32000;

struct RuleFailure {
    qint32 number;
};

bool meansStartOrBefore(const QString &word) {
    // Lowering keeps the length; most words are neither, so skip the copy for them.
    if (word.size() != 5 && word.size() != 6)
        return false;
    const QString w = text::lower(word);
    return w == u"start" || w == u"before";
}

bool flag(const QString &value) {
    const auto n = strictNumber(value);
    if (!n)
        throw RuleFailure{ErrorNumbers::TypeMismatch};
    return *n != 0;
}

// The kept length after removing `count` characters from a text of `length` characters.
qsizetype keptLength(qsizetype length, double count) {
    if (!std::isfinite(count))
        throw RuleFailure{ErrorNumbers::Overflow};
    const double k = roundHalfEven(double(length) - count);
    if (k < 0)
        throw RuleFailure{ErrorNumbers::InvalidProcedureCall};
    return k >= double(length) ? length : qsizetype(k);
}

QString keep(const QString &s, qsizetype k, bool fromStart) {
    // "Remove from the start" keeps the last k characters.
    return fromStart ? text::right(s, k) : text::left(s, k);
}

// Word start: the first character and every character after a space.
template <typename Step> QString walkWords(const QString &subject, Step step) {
    QString out;
    out.reserve(subject.size());
    bool flag = true;
    text::forEachCodePoint(subject, [&](char32_t c) {
        c = step(c, flag);
        if (c == U' ')
            flag = true;
        text::appendCodePoint(out, c);
    });
    return out;
}

QString firstOfWord(const QString &subject, bool firstUpper) {
    const QString base = firstUpper ? text::lower(subject) : text::upper(subject);
    return walkWords(base, [firstUpper](char32_t c, bool &atStart) {
        if (!atStart)
            return c;
        atStart = false;
        return firstUpper ? QChar::toUpper(c) : QChar::toLower(c);
    });
}

QString alternate(const QString &subject, bool startUpper) {
    return walkWords(subject, [startUpper](char32_t c, bool &next) {
        const bool up = next == startUpper;
        next = !next;
        return up ? QChar::toUpper(c) : QChar::toLower(c);
    });
}

QString forceAlphaNumeric(const QString &name) {
    QString out;
    for (QChar c : text::upper(name)) {
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u' ')
            out.append(c);
    }
    return out;
}

QString letterCase(const QString &kind, const QString &subject) {
    if (kind == LetterUpperCase)
        return text::upper(subject);
    if (kind == LetterLowerCase)
        return text::lower(subject);
    if (kind == LetterFirstCap)
        return firstOfWord(subject, true);
    if (kind == LetterFirstLow)
        return firstOfWord(subject, false);
    if (kind == LetterOtherCap)
        return alternate(subject, true);
    return alternate(subject, false);
}

} // namespace

QString RuleEngine::applyRule(int slot, QString &name, QString &extension,
                              NumberingState &state) const {
    if (!m_rules.isValidSlot(slot)) {
        m_errors.report(Location, ErrorNumbers::SubscriptOutOfRange);
        return {};
    }
    try {
        return apply(m_rules.slot(slot), name, extension, state);
    } catch (const RuleFailure &f) {
        m_errors.report(Location, f.number);
        return {};
    }
}

QString RuleEngine::apply(const RuleSlot &r, QString &n, QString &e,
                          NumberingState &state) const {
    const QString &kind = r[Kind];
    const QString &p1 = r[Param1];
    const QString &p2 = r[Param2];
    const QString &p3 = r[Param3];

    if (kind == Replace) {
        n = text::replace(n, p1, p2, flag(p3) ? 1 : EveryOccurrence);
        return text::join(n, e);
    }
    if (kind == BeforeAfter) {
        const QString with = meansStartOrBefore(p2) ? p1 + p3 : p3 + p1;
        n = text::replace(n, p3, with, flag(r[Param4]) ? 1 : EveryOccurrence);
        return text::join(n, e);
    }
    if (kind == Insert) {
        n = meansStartOrBefore(p2) ? p1 + n : n + p1;
        return text::join(n, e);
    }
    if (kind == Remove) {
        const double count = leadingNumber(p1);
        if (count < 0 && std::isfinite(count))
            return text::join(n, e);
        n = keep(n, keptLength(text::length(n), count), meansStartOrBefore(p2));
        return text::join(n, e);
    }
    if (kind == Clear) {
        const bool leaveMarkers = flag(p3);
        const qsizetype s = text::find(n, p1, 0);
        if (s >= 0) {
            const qsizetype t = text::find(n, p2, s + 1);
            if (t >= 0) {
                n = leaveMarkers ? n.left(s + p1.size()) + n.mid(t)
                                 : n.left(s) + n.mid(t + p2.size());
            }
        }
        return text::join(n, e);
    }
    if (kind == SetTo)
        return text::join(p1, e);

    if (kind == ExtBeforeAfter) {
        e = text::replace(e, p2, meansStartOrBefore(p3) ? p1 + p2 : p2 + p1);
        return text::join(n, e);
    }
    if (kind == ExtClear) {
        const bool leave = flag(p3);
        const qsizetype p = text::find(e, p1, 0);
        if (p < 0)
            return text::join(n, e);
        const qsizetype l = p1.size();
        if (meansStartOrBefore(p2))
            e = leave ? e.mid(p) : e.mid(p + l);
        else
            e = leave ? e.left(p + l) : e.left(p);
        return text::join(n, e);
    }
    if (kind == ExtInsert) {
        e = meansStartOrBefore(p2) ? p1 + e : e + p1;
        return text::join(n, e);
    }
    if (kind == ExtRemove) {
        const auto count = strictNumber(p1);
        if (!count)
            throw RuleFailure{ErrorNumbers::TypeMismatch};
        e = keep(e, keptLength(text::length(e), *count), meansStartOrBefore(p2));
        return text::join(n, e);
    }
    if (kind == ExtReplace) {
        e = text::replace(e, p1, p2);
        return text::join(n, e);
    }
    if (kind == ExtSetTo)
        return text::join(n, p1);

    if (kind == AutoStartEnd || kind == AutoBeforeAfter)
        return autoNumber(r, n, e, state);

    if ((kind == LetterUpperCase || kind == LetterLowerCase || kind == LetterFirstCap ||
         kind == LetterFirstLow || kind == LetterOtherCap || kind == LetterOtherLow)) {
        if (flag(p1))
            return letterCase(kind, text::join(n, e));
        n = letterCase(kind, n);
        return text::join(n, e);
    }

    if (kind == MiscAddSpaces) {
        n.replace(u'_', u' ');
        return text::join(n, e);
    }
    if (kind == MiscReplaceSpaces) {
        n.replace(u' ', u'_');
        return text::join(n, e);
    }
    if (kind == MiscRemoveMultiSpace) {
        n.replace(QStringLiteral("  "), QStringLiteral(" "));
        return text::join(n, e);
    }
    if (kind == MiscTrim) {
        auto trimSpaces = [](const QString &s) {
            qsizetype b = 0, end = s.size();
            while (b < end && s.at(b) == u' ')
                ++b;
            while (end > b && s.at(end - 1) == u' ')
                --end;
            return s.mid(b, end - b);
        };
        n = trimSpaces(n);
        e = trimSpaces(e);
        return text::join(n, e);
    }
    if (kind == MiscForceAlpha) {
        n = forceAlphaNumeric(n);
        return text::join(n, e);
    }
    if (kind == Mp3)
        return applyMp3Kind(n, e, p1, m_mp3);
    return {};
}

QString RuleEngine::autoNumber(const RuleSlot &r, QString &n, QString &e,
                               NumberingState &state) const {
    const bool startEnd = r[Kind] == AutoStartEnd;
    const QString &where = startEnd ? r[Param1] : r[Param2];
    const QString &digitsText = startEnd ? r[Param2] : r[Param3];
    const QString &incrementText = startEnd ? r[Param3] : r[Param4];
    const QString &startText = startEnd ? r[Param4] : r[Param5];

    // 1. The mask: one "0" per whole step from 1 to the minimum digits.
    const double digits = leadingNumber(digitsText);
    const int maskLength = digits >= 1 ? int(std::min(std::floor(digits), double(MaxNumberDigits)))
                                       : 0;

    // 2. A counter at 0 (re)starts from this rule's start count.
    if (state.counter == 0) {
        const auto start = strictNumber(startText);
        if (!start)
            throw RuleFailure{ErrorNumbers::TypeMismatch};
        const auto start16 = toInt16(*start);
        if (!start16)
            throw RuleFailure{ErrorNumbers::Overflow};
        state.counter = *start16;
    }

    // 3. Digits padded with zeros to the mask, never cut; the sign goes in front.
    const int value = state.counter;
    QString number = QString::number(std::abs(value)).rightJustified(maskLength, u'0');
    if (value < 0)
        number.prepend(u'-');

    // 4. Insert it.
    if (startEnd) {
        n = meansStartOrBefore(where) ? number + n : n + number;
    } else {
        const QString &anchor = r[Param1];
        n = text::replace(n, anchor, meansStartOrBefore(where) ? number + anchor : anchor + number,
                          1);
    }
    const QString result = text::join(n, e);

    // 5. Advance; a failure here still returns the numbered name and keeps the counter.
    const auto increment = strictNumber(incrementText);
    if (!increment) {
        m_errors.report(Location, ErrorNumbers::TypeMismatch);
        return result;
    }
    const auto next = toInt16(double(state.counter) + *increment);
    if (!next) {
        m_errors.report(Location, ErrorNumbers::Overflow);
        return result;
    }
    state.counter = *next;
    return result;
}

} // namespace tallowin
