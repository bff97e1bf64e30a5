#include "mainwindow_helper.h"

#include "engine/rulekinds.h"
#include "ui/helpopener.h"
#include "ui/messagewindow.h"
#include "ui/rulearea.h"
#include "ui/rulelayouts.h"
#include "ui/widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>

using namespace tallowin;
using namespace testing;

using Texts = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(Texts)

class TestRulePages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addsOneRulePerPage_data();
    void addsOneRulePerPage();
    void selectingAnotherOptionResetsInputs();
    void pickers();
    void pickerListClosesOnSecondClickAndFocusLoss();
    void mp3Page();
    void reorderAndDelete_data();
    void reorderAndDelete();
    void fullTableDropsTheRule();
    void helpKeys_data();
    void helpKeys();
    void everyKindIsAddedFromItsPage_data();
    void everyKindIsAddedFromItsPage();
};

void TestRulePages::addsOneRulePerPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("option");
    QTest::addColumn<Texts>("texts");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("add");
    QTest::addColumn<QStringList>("rule");

    QTest::newRow("file-name/replace-first-only")
        << 0 << "optStandardReplace"
        << Texts{{"txtStandardReplaceThis", "a"}, {"txtStandardReplaceWith", "b"}}
        << "chkStandardReplaceFirstOnly"
        << "cmdStandardFileNameAddNewRule"
        << QStringList{"STANDARDREPLACE",
                       "a",
                       "b",
                       "1",
                       "",
                       "",
                       "",
                       "File Name: Replace a with b the first time it appears"};
    QTest::newRow("extension/insert-before")
        << 1 << "optStandardExtBeforeAfter"
        << Texts{{"txtStandardExtBeforeAfterThis", "x"}, {"txtStandardExtBeforeAfterThat", "abc"}}
        << ""
        << "cmdStandardExtensionAddNewRule"
        << QStringList{"STANDARDEXTBEFOREAFTER",        "x", "abc", "Before", "", "", "",
                       "Extension: Insert x before abc"};
    QTest::newRow("auto-number/before-text")
        << 2 << "optStandardAutoBeforeAfter"
        << Texts{{"txtStandardAutoBeforeAfterThis", "track"},
                 {"txtStandardAutoFormat", "3"},
                 {"txtStandardAutoStartCount", "5"}}
        << ""
        << "cmdStandardAutoAddRule"
        << QStringList{"STANDARDAUTOBEFOREAFTER",
                       "track",
                       "Before",
                       "3",
                       "1",
                       "5",
                       "",
                       "Auto Number: Place numbers before track"};
    QTest::newRow("letters/lower-with-extension")
        << 3 << "optStandardLettersLowerCase" << Texts{} << "chkStandardLettersApplyToExt"
        << "cmdStandardLettersAddRule"
        << QStringList{"STANDARDLETTERLOWERCASE",     "1", "", "", "", "", "",
                       "Letters: Make all lower case"};
    QTest::newRow("misc/replace-spaces")
        << 4 << "optStandardMiscReplaceSpaces" << Texts{} << ""
        << "cmdStandardMiscAddRule" << QStringList{"STANDARDMISCREPLACESPACES",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "Misc: Replace any spaces with _ underscores"};
}

void TestRulePages::addsOneRulePerPage() {
    QFETCH(int, page);
    QFETCH(QString, option);
    QFETCH(Texts, texts);
    QFETCH(QString, check);
    QFETCH(QString, add);
    QFETCH(QStringList, rule);
    Fixture f;
    // One rule already there: the new one goes into slot 2 and shows last.
    f.w().rules().addRule(RuleKinds::MiscTrim, {}, {}, {}, {}, {}, {}, QStringLiteral("first"));
    f.w().displayRules();

    f.click(QStringLiteral("lblStandardTabs(%1)").arg(page).toLatin1().constData());
    QCOMPARE(f.w().ruleArea()->currentPage(), page);
    auto *opt = f.get<QRadioButton>(option.toLatin1().constData());
    QVERIFY(opt->isVisible());
    f.click(option.toLatin1().constData());
    QVERIFY(opt->isChecked());
    for (const auto &[box, value] : texts) {
        auto *edit = f.get<QLineEdit>(box.toLatin1().constData());
        QVERIFY2(edit->isEnabled(), qPrintable(box));
        edit->setText(value);
    }
    if (!check.isEmpty())
        f.click(check.toLatin1().constData());
    f.click(add.toLatin1().constData());

    const RuleSlot &stored = f.w().rules().slot(2);
    QStringList fields(stored.fields.begin(), stored.fields.end());
    QCOMPARE(fields, rule);
    QCOMPARE(f.rules(), (QStringList{"first", rule.last()}));
    // The page is shown again from its reset state.
    QVERIFY(!opt->isChecked());
    for (const auto &[box, value] : texts) {
        auto *edit = f.get<QLineEdit>(box.toLatin1().constData());
        if (box.startsWith(u"txtStandardAuto") && !box.endsWith(u"This"))
            QVERIFY(edit->isEnabled()); // the shared counting boxes stay editable
        else
            QVERIFY2(!edit->isEnabled() && edit->text().isEmpty(), qPrintable(box));
    }
    QCOMPARE(f.get<QLineEdit>("txtStandardAutoStartCount")->text(), QStringLiteral("1"));
    QCOMPARE(f.get<QLineEdit>("txtStandardAutoFormat")->text(), QStringLiteral("4"));
}

void TestRulePages::selectingAnotherOptionResetsInputs() {
    Fixture f;
    f.click("optStandardReplace");
    f.get<QLineEdit>("txtStandardReplaceThis")->setText(QStringLiteral("a"));
    f.get<QLineEdit>("txtStandardReplaceWith")->setText(QStringLiteral("b"));
    f.click("optStandardInsert");
    QVERIFY(!f.get<QLineEdit>("txtStandardReplaceThis")->isEnabled());
    QVERIFY(f.get<QLineEdit>("txtStandardInsertText")->isEnabled());
    f.click("optStandardReplace");
    QCOMPARE(f.get<QLineEdit>("txtStandardReplaceThis")->text(), QString());
    QCOMPARE(f.get<QLineEdit>("txtStandardReplaceWith")->text(), QString());

    // The tab of the page already shown also deselects and clears.
    f.get<QLineEdit>("txtStandardReplaceThis")->setText(QStringLiteral("a"));
    f.click("lblStandardTabs(0)");
    QVERIFY(!f.get<QRadioButton>("optStandardReplace")->isChecked());
    QCOMPARE(f.get<QLineEdit>("txtStandardReplaceThis")->text(), QString());

    // A view switch deselects every Standard option.
    f.click("optStandardSetTo");
    f.click("cmdMP3");
    QVERIFY(f.w().ruleArea()->mp3ViewShown());
    f.click("lblStandard");
    QVERIFY(!f.w().ruleArea()->mp3ViewShown());
    QVERIFY(!f.get<QRadioButton>("optStandardSetTo")->isChecked());
    QVERIFY(!f.get<QLineEdit>("txtStandardSetTo")->isEnabled());
}

void TestRulePages::pickers() {
    Fixture f;
    QApplication::setActiveWindow(&f.w());
    // File Name insert: the pick fills the box and moves the focus to the add button.
    f.click("optStandardInsert");
    f.click("cmbStandardInsert");
    auto *list = f.get<QListWidget>("lstStandardInsert");
    QVERIFY(list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(f.get<QLineEdit>("txtStandardInsert")->text(), QStringLiteral("End"));
    QVERIFY(!list->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.get<QWidget>("cmdStandardFileNameAddNewRule"));
    // ...and the add button shows its pressed picture while it has the focus.
    QVERIFY(f.get<ui::PictureButton>("cmdStandardFileNameAddNewRule")->pressedLook());
    f.click("cmdStandardFileNameAddNewRule");
    QCOMPARE(f.w().rules().slot(1)[Param2], QStringLiteral("End"));
    f.click("optStandardInsert");
    QCOMPARE(f.get<QLineEdit>("txtStandardInsert")->text(), QStringLiteral("Start"));

    // Extension clear keeps its last choice across an add.
    f.click("lblStandardTabs(1)");
    f.click("optStandardExtClear");
    f.click("cmbStandardExtClear");
    auto *clear = f.get<QListWidget>("lstStandardExtClear");
    QTest::mouseClick(clear->viewport(), Qt::LeftButton, {},
                      clear->visualItemRect(clear->item(1)).center());
    f.click("cmdStandardExtensionAddNewRule");
    QCOMPARE(f.w().rules().slot(2)[Param2], QStringLiteral("After"));
    f.click("optStandardExtClear");
    QCOMPARE(f.get<QLineEdit>("txtStandardExtClear")->text(), QStringLiteral("After"));

    // A picker of an option that is not selected cannot be opened.
    QVERIFY(!f.get<QToolButton>("cmbStandardExtInsert")->isEnabled());
}

void TestRulePages::pickerListClosesOnSecondClickAndFocusLoss() {
    Fixture f;
    QApplication::setActiveWindow(&f.w());
    f.click("optStandardBeforeAfter");
    auto *list = f.get<QListWidget>("lstStandardBeforeAfter");
    f.click("cmbStandardBeforeAfter");
    QVERIFY(list->isVisible());
    f.click("cmbStandardBeforeAfter");
    QVERIFY(!list->isVisible());
    QCOMPARE(f.get<QLineEdit>("txtStandardBeforeAfter")->text(), QStringLiteral("Before"));
    QCOMPARE(QApplication::focusWidget(), f.get<QWidget>("txtStandardBeforeAfterText"));

    f.click("cmbStandardBeforeAfter");
    QVERIFY(list->isVisible());
    f.get<QWidget>("txtStandardBeforeAfterCriteria")->setFocus();
    QVERIFY(!list->isVisible());
    QCOMPARE(f.get<QLineEdit>("txtStandardBeforeAfter")->text(), QStringLiteral("Before"));

    // The keyboard opens the list from its box and picks with Return.
    auto *box = f.get<QLineEdit>("txtStandardBeforeAfter");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F4);
    QVERIFY(list->isVisible());
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!list->isVisible());
    QCOMPARE(box->text(), QStringLiteral("After"));
    QCOMPARE(QApplication::focusWidget(), f.get<QWidget>("txtStandardBeforeAfterCriteria"));
}

void TestRulePages::mp3Page() {
    Fixture f;
    QApplication::setActiveWindow(&f.w());
    f.click("lblMP3");
    QVERIFY(f.get<QWidget>("pctMP3")->isVisible());
    QVERIFY(!f.get<QWidget>("pctTabs")->isVisible());
    QVERIFY(!f.get<QWidget>("txtCustomMP3")->isEnabled());
    QVERIFY(!f.get<QWidget>("cmbPredefinedMP3")->isEnabled());

    // Add with nothing selected stores nothing.
    f.click("cmdStandardMP3AddNewRule");
    QCOMPARE(f.w().rules().ruleCount(), 0);

    f.click("optMP3Predefined");
    QCOMPARE(f.get<QLineEdit>("txtPredefinedMP3")->text(), QStringLiteral("%Artist% - %SongName%"));
    QVERIFY(!f.get<QWidget>("txtCustomMP3")->isEnabled());
    f.click("cmbPredefinedMP3");
    auto *list = f.get<QListWidget>("lstPredefinedMP3");
    QCOMPARE(list->count(), 5);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(3)).center());
    QCOMPARE(f.get<QLineEdit>("txtPredefinedMP3")->text(),
             QStringLiteral("%Artist% - %Album% - %Track% - %SongName%"));
    QCOMPARE(QApplication::focusWidget(), f.get<QWidget>("cmdStandardMP3AddNewRule"));

    f.click("optMP3Custom");
    f.get<QLineEdit>("txtCustomMP3")->setText(QStringLiteral("%Year% - %Album%"));
    // The page is not reset: a second press stores the same rule again.
    f.click("cmdStandardMP3AddNewRule");
    f.click("cmdStandardMP3AddNewRule");
    QCOMPARE(f.rules(), (QStringList{"MP3 Files Change Name To: %Year% - %Album%",
                                     "MP3 Files Change Name To: %Year% - %Album%"}));
    QCOMPARE(f.w().rules().slot(2)[Param1], QStringLiteral("%Year% - %Album%"));

    f.click("cmdStandard");
    f.click("cmdMP3");
    QVERIFY(!f.get<QRadioButton>("optMP3Custom")->isChecked());
    QCOMPARE(f.get<QLineEdit>("txtCustomMP3")->text(), QString());
    QCOMPARE(f.get<QLineEdit>("txtPredefinedMP3")->text(), QString());
}

void TestRulePages::reorderAndDelete_data() {
    QTest::addColumn<int>("rules");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("highlighted");
    QTest::newRow("up/middle") << 3 << 2 << "cmdRuleUp"
                               << "BAC" << 2;
    QTest::newRow("down/middle") << 3 << 2 << "cmdRuleDown"
                                 << "ACB" << 2;
    QTest::newRow("down/last") << 3 << 3 << "cmdRuleDown"
                               << "ABC" << 3;
    QTest::newRow("up/first") << 3 << 1 << "cmdRuleUp"
                              << "ABC" << 1;
    QTest::newRow("top/third") << 4 << 3 << "cmdRuleUpAll"
                               << "CABD" << 3;
    QTest::newRow("bottom/third") << 4 << 3 << "cmdRuleDownAll"
                                  << "ABDC" << 3;
    QTest::newRow("delete/middle") << 3 << 2 << "cmdRuleDelete"
                                   << "AC" << 0;
    QTest::newRow("delete/only") << 1 << 1 << "cmdRuleDelete"
                                 << "" << 0;
    QTest::newRow("up/only") << 1 << 1 << "cmdRuleUp"
                             << "A" << 1;
    QTest::newRow("delete/none-selected") << 3 << 0 << "cmdRuleDelete"
                                          << "ABC" << 0;
    QTest::newRow("clear/all") << 4 << 0 << "cmdRuleClear"
                               << "" << 0;
}

void TestRulePages::reorderAndDelete() {
    QFETCH(int, rules);
    QFETCH(int, selected);
    QFETCH(QString, button);
    QFETCH(QString, order);
    QFETCH(int, highlighted);
    Fixture f;
    f.click("cmdMP3");
    f.click("optMP3Custom");
    for (int i = 0; i < rules; ++i) {
        f.get<QLineEdit>("txtCustomMP3")->setText(QString(QChar(u'A' + i)));
        f.click("cmdStandardMP3AddNewRule");
    }
    auto *list = f.get<QAbstractItemView>("lstStandardRules");
    if (selected > 0) {
        const QModelIndex item = list->model()->index(selected - 1, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
        QVERIFY(list->selectionModel()->isSelected(item));
    }
    f.click(button.toLatin1().constData());
    QString shown;
    for (const QString &r : f.rules())
        shown += r.right(1);
    QCOMPARE(shown, order);
    QCOMPARE(f.w().rules().ruleCount(), int(order.size()));
    if (highlighted > 0)
        QCOMPARE(list->currentIndex().row() + 1, highlighted);
    // No gap: the next add fills the slot after the last rule.
    f.click("cmdStandardMP3AddNewRule");
    QCOMPARE(f.w().rules().ruleCount(), int(order.size()) + 1);
}

void TestRulePages::fullTableDropsTheRule() {
    Fixture f;
    for (int i = 0; i < MaxRules - 1; ++i)
        f.w().rules().addRule(RuleKinds::MiscTrim, {}, {}, {}, {}, {}, {}, QString::number(i));
    f.click("lblStandardTabs(4)");
    f.click("optStandardMiscAddSpaces");
    f.click("cmdStandardMiscAddRule");
    QCOMPARE(f.rules().size(), int(MaxRules));
    QCOMPARE(f.rules().last(), QStringLiteral("Misc: Replace _ underscores with spaces"));
    f.click("optStandardMiscAddSpaces");
    f.click("cmdStandardMiscAddRule");
    QCOMPARE(f.rules().size(), int(MaxRules));
}

void TestRulePages::helpKeys_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("page");
    QTest::newRow("file-name/insert-box") << "txtStandardInsert"
                                          << "page7.html";
    QTest::newRow("file-name/before-after-box") << "txtStandardBeforeAfter"
                                                << "";
    QTest::newRow("extension/option") << "optStandardExtSetTo"
                                      << "page8.html";
    QTest::newRow("auto-number/format") << "txtStandardAutoFormat"
                                        << "page9.html";
    QTest::newRow("auto-number/picker-box") << "txtStandardAutoStartEnd"
                                            << "";
    QTest::newRow("letters/check") << "chkStandardLettersApplyToExt"
                                   << "page10.html";
    QTest::newRow("misc/option") << "optStandardMiscAddSpaces"
                                 << "page11.html";
    QTest::newRow("rules-list") << "lstStandardRules"
                                << "page12.html";
    QTest::newRow("mp3/custom") << "txtCustomMP3"
                                << "page12.html";
    QTest::newRow("files/list") << "lstFilesToRename"
                                << "page15.html";
    QTest::newRow("files/folder") << "dirFileLocation"
                                  << "page15.html";
    QTest::newRow("files/name-filter") << "txtFileName"
                                       << "page15.html";
    QTest::newRow("files/hidden") << "chkShowHiddenFiles"
                                  << "page15.html";
    QTest::newRow("preview-button") << "cmdPreview"
                                    << "";
    QTest::newRow("window") << "frmMain"
                            << "index.html";
}

void TestRulePages::helpKeys() {
    QFETCH(QString, control);
    QFETCH(QString, page);
    Fixture f;
    QApplication::setActiveWindow(&f.w());
    QSignalSpy asked(&f.w(), &ui::MainWindow::helpPageRequested);
    QWidget *w = control == u"frmMain" ? static_cast<QWidget *>(&f.w())
                                       : f.get<QWidget>(control.toLatin1().constData());
    if (control.startsWith(u"txtCustomMP3"))
        f.click("cmdMP3");
    else if (control.contains(u"Auto"))
        f.click("lblStandardTabs(2)");
    else if (control.contains(u"Letters"))
        f.click("lblStandardTabs(3)");
    else if (control.contains(u"Misc"))
        f.click("lblStandardTabs(4)");
    else if (control.contains(u"Ext"))
        f.click("lblStandardTabs(1)");
    w->setEnabled(true);
    w->setFocus();
    QCOMPARE(QApplication::focusWidget(), w);
    QTest::keyClick(w, Qt::Key_F1);
    QStringList opened;
    for (const QList<QVariant> &args : asked)
        opened << args.first().toString();
    QCOMPARE(opened, page.isEmpty() ? QStringList{} : QStringList{page});
    // The page itself is opened, and nothing else is shown.
    QList<QUrl> expected;
    if (!page.isEmpty())
        expected << QUrl::fromLocalFile(ui::HelpOpener::pagePath(page));
    QCOMPARE(f.urls.opened, expected);
    QVERIFY(!f.app->messageWindow()->isVisible());
}

Q_DECLARE_METATYPE(const RuleKind *)

void TestRulePages::everyKindIsAddedFromItsPage_data() {
    QTest::addColumn<const RuleKind *>("kind");
    for (const RuleKind &k : ruleKinds())
        QTest::newRow(qPrintable(k.keyword)) << &k;
}

// Walks the kinds and the layouts of the options that add them: each option, and each control
// it reads, is on its page under its name with its caption and hover text; using them as a
// user does stores the described rule, each value in its parameter's field.
void TestRulePages::everyKindIsAddedFromItsPage() {
    QFETCH(const RuleKind *, kind);
    const std::vector<const ui::RuleOption *> options = ui::optionsOf(*kind);
    QVERIFY2(!options.empty(), qPrintable("no page adds " + kind->keyword));
    for (const ui::RuleOption *option : options) {
        const ui::RulePageInfo &page = ui::rulePage(option->page);
        Fixture f;
        QApplication::setActiveWindow(&f.w());
        if (option->page == ui::RulePageId::Mp3)
            f.click("cmdMP3");
        else
            f.click(QStringLiteral("lblStandardTabs(%1)")
                        .arg(int(option->page))
                        .toLatin1()
                        .constData());
        QWidget *frame = f.get<QWidget>(page.frame.toLatin1().constData());
        QVERIFY(frame && frame->isVisible());
        auto *button = frame->findChild<QRadioButton *>(option->name);
        QVERIFY2(button, qPrintable(option->name));
        QCOMPARE(button->text(), option->caption);
        QCOMPARE(button->toolTip(), option->tooltip);
        QCOMPARE(f.w().ruleArea()->helpPages().value(option->name), page.help);
        f.click(option->name.toLatin1().constData());
        QVERIFY(button->isChecked());

        QStringList expected(int(kind->params.size()));
        for (const ui::RuleInput &input : option->inputs) {
            const ui::RuleControl *c = input.control;
            const QByteArray name = c->name.toLatin1();
            QString value;
            switch (c->type) {
            case ui::ControlType::CheckBox: {
                auto *check = frame->findChild<QCheckBox *>(c->name);
                QVERIFY2(check && check->isEnabled(), name);
                QCOMPARE(check->text(), c->caption);
                if (!check->isChecked())
                    f.click(name.constData());
                value = QStringLiteral("1");
                break;
            }
            case ui::ControlType::Picker: {
                QVERIFY2(frame->findChild<QLineEdit *>(c->name), name);
                QVERIFY(frame->findChild<QToolButton *>(c->pickerButton()));
                f.click(c->pickerButton().toLatin1().constData());
                auto *list = f.get<QListWidget>(c->pickerList().toLatin1().constData());
                QVERIFY2(list && list->isVisible(), name);
                QCOMPARE(list->count(), int(c->choices.size()));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(list->count() - 1)).center());
                value = c->choices.last();
                break;
            }
            case ui::ControlType::LineEdit: {
                auto *box = frame->findChild<QLineEdit *>(c->name);
                QVERIFY2(box && box->isEnabled(), name);
                value = QStringLiteral("v") + c->name.right(2);
                box->setText(value);
                break;
            }
            }
            const auto field = kind->fieldOf(input.param);
            QVERIFY2(field, qPrintable(option->name + u' ' + input.param));
            expected[*field - Param1] = value;
        }
        f.click(page.addButton.toLatin1().constData());
        QCOMPARE(f.w().rules().ruleCount(), 1);
        const RuleSlot &stored = f.w().rules().slot(1);
        QCOMPARE(stored[Kind], kind->keyword);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(stored[Param1 + i], expected.value(i));
        QCOMPARE(stored[Description], kind->describe(stored));
        QCOMPARE(f.rules(), QStringList{stored[Description]});
    }
}

QTEST_MAIN(TestRulePages)
#include "tst_rulepages.moc"
