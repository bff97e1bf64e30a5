#include "mainwindow_helper.h"

#include "ui/hooks.h"
#include "ui/rulearea.h"

#include <QApplication>

using namespace tallowin;
using namespace testing;

class TestToolbar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        ui::hooks().showWizard = [this] { m_opened << QStringLiteral("wizard"); };
        ui::hooks().showFromFile = [this] { m_opened << QStringLiteral("fromfile"); };
        ui::hooks().showHelpWindow = [this] { m_opened << QStringLiteral("help"); };
        ui::hooks().saveRules = [this] { m_opened << QStringLiteral("save"); };
        ui::hooks().loadRules = [this] { m_opened << QStringLiteral("load"); };
        m_opened.clear();
    }
    void cleanup() { ui::hooks() = {}; }

    void buttonsOpenTheirWindows_data();
    void buttonsOpenTheirWindows();
    void viewButtonsSwitchRuleViews();
    void exitClosesEveryWindow();

private:
    QStringList m_opened;
};

void TestToolbar::buttonsOpenTheirWindows_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("opens");
    QTest::newRow("wizard/picture") << "cmdWizard" << "wizard";
    QTest::newRow("wizard/caption") << "lblWizard" << "wizard";
    QTest::newRow("from-file/picture") << "cmdFromFile" << "fromfile";
    QTest::newRow("from-file/caption") << "lblFromFile" << "fromfile";
    QTest::newRow("help/picture") << "cmdHelp" << "help";
    QTest::newRow("help/caption-does-nothing") << "lblHelp" << "";
    QTest::newRow("save") << "cmdSave" << "save";
    QTest::newRow("load") << "cmdLoad" << "load";
}

void TestToolbar::buttonsOpenTheirWindows() {
    QFETCH(QString, control);
    QFETCH(QString, opens);
    Fixture f;
    f.click(control.toLatin1().constData());
    QCOMPARE(m_opened, opens.isEmpty() ? QStringList{} : QStringList{opens});
    // A second click opens it again.
    f.click(control.toLatin1().constData());
    QCOMPARE(m_opened.size(), opens.isEmpty() ? 0 : 2);
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
    f.click("lblExit");
    QVERIFY(!f.w().isVisible());
    QVERIFY(!other.isVisible());
}

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
