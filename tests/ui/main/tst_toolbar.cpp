#include "mainwindow_helper.h"

#include "ui/helpopener.h"
#include "ui/messagewindow.h"
#include "ui/previewflow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"
#include "ui/rulearea.h"
#include "ui/ruleswindows.h"
#include "ui/wizardwindow.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

using namespace tallowin;
using namespace testing;

// Every button of the main window's toolbar, header, file panel and rule side, and F1: each
// makes something visible happen (a view, a window, a count, a message), never nothing.
class TestToolbar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyButtonShowsItsEffect_data();
    void everyButtonShowsItsEffect();
    void viewButtonsSwitchRuleViews();
    void exitClosesEveryWindow();
};

void TestToolbar::everyButtonShowsItsEffect_data() {
    QTest::addColumn<QString>("control"); // "F1" presses the key on the window
    QTest::addColumn<QString>("before");  // what the row prepares: rules, mp3, untick, filtered
    QTest::addColumn<QString>("effect");  // message, window, opens, url, view, label, folder, ...
    QTest::addColumn<QString>("expected");

    const QString message = QStringLiteral("message");
    QTest::newRow("toolbar/wizard") << "cmdWizard"
                                    << ""
                                    << "wizard"
                                    << "pctStart";
    QTest::newRow("toolbar/wizard-caption") << "lblWizard"
                                            << ""
                                            << "wizard"
                                            << "pctStart";
    const QString opens = QStringLiteral("opens");
    QTest::newRow("toolbar/from-file") << "cmdFromFile"
                                       << "" << opens << "frmFromFile";
    QTest::newRow("toolbar/from-file-caption") << "lblFromFile"
                                               << "" << opens << "frmFromFile";
    QTest::newRow("toolbar/help") << "cmdHelp"
                                  << "" << opens << "frmHelp";
    QTest::newRow("toolbar/standard") << "cmdStandard"
                                      << "mp3"
                                      << "view"
                                      << "pctTabs";
    QTest::newRow("toolbar/standard-caption") << "lblStandard"
                                              << "mp3"
                                              << "view"
                                              << "pctTabs";
    QTest::newRow("toolbar/mp3") << "cmdMP3"
                                 << ""
                                 << "view"
                                 << "pctMP3";
    QTest::newRow("toolbar/mp3-caption") << "lblMP3"
                                         << ""
                                         << "view"
                                         << "pctMP3";
    QTest::newRow("toolbar/exit") << "cmdExit"
                                  << ""
                                  << "closed"
                                  << "";
    QTest::newRow("toolbar/exit-caption") << "lblExit"
                                          << ""
                                          << "closed"
                                          << "";
    QTest::newRow("header/minimise") << "cmdMinimize"
                                     << ""
                                     << "state"
                                     << "minimised";
    QTest::newRow("header/maximise") << "cmdMaximize"
                                     << ""
                                     << "state"
                                     << "maximised";
    QTest::newRow("files/folder-up") << "cmdFolderUp"
                                     << ""
                                     << "folder"
                                     << "..";
    QTest::newRow("files/browse") << "cmdBrowseFolder"
                                  << ""
                                  << "dialog"
                                  << "dlgFolder";
    QTest::newRow("files/filter") << "cmdFilterFiles"
                                  << "typed"
                                  << "label"
                                  << "lblFilesShown=1 Files Shown";
    QTest::newRow("files/clear-filter") << "cmdClearFilter"
                                        << "filtered"
                                        << "label"
                                        << "lblFilesShown=2 Files Shown";
    QTest::newRow("files/select-all") << "cmdSelectAllFiles"
                                      << "untick"
                                      << "label"
                                      << "lblFilesSelected=2 Files Selected";
    QTest::newRow("files/clear-all") << "cmdClearAllFiles"
                                     << ""
                                     << "label"
                                     << "lblFilesSelected=0 Files Selected";
    QTest::newRow("rules/load") << "cmdLoad"
                                << "" << opens << "frmLoadRules";
    QTest::newRow("rules/save") << "cmdSave"
                                << "rules" << opens << "frmSaveRules";
    QTest::newRow("rules/save-without-rules")
        << "cmdSave"
        << "" << message << ui::SaveRulesWindow::NoRulesMessage;
    QTest::newRow("rules/preview") << "cmdPreview"
                                   << "rules"
                                   << "window"
                                   << "frmPreviewStandard";
    QTest::newRow("rules/preview-without-rules") << "cmdPreview"
                                                 << "" << message << NoRulesMessage;
    QTest::newRow("key/f1") << "F1"
                            << ""
                            << "url"
                            << "index.html";
}

void TestToolbar::everyButtonShowsItsEffect() {
    QFETCH(QString, control);
    QFETCH(QString, before);
    QFETCH(QString, effect);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("files"));
    QVERIFY(QDir().mkpath(folder));
    makeFiles(folder, {"a.txt", "b.txt"});
    Fixture f;
    f.chooseFolder(folder);
    QCOMPARE(f.names().size(), 2);
    if (before == u"rules") {
        f.w().rules().addRule(RuleKinds::Insert, QStringLiteral("new "), QStringLiteral("Start"));
        f.w().displayRules();
    } else if (before == u"mp3") {
        f.click("cmdMP3");
    } else if (before == u"untick") {
        f.click("cmdClearAllFiles");
    } else if (before == u"typed" || before == u"filtered") {
        f.get<QLineEdit>("txtFileName")->setText(QStringLiteral("a"));
        if (before == u"filtered")
            QVERIFY(f.listAfter([&] { f.click("cmdFilterFiles"); }));
    }
    ui::MessageWindow *messages = f.app->messageWindow();
    QVERIFY(!messages->isVisible());
    QPointer<ui::MainWindow> window = &f.w();

    if (control == u"F1") {
        QApplication::setActiveWindow(window);
        window->setFocus();
        QTest::keyClick(window, Qt::Key_F1);
    } else {
        f.click(control.toLatin1().constData());
    }

    if (effect == u"message") {
        QTRY_VERIFY(messages->isVisible());
        QCOMPARE(messages->message(), expected);
    } else if (effect == u"opens") {
        QWidget *opened = nullptr;
        QTRY_VERIFY([&] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->objectName() == expected && top->isVisible())
                    opened = top;
            return opened != nullptr;
        }());
    } else if (effect == u"url") {
        QTRY_COMPARE(f.urls.opened.size(), 1);
        QCOMPARE(f.urls.opened.first(), QUrl::fromLocalFile(ui::HelpOpener::pagePath(expected)));
    } else if (effect == u"window") {
        QTRY_VERIFY(f.app->previewWindow()->isVisible());
        QCOMPARE(f.app->previewWindow()->objectName(), expected);
        QCOMPARE(f.app->previewWindow()->model()->rowCount(), 2);
    } else if (effect == u"wizard") {
        // The wizard opens on its start screen.
        QTRY_VERIFY(f.app->wizardWindow()->isVisible());
        QCOMPARE(f.app->wizardWindow()->objectName(), QStringLiteral("frmWizard"));
        QVERIFY(f.app->wizardWindow()->findChild<QWidget *>(expected)->isVisible());
    } else if (effect == u"view") {
        QVERIFY(f.get<QWidget>(expected.toLatin1().constData())->isVisible());
    } else if (effect == u"label") {
        const QString label = expected.section(u'=', 0, 0);
        QTRY_COMPARE(f.text(label.toLatin1().constData()), expected.section(u'=', 1));
    } else if (effect == u"folder") {
        QTRY_COMPARE(f.w().folder(), QDir(dir.path()).absolutePath());
    } else if (effect == u"dialog") {
        auto *dialog = f.w().findChild<QFileDialog *>(expected);
        QVERIFY(dialog && dialog->isVisible());
        dialog->reject();
    } else if (effect == u"state") {
        QTRY_VERIFY(expected == u"minimised" ? window->isMinimized() : window->isMaximized());
    } else if (effect == u"closed") {
        QTRY_VERIFY(!window);
        QTRY_VERIFY(!f.app); // the windows went with the main window
    } else {
        QFAIL("unknown effect");
    }
    // Only the asked-for message shows: no command hides behind another's words.
    if (effect != u"message" && f.app)
        QVERIFY(!f.app->messageWindow()->isVisible());
}

void TestToolbar::viewButtonsSwitchRuleViews() {
    Fixture f;
    QVERIFY(f.get<QWidget>("pctTabs")->isVisible());
    f.click("lblMP3");
    QVERIFY(f.get<QWidget>("pctMP3")->isVisible());
    QVERIFY(!f.get<QWidget>("pctTabs")->isVisible());
    f.click("cmdStandard");
    QVERIFY(f.get<QWidget>("pctTabs")->isVisible());
    f.click("cmdMP3");
    f.click("lblStandard");
    QVERIFY(f.get<QWidget>("pctTabs")->isVisible());
    // The Standard page shown is kept across view switches.
    f.click("lblStandardTabs(3)");
    f.click("cmdMP3");
    f.click("cmdStandard");
    QCOMPARE(f.w().ruleArea()->currentPage(), int(ui::RuleArea::LettersPage));
    QVERIFY(f.get<QWidget>("fraStandardLetters")->isVisible());
}

void TestToolbar::exitClosesEveryWindow() {
    Fixture f;
    QWidget other; // stands for an open wizard or tip window
    other.show();
    f.app->showMessage(QStringLiteral("still open"));
    QPointer<QWidget> messages = f.app->messageWindow();
    QPointer<ui::MainWindow> window = &f.w();
    f.click("lblExit");
    QVERIFY(!window || !window->isVisible());
    QVERIFY(!other.isVisible());
    QVERIFY(!messages || !messages->isVisible());
    QTRY_VERIFY(!f.app);
}

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
