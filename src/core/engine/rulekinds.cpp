#include "engine/rulekinds.h"

#include "base/numbers.h"
#include "engine/text.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace tallowin {

// The keywords tests and tools name in C++; each kind below takes its keyword from here.
namespace RuleKinds {
const QString Replace = QStringLiteral("STANDARDREPLACE");
const QString BeforeAfter = QStringLiteral("STANDARDBEFOREAFTER");
const QString Insert = QStringLiteral("STANDARDINSERT");
const QString Remove = QStringLiteral("STANDARDREMOVE");
const QString Clear = QStringLiteral("STANDARDCLEAR");
const QString SetTo = QStringLiteral("STANDARDSETTO");
const QString ExtBeforeAfter = QStringLiteral("STANDARDEXTBEFOREAFTER");
const QString ExtClear = QStringLiteral("STANDARDEXTCLEAR");
const QString ExtInsert = QStringLiteral("STANDARDEXTINSERT");
const QString ExtRemove = QStringLiteral("STANDARDEXTREMOVE");
const QString ExtReplace = QStringLiteral("STANDARDEXTREPLACE");
const QString ExtSetTo = QStringLiteral("STANDARDEXTSETTO");
const QString AutoStartEnd = QStringLiteral("STANDARDAUTOSTARTEND");
const QString AutoBeforeAfter = QStringLiteral("STANDARDAUTOBEFOREAFTER");
const QString LetterFirstCap = QStringLiteral("STANDARDLETTERFIRSTCAP");
const QString LetterFirstLow = QStringLiteral("STANDARDLETTERFIRSTLOW");
const QString LetterOtherCap = QStringLiteral("STANDARDLETTEROTHERCAP");
const QString LetterOtherLow = QStringLiteral("STANDARDLETTEROTHERLOW");
const QString LetterUpperCase = QStringLiteral("STANDARDLETTERUPPERCASE");
const QString LetterLowerCase = QStringLiteral("STANDARDLETTERLOWERCASE");
const QString MiscAddSpaces = QStringLiteral("STANDARDMISCADDSPACES");
const QString MiscReplaceSpaces = QStringLiteral("STANDARDMISCREPLACESPACES");
const QString MiscRemoveMultiSpace = QStringLiteral("STANDARDMISCREMOVEMULTISPACE");
const QString MiscTrim = QStringLiteral("STANDARDMISCTRIM");
const QString MiscForceAlpha = QStringLiteral("STANDARDMISCFORCEALPHA");
const QString Mp3 = QStringLiteral("MP3");
} // namespace RuleKinds

namespace {

// ---------------------------------------------------------------------------------------------
// What the apply functions share.

// The bound of "every occurrence" in the name kinds.
constexpr int EveryOccurrence = 32000;

const QStringList StartEnd = {QStringLiteral("Start"), QStringLiteral("End")};
const QStringList BeforeAfterWords = {QStringLiteral("Before"), QStringLiteral("After")};

bool meansStartOrBefore(const QString &word) {
    // Lowering keeps the length; most words are neither, so skip the copy for them.
    if (word.size() != 5 && word.size() != 6)
        return false;
    const QString w = text::lower(word);
    return w == u"start" || w == u"before";
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

QString low(const QString &s) {
    return text::lower(s);
}

// The description's tail a flag adds when it is set.
QString when(bool ticked, const QString &words) {
    return ticked ? words : QString();
}

const QString FirstTime = QStringLiteral(" the first time it appears");

// ---------------------------------------------------------------------------------------------
// Letter case.

// Word start: the first character and every character after a space.
template <typename Step> QString walkWords(const QString &subject, Step step) {
    QString out;
    out.reserve(subject.size());
    bool atStart = true;
    text::forEachCodePoint(subject, [&](char32_t c) {
        c = step(c, atStart);
        if (c == U' ')
            atStart = true;
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

// ---------------------------------------------------------------------------------------------
// Misc.

QString forceAlphaNumeric(const QString &name) {
    QString out;
    for (QChar c : text::upper(name)) {
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u' ')
            out.append(c);
    }
    return out;
}

QString trimSpaces(const QString &s) {
    qsizetype b = 0, end = s.size();
    while (b < end && s.at(b) == u' ')
        ++b;
    while (end > b && s.at(end - 1) == u' ')
        --end;
    return s.mid(b, end - b);
}

// ---------------------------------------------------------------------------------------------
// Numbering: one counter runs on from rule to rule and file to file.

struct NumberingParams {
    const QString &where, &digits, &increment, &start;
};

void autoNumber(QString &n, const NumberingParams &p, const QString *anchor, RuleRun &run) {
    NumberingState &state = run.numbering;
    // 1. The mask: one "0" per whole step from 1 to the minimum digits.
    const double digits = leadingNumber(p.digits);
    const int maskLength =
        digits >= 1 ? int(std::min(std::floor(digits), double(MaxNumberPadding))) : 0;

    // 2. A counter at 0 (re)starts from this rule's start count.
    if (state.counter == 0) {
        const auto start = strictNumber(p.start);
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
    const bool before = meansStartOrBefore(p.where);
    if (!anchor)
        n = before ? number + n : n + number;
    else
        n = text::replace(n, *anchor, before ? number + *anchor : *anchor + number, 1);

    // 5. Advance; a failure here still returns the numbered name and keeps the counter.
    const auto increment = strictNumber(p.increment);
    if (!increment) {
        run.errors.report(Locations::ApplyRule, ErrorNumbers::TypeMismatch);
        return;
    }
    const auto next = toInt16(double(state.counter) + *increment);
    if (!next) {
        run.errors.report(Locations::ApplyRule, ErrorNumbers::Overflow);
        return;
    }
    state.counter = *next;
}

// ---------------------------------------------------------------------------------------------
// Declaring the kinds.

// Declares a kind's parameters in the order they are stored; each declaration gives the handle
// the kind's functions read that parameter by.
class ParamList {
public:
    explicit ParamList(RuleKind &kind) : m_kind(kind) {}

    TextParam text(const char *name, const char *meaning) {
        return {add(name, meaning, ValueType::Text, {})};
    }
    NumberParam number(const char *name, const char *meaning) {
        return {add(name, meaning, ValueType::Number, {})};
    }
    FlagParam flag(const char *name, const char *meaning) {
        return {add(name, meaning, ValueType::Flag, {})};
    }
    PositionParam position(const char *name, const char *meaning, const QStringList &choices) {
        return {add(name, meaning, ValueType::Position, choices)};
    }

private:
    RuleField add(const char *name, const char *meaning, ValueType type,
                  const QStringList &choices) {
        m_kind.params.push_back({QLatin1String(name), QLatin1String(meaning), type, choices});
        Q_ASSERT(m_kind.params.size() <= size_t(Param6));
        return RuleField(Param1 + int(m_kind.params.size()) - 1);
    }

    RuleKind &m_kind;
};

// The counting parameters both numbering kinds store after their own.
struct CountingParams {
    NumberParam digits, increment, start;
};

CountingParams countingParams(ParamList &params) {
    return {
        params.number("digits",
                      QT_TRANSLATE_NOOP("tallowin::core", "the fewest digits, padded with zeros")),
        params.number("increment",
                      QT_TRANSLATE_NOOP("tallowin::core", "added to the counter after each use")),
        params.number("start", QT_TRANSLATE_NOOP("tallowin::core", "the counter's first value"))};
}

struct Catalogue {
    std::vector<RuleKind> kinds;
    QHash<QString, const RuleKind *> byKeyword;

    RuleKind &kind(const QString &keyword) {
        RuleKind &k = kinds.emplace_back();
        k.keyword = keyword;
        return k;
    }

    Catalogue();
    void addNameKinds();
    void addExtensionKinds();
    void addNumberingKinds();
    void addLetterKinds();
    void addMiscKinds();
    void addMp3Kind();
};

// ---------------------------------------------------------------------------------------------
// Six kinds that change the name part.

void Catalogue::addNameKinds() {
    {
        RuleKind &k = kind(RuleKinds::Replace);
        ParamList params(k);
        const auto search = params.text(
            "search", QT_TRANSLATE_NOOP("tallowin::core", "the text to find, in any letter case"));
        const auto replacement = params.text(
            "replacement", QT_TRANSLATE_NOOP("tallowin::core", "the text put in its place"));
        const auto firstOnly = params.flag(
            "firstOnly", QT_TRANSLATE_NOOP("tallowin::core", "1: only the first occurrence"));
        k.apply = [=](const RuleArgs &a, QString &n, QString &, RuleRun &) {
            n = text::replace(n, a[search], a[replacement],
                              a.flag(firstOnly) ? 1 : EveryOccurrence);
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("File Name: Replace ") + a[search] + QStringLiteral(" with ") +
                   a[replacement] + when(a.ticked(firstOnly), FirstTime);
        };
    }
    {
        RuleKind &k = kind(RuleKinds::BeforeAfter);
        ParamList params(k);
        const auto insertion =
            params.text("insertion", QT_TRANSLATE_NOOP("tallowin::core", "the text to insert"));
        const auto where = params.position(
            "where", QT_TRANSLATE_NOOP("tallowin::core", "before or after the anchor"),
            BeforeAfterWords);
        const auto anchor = params.text(
            "anchor", QT_TRANSLATE_NOOP("tallowin::core", "the text the insertion goes next to"));
        const auto firstOnly = params.flag(
            "firstOnly", QT_TRANSLATE_NOOP("tallowin::core", "1: only at the first occurrence"));
        k.apply = [=](const RuleArgs &a, QString &n, QString &, RuleRun &) {
            const QString with =
                a.atStartOrBefore(where) ? a[insertion] + a[anchor] : a[anchor] + a[insertion];
            n = text::replace(n, a[anchor], with, a.flag(firstOnly) ? 1 : EveryOccurrence);
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("File Name: Insert ") + a[insertion] + u' ' + low(a[where]) +
                   u' ' + a[anchor] + when(a.ticked(firstOnly), FirstTime);
        };
    }
    {
        RuleKind &k = kind(RuleKinds::Insert);
        ParamList params(k);
        const auto insertion =
            params.text("insertion", QT_TRANSLATE_NOOP("tallowin::core", "the text to insert"));
        const auto where = params.position(
            "where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the name part"),
            StartEnd);
        k.apply = [=](const RuleArgs &a, QString &n, QString &, RuleRun &) {
            n = a.atStartOrBefore(where) ? a[insertion] + n : n + a[insertion];
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("File Name: Insert ") + a[insertion] +
                   QStringLiteral(" at the ") + low(a[where]) + QStringLiteral(" of the file name");
        };
    }
    {
        RuleKind &k = kind(RuleKinds::Remove);
        ParamList params(k);
        const auto count = params.number(
            "count", QT_TRANSLATE_NOOP("tallowin::core", "how many characters; read leniently"));
        const auto where = params.position(
            "where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the name part"),
            StartEnd);
        k.apply = [=](const RuleArgs &a, QString &n, QString &, RuleRun &) {
            const double removed = leadingNumber(a[count]);
            if (removed < 0 && std::isfinite(removed))
                return;
            n = keep(n, keptLength(text::length(n), removed), a.atStartOrBefore(where));
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("File Name: Remove ") + a[count] + QStringLiteral(" from the ") +
                   low(a[where]) + QStringLiteral(" of the file name");
        };
    }
    {
        RuleKind &k = kind(RuleKinds::Clear);
        ParamList params(k);
        const auto from = params.text(
            "from", QT_TRANSLATE_NOOP("tallowin::core", "the text that opens the cleared part"));
        const auto to = params.text(
            "to", QT_TRANSLATE_NOOP("tallowin::core",
                                    "the text that closes it, found after the opening"));
        const auto leaveMarkers =
            params.flag("leaveMarkers",
                        QT_TRANSLATE_NOOP("tallowin::core", "1: keep the two texts themselves"));
        k.apply = [=](const RuleArgs &a, QString &n, QString &, RuleRun &) {
            const QString &opening = a[from];
            const QString &closing = a[to];
            const bool leave = a.flag(leaveMarkers);
            const qsizetype s = text::find(n, opening, 0);
            if (s >= 0) {
                const qsizetype t = text::find(n, closing, s + 1);
                if (t >= 0) {
                    n = leave ? n.left(s + opening.size()) + n.mid(t)
                              : n.left(s) + n.mid(t + closing.size());
                }
            }
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("File Name: Clear all text between ") + a[from] +
                   QStringLiteral(" and ") + a[to] +
                   when(a.ticked(leaveMarkers), QStringLiteral(" leaving the search text intact"));
        };
    }
    {
        RuleKind &k = kind(RuleKinds::SetTo);
        ParamList params(k);
        const auto name =
            params.text("name", QT_TRANSLATE_NOOP("tallowin::core", "the whole new name part"));
        k.apply = [=](const RuleArgs &a, QString &n, QString &, RuleRun &) { n = a[name]; };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("File Name: Set to ") + a[name] + QStringLiteral(" exactly");
        };
    }
}

// ---------------------------------------------------------------------------------------------
// Six kinds that change the extension.

void Catalogue::addExtensionKinds() {
    {
        RuleKind &k = kind(RuleKinds::ExtBeforeAfter);
        ParamList params(k);
        const auto insertion =
            params.text("insertion", QT_TRANSLATE_NOOP("tallowin::core", "the text to insert"));
        const auto anchor = params.text(
            "anchor", QT_TRANSLATE_NOOP("tallowin::core", "the text the insertion goes next to"));
        const auto where = params.position(
            "where", QT_TRANSLATE_NOOP("tallowin::core", "before or after the anchor"),
            BeforeAfterWords);
        k.apply = [=](const RuleArgs &a, QString &, QString &e, RuleRun &) {
            e = text::replace(e, a[anchor],
                              a.atStartOrBefore(where) ? a[insertion] + a[anchor]
                                                       : a[anchor] + a[insertion]);
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("Extension: Insert ") + a[insertion] + u' ' + low(a[where]) +
                   u' ' + a[anchor];
        };
    }
    {
        RuleKind &k = kind(RuleKinds::ExtClear);
        ParamList params(k);
        const auto search = params.text(
            "search", QT_TRANSLATE_NOOP("tallowin::core", "the text that bounds the cleared part"));
        const auto side =
            params.position("side", QT_TRANSLATE_NOOP("tallowin::core", "clear before or after it"),
                            BeforeAfterWords);
        const auto leaveSearch = params.flag(
            "leaveSearch", QT_TRANSLATE_NOOP("tallowin::core", "1: keep the text itself"));
        k.apply = [=](const RuleArgs &a, QString &, QString &e, RuleRun &) {
            const QString &bound = a[search];
            const bool leave = a.flag(leaveSearch);
            const qsizetype p = text::find(e, bound, 0);
            if (p < 0)
                return;
            const qsizetype l = bound.size();
            if (a.atStartOrBefore(side))
                e = leave ? e.mid(p) : e.mid(p + l);
            else
                e = leave ? e.left(p + l) : e.left(p);
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("Extension: Clear all text ") + low(a[side]) + u' ' + a[search] +
                   when(a.ticked(leaveSearch), QStringLiteral(" and leave search text"));
        };
    }
    {
        RuleKind &k = kind(RuleKinds::ExtInsert);
        ParamList params(k);
        const auto insertion =
            params.text("insertion", QT_TRANSLATE_NOOP("tallowin::core", "the text to insert"));
        const auto where = params.position(
            "where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the extension"),
            StartEnd);
        k.apply = [=](const RuleArgs &a, QString &, QString &e, RuleRun &) {
            e = a.atStartOrBefore(where) ? a[insertion] + e : e + a[insertion];
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("Extension: Insert ") + a[insertion] +
                   QStringLiteral(" at the ") + low(a[where]) + QStringLiteral(" of the extension");
        };
    }
    {
        RuleKind &k = kind(RuleKinds::ExtRemove);
        ParamList params(k);
        const auto count = params.number(
            "count", QT_TRANSLATE_NOOP("tallowin::core", "how many characters; must be a number"));
        const auto where = params.position(
            "where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the extension"),
            StartEnd);
        k.apply = [=](const RuleArgs &a, QString &, QString &e, RuleRun &) {
            const auto removed = strictNumber(a[count]);
            if (!removed)
                throw RuleFailure{ErrorNumbers::TypeMismatch};
            e = keep(e, keptLength(text::length(e), *removed), a.atStartOrBefore(where));
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("Extension: Remove ") + a[count] +
                   QStringLiteral(" characters from the ") + low(a[where]) +
                   QStringLiteral(" of the extension");
        };
    }
    {
        RuleKind &k = kind(RuleKinds::ExtReplace);
        ParamList params(k);
        const auto search = params.text(
            "search", QT_TRANSLATE_NOOP("tallowin::core", "the text to find, in any letter case"));
        const auto replacement = params.text(
            "replacement", QT_TRANSLATE_NOOP("tallowin::core", "the text put in its place"));
        k.apply = [=](const RuleArgs &a, QString &, QString &e, RuleRun &) {
            e = text::replace(e, a[search], a[replacement]);
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("Extension: Replace ") + a[search] + QStringLiteral(" with ") +
                   a[replacement];
        };
    }
    {
        RuleKind &k = kind(RuleKinds::ExtSetTo);
        ParamList params(k);
        const auto extension = params.text(
            "extension", QT_TRANSLATE_NOOP("tallowin::core", "the whole new extension"));
        k.apply = [=](const RuleArgs &a, QString &, QString &e, RuleRun &) { e = a[extension]; };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("Extension: Set extension to ") + a[extension] +
                   QStringLiteral(" exactly");
        };
    }
}

// ---------------------------------------------------------------------------------------------
// Two numbering kinds sharing the counting parameters.

void Catalogue::addNumberingKinds() {
    {
        RuleKind &k = kind(RuleKinds::AutoStartEnd);
        ParamList params(k);
        const auto where = params.position(
            "where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the name part"),
            StartEnd);
        const CountingParams counting = countingParams(params);
        k.countsNumbers = true;
        k.apply = [=](const RuleArgs &a, QString &n, QString &, RuleRun &run) {
            autoNumber(n, {a[where], a[counting.digits], a[counting.increment], a[counting.start]},
                       nullptr, run);
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("Auto Number: Place numbers at the ") + low(a[where]) +
                   QStringLiteral(" of the file name");
        };
    }
    {
        RuleKind &k = kind(RuleKinds::AutoBeforeAfter);
        ParamList params(k);
        const auto anchor = params.text(
            "anchor", QT_TRANSLATE_NOOP("tallowin::core",
                                        "the text the number goes next to (first occurrence)"));
        const auto where = params.position(
            "where", QT_TRANSLATE_NOOP("tallowin::core", "before or after the anchor"),
            BeforeAfterWords);
        const CountingParams counting = countingParams(params);
        k.countsNumbers = true;
        k.apply = [=](const RuleArgs &a, QString &n, QString &, RuleRun &run) {
            autoNumber(n, {a[where], a[counting.digits], a[counting.increment], a[counting.start]},
                       &a[anchor], run);
        };
        k.describe = [=](const RuleArgs &a) {
            return QStringLiteral("Auto Number: Place numbers ") + low(a[where]) + u' ' + a[anchor];
        };
    }
}

// ---------------------------------------------------------------------------------------------
// Six letter-case kinds, each a case mapping of the name part or of the whole name.

void Catalogue::addLetterKinds() {
    using Mapping = QString (*)(const QString &);
    // The rules list names a letter kind by the words its page offers it with.
    const struct {
        const QString &keyword;
        Mapping map;
        const char *description;
    } letters[] = {
        {RuleKinds::LetterFirstCap, [](const QString &s) { return firstOfWord(s, true); },
         "Make First Of Each Word Upper"},
        {RuleKinds::LetterFirstLow, [](const QString &s) { return firstOfWord(s, false); },
         "mAKE fIRST oF eACH wORD lOWER"},
        {RuleKinds::LetterLowerCase, [](const QString &s) { return text::lower(s); },
         "Make all lower case"},
        {RuleKinds::LetterOtherCap, [](const QString &s) { return alternate(s, true); },
         "MaKe EvErY OtHeR LeTtEr UpPeR"},
        {RuleKinds::LetterOtherLow, [](const QString &s) { return alternate(s, false); },
         "mAkE eVeRy oThEr lEtTeR lOwEr"},
        {RuleKinds::LetterUpperCase, [](const QString &s) { return text::upper(s); },
         "Make all UPPER case"},
    };
    for (const auto &l : letters) {
        RuleKind &k = kind(l.keyword);
        ParamList params(k);
        const auto withExtension =
            params.flag("withExtension", QT_TRANSLATE_NOOP("tallowin::core",
                                                           "1: the whole name with its extension"));
        const Mapping map = l.map;
        k.apply = [=](const RuleArgs &a, QString &n, QString &e, RuleRun &) {
            // With the extension the words run across the dot, so the joined name is mapped.
            if (a.flag(withExtension))
                text::splitInto(map(text::join(n, e)), n, e);
            else
                n = map(n);
        };
        const QString description = QStringLiteral("Letters: ") + QLatin1String(l.description);
        k.describe = [description](const RuleArgs &) { return description; };
    }
}

// ---------------------------------------------------------------------------------------------
// Five tidying kinds without parameters.

void Catalogue::addMiscKinds() {
    using Tidy = void (*)(QString & n, QString & e);
    const struct {
        const QString &keyword;
        Tidy tidy;
        const char *description;
    } misc[] = {
        {RuleKinds::MiscAddSpaces, [](QString &n, QString &) { n.replace(u'_', u' '); },
         "Replace _ underscores with spaces"},
        {RuleKinds::MiscForceAlpha, [](QString &n, QString &) { n = forceAlphaNumeric(n); },
         "Remove all non 1-9 and A-Z characters"},
        {RuleKinds::MiscRemoveMultiSpace,
         [](QString &n, QString &) { n.replace(QStringLiteral("  "), QStringLiteral(" ")); },
         "Remove any double spaces and replace with a single space"},
        {RuleKinds::MiscTrim,
         [](QString &n, QString &e) {
             n = trimSpaces(n);
             e = trimSpaces(e);
         },
         "Remove any spaces before or after the file name"},
        {RuleKinds::MiscReplaceSpaces, [](QString &n, QString &) { n.replace(u' ', u'_'); },
         "Replace any spaces with _ underscores"},
    };
    for (const auto &m : misc) {
        RuleKind &k = kind(m.keyword);
        const Tidy tidy = m.tidy;
        k.apply = [tidy](const RuleArgs &, QString &n, QString &e, RuleRun &) { tidy(n, e); };
        const QString description = QStringLiteral("Misc: ") + QLatin1String(m.description);
        k.describe = [description](const RuleArgs &) { return description; };
    }
}

// ---------------------------------------------------------------------------------------------
// The MP3 kind: a name made from the file's tags.

void Catalogue::addMp3Kind() {
    RuleKind &k = kind(RuleKinds::Mp3);
    ParamList params(k);
    const auto nameTemplate =
        params.text("template", QT_TRANSLATE_NOOP("tallowin::core",
                                                  "the new name part, with %tag% placeholders"));
    k.readsFiles = true;
    k.apply = [=](const RuleArgs &a, QString &n, QString &e, RuleRun &run) {
        text::splitInto(applyMp3Kind(n, e, a[nameTemplate], run.mp3), n, e);
    };
    k.describe = [=](const RuleArgs &a) {
        return QStringLiteral("MP3 Files Change Name To: ") + a[nameTemplate];
    };
}

Catalogue::Catalogue() {
    addNameKinds();
    addExtensionKinds();
    addNumberingKinds();
    addLetterKinds();
    addMiscKinds();
    addMp3Kind();
    for (const RuleKind &k : kinds) {
        Q_ASSERT(!byKeyword.contains(k.keyword));
        byKeyword.insert(k.keyword, &k);
    }
}

const Catalogue &catalogue() {
    static const Catalogue c;
    return c;
}

} // namespace

bool RuleArgs::flag(FlagParam p) const {
    const auto n = strictNumber(m_rule[p.field]);
    if (!n)
        throw RuleFailure{ErrorNumbers::TypeMismatch};
    return *n != 0;
}

bool RuleArgs::atStartOrBefore(PositionParam p) const {
    return meansStartOrBefore(m_rule[p.field]);
}

std::optional<RuleField> RuleKind::fieldOf(QStringView name) const {
    for (size_t i = 0; i < params.size(); ++i)
        if (params[i].name == name)
            return RuleField(Param1 + int(i));
    return std::nullopt;
}

const std::vector<RuleKind> &ruleKinds() {
    return catalogue().kinds;
}

const RuleKind *findRuleKind(const QString &keyword) {
    return catalogue().byKeyword.value(keyword);
}

} // namespace tallowin
