#include "shell/locations.h"
#include "shell/settingsstore.h"
#include "ui/appcontroller.h"
#include "ui/errorwindow.h"
#include "ui/mainwindow.h"
#include "ui/messagewindow.h"
#include "ui/startup.h"
#include "ui/tipwindow.h"
#include "ui/wizardwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>

using namespace tallowin;

namespace {

QWidget *topLevel(const QString &name) {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

// The order in which the program's windows first appear.
class ShowOrder : public QObject {
public:
    QStringList shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow() &&
            watched->objectName().startsWith(QLatin1String("frm")) &&
            !shown.contains(watched->objectName()))
            shown << watched->objectName();
        return false;
    }
};

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
    QTemporaryDir m_config, m_home;
    QStringList m_events;
    QPointer<ui::AppController> m_app;
    ShowOrder m_order;

    // Starts up and records the start-up steps as they come.
    void startUp() {
        m_events.clear();
        m_order.shown.clear();
        m_app = ui::startUp();
        QVERIFY(m_app);
        QCOMPARE(m_app->parent(), qApp);
        connect(m_app, &ui::AppController::versionCheckRequested, this, [this] {
            m_events << QStringLiteral("version%1")
                            .arg(topLevel(QStringLiteral("frmMain")) ? "+main" : "");
        });
        connect(m_app, &ui::AppController::wizardAtStartUpRequested, this,
                [this] { m_events << QStringLiteral("wizard"); });
        connect(m_app, &ui::AppController::tipsRequested, this,
                [this](bool show) { m_events << QStringLiteral("tips=%1").arg(show); });
    }
    void runStartUp() {
        startUp();
        QTRY_VERIFY_WITH_TIMEOUT(m_app->mainWindow() && m_app->mainWindow()->isVisible(), 5000);
        QTRY_VERIFY(!topLevel(QStringLiteral("frmSplash")));
    }
    // Closing the main window ends the application's controller and every window it owns.
    void closeMain() {
        QPointer<QWidget> messages = m_app->messageWindow();
        m_app->mainWindow()->close();
        QTRY_VERIFY(!m_app);
        QVERIFY(!messages);
        QVERIFY(!topLevel(QStringLiteral("frmMain")));
    }

private Q_SLOTS:
    void initTestCase() {
        // Before the first use of the user's settings store.
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("TALLOWIN_HOME", m_home.path().toUtf8());
        QApplication::setQuitOnLastWindowClosed(false);
        qApp->installEventFilter(&m_order);
    }

    void firstRun() {
        QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("rules"))));
        startUp();
        QVERIFY(QFileInfo(m_home.filePath(QStringLiteral("rules"))).isDir());
        QWidget *splash = topLevel(QStringLiteral("frmSplash"));
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->findChild<QLabel *>(QStringLiteral("lblStatus"))->text(),
                 QStringLiteral("Loading..."));
        auto *timer = splash->findChild<QTimer *>(QStringLiteral("tmrInitializeApp"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(!m_app->mainWindow());
        QVERIFY(!topLevel(QStringLiteral("frmMain")));

        QTRY_VERIFY_WITH_TIMEOUT(m_app->mainWindow() && m_app->mainWindow()->isVisible(), 5000);
        QTRY_VERIFY(!topLevel(QStringLiteral("frmSplash")));
        // The version check comes before the main window, then the wizard, then the tips.
        QCOMPARE(m_events, (QStringList{"version", "wizard", "tips=1"}));
        // On an empty settings store the wizard and the tips open after the main window, the
        // tips in front.
        QCOMPARE(m_order.shown, (QStringList{"frmSplash", "frmMain", "frmWizard", "frmToolTips"}));
        QVERIFY(m_app->wizardWindow()->isVisible());
        QVERIFY(m_app->tipWindow()->isVisible());
        QVERIFY(
            m_app->tipWindow()->findChild<QCheckBox *>(QStringLiteral("chkShowTips"))->isChecked());
        QVERIFY(m_app->wizardWindow()
                    ->findChild<QCheckBox *>(QStringLiteral("chkShowAtStartup"))
                    ->isChecked());
        QVERIFY(!m_app->messageWindow()->isVisible());
        QCOMPARE(m_app->mainWindow()->objectName(), QStringLiteral("frmMain"));
        QCOMPARE(m_app->mainWindow()->folder(), QDir::currentPath());
        QCOMPARE(m_app->rulesFolder(), m_home.filePath(QStringLiteral("rules")));
        QCOMPARE(
            SettingsStore().setting(Settings::App, Settings::StartupSection, Settings::ShowWizard),
            QStringLiteral("1"));
        closeMain();
    }

    void storedChoicesKeepWizardAndTipsClosed() {
        SettingsStore s;
        s.saveSetting(QStringLiteral("Tallowin"), Settings::StartupSection, Settings::ShowWizard,
                      QStringLiteral("0"));
        s.saveSetting(Settings::App, Settings::Section, Settings::ShowTips, QStringLiteral("0"));
        runStartUp();
        QCOMPARE(m_events, (QStringList{"version", "tips=0"}));
        QCOMPARE(m_order.shown, (QStringList{"frmSplash", "frmMain"}));
        // The tip window is loaded, with its box unticked, but not shown.
        QVERIFY(!m_app->tipWindow()->isVisible());
        QVERIFY(!m_app->tipWindow()
                     ->findChild<QCheckBox *>(QStringLiteral("chkShowTips"))
                     ->isChecked());
        QVERIFY(m_app->tipWindow()->tipNumber() >= 1);
        QCOMPARE(s.setting(Settings::App, QStringLiteral("STARTUP"), Settings::ShowWizard),
                 QStringLiteral("0"));
        closeMain();
    }

    void restoresLastFolderAndSkipsARemovedOne() {
        QTemporaryDir folder;
        SettingsStore s;
        s.saveSetting(Settings::App, Settings::Section, Settings::LastPath, folder.path());
        runStartUp();
        QCOMPARE(m_app->mainWindow()->folder(), QDir(folder.path()).absolutePath());
        closeMain();

        const QString gone = folder.path();
        folder.remove();
        runStartUp();
        QCOMPARE(m_app->mainWindow()->folder(), QDir::currentPath());
        closeMain(); // every setting the window wrote is on disk
        QCOMPARE(s.setting(Settings::App, Settings::Section, Settings::LastPath), gone);
    }

    void fileNamedRulesIsKept() {
        QTemporaryDir home;
        QFile f(home.filePath(QStringLiteral("rules")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        qputenv("TALLOWIN_HOME", home.path().toUtf8());
        runStartUp();
        QVERIFY(QFileInfo(home.filePath(QStringLiteral("rules"))).isFile());
        qputenv("TALLOWIN_HOME", m_home.path().toUtf8());
        closeMain();
    }

    // No rules folder can be made (a file stands where a folder of the path should be): the
    // report carries the system's errno and the folder, not a number of the program's own.
    void rulesFolderThatCannotBeMadeIsReportedWithItsErrno() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QByteArray data = qgetenv("XDG_DATA_HOME");
        qputenv("TALLOWIN_HOME", QFile::encodeName(blocker.fileName() + "/home"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName() + "/data"));
        startUp();
        qputenv("TALLOWIN_HOME", m_home.path().toUtf8());
        qputenv("XDG_DATA_HOME", data);
        ui::ErrorWindow *errors = m_app->errorWindow();
        QTRY_VERIFY(errors->isVisible());
        const ErrorReport r = errors->report();
        QCOMPARE(r.location, Locations::RulesFolder);
        QVERIFY(r.isSystem());
        QCOMPARE(r.number, ENOTDIR);
        QCOMPARE(r.path, blocker.fileName() + "/data/tallowin/rules");
        QVERIFY(!topLevel(QStringLiteral("frmSplash")));
        delete m_app;
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
