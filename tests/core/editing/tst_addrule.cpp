#include "editing/ruledraft.h"

#include <QtTest>

using namespace tallowin;

namespace {

const RuleKind &kind(const QString &keyword) {
    const RuleKind *k = findRuleKind(keyword);
    Q_ASSERT(k);
    return *k;
}

} // namespace

// Adding rules from values by parameter name, as the rule pages and the wizards do.
class TestAddRule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void makeRule_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<ParamValues>("values");
        QTest::addColumn<QStringList>("fields"); // all eight
        QTest::newRow("all-given")
            << RuleKinds::Replace
            << ParamValues{{"search", "a"}, {"replacement", "b"}, {"firstOnly", "1"}}
            << QStringList{"STANDARDREPLACE",
                           "a",
                           "b",
                           "1",
                           "",
                           "",
                           "",
                           "File Name: Replace a with b the first time it appears"};
        QTest::newRow("given-out-of-order")
            << RuleKinds::AutoBeforeAfter
            << ParamValues{{"start", "5"},
                           {"where", "Before"},
                           {"increment", "2"},
                           {"anchor", "track"},
                           {"digits", "3"}}
            << QStringList{"STANDARDAUTOBEFOREAFTER",
                           "track",
                           "Before",
                           "3",
                           "2",
                           "5",
                           "",
                           "Auto Number: Place numbers before track"};
        // A flag nobody gave is stored unset; a text nobody gave, empty.
        QTest::newRow("missing-flag-and-text")
            << RuleKinds::Replace << ParamValues{{"replacement", "x"}}
            << QStringList{"STANDARDREPLACE",           "", "x", "0", "", "", "",
                           "File Name: Replace  with x"};
        QTest::newRow("letters-missing-flag")
            << RuleKinds::LetterLowerCase << ParamValues{}
            << QStringList{"STANDARDLETTERLOWERCASE",     "0", "", "", "", "", "",
                           "Letters: Make all lower case"};
        QTest::newRow("unknown-name-ignored")
            << RuleKinds::SetTo << ParamValues{{"name", "Holiday"}, {"extension", "txt"}}
            << QStringList{"STANDARDSETTO",
                           "Holiday",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "File Name: Set to Holiday exactly"};
        QTest::newRow("no-parameters")
            << RuleKinds::MiscTrim << ParamValues{}
            << QStringList{"STANDARDMISCTRIM",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "Misc: Remove any spaces before or after the file name"};
    }
    void makeRule() {
        QFETCH(QString, keyword);
        QFETCH(ParamValues, values);
        QFETCH(QStringList, fields);
        const RuleSlot made = tallowin::makeRule(kind(keyword), values);
        QCOMPARE(QStringList(made.fields.begin(), made.fields.end()), fields);
    }

    // With several drafts (which the pages never make), the rules follow the fixed order of
    // the kinds, not the order of the drafts.
    void severalDraftsFollowTheKindOrder() {
        const std::vector<RuleDraft> drafts = {
            {&kind(RuleKinds::Mp3), {{"template", "%Year%"}}},
            {&kind(RuleKinds::MiscReplaceSpaces), {}},
            {&kind(RuleKinds::ExtSetTo), {{"extension", "txt"}}}};
        RuleTable t;
        QCOMPARE(addDrafts(drafts, t), 3);
        QCOMPARE(t.slot(1)[Kind], QStringLiteral("STANDARDEXTSETTO"));
        QCOMPARE(t.slot(2)[Kind], QStringLiteral("STANDARDMISCREPLACESPACES"));
        QCOMPARE(t.slot(3)[Kind], QStringLiteral("MP3"));
    }

    void nothingSelectedStoresNothing() {
        RuleTable t;
        QCOMPARE(addDrafts({}, t), 0);
        QCOMPARE(t.ruleCount(), 0);
    }

    void fullTableDropsTheRuleSilently() {
        RuleTable t;
        for (int i = 0; i < 99; ++i)
            t.addRule("K");
        const std::vector<RuleDraft> trim = {{&kind(RuleKinds::MiscTrim), {}}};
        addDrafts(trim, t);
        QCOMPARE(t.slot(100)[Kind], QStringLiteral("STANDARDMISCTRIM"));
        const RuleTable full = t;
        addDrafts(trim, t);
        QCOMPARE(t, full);
    }

    void addTwiceStoresTwoIdenticalRules() {
        const std::vector<RuleDraft> mp3 = {
            {&kind(RuleKinds::Mp3), {{"template", "%Artist% - %SongName%"}}}};
        RuleTable t;
        addDrafts(mp3, t);
        addDrafts(mp3, t);
        QCOMPARE(t.ruleCount(), 2);
        QCOMPARE(t.slot(1), t.slot(2));
    }
};

QTEST_GUILESS_MAIN(TestAddRule)
#include "tst_addrule.moc"
