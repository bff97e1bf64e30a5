#include "mainwindow_helper.h"

#include "shell/programfolder.h"
#include "ui/helpopener.h"
#include "ui/helpwindow.h"
#include "ui/previewwindow.h"
#include "ui/site.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

using namespace tallowin;
using namespace testing;

namespace {

// Sets an environment variable for the life of the object.
class EnvironmentSet {
public:
    EnvironmentSet(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvironmentSet() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

// F1 and the help window open pages of the program's help folder (or of the web site) through
// the desktop; no scratch file is written, and a failure says which of two things went wrong.
class TestHelpOpening : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void f1OpensThePageOfTheControl_data();
    void f1OpensThePageOfTheControl();
    void failuresSayWhatWentWrong_data();
    void failuresSayWhatWentWrong();
    void failureIsAWarningBox();
    void helpWindowShowsVersionAndOpensPages();
};

void TestHelpOpening::f1OpensThePageOfTheControl_data() {
    QTest::addColumn<QString>("control"); // "" for the main window itself
    QTest::addColumn<QString>("page");
    QTest::newRow("name-like") << "txtFileName"
                               << "page15.html";
    QTest::newRow("file-list") << "lstFilesToRename"
                               << "page15.html";
    QTest::newRow("rule-page") << "optStandardReplace"
                               << "page7.html";
    QTest::newRow("rules-list") << "lstStandardRules"
                                << "page12.html";
    QTest::newRow("main-window") << ""
                                 << "index.html";
    QTest::newRow("preview-window") << "frmPreviewStandard"
                                    << "page13.html";
    QTest::newRow("save-window") << "frmSaveRules"
                                 << "index.html";
    QTest::newRow("load-window") << "frmLoadRules"
                                 << "index.html";
    QTest::newRow("list-file-window") << "frmFromFile"
                                      << "index.html";
    QTest::newRow("help-window") << "frmHelp"
                                 << "index.html";
}

void TestHelpOpening::f1OpensThePageOfTheControl() {
    QFETCH(QString, control);
    QFETCH(QString, page);
    Fixture f;
    f.w().rules().addRule(RuleKinds::MiscTrim);
    f.w().displayRules();
    const QStringList before = QDir(programFolder()).entryList(QDir::AllEntries | QDir::Hidden);

    QWidget *target = nullptr;
    if (control.startsWith(u"frm")) {
        if (control == u"frmPreviewStandard")
            f.app->previewWindow()->showRows({});
        else
            f.click(control == u"frmSaveRules"   ? "cmdSave"
                    : control == u"frmLoadRules" ? "cmdLoad"
                    : control == u"frmFromFile"  ? "cmdFromFile"
                                                 : "cmdHelp");
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == control && top->isVisible())
                target = top;
        QVERIFY(target);
        // F1 pressed in whatever control of that window has the focus.
        if (target->focusWidget())
            target = target->focusWidget();
    } else if (control.isEmpty()) {
        target = &f.w();
        target->setFocus();
    } else {
        target = f.get(control.toLatin1().constData());
        QVERIFY(target);
        target->setFocus();
    }
    QApplication::setActiveWindow(target->window());
    QTest::keyClick(target, Qt::Key_A); // other keys open nothing
    QTest::keyClick(target, Qt::Key_F1);

    QTRY_COMPARE(f.urls.opened.size(), 1);
    const QUrl opened = f.urls.opened.first();
    QVERIFY(opened.isLocalFile());
    QCOMPARE(opened.toLocalFile(),
             QDir(programFolder()).absoluteFilePath(QStringLiteral("help/") + page));
    // Nothing is written on the way.
    QCOMPARE(QDir(programFolder()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void TestHelpOpening::failuresSayWhatWentWrong_data() {
    QTest::addColumn<bool>("launcherOnPath");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("no-browser") << false << "Browser Not Found"
                                << "Could not find associated Browser";
    QTest::newRow("open-failed") << true << "URL Failed"
                                 << "Web Page not Opened";
}

void TestHelpOpening::failuresSayWhatWentWrong() {
    QFETCH(bool, launcherOnPath);
    QFETCH(QString, title);
    QFETCH(QString, text);
    // Without a window system the desktop opens nothing, which makes both failures happen.
    if (QGuiApplication::platformName() != u"offscreen")
        QSKIP("needs the offscreen platform, which cannot open pages");
    QTemporaryDir bin;
    if (launcherOnPath) {
        QFile launcher(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(launcher.open(QIODevice::WriteOnly));
        launcher.write("#!/bin/sh\nexit 0\n");
        launcher.close();
        launcher.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    EnvironmentSet path("PATH", QFile::encodeName(bin.path()));
    EnvironmentSet browser("BROWSER", {});
    EnvironmentSet defaultBrowser("DEFAULT_BROWSER", {});

    ui::HelpOpener opener;
    QStringList told;
    opener.setWarning([&](const QString &t, const QString &x) { told << t << x; });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("does not support"));
    QVERIFY(!opener.openPage(QStringLiteral("page15.html")));
    QCOMPARE(told, (QStringList{title, text}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("does not support"));
    told.clear();
    QVERIFY(!opener.openUrl(ui::HelpWindow::newsUrl()));
    QCOMPARE(told, (QStringList{title, text}));
}

void TestHelpOpening::failureIsAWarningBox() {
    if (QGuiApplication::platformName() != u"offscreen")
        QSKIP("needs the offscreen platform, which cannot open pages");
    QTemporaryDir bin;
    EnvironmentSet path("PATH", QFile::encodeName(bin.path()));
    EnvironmentSet browser("BROWSER", {});
    EnvironmentSet defaultBrowser("DEFAULT_BROWSER", {});
    ui::HelpOpener opener;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    // Runs inside the box's own event loop, once it is up.
    QTimer::singleShot(0, this, [&] {
        QMessageBox *box = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<QMessageBox *>(top); b && b->isVisible())
                box = b;
        if (!box)
            return;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("does not support"));
    QVERIFY(!opener.openPage(QStringLiteral("index.html")));
    QCOMPARE(title, ui::HelpOpener::NoBrowserTitle);
    QCOMPARE(text, ui::HelpOpener::NoBrowserText);
    QCOMPARE(icon, QMessageBox::Warning);
}

void TestHelpOpening::helpWindowShowsVersionAndOpensPages() {
    Fixture f;
    f.click("cmdHelp");
    ui::HelpWindow *help = f.app->helpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("You are currently using version: " TALLOWIN_VERSION));
    // The support lines name our own site (the test site here) and its issue tracker.
    const QString site = qEnvironmentVariable("TALLOWIN_SITE");
    QVERIFY(!site.isEmpty());
    QVERIFY(help->findChild<QLabel *>(QStringLiteral("Label4"))->text().contains(site));
    QVERIFY(help->findChild<QLabel *>(QStringLiteral("Label5"))
                ->text()
                .contains(ui::HelpWindow::issuesUrl().toString()));
    QVERIFY(ui::HelpWindow::issuesUrl().toString().startsWith(site));

    QTest::mouseClick(help->findChild<QWidget *>(QStringLiteral("cmdHelp")), Qt::LeftButton);
    QTest::mouseClick(help->findChild<QWidget *>(QStringLiteral("cmdVersion")), Qt::LeftButton);
    Q_EMIT help->findChild<QLabel *>(QStringLiteral("Label5"))
        ->linkActivated(ui::HelpWindow::issuesUrl().toString());
    QCOMPARE(
        f.urls.opened,
        (QList<QUrl>{QUrl::fromLocalFile(ui::HelpOpener::pagePath(QStringLiteral("index.html"))),
                     ui::siteUrl(u"/products/tallowin/showwhatsnew.asp"_qs),
                     ui::HelpWindow::issuesUrl()}));
    QVERIFY(help->isVisible());

    QTest::mouseClick(help->findChild<QWidget *>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    QVERIFY(!help->isVisible());
    // A second opening shows the same window again.
    f.click("cmdHelp");
    QCOMPARE(f.app->helpWindow(), help);
    QVERIFY(help->isVisible());
}

QTEST_MAIN(TestHelpOpening)
#include "tst_helpopening.moc"
