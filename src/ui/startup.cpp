#include "ui/startup.h"

#include "shell/programfolder.h"
#include "shell/settingsstore.h"
#include "ui/errorwindow.h"
#include "ui/hooks.h"
#include "ui/mainwindow.h"
#include "ui/previewhook.h"
#include "ui/splash.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace tallowin::ui {

namespace {

QPointer<MainWindow> g_main;
QString g_rulesFolder;
QString g_startFolder;

void centre(QWidget *w) {
    if (QScreen *s = QGuiApplication::primaryScreen()) {
        const QRect r = s->availableGeometry();
        w->move(r.center() - QPoint(w->width() / 2, w->height() / 2));
    }
}

// The step the splash timer runs once, a second after the splash opened.
void initializeApp(SplashWindow *splash) {
    splash->status()->setText(QStringLiteral("Checking for newer version"));
    splash->status()->repaint();
    // From here on a failing part is skipped; start-up goes on.
    if (hooks().checkVersion)
        hooks().checkVersion();

    SettingsStore &settings = settingsStore();
    if (!g_main) {
        g_main = new MainWindow(settings);
        g_main->setAttribute(Qt::WA_DeleteOnClose);
        g_main->load();
        if (!g_startFolder.isEmpty() && QFileInfo(g_startFolder).isDir())
            g_main->setFolder(g_startFolder);
        centre(g_main);
    }
    g_main->show();

    const QString &app = Settings::App;
    if (settings.GetSetting(app, Settings::StartupSection, Settings::ShowWizard).isEmpty())
        settings.SaveSetting(app, Settings::StartupSection, Settings::ShowWizard,
                             QStringLiteral("1"));
    const QString wizard = settings.GetSetting(app, Settings::StartupSection, Settings::ShowWizard,
                                               QStringLiteral("1"));
    if (wizard.trimmed().toInt() == 1 && hooks().showWizard)
        hooks().showWizard();

    const QString tips =
        settings.GetSetting(app, Settings::Section, Settings::ShowTips, QStringLiteral("1"));
    if (hooks().showTips)
        hooks().showTips(tips.trimmed().toInt() == 1);

    if (hooks().raiseNewRelease)
        hooks().raiseNewRelease();

    splash->close();
    splash->deleteLater();
}

} // namespace

SettingsStore &settingsStore() {
    static SettingsStore store;
    return store;
}

MainWindow *mainWindow() { return g_main; }

QString rulesFolder() { return g_rulesFolder; }

void startUp(const QString &folder) {
    g_startFolder = folder;
    ensureResources();
    installPreviewHook();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tallowin.svg")));
    const RulesFolderResult rules = ensureRulesFolder(programFolder());
    g_rulesFolder = rules.path;
    if (!rules.ok) {
        errorReporter().report(275, 75, rules.error);
        return;
    }
    auto *splash = new SplashWindow;
    centre(splash);
    QObject::connect(splash, &SplashWindow::initialize, splash,
                     [splash] { initializeApp(splash); });
    splash->show();
    splash->timer()->start();
}

} // namespace tallowin::ui
