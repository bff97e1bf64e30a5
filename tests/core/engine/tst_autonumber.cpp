#include "engine/ruleengine.h"
#include "engine/text.h"

#include <QtTest>

using namespace tallowin;

using Rules = QList<QStringList>;

// Applies every rule to each name in order, the counter running on as in one preview run.
static QStringList run(const Rules &rules, const QStringList &names,
                       CollectingErrorReporter &errors) {
    RuleTable table;
    for (const auto &r : rules) {
        RuleSlot s;
        for (int i = 0; i < r.size(); ++i)
            s[i] = r[i];
        table.addRule(s);
    }
    const RuleEngine engine(table, errors);
    NumberingState state;
    QStringList out;
    for (const QString &file : names) {
        auto [n, e] = text::splitAtLastDot(file);
        QString joined;
        for (int slot = 1; slot <= table.ruleCount(); ++slot) {
            joined = engine.applyRule(slot, n, e, state);
            auto split = text::splitAtLastDot(joined);
            n = split.name;
            e = split.extension;
        }
        out << joined;
    }
    return out;
}

class TestAutoNumber : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sequences_data() {
        QTest::addColumn<Rules>("rules");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("expected");
        const QStringList abc{"a", "b", "c"};
        // STANDARDAUTOSTARTEND: where, digits, increment, start
        QTest::newRow("end/3-digits") << Rules{{"STANDARDAUTOSTARTEND", "End", "3", "1", "1"}}
                                      << abc << QStringList{"a001.", "b002.", "c003."};
        QTest::newRow("end/0-digits") << Rules{{"STANDARDAUTOSTARTEND", "End", "0", "1", "1"}}
                                      << abc << QStringList{"a1.", "b2.", "c3."};
        QTest::newRow("end/never-cut")
            << Rules{{"STANDARDAUTOSTARTEND", "End", "2", "1", "98"}} << QStringList{"", "", ""}
            << QStringList{"98.", "99.", "100."};
        QTest::newRow("start/step-5") << Rules{{"STANDARDAUTOSTARTEND", "Start", "2", "5", "5"}}
                                      << abc << QStringList{"05a.", "10b.", "15c."};
        QTest::newRow("negative/restarts-at-zero")
            << Rules{{"STANDARDAUTOSTARTEND", "Start", "2", "1", "-2"}}
            << QStringList{"", "", "", ""} << QStringList{"-02.", "-01.", "-02.", "-01."};
        QTest::newRow("negative-increment/always-start")
            << Rules{{"STANDARDAUTOSTARTEND", "End", "0", "-1", "1"}} << abc
            << QStringList{"a1.", "b1.", "c1."};
        QTest::newRow("digits/lenient-and-fraction")
            << Rules{{"STANDARDAUTOSTARTEND", "End", "2.9 digits", "1", "1"}} << QStringList{"a"}
            << QStringList{"a01."};
        QTest::newRow("start/rounds-half-even")
            << Rules{{"STANDARDAUTOSTARTEND", "End", "0", "1", "2.5"}} << QStringList{"a"}
            << QStringList{"a2."};
        QTest::newRow("extension-kept") << Rules{{"STANDARDAUTOSTARTEND", "End", "1", "1", "7"}}
                                        << QStringList{"photo.JPG"} << QStringList{"photo7.JPG"};
        // STANDARDAUTOBEFOREAFTER: text, where, digits, increment, start
        QTest::newRow("beforeafter/first-only-and-missing-text-consumes")
            << Rules{{"STANDARDAUTOBEFOREAFTER", "x", "After", "0", "1", "1"}}
            << QStringList{"axbx", "abc", "x"} << QStringList{"ax1bx.", "abc.", "x3."};
        QTest::newRow("beforeafter/before-takes-rule-case")
            << Rules{{"STANDARDAUTOBEFOREAFTER", "track", "Before", "2", "1", "1"}}
            << QStringList{"My TRACK"} << QStringList{"My 01track."};
        QTest::newRow("two-rules/share-one-counter")
            << Rules{{"STANDARDAUTOSTARTEND", "Start", "0", "1", "1"},
                     {"STANDARDAUTOBEFOREAFTER", "-", "After", "0", "1", "10"}}
            << QStringList{"a-b", "c-d"} << QStringList{"1a-2b.", "3c-4d."};
    }
    void sequences() {
        QFETCH(Rules, rules);
        QFETCH(QStringList, names);
        QFETCH(QStringList, expected);
        CollectingErrorReporter errors;
        QCOMPARE(run(rules, names, errors), expected);
        QVERIFY(errors.empty());
    }

    void aSecondRunNumbersAfresh() {
        CollectingErrorReporter errors;
        const Rules rules{{"STANDARDAUTOSTARTEND", "End", "1", "1", "1"}};
        QCOMPARE(run(rules, {"a", "b"}, errors), run(rules, {"a", "b"}, errors));
    }

    void badStartCountFailsWithEmptyResult_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("number");
        QTest::newRow("letters") << "one" << 13;
        QTest::newRow("empty") << "" << 13;
        QTest::newRow("above-16-bit") << "32768" << 6;
        QTest::newRow("below-16-bit") << "-32769" << 6;
    }
    void badStartCountFailsWithEmptyResult() {
        QFETCH(QString, start);
        QFETCH(int, number);
        CollectingErrorReporter errors;
        QCOMPARE(run({{"STANDARDAUTOSTARTEND", "End", "2", "1", start}}, {"a"}, errors),
                 QStringList{""});
        QCOMPARE(errors.last().location, 183);
        QCOMPARE(errors.last().number, number);
    }

    // A failed step keeps the counter, so every file repeats the number and the report.
    void badIncrementKeepsNumberedNameAndCounter_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("increment");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("error");
        QTest::newRow("not-a-number") << "4"
                                      << "up"
                                      << "4" << 13;
        QTest::newRow("overflow") << "32767"
                                  << "1"
                                  << "32767" << 6;
    }
    void badIncrementKeepsNumberedNameAndCounter() {
        QFETCH(QString, start);
        QFETCH(QString, increment);
        QFETCH(QString, number);
        QFETCH(int, error);
        CollectingErrorReporter errors;
        const QStringList out =
            run({{"STANDARDAUTOSTARTEND", "End", "0", increment, start}}, {"a", "b"}, errors);
        QCOMPARE(out, (QStringList{"a" + number + ".", "b" + number + "."}));
        QCOMPARE(errors.reports.size(), size_t(2));
        QCOMPARE(errors.last().number, error);
    }

    void hugeDigitCountIsBounded() {
        CollectingErrorReporter errors;
        const QStringList out =
            run({{"STANDARDAUTOSTARTEND", "End", "1e12", "1", "1"}}, {"a"}, errors);
        QCOMPARE(out.first().size(), 1 + RuleEngine::MaxNumberDigits + 1);
        QVERIFY(out.first().endsWith("01."));
        QVERIFY(errors.empty());
    }
};

QTEST_GUILESS_MAIN(TestAutoNumber)
#include "tst_autonumber.moc"
