#include "shell/settingsstore.h"
#include "ui/hooks.h"
#include "ui/mainwindow.h"
#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tallowin;

namespace {

QWidget *topLevel(const QString &name) {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
    QTemporaryDir m_config, m_home;
    QStringList m_events;

    void runStartUp() {
        m_events.clear();
        ui::startUp();
        QTRY_VERIFY_WITH_TIMEOUT(ui::mainWindow() && ui::mainWindow()->isVisible(), 5000);
        QTRY_VERIFY(!topLevel(QStringLiteral("frmSplash")));
    }
    void closeMain() {
        if (ui::mainWindow())
            ui::mainWindow()->close();
        QTRY_VERIFY(!ui::mainWindow());
    }

private Q_SLOTS:
    void initTestCase() {
        // Before the first use of the user's settings store.
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("TALLOWIN_HOME", m_home.path().toUtf8());
        QApplication::setQuitOnLastWindowClosed(false);
        ui::hooks().checkVersion = [this] {
            m_events << QStringLiteral("version%1").arg(ui::mainWindow() ? "+main" : "");
        };
        ui::hooks().showWizard = [this] { m_events << QStringLiteral("wizard"); };
        ui::hooks().showTips = [this](bool show) {
            m_events << QStringLiteral("tips=%1").arg(show);
        };
    }

    void firstRun() {
        QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("rules"))));
        m_events.clear();
        ui::startUp();
        QVERIFY(QFileInfo(m_home.filePath(QStringLiteral("rules"))).isDir());
        QWidget *splash = topLevel(QStringLiteral("frmSplash"));
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->findChild<QLabel *>(QStringLiteral("lblStatus"))->text(),
                 QStringLiteral("Loading..."));
        auto *timer = splash->findChild<QTimer *>(QStringLiteral("tmrInitializeApp"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(!ui::mainWindow());

        QTRY_VERIFY_WITH_TIMEOUT(ui::mainWindow() && ui::mainWindow()->isVisible(), 5000);
        QTRY_VERIFY(!topLevel(QStringLiteral("frmSplash")));
        // The version check comes before the main window, then the wizard, then the tips.
        QCOMPARE(m_events, (QStringList{"version", "wizard", "tips=1"}));
        QCOMPARE(ui::mainWindow()->objectName(), QStringLiteral("frmMain"));
        QCOMPARE(ui::mainWindow()->folder(), QDir::currentPath());
        QCOMPARE(ui::settingsStore().GetSetting(Settings::App, Settings::StartupSection,
                                                Settings::ShowWizard),
                 QStringLiteral("1"));
        closeMain();
    }

    void storedChoicesKeepWizardAndTipsClosed() {
        SettingsStore &s = ui::settingsStore();
        s.SaveSetting(QStringLiteral("Tallowin"), Settings::StartupSection, Settings::ShowWizard,
                      QStringLiteral("0"));
        s.SaveSetting(Settings::App, Settings::Section, Settings::ShowTips, QStringLiteral("0"));
        runStartUp();
        QCOMPARE(m_events, (QStringList{"version", "tips=0"}));
        QCOMPARE(s.GetSetting(Settings::App, QStringLiteral("STARTUP"), Settings::ShowWizard),
                 QStringLiteral("0"));
        closeMain();
    }

    void restoresLastFolderAndSkipsARemovedOne() {
        QTemporaryDir folder;
        SettingsStore &s = ui::settingsStore();
        s.SaveSetting(Settings::App, Settings::Section, Settings::LastPath, folder.path());
        runStartUp();
        QCOMPARE(ui::mainWindow()->folder(), QDir(folder.path()).absolutePath());
        closeMain();

        const QString gone = folder.path();
        folder.remove();
        runStartUp();
        QCOMPARE(ui::mainWindow()->folder(), QDir::currentPath());
        QCOMPARE(s.GetSetting(Settings::App, Settings::Section, Settings::LastPath), gone);
        closeMain();
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
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
