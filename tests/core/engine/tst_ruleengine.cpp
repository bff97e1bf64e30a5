#include "engine/ruleengine.h"
#include "engine/text.h"

#include <QtTest>

using namespace tallowin;

// One rule applied to one name: the joined result and any error report.
struct Applied {
    QString joined;
    CollectingErrorReporter errors;
};

static RuleTable tableOf(const QStringList &rule) {
    RuleTable t;
    RuleSlot s;
    for (int i = 0; i < rule.size() && i < RuleFieldCount; ++i)
        s[i] = rule[i];
    t.addRule(s);
    return t;
}

class TestRuleEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kinds_data() {
        QTest::addColumn<QStringList>("rule"); // Kind, Param1..Param5
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("errorNumber"); // 0: no report

        // File-name kinds
        QTest::newRow("replace/every-ignoring-case")
            << QStringList{"STANDARDREPLACE", "the", "A", "0"} << "The the THE"
            << "txt"
            << "A A A.txt" << 0;
        QTest::newRow("replace/first-only")
            << QStringList{"STANDARDREPLACE", "the", "A", "1"} << "The the THE"
            << "txt"
            << "A the THE.txt" << 0;
        QTest::newRow("replace/not-found")
            << QStringList{"STANDARDREPLACE", "xyz", "A", "0"} << "abc"
            << "txt"
            << "abc.txt" << 0;
        QTest::newRow("replace/empty-find") << QStringList{"STANDARDREPLACE", "", "A", "0"} << "abc"
                                            << "txt"
                                            << "abc.txt" << 0;
        QTest::newRow("replace/non-overlapping")
            << QStringList{"STANDARDREPLACE", "aa", "b", "0"} << "aaa"
            << ""
            << "ba." << 0;
        QTest::newRow("replace/flag-not-a-number")
            << QStringList{"STANDARDREPLACE", "a", "b", "yes"} << "abc"
            << "txt"
            << "" << 13;
        QTest::newRow("replace/flag-any-number-is-on")
            << QStringList{"STANDARDREPLACE", "a", "b", " -2.5 "} << "aaa"
            << ""
            << "baa." << 0;
        QTest::newRow("beforeafter/before-takes-rule-case")
            << QStringList{"STANDARDBEFOREAFTER", "big ", "Before", "cat", "0"} << "The CAT"
            << "jpg"
            << "The big cat.jpg" << 0;
        QTest::newRow("beforeafter/after-every")
            << QStringList{"STANDARDBEFOREAFTER", "!", "After", "a", "0"} << "aXa"
            << ""
            << "a!Xa!." << 0;
        QTest::newRow("beforeafter/after-first-only")
            << QStringList{"STANDARDBEFOREAFTER", "!", "AFTER", "a", "1"} << "aXa"
            << ""
            << "a!Xa." << 0;
        QTest::newRow("beforeafter/empty-flag-fails")
            << QStringList{"STANDARDBEFOREAFTER", "!", "After", "a", ""} << "aXa"
            << ""
            << "" << 13;
        QTest::newRow("insert/start") << QStringList{"STANDARDINSERT", "X", "Start"} << "abc"
                                      << "txt"
                                      << "Xabc.txt" << 0;
        QTest::newRow("insert/end-no-extension")
            << QStringList{"STANDARDINSERT", "X", "End"} << "README"
            << ""
            << "READMEX." << 0;
        QTest::newRow("insert/unknown-position-means-end")
            << QStringList{"STANDARDINSERT", "X", "middle"} << "abc"
            << ""
            << "abcX." << 0;
        QTest::newRow("remove/start-3") << QStringList{"STANDARDREMOVE", "3", "Start"} << "abcdef"
                                        << "txt"
                                        << "def.txt" << 0;
        QTest::newRow("remove/end-3") << QStringList{"STANDARDREMOVE", "3", "End"} << "abcdef"
                                      << "txt"
                                      << "abc.txt" << 0;
        QTest::newRow("remove/all") << QStringList{"STANDARDREMOVE", "6", "End"} << "abcdef"
                                    << "txt"
                                    << ".txt" << 0;
        QTest::newRow("remove/more-than-length")
            << QStringList{"STANDARDREMOVE", "7", "Start"} << "abcdef"
            << "txt"
            << "" << 5;
        QTest::newRow("remove/lenient-leading-number")
            << QStringList{"STANDARDREMOVE", "2abc", "End"} << "abcdef"
            << ""
            << "abcd." << 0;
        QTest::newRow("remove/not-a-number-is-zero")
            << QStringList{"STANDARDREMOVE", "many", "End"} << "abcdef"
            << ""
            << "abcdef." << 0;
        QTest::newRow("remove/negative-keeps-whole")
            << QStringList{"STANDARDREMOVE", "-4", "End"} << "abcdef"
            << ""
            << "abcdef." << 0;
        QTest::newRow("remove/half-rounds-to-even")
            << QStringList{"STANDARDREMOVE", "2.5", "End"} << "abcdef"
            << ""
            << "abcd." << 0;
        QTest::newRow("remove/huge-count")
            << QStringList{"STANDARDREMOVE", "99999999999999999999", "End"} << "abc"
            << ""
            << "" << 5;
        QTest::newRow("remove/overflowing-count")
            << QStringList{"STANDARDREMOVE", "1e999", "End"} << "abc"
            << ""
            << "" << 6;
        QTest::newRow("remove/counts-characters-not-units")
            << QStringList{"STANDARDREMOVE", "1", "End"} << "a\U0001F600"
            << ""
            << "a." << 0;
        QTest::newRow("clear/markers-go")
            << QStringList{"STANDARDCLEAR", "(", ")", "0"} << "Song (live) 2000"
            << "mp3"
            << "Song  2000.mp3" << 0;
        QTest::newRow("clear/markers-stay")
            << QStringList{"STANDARDCLEAR", "(", ")", "1"} << "Song (live) 2000"
            << "mp3"
            << "Song () 2000.mp3" << 0;
        QTest::newRow("clear/no-end-marker")
            << QStringList{"STANDARDCLEAR", "(", ")", "0"} << "Song (live"
            << "mp3"
            << "Song (live.mp3" << 0;
        QTest::newRow("clear/same-marker-off")
            << QStringList{"STANDARDCLEAR", "-", "-", "0"} << "a-b-c"
            << ""
            << "ac." << 0;
        QTest::newRow("clear/same-marker-on")
            << QStringList{"STANDARDCLEAR", "-", "-", "1"} << "a-b-c"
            << ""
            << "a--c." << 0;
        QTest::newRow("clear/markers-ignore-case")
            << QStringList{"STANDARDCLEAR", "[a", "Z]", "0"} << "x[A..z]y"
            << ""
            << "xy." << 0;
        QTest::newRow("setto/name") << QStringList{"STANDARDSETTO", "Holiday"} << "IMG_001"
                                    << "jpg"
                                    << "Holiday.jpg" << 0;

        // Extension kinds
        QTest::newRow("extsetto/ext") << QStringList{"STANDARDEXTSETTO", "jpeg"} << "IMG_001"
                                      << "jpg"
                                      << "IMG_001.jpeg" << 0;
        QTest::newRow("extbeforeafter/before")
            << QStringList{"STANDARDEXTBEFOREAFTER", "x", "T", "Before"} << "a"
            << "txt"
            << "a.xTxxT" << 0;
        QTest::newRow("extbeforeafter/after")
            << QStringList{"STANDARDEXTBEFOREAFTER", "_", "gz", "After"} << "a"
            << "tar.gz"
            << "a.tar.gz_" << 0;
        QTest::newRow("extclear/before-off")
            << QStringList{"STANDARDEXTCLEAR", "_", "Before", "0"} << "a"
            << "tar_gz"
            << "a.gz" << 0;
        QTest::newRow("extclear/before-on")
            << QStringList{"STANDARDEXTCLEAR", "_", "Before", "1"} << "a"
            << "tar_gz"
            << "a._gz" << 0;
        QTest::newRow("extclear/after-on")
            << QStringList{"STANDARDEXTCLEAR", "_", "After", "1"} << "a"
            << "tar_gz"
            << "a.tar_" << 0;
        QTest::newRow("extclear/after-off")
            << QStringList{"STANDARDEXTCLEAR", "_", "After", "0"} << "a"
            << "tar_gz"
            << "a.tar" << 0;
        QTest::newRow("extclear/not-found")
            << QStringList{"STANDARDEXTCLEAR", "#", "After", "0"} << "a"
            << "tar_gz"
            << "a.tar_gz" << 0;
        QTest::newRow("extinsert/start") << QStringList{"STANDARDEXTINSERT", "x", "Start"} << "a"
                                         << "txt"
                                         << "a.xtxt" << 0;
        QTest::newRow("extinsert/end") << QStringList{"STANDARDEXTINSERT", "x", "End"} << "a"
                                       << "txt"
                                       << "a.txtx" << 0;
        QTest::newRow("extremove/start") << QStringList{"STANDARDEXTREMOVE", "1", "Start"} << "a"
                                         << "jpeg"
                                         << "a.peg" << 0;
        QTest::newRow("extremove/end") << QStringList{"STANDARDEXTREMOVE", "1", "End"} << "a"
                                       << "jpeg"
                                       << "a.jpe" << 0;
        QTest::newRow("extremove/too-many") << QStringList{"STANDARDEXTREMOVE", "5", "End"} << "a"
                                            << "jpeg"
                                            << "" << 5;
        QTest::newRow("extremove/strict-number")
            << QStringList{"STANDARDEXTREMOVE", "2abc", "End"} << "a"
            << "jpeg"
            << "" << 13;
        QTest::newRow("extremove/empty-count") << QStringList{"STANDARDEXTREMOVE", "", "End"} << "a"
                                               << "jpeg"
                                               << "" << 13;
        QTest::newRow("extremove/negative-keeps-whole")
            << QStringList{"STANDARDEXTREMOVE", "-3", "End"} << "a"
            << "jpeg"
            << "a.jpeg" << 0;
        QTest::newRow("extreplace/ignores-case")
            << QStringList{"STANDARDEXTREPLACE", "JPG", "jpeg"} << "a"
            << "jpg"
            << "a.jpeg" << 0;
        QTest::newRow("extreplace/unbounded") << QStringList{"STANDARDEXTREPLACE", "a", "b"} << "n"
                                              << "aaaa"
                                              << "n.bbbb" << 0;

        // Letter case
        QTest::newRow("firstcap/name-only")
            << QStringList{"STANDARDLETTERFIRSTCAP", "0"} << "hello WORLD"
            << "TXT"
            << "Hello World.TXT" << 0;
        QTest::newRow("firstcap/with-ext")
            << QStringList{"STANDARDLETTERFIRSTCAP", "1"} << "hello WORLD"
            << "TXT"
            << "Hello World.txt" << 0;
        QTest::newRow("firstlow/name-only")
            << QStringList{"STANDARDLETTERFIRSTLOW", "0"} << "hello world"
            << "txt"
            << "hELLO wORLD.txt" << 0;
        QTest::newRow("firstlow/with-ext")
            << QStringList{"STANDARDLETTERFIRSTLOW", "1"} << "hello world"
            << "txt"
            << "hELLO wORLD.TXT" << 0;
        QTest::newRow("firstcap/only-spaces-start-words")
            << QStringList{"STANDARDLETTERFIRSTCAP", "0"} << "rock_and-roll (live)"
            << ""
            << "Rock_and-roll (live)." << 0;
        QTest::newRow("firstcap/two-spaces") << QStringList{"STANDARDLETTERFIRSTCAP", "0"} << "a  b"
                                             << ""
                                             << "A  B." << 0;
        QTest::newRow("othercap/words")
            << QStringList{"STANDARDLETTEROTHERCAP", "0"} << "make every"
            << ""
            << "MaKe EvErY." << 0;
        QTest::newRow("othercap/runs-into-ext")
            << QStringList{"STANDARDLETTEROTHERCAP", "1"} << "ab"
            << "mp3"
            << "Ab.mP3" << 0;
        QTest::newRow("otherlow/words")
            << QStringList{"STANDARDLETTEROTHERLOW", "0"} << "make every"
            << ""
            << "mAkE eVeRy." << 0;
        QTest::newRow("uppercase/name-only") << QStringList{"STANDARDLETTERUPPERCASE", "0"} << "abc"
                                             << "txt"
                                             << "ABC.txt" << 0;
        QTest::newRow("uppercase/with-ext") << QStringList{"STANDARDLETTERUPPERCASE", "1"} << "abc"
                                            << "txt"
                                            << "ABC.TXT" << 0;
        QTest::newRow("uppercase/sharp-s-keeps-length")
            << QStringList{"STANDARDLETTERUPPERCASE", "0"} << "straße"
            << ""
            << "STRAßE." << 0;
        QTest::newRow("lowercase/accents") << QStringList{"STANDARDLETTERLOWERCASE", "0"} << "ÉCOLE"
                                           << "TXT"
                                           << "école.TXT" << 0;
        QTest::newRow("lowercase/empty-name") << QStringList{"STANDARDLETTERLOWERCASE", "0"} << ""
                                              << "TXT"
                                              << ".TXT" << 0;
        QTest::newRow("letters/flag-not-a-number")
            << QStringList{"STANDARDLETTERLOWERCASE", "x"} << "A"
            << ""
            << "" << 13;

        // Miscellaneous
        QTest::newRow("addspaces") << QStringList{"STANDARDMISCADDSPACES"} << "my_file_name"
                                   << "t_t"
                                   << "my file name.t_t" << 0;
        QTest::newRow("replacespaces") << QStringList{"STANDARDMISCREPLACESPACES"} << "my file name"
                                       << "t t"
                                       << "my_file_name.t t" << 0;
        QTest::newRow("multispace/two") << QStringList{"STANDARDMISCREMOVEMULTISPACE"} << "a  b"
                                        << ""
                                        << "a b." << 0;
        QTest::newRow("multispace/three") << QStringList{"STANDARDMISCREMOVEMULTISPACE"} << "a   b"
                                          << ""
                                          << "a  b." << 0;
        QTest::newRow("multispace/four") << QStringList{"STANDARDMISCREMOVEMULTISPACE"} << "a    b"
                                         << ""
                                         << "a  b." << 0;
        QTest::newRow("trim/name-and-ext") << QStringList{"STANDARDMISCTRIM"} << " a b "
                                           << "txt "
                                           << "a b.txt" << 0;
        QTest::newRow("trim/only-spaces") << QStringList{"STANDARDMISCTRIM"} << "\ta "
                                          << ""
                                          << "\ta." << 0;
        QTest::newRow("forcealpha/punctuation")
            << QStringList{"STANDARDMISCFORCEALPHA"} << "Hello, World! (2004)"
            << "Txt"
            << "HELLO WORLD 2004.Txt" << 0;
        QTest::newRow("forcealpha/accent-dropped")
            << QStringList{"STANDARDMISCFORCEALPHA"} << "café"
            << ""
            << "CAF." << 0;

        // Dispatch
        QTest::newRow("kind/unknown") << QStringList{"NOSUCHKIND", "a"} << "abc"
                                      << "txt"
                                      << "" << 0;
        QTest::newRow("kind/lower-case-keyword")
            << QStringList{"standardinsert", "X", "Start"} << "abc"
            << "txt"
            << "" << 0;
        QTest::newRow("mp3/not-an-mp3-passes") << QStringList{"MP3", "%artist%"} << "song"
                                               << "wav"
                                               << "song.wav" << 0;
    }
    void kinds() {
        QFETCH(QStringList, rule);
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(QString, expected);
        QFETCH(int, errorNumber);
        const RuleTable table = tableOf(rule);
        CollectingErrorReporter errors;
        const RuleEngine engine(table, errors);
        NumberingState state;
        QCOMPARE(engine.applyRule(1, name, ext, state), expected);
        if (errorNumber == 0) {
            QVERIFY(errors.empty());
        } else {
            QCOMPARE(errors.reports.size(), size_t(1));
            QCOMPARE(errors.last().location, 183);
            QCOMPARE(errors.last().number, errorNumber);
            QVERIFY(!errors.last().description.isEmpty());
        }
    }

    void slotOutOfRangeFails_data() {
        QTest::addColumn<int>("slot");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
        QTest::newRow("beyond-table") << 101;
    }
    void slotOutOfRangeFails() {
        QFETCH(int, slot);
        RuleTable table = tableOf({"STANDARDINSERT", "X", "End"});
        CollectingErrorReporter errors;
        const RuleEngine engine(table, errors);
        NumberingState state;
        QString n = "a", e = "b";
        QCOMPARE(engine.applyRule(slot, n, e, state), QString());
        QCOMPARE(errors.last().location, 183);
        QCOMPARE(errors.last().number, 9);
    }

    // A run passes name part and extension from rule to rule without joining them; that must
    // give what joining after each rule and splitting at the last dot again gives, above all
    // where a rule puts a dot into the extension or works on the joined name.
    void partsMatchJoinAndSplit_data() {
        QTest::addColumn<QList<QStringList>>("rules");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("expected"); // the joined result; empty when a rule fails

        using Rules = QList<QStringList>;
        QTest::newRow("dot-added-to-extension-then-extension-rules")
            << Rules{{"STANDARDEXTINSERT", ".bak", "End"},
                     {"STANDARDEXTREPLACE", "bak", "old"},
                     {"STANDARDEXTINSERT", "x", "Start"}}
            << "report.txt"
            << "report.txt.xold";
        QTest::newRow("extension-set-with-dots-then-name-rule")
            << Rules{{"STANDARDEXTSETTO", "tar.gz"}, {"STANDARDINSERT", "_v", "End"}}
            << "backup.zip"
            << "backup.tar_v.gz";
        QTest::newRow("dot-inserted-before-in-extension")
            << Rules{{"STANDARDEXTBEFOREAFTER", ".", "p", "Before"}, {"STANDARDREMOVE", "1", "End"}}
            << "photo.jpg"
            << "photo..pg";
        QTest::newRow("letters-across-the-dot-then-name-rule")
            << Rules{{"STANDARDLETTERFIRSTCAP", "1"}, {"STANDARDINSERT", "!", "End"}}
            << "my song.mp3"
            << "My Song!.mp3";
        QTest::newRow("letters-across-a-dot-added-to-extension")
            << Rules{{"STANDARDEXTINSERT", " live.x", "End"},
                     {"STANDARDLETTEROTHERCAP", "1"},
                     {"STANDARDMISCTRIM"}}
            << "a b.ogg"
            << "A B.OgG LiVe.x";
        QTest::newRow("name-set-with-dots-then-numbering")
            << Rules{{"STANDARDSETTO", "v1.2"}, {"STANDARDAUTOSTARTEND", "End", "2", "1", "7"}}
            << "x.dat"
            << "v1.207.dat";
        QTest::newRow("no-extension-and-extension-cleared")
            << Rules{{"STANDARDEXTINSERT", "md", "End"}, {"STANDARDEXTCLEAR", "m", "After", "1"}}
            << "README"
            << "README.m";
        QTest::newRow("failing-rule-after-a-dot-was-added")
            << Rules{{"STANDARDEXTINSERT", ".a", "End"}, {"STANDARDEXTREMOVE", "x", "End"}}
            << "f.txt" << QString();
    }
    void partsMatchJoinAndSplit() {
        QFETCH(QList<QStringList>, rules);
        QFETCH(QString, fileName);
        QFETCH(QString, expected);
        RuleTable table;
        for (const QStringList &rule : rules) {
            RuleSlot s;
            for (int i = 0; i < rule.size() && i < RuleFieldCount; ++i)
                s[i] = rule[i];
            table.addRule(s);
        }
        CollectingErrorReporter joinedErrors, partErrors;
        const RuleEngine joinedEngine(table, joinedErrors), partEngine(table, partErrors);

        auto [jn, je] = text::splitAtLastDot(fileName);
        auto [pn, pe] = text::splitAtLastDot(fileName);
        NumberingState joinedState, partState;
        bool joinedOk = true, partOk = true;
        for (int slot = 1; slot <= table.ruleCount(); ++slot) {
            const QString joined = joinedEngine.applyRule(slot, jn, je, joinedState);
            joinedOk = !joined.isEmpty();
            partOk = partEngine.applyRuleToParts(slot, pn, pe, partState);
            QCOMPARE(partOk, joinedOk);
            if (!joinedOk)
                break;
            const auto split = text::splitAtLastDot(joined);
            jn = split.name;
            je = split.extension;
            QCOMPARE(pn, jn);
            QCOMPARE(pe, je);
            QCOMPARE(partState, joinedState);
        }
        QCOMPARE(joinedOk ? text::join(jn, je) : QString(), expected);
        QCOMPARE(partErrors.reports.size(), joinedErrors.reports.size());
    }

    void emptySlotReturnsEmptyWithoutReport() {
        RuleTable table;
        CollectingErrorReporter errors;
        const RuleEngine engine(table, errors);
        NumberingState state;
        QString n = "a", e = "b";
        QCOMPARE(engine.applyRule(1, n, e, state), QString());
        QVERIFY(errors.empty());
    }
};

QTEST_GUILESS_MAIN(TestRuleEngine)
#include "tst_ruleengine.moc"
