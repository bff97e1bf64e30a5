#include "engine/ruletable.h"

#include <QtTest>

using namespace tallowin;

class TestRuleTable : public QObject {
    Q_OBJECT

    static RuleTable withRules(int n) {
        RuleTable t;
        for (int i = 1; i <= n; ++i)
            t.addRule(QStringLiteral("K%1").arg(i), {}, {}, {}, {}, {}, {},
                      QStringLiteral("rule %1").arg(i));
        return t;
    }
    static QStringList kinds(const RuleTable &t) {
        QStringList k;
        for (int i = 1; i <= MaxRules; ++i)
            k << t.slot(i)[Kind];
        while (!k.isEmpty() && k.last().isEmpty())
            k.removeLast();
        return k;
    }

    static void apply(RuleTable &t, const QString &op, qint16 s, ErrorReporter &errors) {
        if (op == "delete")
            t.deleteRule(s, errors);
        else if (op == "up")
            t.moveRuleUp(s, errors);
        else if (op == "down")
            t.moveRuleDown(s, errors);
        else if (op == "top")
            t.moveRuleToTop(s, errors);
        else
            t.moveRuleToBottom(s, errors);
    }

private Q_SLOTS:
    void addFillsFirstFreeSlotAndStopsWhenFull() {
        RuleTable t = withRules(99);
        t.addRule(QStringLiteral("LAST"));
        QCOMPARE(t.ruleCount(), 100);
        QCOMPARE(t.slot(100)[Kind], QStringLiteral("LAST"));
        const RuleTable full = t;
        t.addRule(QStringLiteral("EXTRA"));
        QCOMPARE(t, full);
    }

    void operations_data() {
        QTest::addColumn<int>("rules");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("expected");
        const QStringList abc{"K1", "K2", "K3"};
        QTest::newRow("delete/only") << 1 << "delete" << 1 << QStringList{};
        QTest::newRow("delete/middle") << 3 << "delete" << 2 << QStringList{"K1", "K3"};
        QTest::newRow("up/first") << 3 << "up" << 1 << abc;
        QTest::newRow("up/last") << 3 << "up" << 3 << QStringList{"K1", "K3", "K2"};
        QTest::newRow("up/free-slot") << 3 << "up" << 4 << abc;
        QTest::newRow("down/last") << 3 << "down" << 3 << abc;
        QTest::newRow("down/first") << 3 << "down" << 1 << QStringList{"K2", "K1", "K3"};
        QTest::newRow("top/first") << 3 << "top" << 1 << abc;
        QTest::newRow("top/last") << 3 << "top" << 3 << QStringList{"K3", "K1", "K2"};
        QTest::newRow("top/free-slot") << 3 << "top" << 7 << abc;
        QTest::newRow("bottom/last") << 3 << "bottom" << 3 << abc;
        QTest::newRow("bottom/first") << 3 << "bottom" << 1 << QStringList{"K2", "K3", "K1"};
    }
    void operations() {
        QFETCH(int, rules);
        QFETCH(QString, op);
        QFETCH(int, slot);
        QFETCH(QStringList, expected);
        RuleTable t = withRules(rules);
        CollectingErrorReporter errors;
        apply(t, op, qint16(slot), errors);
        QCOMPARE(kinds(t), expected);
        QVERIFY(errors.empty());
        // The description travels with its rule.
        for (int i = 1; i <= t.ruleCount(); ++i)
            QCOMPARE(t.slot(i)[Description], QStringLiteral("rule ") + t.slot(i)[Kind].mid(1));
    }

    void moveDownOnFullTableAtLastSlotChangesNothing() {
        RuleTable t = withRules(100);
        const RuleTable before = t;
        CollectingErrorReporter errors;
        t.moveRuleDown(100, errors);
        QCOMPARE(t, before);
        QVERIFY(errors.empty());
    }

    void slotOutOfRangeIsReportedWithTheOperationsLocation_data() {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("location");
        QTest::newRow("delete/0") << "delete" << 0 << 281;
        QTest::newRow("delete/101") << "delete" << 101 << 281;
        QTest::newRow("down/-1") << "down" << -1 << 283;
        QTest::newRow("top/101") << "top" << 101 << 284;
        QTest::newRow("bottom/0") << "bottom" << 0 << 285;
        QTest::newRow("up/101") << "up" << 101 << 282;
    }
    void slotOutOfRangeIsReportedWithTheOperationsLocation() {
        QFETCH(QString, op);
        QFETCH(int, slot);
        QFETCH(int, location);
        RuleTable t = withRules(3);
        const RuleTable before = t;
        CollectingErrorReporter errors;
        apply(t, op, qint16(slot), errors);
        QCOMPARE(t, before);
        QCOMPARE(errors.reports.size(), size_t(1));
        QCOMPARE(errors.last().location, location);
        QCOMPARE(errors.last().number, 9);
    }

    void clearEmptiesEverySlot() {
        RuleTable t;
        t.clearRules();
        QCOMPARE(t.ruleCount(), 0);
        t = withRules(5);
        t.clearRules();
        QCOMPARE(t, RuleTable());
    }
};

QTEST_GUILESS_MAIN(TestRuleTable)
#include "tst_ruletable.moc"
