#include "editing/ruledraft.h"
#include "engine/ruleengine.h"
#include "engine/rulekinds.h"
#include "rulesfile/rulesfile.h"

#include <QRegularExpression>
#include <QtTest>

using namespace tallowin;

Q_DECLARE_METATYPE(const RuleKind *)

namespace {

// A value a user could give the parameter, and a second one that differs from it.
QString sampleValue(const RuleParam &param, int index) {
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
// Another value of the parameter; a flag's is no number, so reading it fails.
QString otherValue(const RuleParam &param) {
    switch (param.type) {
    case ValueType::Flag:
        return QStringLiteral("x");
    case ValueType::Number:
        return QStringLiteral("3");
    case ValueType::Position:
        return param.choices.first();
    case ValueType::Text:
        break;
    }
    return QStringLiteral("name");
}

ParamValues sampleValues(const RuleKind &kind) {
    ParamValues values;
    for (size_t i = 0; i < kind.params.size(); ++i)
        values.insert(kind.params[i].name, sampleValue(kind.params[i], int(i)));
    return values;
}

// What applying the rule gives: the name made, the counter left and the failures reported. The
// name and extension hold every sample text, so each text parameter finds what it looks for.
QStringList applied(const RuleKind &kind, const ParamValues &values) {
    RuleTable table;
    table.addRule(makeRule(kind, values));
    CollectingErrorReporter errors;
    // A kind that reads its files is given an MP3 file whose tags are all empty.
    const RuleEngine engine(table, errors,
                            Mp3KindContext{{}, {}, [](const QString &) { return Mp3Info{}; }});
    NumberingState numbering;
    QString name = QStringLiteral("t1 t2 t3 name t4 t5");
    QString ext = kind.readsFiles ? QStringLiteral("mp3") : QStringLiteral("t1t2t3");
    const QString result = engine.applyRule(1, name, ext, numbering);
    return {result, QString::number(numbering.counter), QString::number(errors.reports.size())};
}

} // namespace

// Every kind of the catalogue: the table is walked, so a new kind is tested by describing it.
class TestRuleKinds : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyKindRoundTrips_data() {
        QTest::addColumn<const RuleKind *>("kind");
        for (const RuleKind &k : ruleKinds())
            QTest::newRow(qPrintable(k.keyword)) << &k;
    }

    // A rule made from values by parameter name stores them in the parameters' order; the rules
    // file gives it back unchanged; the engine applies it without a failure.
    void everyKindRoundTrips() {
        QFETCH(const RuleKind *, kind);
        const ParamValues values = sampleValues(*kind);
        RuleTable table;
        QCOMPARE(addDrafts({RuleDraft{kind, values}}, table), 1);
        const RuleSlot added = table.slot(1);
        QCOMPARE(added[Kind], kind->keyword);
        for (int i = 0; i < 6; ++i) {
            const QString expected =
                i < int(kind->params.size()) ? values.value(kind->params[i].name) : QString();
            QCOMPARE(added[Param1 + i], expected);
        }
        QCOMPARE(added[Description], kind->describe(added));
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
        QCOMPARE(numbering.counter != 0, kind->countsNumbers);
    }

    // The apply function reads every parameter of its kind: another value of one alone changes
    // what applying gives. A function reading one parameter where it means another leaves that
    // one unread, and fails here.
    void everyParameterIsApplied_data() { everyKindRoundTrips_data(); }
    void everyParameterIsApplied() {
        QFETCH(const RuleKind *, kind);
        const ParamValues values = sampleValues(*kind);
        const QStringList base = applied(*kind, values);
        QCOMPARE(base.last(), QStringLiteral("0"));
        for (const RuleParam &p : kind->params) {
            ParamValues changed = values;
            changed.insert(p.name, otherValue(p));
            QVERIFY2(applied(*kind, changed) != base,
                     qPrintable("another " + p.name + " changes nothing"));
        }
    }

    // Parameters have names a caller can rely on: unique in their kind, in C++ style, each
    // naming its own field.
    void keywordsAndParametersAreNamed() {
        static const QRegularExpression camelCase(QStringLiteral("^[a-z][A-Za-z0-9]*$"));
        QSet<QString> seen;
        for (const RuleKind &k : ruleKinds()) {
            QVERIFY2(!seen.contains(k.keyword), qPrintable(k.keyword));
            seen.insert(k.keyword);
            QCOMPARE(findRuleKind(k.keyword), &k);
            QVERIFY(k.apply);
            QVERIFY(k.describe);
            QVERIFY(k.params.size() <= 6);
            for (size_t i = 0; i < k.params.size(); ++i) {
                const RuleParam &p = k.params[i];
                QVERIFY2(camelCase.match(p.name).hasMatch(), qPrintable(k.keyword + u' ' + p.name));
                QCOMPARE(k.fieldOf(p.name), std::optional<RuleField>(RuleField(Param1 + int(i))));
                QCOMPARE(p.type == ValueType::Position, !p.choices.isEmpty());
                QVERIFY(!p.meaning.isEmpty());
            }
            QCOMPARE(k.fieldOf(u"noSuchParameter"), std::nullopt);
        }
        QCOMPARE(findRuleKind(QStringLiteral("standardinsert")), nullptr);
        QCOMPARE(findRuleKind(QString()), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestRuleKinds)
#include "tst_rulekinds.moc"
