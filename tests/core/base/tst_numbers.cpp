#include "base/numbers.h"

#include <QtTest>

#include <cmath>

using namespace tallowin;

class TestNumbers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12" << 12.0;
        QTest::newRow("trailing-letters") << "12abc" << 12.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks-inside") << " 1 2" << 12.0;
        QTest::newRow("sign-and-fraction") << "-2.5x" << -2.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("dangling-exponent") << "3e" << 3.0;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("octal") << "&o17" << 15.0;
        QTest::newRow("non-ascii-digit-stops") << "4٣" << 4.0;
    }
    void leading() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(leadingNumber(text), value);
    }

    void strict_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12" << true << 12.0;
        QTest::newRow("surrounding-blanks") << "  -3.5 " << true << -3.5;
        QTest::newRow("exponent") << "2E2" << true << 200.0;
        QTest::newRow("hex") << "&HFF" << true << 255.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blank") << "   " << false << 0.0;
        QTest::newRow("trailing-letters") << "12abc" << false << 0.0;
        QTest::newRow("word") << "one" << false << 0.0;
        QTest::newRow("inner-blank") << "1 2" << false << 0.0;
        QTest::newRow("lone-sign") << "-" << false << 0.0;
    }
    void strict() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto n = strictNumber(text);
        QCOMPARE(n.has_value(), valid);
        if (valid)
            QCOMPARE(*n, value);
    }

    void halfToEven_data() {
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("1.5") << 1.5 << 2.0;
        QTest::newRow("2.5") << 2.5 << 2.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
        QTest::newRow("2.6") << 2.6 << 3.0;
    }
    void halfToEven() {
        QFETCH(double, in);
        QFETCH(double, out);
        QCOMPARE(roundHalfEven(in), out);
    }

    void int16Range() {
        QCOMPARE(toInt16(32767.4).value(), qint16(32767));
        QVERIFY(!toInt16(32767.5)); // rounds to 32768
        QCOMPARE(toInt16(-32768.5).value(), qint16(-32768));
        QVERIFY(!toInt16(INFINITY));
        QVERIFY(!toInt16(NAN));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
