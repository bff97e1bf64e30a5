#include "editing/rulepagestate.h"

#include "engine/text.h"

#include <functional>
#include <vector>

namespace tallowin {

namespace {

using namespace RuleKinds;

// One option button, and how its rule's fields and description come from the state.
struct OptionRule {
    QString option;
    std::function<RuleSlot(const RulePageState &)> build;
};

QString low(const QString &s) {
    return text::lower(s);
}

RuleSlot rule(const QString &kind, QStringList params, const QString &description) {
    RuleSlot r;
    r[Kind] = kind;
    for (int i = 0; i < params.size() && i < 6; ++i)
        r[Param1 + i] = params[i];
    r[Description] = description;
    return r;
}

// The six letter-case options share their parameter.
OptionRule letters(const char *option, const QString &kind, const char *description) {
    return {QString::fromLatin1(option), [kind, description](const RulePageState &s) {
                return rule(kind, {s.flag(QStringLiteral("chkStandardLettersApplyToExt"))},
                            QString::fromUtf8(description));
            }};
}

OptionRule misc(const char *option, const QString &kind, const char *description) {
    return {QString::fromLatin1(option), [kind, description](const RulePageState &) {
                return rule(kind, {}, QString::fromUtf8(description));
            }};
}

OptionRule mp3(const char *option, const char *box) {
    return {QString::fromLatin1(option), [box](const RulePageState &s) {
                const QString t = s.text(QString::fromLatin1(box));
                return rule(Mp3, {t}, QStringLiteral("MP3 Files Change Name To: ") + t);
            }};
}

const std::vector<OptionRule> &optionRules() {
    static const std::vector<OptionRule> table = [] {
        const QString firstTime = QStringLiteral(" the first time it appears");
        std::vector<OptionRule> t;
        t.push_back({QStringLiteral("optStandardReplace"), [=](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardReplaceThis"));
                         const QString p2 = s.text(QStringLiteral("txtStandardReplaceWith"));
                         const QString p3 = s.flag(QStringLiteral("chkStandardReplaceFirstOnly"));
                         return rule(Replace, {p1, p2, p3},
                                     QStringLiteral("File Name: Replace ") + p1 +
                                         QStringLiteral(" with ") + p2 +
                                         (p3 == u"1" ? firstTime : QString()));
                     }});
        t.push_back({QStringLiteral("optStandardBeforeAfter"), [=](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardBeforeAfterText"));
                         const QString p2 = s.text(QStringLiteral("txtStandardBeforeAfter"));
                         const QString p3 =
                             s.text(QStringLiteral("txtStandardBeforeAfterCriteria"));
                         const QString p4 =
                             s.flag(QStringLiteral("chkStandardBeforeAfterFirstOnly"));
                         return rule(BeforeAfter, {p1, p2, p3, p4},
                                     QStringLiteral("File Name: Insert ") + p1 + u' ' + low(p2) +
                                         u' ' + p3 + (p4 == u"1" ? firstTime : QString()));
                     }});
        t.push_back({QStringLiteral("optStandardInsert"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardInsertText"));
                         const QString p2 = s.text(QStringLiteral("txtStandardInsert"));
                         return rule(Insert, {p1, p2},
                                     QStringLiteral("File Name: Insert ") + p1 +
                                         QStringLiteral(" at the ") + low(p2) +
                                         QStringLiteral(" of the file name"));
                     }});
        t.push_back({QStringLiteral("optStandardRemove"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardRemoveCharacters"));
                         const QString p2 = s.text(QStringLiteral("txtStandardRemove"));
                         return rule(Remove, {p1, p2},
                                     QStringLiteral("File Name: Remove ") + p1 +
                                         QStringLiteral(" from the ") + low(p2) +
                                         QStringLiteral(" of the file name"));
                     }});
        t.push_back({QStringLiteral("optStandardClear"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardClearFrom"));
                         const QString p2 = s.text(QStringLiteral("txtStandardClearTo"));
                         const QString p3 = s.flag(QStringLiteral("chkStandardClearLeaveText"));
                         return rule(Clear, {p1, p2, p3},
                                     QStringLiteral("File Name: Clear all text between ") + p1 +
                                         QStringLiteral(" and ") + p2 +
                                         (p3 == u"1"
                                              ? QStringLiteral(" leaving the search text intact")
                                              : QString()));
                     }});
        t.push_back({QStringLiteral("optStandardSetTo"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardSetTo"));
                         return rule(SetTo, {p1},
                                     QStringLiteral("File Name: Set to ") + p1 +
                                         QStringLiteral(" exactly"));
                     }});
        t.push_back({QStringLiteral("optStandardExtBeforeAfter"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardExtBeforeAfterThis"));
                         const QString p2 = s.text(QStringLiteral("txtStandardExtBeforeAfterThat"));
                         const QString p3 = s.text(QStringLiteral("txtStandardExtBeforeAfter"));
                         return rule(ExtBeforeAfter, {p1, p2, p3},
                                     QStringLiteral("Extension: Insert ") + p1 + u' ' + low(p3) +
                                         u' ' + p2);
                     }});
        t.push_back({QStringLiteral("optStandardExtClear"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardExtClearThis"));
                         const QString p2 = s.text(QStringLiteral("txtStandardExtClear"));
                         const QString p3 = s.flag(QStringLiteral("chkStandardExtLeaveSearch"));
                         return rule(ExtClear, {p1, p2, p3},
                                     QStringLiteral("Extension: Clear all text ") + low(p2) + u' ' +
                                         p1 +
                                         (p3 == u"1" ? QStringLiteral(" and leave search text")
                                                     : QString()));
                     }});
        t.push_back({QStringLiteral("optStandardExtInsert"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardExtInsertText"));
                         const QString p2 = s.text(QStringLiteral("txtStandardExtInsert"));
                         return rule(ExtInsert, {p1, p2},
                                     QStringLiteral("Extension: Insert ") + p1 +
                                         QStringLiteral(" at the ") + low(p2) +
                                         QStringLiteral(" of the extension"));
                     }});
        t.push_back({QStringLiteral("optStandardExtRemove"), [](const RulePageState &s) {
                         const QString p1 =
                             s.text(QStringLiteral("txtStandardExtRemoveCharacters"));
                         const QString p2 = s.text(QStringLiteral("txtStandardExtRemove"));
                         return rule(ExtRemove, {p1, p2},
                                     QStringLiteral("Extension: Remove ") + p1 +
                                         QStringLiteral(" characters from the ") + low(p2) +
                                         QStringLiteral(" of the extension"));
                     }});
        t.push_back({QStringLiteral("optStandardExtReplace"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardExtReplaceThis"));
                         const QString p2 = s.text(QStringLiteral("txtStandardExtReplaceThat"));
                         return rule(ExtReplace, {p1, p2},
                                     QStringLiteral("Extension: Replace ") + p1 +
                                         QStringLiteral(" with ") + p2);
                     }});
        t.push_back({QStringLiteral("optStandardExtSetTo"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardExtSetTo"));
                         return rule(ExtSetTo, {p1},
                                     QStringLiteral("Extension: Set extension to ") + p1 +
                                         QStringLiteral(" exactly"));
                     }});
        t.push_back({QStringLiteral("optStandardAutoStartEnd"), [](const RulePageState &s) {
                         const QString p1 = s.text(QStringLiteral("txtStandardAutoStartEnd"));
                         return rule(AutoStartEnd,
                                     {p1, s.text(QStringLiteral("txtStandardAutoFormat")),
                                      s.text(QStringLiteral("txtStandardAutoIncrement")),
                                      s.text(QStringLiteral("txtStandardAutoStartCount"))},
                                     QStringLiteral("Auto Number: Place numbers at the ") +
                                         low(p1) + QStringLiteral(" of the file name"));
                     }});
        t.push_back(
            {QStringLiteral("optStandardAutoBeforeAfter"), [](const RulePageState &s) {
                 const QString p1 = s.text(QStringLiteral("txtStandardAutoBeforeAfterThis"));
                 const QString p2 = s.text(QStringLiteral("txtStandardAutoBeforeAfter"));
                 return rule(AutoBeforeAfter,
                             {p1, p2, s.text(QStringLiteral("txtStandardAutoFormat")),
                              s.text(QStringLiteral("txtStandardAutoIncrement")),
                              s.text(QStringLiteral("txtStandardAutoStartCount"))},
                             QStringLiteral("Auto Number: Place numbers ") + low(p2) + u' ' + p1);
             }});
        t.push_back(letters("optStandardLettersFirstCap", LetterFirstCap,
                            "Letters: Make First Of Each Word Upper"));
        t.push_back(letters("optStandardLettersFirstLow", LetterFirstLow,
                            "Letters: mAKE fIRST oF eACH wORD lOWER"));
        t.push_back(letters("optStandardLettersLowerCase", LetterLowerCase,
                            "Letters: Make all lower case"));
        t.push_back(letters("optStandardLettersOtherCap", LetterOtherCap,
                            "Letters: MaKe EvErY OtHeR LeTtEr UpPeR"));
        t.push_back(letters("optStandardLettersOtherLow", LetterOtherLow,
                            "Letters: mAkE eVeRy oThEr lEtTeR lOwEr"));
        t.push_back(letters("optStandardLettersUpperCase", LetterUpperCase,
                            "Letters: Make all UPPER case"));
        t.push_back(misc("optStandardMiscAddSpaces", MiscAddSpaces,
                         "Misc: Replace _ underscores with spaces"));
        t.push_back(misc("optStandardMiscForceAlphaNumeric", MiscForceAlpha,
                         "Misc: Remove all non 1-9 and A-Z characters"));
        t.push_back(misc("optStandardMiscRemoveMultiSpace", MiscRemoveMultiSpace,
                         "Misc: Remove any double spaces and replace with a single space"));
        t.push_back(misc("optStandardMiscRemoveSpaces", MiscTrim,
                         "Misc: Remove any spaces before or after the file name"));
        t.push_back(misc("optStandardMiscReplaceSpaces", MiscReplaceSpaces,
                         "Misc: Replace any spaces with _ underscores"));
        t.push_back(mp3("optMP3Predefined", "txtPredefinedMP3"));
        t.push_back(mp3("optMP3Custom", "txtCustomMP3"));
        return t;
    }();
    return table;
}

} // namespace

const QStringList &ruleOptionNames() {
    static const QStringList names = [] {
        QStringList n;
        for (const auto &o : optionRules())
            n << o.option;
        return n;
    }();
    return names;
}

RuleSlot ruleForOption(const QString &option, const RulePageState &state) {
    for (const auto &o : optionRules())
        if (o.option == option)
            return o.build(state);
    return {};
}

int addSelectedRules(const RulePageState &state, RuleTable &rules) {
    int added = 0;
    for (const auto &o : optionRules()) {
        if (!state.selectedOptions.contains(o.option))
            continue;
        rules.addRule(o.build(state));
        ++added;
    }
    return added;
}

} // namespace tallowin
