#include "support/cli.h"

#include <QtTest>

using namespace tallowin::test;

class TestCliApply : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void previewRows_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("replace/every")
            << QStringList{"--rule", "STANDARDREPLACE|the|A|0||||", "--", "The the THE.txt"}
            << QList<QByteArray>{"1\tThe the THE.txt\tA A A.txt"};
        QTest::newRow("insert/no-extension")
            << QStringList{"--rule", "STANDARDINSERT|X|End|||||", "--", "README"}
            << QList<QByteArray>{"1\tREADME\tREADMEX."};
        QTest::newRow("rules-in-order") << QStringList{"--rule", "STANDARDINSERT|.bak|End|||||",
                                                       "--rule", "STANDARDEXTSETTO|old||||||",
                                                       "--",     "notes.txt"}
                                        << QList<QByteArray>{"1\tnotes.txt\tnotes.bak.old"};
        QTest::newRow("auto-number/across-names")
            << QStringList{"--rule", "STANDARDAUTOSTARTEND|End|3|1|1|||", "--", "a", "b", "c"}
            << QList<QByteArray>{"1\ta\ta001.", "1\tb\tb002.", "1\tc\tc003."};
        QTest::newRow("duplicate-unticked")
            << QStringList{"--rule", "STANDARDSETTO|same||||||", "--", "a.txt", "b.TXT"}
            << QList<QByteArray>{"1\ta.txt\tsame.txt", "0\tb.TXT\tsame.TXT"};
        QTest::newRow("escaped-output")
            << QStringList{"--rule", "STANDARDREPLACE|x|\t\\|0||||", "--", "axb"}
            << QList<QByteArray>{"1\taxb\ta\\t\\\\b."};
        QTest::newRow("name-that-looks-like-an-option")
            << QStringList{"--rule", "STANDARDMISCTRIM|||||||", "--", "--help"}
            << QList<QByteArray>{"1\t--help\t--help."};
    }
    void previewRows() {
        QFETCH(QStringList, args);
        QFETCH(QList<QByteArray>, lines);
        const CliRun r = runCli(QStringList{"apply"} + args);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines(), lines);
        QVERIFY(r.err.isEmpty());
    }

    void rulesFileAndRuleOptionsKeepTheirOrder() {
        QTemporaryDir dir;
        QFile f(dir.filePath("r.rul"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("STANDARDLETTERUPPERCASE|0||||||Letters: Make all UPPER case\r\n");
        f.close();
        const CliRun r = runCli({"apply", "--rule", "STANDARDINSERT|x|End|||||", "--rules",
                                 f.fileName(), "--", "a.txt"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.lines(), QList<QByteArray>{"1\ta.txt\tAX.txt"});
    }

    void ruleFailureReportsAndExits3() {
        const CliRun r =
            runCli({"apply", "--rule", "STANDARDREMOVE|7|Start|||||", "--", "abcdef.txt"});
        QCOMPARE(r.status, 3);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err, QByteArray("Error Location: 183\nError Number: 5\n"
                                   "Error Description: Invalid procedure call or argument\n"
                                   "Error Location: 50\nError Number: 5\n"
                                   "Error Description: Invalid procedure call or argument "
                                   "Position: 8\n"));
    }

    void badInput_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no-rules") << QStringList{"apply", "--", "a"};
        QTest::newRow("rule-with-seven-fields")
            << QStringList{"apply", "--rule", "STANDARDMISCTRIM||||||", "--", "a"};
        QTest::newRow("missing-rules-file")
            << QStringList{"apply", "--rules", "/no/such/file.rul", "--", "a"};
        QTest::newRow("unknown-option") << QStringList{"apply", "--frobnicate", "--", "a"};
        QTest::newRow("rule-without-value") << QStringList{"apply", "--rule"};
        QTest::newRow("unknown-command") << QStringList{"frobnicate"};
    }
    void badInput() {
        QFETCH(QStringList, args);
        const CliRun r = runCli(args);
        QCOMPARE(r.status, 2);
        QVERIFY(!r.err.isEmpty());
    }

    void noRulesTellsTheMessage() {
        const CliRun r = runCli({"apply", "--", "a"});
        QVERIFY(r.err.contains("You have not selected any rules to apply to these files"));
    }

    void json() {
        const CliRun r =
            runCli({"apply", "--json", "--rule", "STANDARDINSERT|\"q\"|End|||||", "--", "a.txt"});
        QCOMPARE(r.status, 0);
        const QJsonDocument doc = QJsonDocument::fromJson(r.out);
        const QJsonObject row = doc.object()["rows"].toArray().at(0).toObject();
        QCOMPARE(row["old"].toString(), QString("a.txt"));
        QCOMPARE(row["new"].toString(), QString("a\"q\".txt"));
        QCOMPARE(row["tick"].toBool(), true);
    }
};

QTEST_GUILESS_MAIN(TestCliApply)
#include "tst_cli_apply.moc"
