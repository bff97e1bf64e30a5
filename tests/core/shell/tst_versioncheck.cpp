#include "shell/versioncheck.h"

#include <QTest>

using namespace tallowin;

// Which answers of the version page announce a new release.
class TestVersionCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offersOnlyANewerVersion_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("running");
        QTest::addColumn<bool>("offered");
        QTest::newRow("newer/revision") << "1.2.8"
                                        << "1.2.7" << true;
        QTest::newRow("newer/major") << "2.0.0"
                                     << "1.9.9" << true;
        QTest::newRow("newer/two-parts") << "12.34"
                                         << "1.2.7" << true;
        QTest::newRow("equal") << "1.2.7"
                               << "1.2.7" << false;
        // Any difference counted as new would offer a downgrade as an update.
        QTest::newRow("older") << "1.1.0"
                               << "1.2.7" << false;
        // As text "1.9.9" sorts after "1.10.0"; as numbers it is older.
        QTest::newRow("older/by-number") << "1.9.9"
                                         << "1.10.0" << false;
        QTest::newRow("newer/by-number") << "1.9.9"
                                         << "1.1.10" << true;
        QTest::newRow("length/six") << "1.10.2"
                                    << "1.2.7" << false;
        QTest::newRow("length/four") << "1.3."
                                     << "1.2.7" << false;
        QTest::newRow("length/line-end") << "1.2.8\n"
                                         << "1.2.7" << false;
        QTest::newRow("no-dot") << "12345"
                                << "1.2.7" << false;
        QTest::newRow("empty") << ""
                               << "1.2.7" << false;
        QTest::newRow("html") << "<html"
                              << "1.2.7" << false;
        QTest::newRow("letters") << "1.2.a"
                                 << "1.2.7" << false;
        QTest::newRow("double-dot") << "9..99"
                                    << "1.2.7" << false;
        QTest::newRow("leading-dot") << ".9999"
                                     << "1.2.7" << false;
        QTest::newRow("trailing-dot") << "9999."
                                      << "1.2.7" << false;
        QTest::newRow("space") << "1.2 8"
                               << "1.2.7" << false;
        QTest::newRow("other-digits") << QString::fromUtf8("1.2.\u0669") << "1.2.7" << false;
    }
    void offersOnlyANewerVersion() {
        QFETCH(QString, answer);
        QFETCH(QString, running);
        QFETCH(bool, offered);
        QCOMPARE(offersNewerVersion(answer, running), offered);
    }
};

QTEST_GUILESS_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
