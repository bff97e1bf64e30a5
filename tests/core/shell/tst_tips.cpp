#include "engine/ruleengine.h"
#include "shell/tips.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tallowin;

class TestTips : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The tip's example names the rule and the names before and after it: the "after" name
    // must be what that rule gives the "before" name.
    void removeExampleIsWhatTheRuleGives() {
        const QString &tip = Tips[7];
        const QString before = QStringLiteral("Bob Smith - %album% - Cream Of The Crop");
        const QString removed = QStringLiteral(" - %Album%");
        QVERIFY(tip.contains(u'"' + before + u'"'));
        QVERIFY(tip.contains(u'"' + removed + u'"'));

        RuleTable rules;
        rules.addRule(RuleKinds::Replace, removed, QString(), QStringLiteral("0"));
        CollectingErrorReporter errors;
        const RuleEngine engine(rules, errors);
        NumberingState numbering;
        QString name = before;
        QString extension = QStringLiteral("mp3");
        const QString after = engine.applyRule(1, name, extension, numbering);
        QVERIFY(errors.reports.empty());
        QCOMPARE(after, QStringLiteral("Bob Smith - Cream Of The Crop.mp3"));
        QVERIFY(tip.endsWith(QStringLiteral("you would get \"Bob Smith - Cream Of The Crop\"")));
    }

    // Every tip can come, each about as often, and one may follow itself.
    void everyTipComesAboutEquallyOften() {
        QRandomGenerator random(20261210);
        std::array<int, 11> counts{};
        bool repeated = false;
        int last = 0;
        constexpr int Draws = 20000;
        for (int i = 0; i < Draws; ++i) {
            const int n = chooseTip(random);
            QVERIFY(n >= 1 && n <= 10);
            ++counts[size_t(n)];
            repeated = repeated || n == last;
            last = n;
        }
        for (int n = 1; n <= 10; ++n)
            QVERIFY2(counts[size_t(n)] > Draws / 10 * 9 / 10 &&
                         counts[size_t(n)] < Draws / 10 * 11 / 10,
                     qPrintable(QStringLiteral("tip %1 came %2 times").arg(n).arg(counts[n])));
        QVERIFY(repeated);
    }
};

QTEST_GUILESS_MAIN(TestTips)
#include "tst_tips.moc"
