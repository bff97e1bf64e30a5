// The rule pages' layouts without their widgets: every kind has a page that adds it, every
// control fills a parameter its kind has, and each option stores its controls' values in the
// fields the rules file keeps them in.
#include "ui/rulelayouts.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace tallowin;
using namespace tallowin::ui;

using Values = QMap<QString, QString>; // control -> text, or "1"/"0" for check boxes

Q_DECLARE_METATYPE(const RuleKind *)

class TestRuleLayouts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The fields an option stores, by the objectNames of its option button and controls: what
    // each control fills is written here once more, apart from the layouts, so a control bound
    // to the wrong parameter fails.
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
        const RuleOption *opt = findRuleOption(option);
        QVERIFY2(opt, qPrintable(option));
        for (auto it = inputs.cbegin(); it != inputs.cend(); ++it)
            QVERIFY2(findRuleControl(it.key()), qPrintable(it.key()));
        // A control left alone reads as a fresh page's would: a check box unticked, a box empty.
        const RuleDraft draft = draftOf(*opt, [&inputs](const RuleControl &c) {
            return inputs.value(c.name,
                                c.type == ControlType::CheckBox ? QStringLiteral("0") : QString());
        });
        RuleTable t;
        t.addRule("EXISTING");
        QCOMPARE(addDrafts({draft}, t), 1);
        QCOMPARE(t.ruleCount(), 2);
        QStringList got;
        for (const QString &f : t.slot(2).fields)
            got << f;
        QCOMPARE(got, fields);
    }

    void everyKindHasItsLayout_data() {
        QTest::addColumn<const RuleKind *>("kind");
        for (const RuleKind &k : ruleKinds())
            QTest::newRow(qPrintable(k.keyword)) << &k;
    }

    // Some page adds every kind; each option fills every parameter of its kind exactly once, by
    // a name the kind has, from a control shown on the option's page, and a picker offers the
    // words its position parameter takes.
    void everyKindHasItsLayout() {
        QFETCH(const RuleKind *, kind);
        const std::vector<const RuleOption *> options = optionsOf(*kind);
        QVERIFY2(!options.empty(), qPrintable("no page adds " + kind->keyword));
        for (const RuleOption *o : options) {
            QCOMPARE(o->kind, kind);
            QCOMPARE(findRuleOption(o->name), o);
            const RulePageInfo &page = rulePage(o->page);
            QCOMPARE(std::count(page.options.begin(), page.options.end(), o), 1);
            QSet<const RuleControl *> shown;
            for (const RowPart &p : o->row)
                shown.insert(p.control);
            for (const Row &row : page.sharedRows)
                for (const RowPart &p : row)
                    shown.insert(p.control);
            for (const RowPart &p : page.besideAdd)
                shown.insert(p.control);
            QSet<QString> filled;
            for (const RuleInput &input : o->inputs) {
                const QString where = o->name + u' ' + input.param;
                const auto field = kind->fieldOf(input.param);
                QVERIFY2(field, qPrintable(where + " is not a parameter of " + kind->keyword));
                QVERIFY2(!filled.contains(input.param), qPrintable(where + " filled twice"));
                filled.insert(input.param);
                QVERIFY2(input.control && shown.contains(input.control), qPrintable(where));
                QCOMPARE(findRuleControl(input.control->name), input.control);
                const RuleParam &param = kind->params[*field - Param1];
                QCOMPARE(input.control->type == ControlType::CheckBox,
                         param.type == ValueType::Flag);
                if (param.type == ValueType::Position)
                    QCOMPARE(input.control->choices, param.choices);
            }
            QCOMPARE(filled.size(), qsizetype(kind->params.size()));
        }
    }

    void everyOptionIsOnItsPage() {
        int options = 0;
        for (const RulePageInfo &p : rulePages()) {
            for (const RuleOption *o : p.options)
                QCOMPARE(o->page, p.id);
            options += int(p.options.size());
        }
        QCOMPARE(options, 27);
    }

    // The help page F1 opens on a rule page exists and shows an example of every kind the page
    // adds.
    void everyPageHelpShowsItsKinds() {
        static const QRegularExpression rule(QStringLiteral("data-rule[0-9]*=\"([A-Z0-9]+)\\|"));
        for (const RulePageInfo &p : rulePages()) {
            QFile f(QStringLiteral(TALLOWIN_SOURCE_DIR "/help/") + p.help);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(p.help));
            QSet<QString> shown;
            for (const auto &m : rule.globalMatch(QString::fromUtf8(f.readAll())))
                shown.insert(m.captured(1));
            for (const RuleOption *o : p.options)
                QVERIFY2(shown.contains(o->kind->keyword),
                         qPrintable(p.help + " shows no example of " + o->name));
        }
    }
};

QTEST_GUILESS_MAIN(TestRuleLayouts)
#include "tst_rulelayouts.moc"
