#include "editing/rulepagestate.h"

#include <QtTest>

using namespace tallowin;

using Values = QMap<QString, QString>; // control -> text, or "1"/"0" for check boxes

class TestAddRule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rows_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<Values>("inputs");
        QTest::addColumn<QStringList>("fields"); // all eight
        QTest::newRow("replace/first-only")
            << "optStandardReplace"
            << Values{{"txtStandardReplaceThis", "a"},
                      {"txtStandardReplaceWith", "b"},
                      {"chkStandardReplaceFirstOnly", "1"}}
            << QStringList{"STANDARDREPLACE",
                           "a",
                           "b",
                           "1",
                           "",
                           "",
                           "",
                           "File Name: Replace a with b the first time it appears"};
        QTest::newRow("replace/empty-search-two-spaces")
            << "optStandardReplace" << Values{{"txtStandardReplaceWith", "x"}}
            << QStringList{"STANDARDREPLACE",           "", "x", "0", "", "", "",
                           "File Name: Replace  with x"};
        QTest::newRow("name-insert-at-text")
            << "optStandardBeforeAfter"
            << Values{{"txtStandardBeforeAfterText", "x"},
                      {"txtStandardBeforeAfter", "After"},
                      {"txtStandardBeforeAfterCriteria", "abc"}}
            << QStringList{"STANDARDBEFOREAFTER",          "x", "After", "abc", "0", "", "",
                           "File Name: Insert x after abc"};
        QTest::newRow("name-insert-at-text/first-only")
            << "optStandardBeforeAfter"
            << Values{{"txtStandardBeforeAfterText", "x"},
                      {"txtStandardBeforeAfter", "Before"},
                      {"txtStandardBeforeAfterCriteria", "abc"},
                      {"chkStandardBeforeAfterFirstOnly", "1"}}
            << QStringList{"STANDARDBEFOREAFTER",
                           "x",
                           "Before",
                           "abc",
                           "1",
                           "",
                           "",
                           "File Name: Insert x before abc the first time it appears"};
        QTest::newRow("name-insert")
            << "optStandardInsert"
            << Values{{"txtStandardInsertText", "x"}, {"txtStandardInsert", "Start"}}
            << QStringList{"STANDARDINSERT",
                           "x",
                           "Start",
                           "",
                           "",
                           "",
                           "",
                           "File Name: Insert x at the start of the file name"};
        QTest::newRow("name-remove/not-validated")
            << "optStandardRemove"
            << Values{{"txtStandardRemoveCharacters", "lots"}, {"txtStandardRemove", "End"}}
            << QStringList{"STANDARDREMOVE",
                           "lots",
                           "End",
                           "",
                           "",
                           "",
                           "",
                           "File Name: Remove lots from the end of the file name"};
        QTest::newRow("name-clear/leave")
            << "optStandardClear"
            << Values{{"txtStandardClearFrom", "("},
                      {"txtStandardClearTo", ")"},
                      {"chkStandardClearLeaveText", "1"}}
            << QStringList{"STANDARDCLEAR",
                           "(",
                           ")",
                           "1",
                           "",
                           "",
                           "",
                           "File Name: Clear all text between ( and ) leaving the search text "
                           "intact"};
        QTest::newRow("name-setto") << "optStandardSetTo" << Values{{"txtStandardSetTo", "Holiday"}}
                                    << QStringList{"STANDARDSETTO",
                                                   "Holiday",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "File Name: Set to Holiday exactly"};
        QTest::newRow("ext-insert-at-text")
            << "optStandardExtBeforeAfter"
            << Values{{"txtStandardExtBeforeAfterThis", "x"},
                      {"txtStandardExtBeforeAfterThat", "abc"},
                      {"txtStandardExtBeforeAfter", "Before"}}
            << QStringList{"STANDARDEXTBEFOREAFTER",        "x", "abc", "Before", "", "", "",
                           "Extension: Insert x before abc"};
        QTest::newRow("ext-clear/leave")
            << "optStandardExtClear"
            << Values{{"txtStandardExtClearThis", "_"},
                      {"txtStandardExtClear", "After"},
                      {"chkStandardExtLeaveSearch", "1"}}
            << QStringList{"STANDARDEXTCLEAR",
                           "_",
                           "After",
                           "1",
                           "",
                           "",
                           "",
                           "Extension: Clear all text after _ and leave search text"};
        QTest::newRow("ext-insert")
            << "optStandardExtInsert"
            << Values{{"txtStandardExtInsertText", "x"}, {"txtStandardExtInsert", "End"}}
            << QStringList{"STANDARDEXTINSERT",
                           "x",
                           "End",
                           "",
                           "",
                           "",
                           "",
                           "Extension: Insert x at the end of the extension"};
        QTest::newRow("ext-remove")
            << "optStandardExtRemove"
            << Values{{"txtStandardExtRemoveCharacters", "2"}, {"txtStandardExtRemove", "Start"}}
            << QStringList{"STANDARDEXTREMOVE",
                           "2",
                           "Start",
                           "",
                           "",
                           "",
                           "",
                           "Extension: Remove 2 characters from the start of the extension"};
        QTest::newRow("ext-replace")
            << "optStandardExtReplace"
            << Values{{"txtStandardExtReplaceThis", "jpg"}, {"txtStandardExtReplaceThat", "jpeg"}}
            << QStringList{"STANDARDEXTREPLACE",
                           "jpg",
                           "jpeg",
                           "",
                           "",
                           "",
                           "",
                           "Extension: Replace jpg with jpeg"};
        QTest::newRow("ext-setto")
            << "optStandardExtSetTo" << Values{{"txtStandardExtSetTo", "txt"}}
            << QStringList{"STANDARDEXTSETTO",
                           "txt",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "Extension: Set extension to txt exactly"};
        const Values autoBoxes{{"txtStandardAutoFormat", "3"},
                               {"txtStandardAutoIncrement", "1"},
                               {"txtStandardAutoStartCount", "5"}};
        Values startEnd = autoBoxes;
        startEnd.insert("txtStandardAutoStartEnd", "End");
        QTest::newRow("auto-startend")
            << "optStandardAutoStartEnd" << startEnd
            << QStringList{"STANDARDAUTOSTARTEND",
                           "End",
                           "3",
                           "1",
                           "5",
                           "",
                           "",
                           "Auto Number: Place numbers at the end of the file name"};
        Values beforeAfter = autoBoxes;
        beforeAfter.insert("txtStandardAutoBeforeAfterThis", "track");
        beforeAfter.insert("txtStandardAutoBeforeAfter", "Before");
        QTest::newRow("auto-beforeafter") << "optStandardAutoBeforeAfter" << beforeAfter
                                          << QStringList{"STANDARDAUTOBEFOREAFTER",
                                                         "track",
                                                         "Before",
                                                         "3",
                                                         "1",
                                                         "5",
                                                         "",
                                                         "Auto Number: Place numbers before track"};
        QTest::newRow("letters-lower")
            << "optStandardLettersLowerCase" << Values{}
            << QStringList{"STANDARDLETTERLOWERCASE",     "0", "", "", "", "", "",
                           "Letters: Make all lower case"};
        QTest::newRow("letters-firstcap-ext")
            << "optStandardLettersFirstCap" << Values{{"chkStandardLettersApplyToExt", "1"}}
            << QStringList{"STANDARDLETTERFIRSTCAP",
                           "1",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "Letters: Make First Of Each Word Upper"};
        QTest::newRow("letters-firstlow") << "optStandardLettersFirstLow" << Values{}
                                          << QStringList{"STANDARDLETTERFIRSTLOW",
                                                         "0",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         "Letters: mAKE fIRST oF eACH wORD lOWER"};
        QTest::newRow("letters-othercap") << "optStandardLettersOtherCap" << Values{}
                                          << QStringList{"STANDARDLETTEROTHERCAP",
                                                         "0",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         "Letters: MaKe EvErY OtHeR LeTtEr UpPeR"};
        QTest::newRow("letters-otherlow") << "optStandardLettersOtherLow" << Values{}
                                          << QStringList{"STANDARDLETTEROTHERLOW",
                                                         "0",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         "",
                                                         "Letters: mAkE eVeRy oThEr lEtTeR lOwEr"};
        QTest::newRow("letters-upper")
            << "optStandardLettersUpperCase" << Values{}
            << QStringList{"STANDARDLETTERUPPERCASE",     "0", "", "", "", "", "",
                           "Letters: Make all UPPER case"};
        QTest::newRow("misc-addspaces") << "optStandardMiscAddSpaces" << Values{}
                                        << QStringList{"STANDARDMISCADDSPACES",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "",
                                                       "Misc: Replace _ underscores with spaces"};
        QTest::newRow("misc-forcealpha")
            << "optStandardMiscForceAlphaNumeric" << Values{}
            << QStringList{"STANDARDMISCFORCEALPHA",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "Misc: Remove all non 1-9 and A-Z characters"};
        QTest::newRow("misc-multispace")
            << "optStandardMiscRemoveMultiSpace" << Values{}
            << QStringList{"STANDARDMISCREMOVEMULTISPACE",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "Misc: Remove any double spaces and replace with a single space"};
        QTest::newRow("misc-trim")
            << "optStandardMiscRemoveSpaces" << Values{}
            << QStringList{"STANDARDMISCTRIM",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "Misc: Remove any spaces before or after the file name"};
        QTest::newRow("misc-replacespaces")
            << "optStandardMiscReplaceSpaces" << Values{}
            << QStringList{"STANDARDMISCREPLACESPACES",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "Misc: Replace any spaces with _ underscores"};
        QTest::newRow("mp3-predefined")
            << "optMP3Predefined" << Values{{"txtPredefinedMP3", "%Artist% - %SongName%"}}
            << QStringList{"MP3", "%Artist% - %SongName%",
                           "",    "",
                           "",    "",
                           "",    "MP3 Files Change Name To: %Artist% - %SongName%"};
        QTest::newRow("mp3-custom")
            << "optMP3Custom" << Values{{"txtCustomMP3", "%track% %songname%"}}
            << QStringList{"MP3", "%track% %songname%",
                           "",    "",
                           "",    "",
                           "",    "MP3 Files Change Name To: %track% %songname%"};
    }
    void rows() {
        QFETCH(QString, option);
        QFETCH(Values, inputs);
        QFETCH(QStringList, fields);
        RulePageState state;
        const RuleOption *opt = findRuleOption(option);
        QVERIFY2(opt, qPrintable(option));
        state.select(*opt);
        for (auto it = inputs.cbegin(); it != inputs.cend(); ++it) {
            const RuleControl *control = findRuleControl(it.key());
            QVERIFY2(control, qPrintable(it.key()));
            if (control->type == ControlType::CheckBox)
                state.setChecked(*control, it.value() == "1");
            else
                state.setText(*control, it.value());
        }
        RuleTable t;
        t.addRule("EXISTING");
        QCOMPARE(addSelectedRules(state, t), 1);
        QCOMPARE(t.ruleCount(), 2);
        QStringList got;
        for (const QString &f : t.slot(2).fields)
            got << f;
        QCOMPARE(got, fields);
    }

    void everyOptionHasARow() {
        int options = 0;
        for (const RuleKind &k : ruleKinds())
            options += int(k.options.size());
        QCOMPARE(options, 27);
    }

    // With several options selected (which the pages never allow), the rules follow the
    // fixed order of the kinds, not the order of selection.
    void severalSelectedFollowTheKindOrder() {
        RulePageState state;
        state.select(*findRuleOption("optMP3Custom"));
        state.select(*findRuleOption("optStandardMiscReplaceSpaces"));
        state.select(*findRuleOption("optStandardExtSetTo"));
        RuleTable t;
        QCOMPARE(addSelectedRules(state, t), 3);
        QCOMPARE(t.slot(1)[Kind], QStringLiteral("STANDARDEXTSETTO"));
        QCOMPARE(t.slot(2)[Kind], QStringLiteral("STANDARDMISCREPLACESPACES"));
        QCOMPARE(t.slot(3)[Kind], QStringLiteral("MP3"));
    }

    void nothingSelectedStoresNothing() {
        RuleTable t;
        QCOMPARE(addSelectedRules(RulePageState{}, t), 0);
        QCOMPARE(t.ruleCount(), 0);
    }

    void fullTableDropsTheRuleSilently() {
        RuleTable t;
        for (int i = 0; i < 99; ++i)
            t.addRule("K");
        RulePageState state;
        state.select(*findRuleOption("optStandardMiscRemoveSpaces"));
        addSelectedRules(state, t);
        QCOMPARE(t.slot(100)[Kind], QStringLiteral("STANDARDMISCTRIM"));
        const RuleTable full = t;
        addSelectedRules(state, t);
        QCOMPARE(t, full);
    }

    void mp3AddTwiceStoresTwoIdenticalRules() {
        RulePageState state;
        state.select(*findRuleOption("optMP3Predefined"));
        state.setText(*findRuleControl("txtPredefinedMP3"), "%Artist% - %SongName%");
        RuleTable t;
        addSelectedRules(state, t);
        addSelectedRules(state, t);
        QCOMPARE(t.ruleCount(), 2);
        QCOMPARE(t.slot(1), t.slot(2));
    }
};

QTEST_GUILESS_MAIN(TestAddRule)
#include "tst_addrule.moc"
