#include "engine/rulekinds.h"

#include "base/numbers.h"
#include "engine/text.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <deque>

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

QString low(const QString &s) {
    return text::lower(s);
}

// The description's tail a check box adds when its flag is "1".
QString when(const QString &flagValue, const QString &words) {
    return flagValue == u"1" ? words : QString();
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
// Building the descriptions.

RuleParam text(const char *name, const char *meaning) {
    return {QLatin1String(name), QLatin1String(meaning), ValueType::Text, {}};
}
RuleParam number(const char *name, const char *meaning) {
    return {QLatin1String(name), QLatin1String(meaning), ValueType::Number, {}};
}
RuleParam flagParam(const char *name, const char *meaning) {
    return {QLatin1String(name), QLatin1String(meaning), ValueType::Flag, {}};
}
RuleParam position(const char *name, const char *meaning, const QStringList &choices) {
    return {QLatin1String(name), QLatin1String(meaning), ValueType::Position, choices};
}

RowPart words(const char *w, const QString &tooltip = {}) {
    return {QString::fromUtf8(w), nullptr, false, tooltip};
}
RowPart note(const char *w) {
    return {QString::fromUtf8(w), nullptr, true, {}};
}
RowPart at(const RuleControl *c) {
    return {{}, c, false, {}};
}

struct Catalogue {
    std::deque<RuleControl> controls; // stable addresses
    std::vector<RuleKind> kinds;
    std::vector<RulePageInfo> pages;
    QHash<QString, const RuleKind *> byKeyword;
    QHash<QString, const RuleOption *> optionsByName;
    QHash<QString, const RuleControl *> controlsByName;
    QHash<const RuleOption *, const RuleKind *> kindOfOption;

    RuleControl *box(const char *name, int chars = 10, const QString &tooltip = {}) {
        RuleControl c;
        c.name = QLatin1String(name);
        c.chars = chars;
        c.tooltip = tooltip;
        return &controls.emplace_back(std::move(c));
    }
    RuleControl *check(const char *name, const char *caption, const QString &tooltip = {}) {
        RuleControl c;
        c.name = QLatin1String(name);
        c.type = ControlType::CheckBox;
        c.caption = QLatin1String(caption);
        c.tooltip = tooltip;
        return &controls.emplace_back(std::move(c));
    }
    // A picker; focus targets default to the add button.
    RuleControl *picker(const char *name, const QStringList &choices, ResetTo reset, bool boxHelp) {
        RuleControl c;
        c.name = QLatin1String(name);
        c.type = ControlType::Picker;
        c.chars = 6;
        c.choices = choices;
        c.initial = choices.value(0);
        c.reset = reset;
        c.boxHelp = boxHelp;
        return &controls.emplace_back(std::move(c));
    }
    RuleControl *shared(const char *name, int chars, const char *initial, const QString &tip) {
        RuleControl c;
        c.name = QLatin1String(name);
        c.chars = chars;
        c.tooltip = tip;
        c.initial = QLatin1String(initial);
        c.reset = ResetTo::Initial;
        return &controls.emplace_back(std::move(c));
    }

    RuleKind &kind(const QString &keyword, std::vector<RuleParam> params) {
        RuleKind &k = kinds.emplace_back();
        k.keyword = keyword;
        k.params = std::move(params);
        return k;
    }

    Catalogue();
    void addNameKinds();
    void addExtensionKinds();
    void addNumberingKinds();
    void addLetterKinds();
    void addMiscKinds();
    void addMp3Kind();
    void index();
};

RuleOption option(RulePageId page, int screenRow, const char *name, const char *caption,
                  std::vector<const RuleControl *> inputs, Row row = {},
                  const QString &tooltip = {}) {
    RuleOption o;
    o.name = QLatin1String(name);
    o.caption = QString::fromUtf8(caption);
    o.tooltip = tooltip;
    o.page = page;
    o.screenRow = screenRow;
    o.inputs = std::move(inputs);
    o.row = std::move(row);
    return o;
}

const QString AddTip = QStringLiteral(
    QT_TRANSLATE_NOOP("tallowin::core", "Click here to add this rule to your rules list."));

// ---------------------------------------------------------------------------------------------
// The File Name page: six kinds that change the name part. Its controls have no hover texts.

void Catalogue::addNameKinds() {
    constexpr RulePageId P = RulePageId::FileName;
    {
        RuleKind &k = kind(
            RuleKinds::Replace,
            {text("search",
                  QT_TRANSLATE_NOOP("tallowin::core", "the text to find, in any letter case")),
             text("replacement", QT_TRANSLATE_NOOP("tallowin::core", "the text put in its place")),
             flagParam("firstOnly",
                       QT_TRANSLATE_NOOP("tallowin::core", "1: only the first occurrence"))});
        k.apply = [](const RuleSlot &r, QString &n, QString &, RuleRun &) {
            n = text::replace(n, r[Param1], r[Param2], flag(r[Param3]) ? 1 : EveryOccurrence);
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("File Name: Replace ") + r[Param1] + QStringLiteral(" with ") +
                   r[Param2] + when(r[Param3], FirstTime);
        };
        auto *search = box("txtStandardReplaceThis");
        auto *with = box("txtStandardReplaceWith");
        auto *first =
            check("chkStandardReplaceFirstOnly", QT_TRANSLATE_NOOP("tallowin::core", "First Only"));
        k.options.push_back(option(
            P, 0, "optStandardReplace", QT_TRANSLATE_NOOP("tallowin::core", "Replace"),
            {search, with, first},
            {at(search), words(QT_TRANSLATE_NOOP("tallowin::core", "with")), at(with), at(first)}));
    }
    {
        RuleKind &k = kind(
            RuleKinds::BeforeAfter,
            {text("insertion", QT_TRANSLATE_NOOP("tallowin::core", "the text to insert")),
             position("where", QT_TRANSLATE_NOOP("tallowin::core", "before or after the anchor"),
                      BeforeAfterWords),
             text("anchor",
                  QT_TRANSLATE_NOOP("tallowin::core", "the text the insertion goes next to")),
             flagParam("firstOnly",
                       QT_TRANSLATE_NOOP("tallowin::core", "1: only at the first occurrence"))});
        k.apply = [](const RuleSlot &r, QString &n, QString &, RuleRun &) {
            const QString &anchor = r[Param3];
            const QString with =
                meansStartOrBefore(r[Param2]) ? r[Param1] + anchor : anchor + r[Param1];
            n = text::replace(n, anchor, with, flag(r[Param4]) ? 1 : EveryOccurrence);
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("File Name: Insert ") + r[Param1] + u' ' + low(r[Param2]) + u' ' +
                   r[Param3] + when(r[Param4], FirstTime);
        };
        auto *insertion = box("txtStandardBeforeAfterText");
        auto *where =
            picker("txtStandardBeforeAfter", BeforeAfterWords, ResetTo::FirstChoice, false);
        auto *anchor = box("txtStandardBeforeAfterCriteria");
        auto *first = check("chkStandardBeforeAfterFirstOnly",
                            QT_TRANSLATE_NOOP("tallowin::core", "First Only"));
        where->focusAfterPick = anchor;
        where->focusOnClose = insertion;
        k.options.push_back(option(
            P, 1, "optStandardBeforeAfter", QT_TRANSLATE_NOOP("tallowin::core", "Insert"),
            {insertion, where, anchor, first}, {at(insertion), at(where), at(anchor), at(first)}));
    }
    {
        RuleKind &k = kind(
            RuleKinds::Insert,
            {text("insertion", QT_TRANSLATE_NOOP("tallowin::core", "the text to insert")),
             position("where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the name part"),
                      StartEnd)});
        k.apply = [](const RuleSlot &r, QString &n, QString &, RuleRun &) {
            n = meansStartOrBefore(r[Param2]) ? r[Param1] + n : n + r[Param1];
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("File Name: Insert ") + r[Param1] + QStringLiteral(" at the ") +
                   low(r[Param2]) + QStringLiteral(" of the file name");
        };
        auto *insertion = box("txtStandardInsertText");
        auto *where = picker("txtStandardInsert", StartEnd, ResetTo::FirstChoice, true);
        k.options.push_back(
            option(P, 2, "optStandardInsert", QT_TRANSLATE_NOOP("tallowin::core", "Insert"),
                   {insertion, where},
                   {at(insertion), words(QT_TRANSLATE_NOOP("tallowin::core", "at the")), at(where),
                    words(QT_TRANSLATE_NOOP("tallowin::core", "of the file name"))}));
    }
    {
        RuleKind &k = kind(
            RuleKinds::Remove,
            {number("count",
                    QT_TRANSLATE_NOOP("tallowin::core", "how many characters; read leniently")),
             position("where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the name part"),
                      StartEnd)});
        k.apply = [](const RuleSlot &r, QString &n, QString &, RuleRun &) {
            const double count = leadingNumber(r[Param1]);
            if (count < 0 && std::isfinite(count))
                return;
            n = keep(n, keptLength(text::length(n), count), meansStartOrBefore(r[Param2]));
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("File Name: Remove ") + r[Param1] + QStringLiteral(" from the ") +
                   low(r[Param2]) + QStringLiteral(" of the file name");
        };
        auto *count = box("txtStandardRemoveCharacters", 4);
        auto *where = picker("txtStandardRemove", StartEnd, ResetTo::FirstChoice, true);
        k.options.push_back(
            option(P, 3, "optStandardRemove", QT_TRANSLATE_NOOP("tallowin::core", "Remove"),
                   {count, where},
                   {at(count), words(QT_TRANSLATE_NOOP("tallowin::core", "characters from the")),
                    at(where), words(QT_TRANSLATE_NOOP("tallowin::core", "of the file name"))}));
    }
    {
        RuleKind &k = kind(
            RuleKinds::Clear,
            {text("from",
                  QT_TRANSLATE_NOOP("tallowin::core", "the text that opens the cleared part")),
             text("to", QT_TRANSLATE_NOOP("tallowin::core",
                                          "the text that closes it, found after the opening")),
             flagParam("leaveMarkers",
                       QT_TRANSLATE_NOOP("tallowin::core", "1: keep the two texts themselves"))});
        k.apply = [](const RuleSlot &r, QString &n, QString &, RuleRun &) {
            const QString &from = r[Param1];
            const QString &to = r[Param2];
            const bool leaveMarkers = flag(r[Param3]);
            const qsizetype s = text::find(n, from, 0);
            if (s >= 0) {
                const qsizetype t = text::find(n, to, s + 1);
                if (t >= 0) {
                    n = leaveMarkers ? n.left(s + from.size()) + n.mid(t)
                                     : n.left(s) + n.mid(t + to.size());
                }
            }
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("File Name: Clear all text between ") + r[Param1] +
                   QStringLiteral(" and ") + r[Param2] +
                   when(r[Param3], QStringLiteral(" leaving the search text intact"));
        };
        auto *from = box("txtStandardClearFrom");
        auto *to = box("txtStandardClearTo");
        auto *leave = check("chkStandardClearLeaveText",
                            QT_TRANSLATE_NOOP("tallowin::core", "Leave Search Text"));
        k.options.push_back(option(
            P, 4, "optStandardClear", QT_TRANSLATE_NOOP("tallowin::core", "Clear text between"),
            {from, to, leave},
            {at(from), words(QT_TRANSLATE_NOOP("tallowin::core", "and")), at(to), at(leave)}));
    }
    {
        RuleKind &k =
            kind(RuleKinds::SetTo,
                 {text("name", QT_TRANSLATE_NOOP("tallowin::core", "the whole new name part"))});
        k.apply = [](const RuleSlot &r, QString &n, QString &, RuleRun &) { n = r[Param1]; };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("File Name: Set to ") + r[Param1] + QStringLiteral(" exactly");
        };
        auto *name = box("txtStandardSetTo", 16);
        k.options.push_back(
            option(P, 5, "optStandardSetTo",
                   QT_TRANSLATE_NOOP("tallowin::core", "Set file name to"), {name},
                   {at(name),
                    note(QT_TRANSLATE_NOOP("tallowin::core", "* Must be first file name rule"))}));
    }
}

// ---------------------------------------------------------------------------------------------
// The Extension page: six kinds that change the extension.

void Catalogue::addExtensionKinds() {
    constexpr RulePageId P = RulePageId::Extension;
    {
        RuleKind &k = kind(
            RuleKinds::ExtBeforeAfter,
            {text("insertion", QT_TRANSLATE_NOOP("tallowin::core", "the text to insert")),
             text("anchor",
                  QT_TRANSLATE_NOOP("tallowin::core", "the text the insertion goes next to")),
             position("where", QT_TRANSLATE_NOOP("tallowin::core", "before or after the anchor"),
                      BeforeAfterWords)});
        k.apply = [](const RuleSlot &r, QString &, QString &e, RuleRun &) {
            const QString &anchor = r[Param2];
            e = text::replace(
                e, anchor, meansStartOrBefore(r[Param3]) ? r[Param1] + anchor : anchor + r[Param1]);
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("Extension: Insert ") + r[Param1] + u' ' + low(r[Param3]) + u' ' +
                   r[Param2];
        };
        auto *insertion = box("txtStandardExtBeforeAfterThis");
        auto *where =
            picker("txtStandardExtBeforeAfter", BeforeAfterWords, ResetTo::FirstChoice, false);
        auto *anchor = box("txtStandardExtBeforeAfterThat");
        where->focusAfterPick = where->focusOnClose = anchor;
        k.options.push_back(option(
            P, 1, "optStandardExtBeforeAfter", QT_TRANSLATE_NOOP("tallowin::core", "Insert"),
            {insertion, anchor, where}, {at(insertion), at(where), at(anchor)},
            QStringLiteral(QT_TRANSLATE_NOOP(
                "tallowin::core", "Insert this string before or after the following string."))));
    }
    {
        RuleKind &k =
            kind(RuleKinds::ExtClear,
                 {text("search", QT_TRANSLATE_NOOP("tallowin::core",
                                                   "the text that bounds the cleared part")),
                  position("side", QT_TRANSLATE_NOOP("tallowin::core", "clear before or after it"),
                           BeforeAfterWords),
                  flagParam("leaveSearch",
                            QT_TRANSLATE_NOOP("tallowin::core", "1: keep the text itself"))});
        k.apply = [](const RuleSlot &r, QString &, QString &e, RuleRun &) {
            const QString &search = r[Param1];
            const bool leave = flag(r[Param3]);
            const qsizetype p = text::find(e, search, 0);
            if (p < 0)
                return;
            const qsizetype l = search.size();
            if (meansStartOrBefore(r[Param2]))
                e = leave ? e.mid(p) : e.mid(p + l);
            else
                e = leave ? e.left(p + l) : e.left(p);
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("Extension: Clear all text ") + low(r[Param2]) + u' ' +
                   r[Param1] + when(r[Param3], QStringLiteral(" and leave search text"));
        };
        // The picker keeps its last choice.
        auto *side = picker("txtStandardExtClear", BeforeAfterWords, ResetTo::Keep, false);
        auto *search = box("txtStandardExtClearThis");
        auto *leave = check(
            "chkStandardExtLeaveSearch", QT_TRANSLATE_NOOP("tallowin::core", "Leave Search Text"),
            QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core",
                                             "Check this box if you wish to leave the search text, "
                                             "otherwise it will be cleared as well.")));
        k.options.push_back(option(
            P, 4, "optStandardExtClear", QT_TRANSLATE_NOOP("tallowin::core", "Clear all text"),
            {search, side, leave},
            {at(side), words(QT_TRANSLATE_NOOP("tallowin::core", "this")), at(search), at(leave)},
            QStringLiteral(QT_TRANSLATE_NOOP(
                "tallowin::core", "Remove all text that comes before or after this string."))));
    }
    {
        RuleKind &k = kind(
            RuleKinds::ExtInsert,
            {text("insertion", QT_TRANSLATE_NOOP("tallowin::core", "the text to insert")),
             position("where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the extension"),
                      StartEnd)});
        k.apply = [](const RuleSlot &r, QString &, QString &e, RuleRun &) {
            e = meansStartOrBefore(r[Param2]) ? r[Param1] + e : e + r[Param1];
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("Extension: Insert ") + r[Param1] + QStringLiteral(" at the ") +
                   low(r[Param2]) + QStringLiteral(" of the extension");
        };
        auto *insertion = box("txtStandardExtInsertText");
        auto *where = picker("txtStandardExtInsert", StartEnd, ResetTo::FirstChoice, true);
        k.options.push_back(
            option(P, 2, "optStandardExtInsert", QT_TRANSLATE_NOOP("tallowin::core", "Insert"),
                   {insertion, where},
                   {at(insertion), words(QT_TRANSLATE_NOOP("tallowin::core", "at the")), at(where),
                    words(QT_TRANSLATE_NOOP("tallowin::core", "of the extension"))},
                   QStringLiteral(QT_TRANSLATE_NOOP(
                       "tallowin::core",
                       "Insert this string at the beginning or end of the extension."))));
    }
    {
        RuleKind &k = kind(
            RuleKinds::ExtRemove,
            {number("count",
                    QT_TRANSLATE_NOOP("tallowin::core", "how many characters; must be a number")),
             position("where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the extension"),
                      StartEnd)});
        k.apply = [](const RuleSlot &r, QString &, QString &e, RuleRun &) {
            const auto count = strictNumber(r[Param1]);
            if (!count)
                throw RuleFailure{ErrorNumbers::TypeMismatch};
            e = keep(e, keptLength(text::length(e), *count), meansStartOrBefore(r[Param2]));
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("Extension: Remove ") + r[Param1] +
                   QStringLiteral(" characters from the ") + low(r[Param2]) +
                   QStringLiteral(" of the extension");
        };
        auto *count = box("txtStandardExtRemoveCharacters", 4);
        auto *where = picker("txtStandardExtRemove", StartEnd, ResetTo::FirstChoice, false);
        k.options.push_back(
            option(P, 3, "optStandardExtRemove", QT_TRANSLATE_NOOP("tallowin::core", "Remove"),
                   {count, where},
                   {at(count), words(QT_TRANSLATE_NOOP("tallowin::core", "characters from the")),
                    at(where), words(QT_TRANSLATE_NOOP("tallowin::core", "of the extension"))},
                   QStringLiteral(
                       "Remove this many characters from the beginning or end of the extension.")));
    }
    {
        RuleKind &k =
            kind(RuleKinds::ExtReplace,
                 {text("search",
                       QT_TRANSLATE_NOOP("tallowin::core", "the text to find, in any letter case")),
                  text("replacement",
                       QT_TRANSLATE_NOOP("tallowin::core", "the text put in its place"))});
        k.apply = [](const RuleSlot &r, QString &, QString &e, RuleRun &) {
            e = text::replace(e, r[Param1], r[Param2]);
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("Extension: Replace ") + r[Param1] + QStringLiteral(" with ") +
                   r[Param2];
        };
        auto *search = box("txtStandardExtReplaceThis");
        auto *with = box("txtStandardExtReplaceThat");
        k.options.push_back(
            option(P, 0, "optStandardExtReplace", QT_TRANSLATE_NOOP("tallowin::core", "Replace"),
                   {search, with},
                   {at(search), words(QT_TRANSLATE_NOOP("tallowin::core", "with")), at(with)},
                   QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core",
                                                    "Replace this string with a new string."))));
    }
    {
        RuleKind &k = kind(
            RuleKinds::ExtSetTo,
            {text("extension", QT_TRANSLATE_NOOP("tallowin::core", "the whole new extension"))});
        k.apply = [](const RuleSlot &r, QString &, QString &e, RuleRun &) { e = r[Param1]; };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("Extension: Set extension to ") + r[Param1] +
                   QStringLiteral(" exactly");
        };
        auto *ext = box("txtStandardExtSetTo", 8);
        k.options.push_back(option(
            P, 5, "optStandardExtSetTo",
            QT_TRANSLATE_NOOP("tallowin::core", "Set the extension to "), {ext},
            {at(ext), note(QT_TRANSLATE_NOOP("tallowin::core", "* Must be first extension rule"))},
            QStringLiteral(QT_TRANSLATE_NOOP(
                "tallowin::core",
                "Set the extension to this text exactly.  This must be the first rule "
                "applied to extensions or it will overwrite any previous rules."))));
    }
}

// ---------------------------------------------------------------------------------------------
// The Auto Number page: two kinds sharing the counting boxes.

void Catalogue::addNumberingKinds() {
    constexpr RulePageId P = RulePageId::AutoNumber;
    const QString startTip = QStringLiteral(
        QT_TRANSLATE_NOOP("tallowin::core", "Start the self counting number with this number"));
    const QString incTip = QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Add this number to the starting number for each file, for example starting with 1 and "
        "incrementing 1 will result in 1, 2, 3, 4, 5  starting with 1 and incrementing by 2 "
        "will result in 1,3,5,7,9."));
    const QString fmtTip = QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Format your number to contain a certain number of characters.  This eliminates the "
        "issue of windows sorting files like myfile1, myfile10, myfile2 by adding extra 0's "
        "such as myfile001,myfile002,myfile010"));
    auto *start = shared("txtStandardAutoStartCount", 4, "1", startTip);
    auto *inc = shared("txtStandardAutoIncrement", 4, "1", incTip);
    auto *fmt = shared("txtStandardAutoFormat", 3, "4", fmtTip);
    pages[int(P)].sharedRows = {
        {words(QT_TRANSLATE_NOOP("tallowin::core", "Start count at"), startTip), at(start),
         words(QT_TRANSLATE_NOOP("tallowin::core", "and increment by"), incTip), at(inc)},
        {words(QT_TRANSLATE_NOOP("tallowin::core", "Format number to "), fmtTip), at(fmt),
         words(QT_TRANSLATE_NOOP("tallowin::core", "digits minimum.  (0001,0002, etc)"), fmtTip)}};
    const RuleParam digits = number(
        "digits", QT_TRANSLATE_NOOP("tallowin::core", "the fewest digits, padded with zeros"));
    const RuleParam increment = number(
        "increment", QT_TRANSLATE_NOOP("tallowin::core", "added to the counter after each use"));
    const RuleParam startCount =
        number("start", QT_TRANSLATE_NOOP("tallowin::core", "the counter's first value"));
    {
        RuleKind &k = kind(
            RuleKinds::AutoStartEnd,
            {position("where", QT_TRANSLATE_NOOP("tallowin::core", "start or end of the name part"),
                      StartEnd),
             digits, increment, startCount});
        k.countsNumbers = true;
        k.apply = [](const RuleSlot &r, QString &n, QString &, RuleRun &run) {
            autoNumber(n, {r[Param1], r[Param2], r[Param3], r[Param4]}, nullptr, run);
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("Auto Number: Place numbers at the ") + low(r[Param1]) +
                   QStringLiteral(" of the file name");
        };
        // Both pickers keep their last choice.
        auto *where = picker("txtStandardAutoStartEnd", StartEnd, ResetTo::Keep, false);
        k.options.push_back(option(
            P, 0, "optStandardAutoStartEnd",
            QT_TRANSLATE_NOOP("tallowin::core", "Insert numbers at the"), {where, fmt, inc, start},
            {at(where), words(QT_TRANSLATE_NOOP("tallowin::core", "of the file name"))},
            QStringLiteral(QT_TRANSLATE_NOOP(
                "tallowin::core",
                "Insert self counting numbers at the beginning or end of the file "
                "name, such as 01myfile, 02myfile, etc."))));
    }
    {
        RuleKind &k = kind(
            RuleKinds::AutoBeforeAfter,
            {text("anchor",
                  QT_TRANSLATE_NOOP("tallowin::core",
                                    "the text the number goes next to (first occurrence)")),
             position("where", QT_TRANSLATE_NOOP("tallowin::core", "before or after the anchor"),
                      BeforeAfterWords),
             digits, increment, startCount});
        k.countsNumbers = true;
        k.apply = [](const RuleSlot &r, QString &n, QString &, RuleRun &run) {
            autoNumber(n, {r[Param2], r[Param3], r[Param4], r[Param5]}, &r[Param1], run);
        };
        k.describe = [](const RuleSlot &r) {
            return QStringLiteral("Auto Number: Place numbers ") + low(r[Param2]) + u' ' +
                   r[Param1];
        };
        auto *where = picker("txtStandardAutoBeforeAfter", BeforeAfterWords, ResetTo::Keep, false);
        auto *anchor = box("txtStandardAutoBeforeAfterThis");
        where->focusAfterPick = anchor;
        k.options.push_back(option(
            P, 1, "optStandardAutoBeforeAfter",
            QT_TRANSLATE_NOOP("tallowin::core", "Insert numbers"), {anchor, where, fmt, inc, start},
            {at(where), words(QT_TRANSLATE_NOOP("tallowin::core", "this")), at(anchor)},
            QStringLiteral(QT_TRANSLATE_NOOP(
                "tallowin::core",
                "Insert self counting number before or after this piece of text in the "
                "file name."))));
    }
}

// ---------------------------------------------------------------------------------------------
// The Letters page: six kinds sharing one check box, each a case mapping.

void Catalogue::addLetterKinds() {
    constexpr RulePageId P = RulePageId::Letters;
    RuleControl *toExt =
        check("chkStandardLettersApplyToExt",
              QT_TRANSLATE_NOOP("tallowin::core", "Apply Rule To Extension"),
              QStringLiteral(QT_TRANSLATE_NOOP(
                  "tallowin::core", "Apply this rule to the extension as well as the file name.")));
    toExt->reset = ResetTo::Keep;
    pages[int(P)].besideAdd = {at(toExt)};
    using Mapping = QString (*)(const QString &);
    const struct {
        const QString &keyword;
        Mapping map;
        int screenRow;
        const char *option, *caption, *tip;
    } letters[] = {
        {RuleKinds::LetterFirstCap, [](const QString &s) { return firstOfWord(s, true); }, 0,
         "optStandardLettersFirstCap",
         QT_TRANSLATE_NOOP("tallowin::core", "Make First Of Each Word Upper"),
         QT_TRANSLATE_NOOP("tallowin::core", "Make The First Of Each Word Upper Case")},
        {RuleKinds::LetterFirstLow, [](const QString &s) { return firstOfWord(s, false); }, 1,
         "optStandardLettersFirstLow",
         QT_TRANSLATE_NOOP("tallowin::core", "mAKE fIRST oF eACH wORD lOWER"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "Make the first of each word lower case and the rest of the word upper case.")},
        {RuleKinds::LetterLowerCase, [](const QString &s) { return text::lower(s); }, 5,
         "optStandardLettersLowerCase", QT_TRANSLATE_NOOP("tallowin::core", "Make all lower case"),
         QT_TRANSLATE_NOOP("tallowin::core", "Make the file name lower case.")},
        {RuleKinds::LetterOtherCap, [](const QString &s) { return alternate(s, true); }, 2,
         "optStandardLettersOtherCap",
         QT_TRANSLATE_NOOP("tallowin::core", "MaKe EvErY OtHeR LeTtEr UpPeR"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "Make every other letter upper case starting with the first letter of each word.")},
        {RuleKinds::LetterOtherLow, [](const QString &s) { return alternate(s, false); }, 3,
         "optStandardLettersOtherLow",
         QT_TRANSLATE_NOOP("tallowin::core", "mAkE eVeRy oThEr lEtTeR lOwEr"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "Make every other letter lower case starting with the first letter of each word.")},
        {RuleKinds::LetterUpperCase, [](const QString &s) { return text::upper(s); }, 4,
         "optStandardLettersUpperCase", QT_TRANSLATE_NOOP("tallowin::core", "Make all UPPER case"),
         QT_TRANSLATE_NOOP("tallowin::core", "Make the file name UPPER case.")},
    };
    for (const auto &l : letters) {
        RuleKind &k =
            kind(l.keyword, {flagParam("withExtension",
                                       QT_TRANSLATE_NOOP("tallowin::core",
                                                         "1: the whole name with its extension"))});
        const Mapping map = l.map;
        k.apply = [map](const RuleSlot &r, QString &n, QString &e, RuleRun &) {
            // With the extension the words run across the dot, so the joined name is mapped.
            if (flag(r[Param1]))
                text::splitInto(map(text::join(n, e)), n, e);
            else
                n = map(n);
        };
        // The rules list names a letter kind by its option's caption.
        const QString description = QStringLiteral("Letters: ") + QString::fromUtf8(l.caption);
        k.describe = [description](const RuleSlot &) { return description; };
        k.options.push_back(
            option(P, l.screenRow, l.option, l.caption, {toExt}, {}, QString::fromUtf8(l.tip)));
    }
}

// ---------------------------------------------------------------------------------------------
// The Misc page: five kinds without parameters.

void Catalogue::addMiscKinds() {
    constexpr RulePageId P = RulePageId::Misc;
    using Tidy = void (*)(QString & n, QString & e);
    const struct {
        const QString &keyword;
        Tidy tidy;
        int screenRow;
        const char *option, *caption, *tip, *description;
    } misc[] = {
        {RuleKinds::MiscAddSpaces, [](QString &n, QString &) { n.replace(u'_', u' '); }, 1,
         "optStandardMiscAddSpaces", QT_TRANSLATE_NOOP("tallowin::core", "Replace _ with space"),
         QT_TRANSLATE_NOOP("tallowin::core", "Replaces all _ underscores with spaces"),
         "Replace _ underscores with spaces"},
        {RuleKinds::MiscForceAlpha, [](QString &n, QString &) { n = forceAlphaNumeric(n); }, 4,
         "optStandardMiscForceAlphaNumeric",
         QT_TRANSLATE_NOOP("tallowin::core",
                           "Remove special characters forcing Alpha Numeric (i.e. abc123)"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "This will limit your file name to being Letters and Numbers only, !@#$%^&&*() etc."),
         "Remove all non 1-9 and A-Z characters"},
        {RuleKinds::MiscRemoveMultiSpace,
         [](QString &n, QString &) { n.replace(QStringLiteral("  "), QStringLiteral(" ")); }, 3,
         "optStandardMiscRemoveMultiSpace",
         QT_TRANSLATE_NOOP("tallowin::core", "Convert multiple spaces to one"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "If you have a file name with    extra spaces it will remove them and make it only a "
             "single space."),
         "Remove any double spaces and replace with a single space"},
        {RuleKinds::MiscTrim,
         [](QString &n, QString &e) {
             n = trimSpaces(n);
             e = trimSpaces(e);
         },
         2, "optStandardMiscRemoveSpaces",
         QT_TRANSLATE_NOOP("tallowin::core", "Remove Extra Spaces"),
         QT_TRANSLATE_NOOP("tallowin::core",
                           "Removes any spaces from the beginning or end of the file name."),
         "Remove any spaces before or after the file name"},
        {RuleKinds::MiscReplaceSpaces, [](QString &n, QString &) { n.replace(u' ', u'_'); }, 0,
         "optStandardMiscReplaceSpaces",
         QT_TRANSLATE_NOOP("tallowin::core", "Replace spaces with _"),
         QT_TRANSLATE_NOOP("tallowin::core", "Replaces all spaces with _ underscores"),
         "Replace any spaces with _ underscores"},
    };
    for (const auto &m : misc) {
        RuleKind &k = kind(m.keyword, {});
        const Tidy tidy = m.tidy;
        k.apply = [tidy](const RuleSlot &, QString &n, QString &e, RuleRun &) { tidy(n, e); };
        const QString description = QStringLiteral("Misc: ") + QString::fromUtf8(m.description);
        k.describe = [description](const RuleSlot &) { return description; };
        k.options.push_back(
            option(P, m.screenRow, m.option, m.caption, {}, {}, QString::fromUtf8(m.tip)));
    }
}

// ---------------------------------------------------------------------------------------------
// The MP3 view: one kind, added from a predefined or a custom template.

void Catalogue::addMp3Kind() {
    constexpr RulePageId P = RulePageId::Mp3;
    RuleKind &k =
        kind(RuleKinds::Mp3,
             {text("template", QT_TRANSLATE_NOOP("tallowin::core", "the new name part, with %tag% "
                                                                   "placeholders"))});
    k.readsFiles = true;
    k.apply = [](const RuleSlot &r, QString &n, QString &e, RuleRun &run) {
        text::splitInto(applyMp3Kind(n, e, r[Param1], run.mp3), n, e);
    };
    k.describe = [](const RuleSlot &r) {
        return QStringLiteral("MP3 Files Change Name To: ") + r[Param1];
    };
    auto *predefined = picker("txtPredefinedMP3",
                              {QStringLiteral("%Artist% - %SongName%"),
                               QStringLiteral("%Genre% - %Artist% - %SongName%"),
                               QStringLiteral("%Artist% - %Album% - %SongName%"),
                               QStringLiteral("%Artist% - %Album% - %Track% - %SongName%"),
                               QStringLiteral("%Album% - %Track% - %SongName%")},
                              ResetTo::FirstChoiceWhenSelected, true);
    predefined->chars = 34;
    predefined->wide = true;
    predefined->initial.clear();
    RuleControl *custom = box("txtCustomMP3", 34);
    custom->wide = true;
    custom->placeholder = QStringLiteral("%Year% - %Album% - %Track%");
    k.options.push_back(
        option(P, 0, "optMP3Predefined", QT_TRANSLATE_NOOP("tallowin::core", "Predefined"),
               {predefined}, {at(predefined)},
               QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core",
                                                "Set the file name of an MP3 file to a predefined "
                                                "format based on ID3 tags in the MP3 file."))));
    k.options.push_back(option(P, 1, "optMP3Custom", QT_TRANSLATE_NOOP("tallowin::core", "Custom"),
                               {custom}, {at(custom)},
                               QStringLiteral(QT_TRANSLATE_NOOP(
                                   "tallowin::core", "Set the file name of an MP3 file to a custom "
                                                     "defined format based on ID3 tags in the MP3 "
                                                     "file."))));
}

Catalogue::Catalogue() {
    const auto page = [](RulePageId id, const char *caption, const char *frame,
                         const char *addButton, const QString &addTip, bool focusLook,
                         const char *help) {
        RulePageInfo p;
        p.id = id;
        p.caption = QLatin1String(caption);
        p.frame = QLatin1String(frame);
        p.addButton = QLatin1String(addButton);
        p.addTip = addTip;
        p.addFocusLook = focusLook;
        p.help = QLatin1String(help);
        return p;
    };
    pages = {
        page(RulePageId::FileName, QT_TRANSLATE_NOOP("tallowin::core", "File Name"),
             "fraStandardFileName", "cmdStandardFileNameAddNewRule", {}, true, "page7.html"),
        page(RulePageId::Extension, QT_TRANSLATE_NOOP("tallowin::core", "Extension"),
             "fraStandardExtensions", "cmdStandardExtensionAddNewRule", {}, false, "page8.html"),
        page(RulePageId::AutoNumber, QT_TRANSLATE_NOOP("tallowin::core", "Auto Number"),
             "fraStandardAutoNumber", "cmdStandardAutoAddRule", AddTip, false, "page9.html"),
        page(RulePageId::Letters, QT_TRANSLATE_NOOP("tallowin::core", "Letters"),
             "fraStandardLetters", "cmdStandardLettersAddRule", AddTip, false, "page10.html"),
        page(RulePageId::Misc, QT_TRANSLATE_NOOP("tallowin::core", "Misc"), "fraStandardMisc",
             "cmdStandardMiscAddRule", AddTip, false, "page11.html"),
        page(RulePageId::Mp3, QT_TRANSLATE_NOOP("tallowin::core", "MP3 Music"), "frmMP3Rules",
             "cmdStandardMP3AddNewRule", AddTip, false, "page12.html"),
    };
    addNameKinds();
    addExtensionKinds();
    addNumberingKinds();
    addLetterKinds();
    addMiscKinds();
    addMp3Kind();
    index();
}

void Catalogue::index() {
    for (const RuleKind &k : kinds) {
        Q_ASSERT(!byKeyword.contains(k.keyword));
        byKeyword.insert(k.keyword, &k);
        for (const RuleOption &o : k.options) {
            optionsByName.insert(o.name, &o);
            kindOfOption.insert(&o, &k);
            pages[int(o.page)].options.push_back(&o);
        }
    }
    for (RulePageInfo &p : pages)
        std::stable_sort(
            p.options.begin(), p.options.end(),
            [](const RuleOption *a, const RuleOption *b) { return a->screenRow < b->screenRow; });
    for (const RuleControl &c : controls)
        controlsByName.insert(c.name, &c);
}

const Catalogue &catalogue() {
    static const Catalogue c;
    return c;
}

} // namespace

const std::vector<RuleKind> &ruleKinds() {
    return catalogue().kinds;
}

const RuleKind *findRuleKind(const QString &keyword) {
    return catalogue().byKeyword.value(keyword);
}

const std::vector<RulePageInfo> &rulePages() {
    return catalogue().pages;
}

const RulePageInfo &rulePage(RulePageId page) {
    return catalogue().pages[size_t(page)];
}

const RuleOption *findRuleOption(const QString &name) {
    return catalogue().optionsByName.value(name);
}

const RuleControl *findRuleControl(const QString &name) {
    return catalogue().controlsByName.value(name);
}

const RuleKind &kindOf(const RuleOption &option) {
    return *catalogue().kindOfOption.value(&option);
}

} // namespace tallowin
