#include "editing/rulepagestate.h"
#include "engine/ruleengine.h"
#include "engine/rulekinds.h"
#include "rulesfile/rulesfile.h"

#include <QtTest>

using namespace tallowin;

Q_DECLARE_METATYPE(const RuleOption *)

namespace {

// A value a user could give the control: a picker's last entry, else one that fits the
// parameter the control edits.
QString sampleValue(const RuleControl &control, const RuleParam &param, int index) {
    if (control.type == ControlType::Picker)
        return control.choices.last();
    switch (param.type) {
    case ValueType::Flag:
        return QStringLiteral("1");
    case ValueType::Number:
        return QStringLiteral("2");
    case ValueType::Position:
        return param.choices.last();
    case ValueType::Text:
        break;
    }
    return QStringLiteral("t%1").arg(index + 1);
}

} // namespace

// Every described kind, through every option that adds it: the table is walked, so a new kind
// is tested by describing it.
class TestRuleKinds : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyOptionRoundTrips_data() {
        QTest::addColumn<const RuleOption *>("option");
        for (const RuleKind &k : ruleKinds())
            for (const RuleOption &o : k.options)
                QTest::newRow(qPrintable(o.name)) << &o;
    }

    // The option adds a rule with its kind's keyword and the controls' values in field order;
    // the rules file gives it back unchanged; the engine applies it without a failure.
    void everyOptionRoundTrips() {
        QFETCH(const RuleOption *, option);
        const RuleKind &kind = kindOf(*option);
        QVERIFY(option->inputs.size() <= kind.params.size());
        if (!kind.params.empty())
            QCOMPARE(option->inputs.size(), kind.params.size());

        RulePageState state;
        state.select(*option);
        QStringList expected;
        for (size_t i = 0; i < option->inputs.size(); ++i) {
            const RuleControl *c = option->inputs[i];
            QVERIFY(c);
            const QString v = sampleValue(*c, kind.params[i], int(i));
            if (c->type == ControlType::CheckBox)
                state.setChecked(*c, v == u"1");
            else
                state.setText(*c, v);
            expected << v;
        }
        RuleTable table;
        QCOMPARE(addSelectedRules(state, table), 1);
        const RuleSlot added = table.slot(1);
        QCOMPARE(added[Kind], kind.keyword);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(added[Param1 + i], expected.value(i));
        QCOMPARE(added[Description], kind.describe(added));
        QVERIFY(!added[Description].isEmpty());

        QTemporaryDir dir;
        CollectingErrorReporter errors;
        QCOMPARE(RulesFile::write(dir.path(), "kind", table, errors).outcome,
                 RulesFile::WriteOutcome::Written);
        RuleTable back;
        QVERIFY(RulesFile::read(dir.filePath("kind.rul"), back, errors));
        QCOMPARE(back.ruleCount(), 1);
        QCOMPARE(back.slot(1), added);

        const RuleEngine engine(back, errors);
        NumberingState numbering;
        QString name = QStringLiteral("t1 name t2"), ext = QStringLiteral("txt");
        const QString result = engine.applyRule(1, name, ext, numbering);
        QVERIFY(errors.empty());
        QVERIFY(result.contains(u'.'));
        QCOMPARE(numbering.counter != 0, kind.countsNumbers);
    }

    void keywordsAreUniqueAndFound() {
        QSet<QString> seen;
        for (const RuleKind &k : ruleKinds()) {
            QVERIFY2(!seen.contains(k.keyword), qPrintable(k.keyword));
            seen.insert(k.keyword);
            QCOMPARE(findRuleKind(k.keyword), &k);
            QVERIFY(k.apply);
            QVERIFY(k.describe);
            QVERIFY(k.params.size() <= 6);
            for (const RuleParam &p : k.params)
                QCOMPARE(p.type == ValueType::Position, !p.choices.isEmpty());
        }
        QCOMPARE(findRuleKind(QStringLiteral("standardinsert")), nullptr);
        QCOMPARE(findRuleKind(QString()), nullptr);
    }

    // What a page shows: every option on its page, every control an option reads either in its
    // row or among the page's shared controls, and a picker offering its parameter's words.
    void pagesHoldTheirControls() {
        for (const RuleKind &k : ruleKinds()) {
            for (const RuleOption &o : k.options) {
                const RulePageInfo &page = rulePage(o.page);
                QVERIFY(std::count(page.options.begin(), page.options.end(), &o) == 1);
                QCOMPARE(findRuleOption(o.name), &o);
                QSet<const RuleControl *> shown;
                for (const RowPart &p : o.row)
                    shown.insert(p.control);
                for (const Row &row : page.sharedRows)
                    for (const RowPart &p : row)
                        shown.insert(p.control);
                for (const RowPart &p : page.besideAdd)
                    shown.insert(p.control);
                for (size_t i = 0; i < o.inputs.size(); ++i) {
                    const RuleControl *c = o.inputs[i];
                    QVERIFY2(shown.contains(c), qPrintable(o.name + u' ' + c->name));
                    QCOMPARE(findRuleControl(c->name), c);
                    if (k.params[i].type == ValueType::Position)
                        QCOMPARE(c->choices, k.params[i].choices);
                }
            }
        }
        int options = 0;
        for (const RulePageInfo &p : rulePages())
            options += int(p.options.size());
        QCOMPARE(options, 27);
    }
};

QTEST_GUILESS_MAIN(TestRuleKinds)
#include "tst_rulekinds.moc"
