#include "ui/appcontroller.h"

#include "shell/locations.h"
#include "shell/programfolder.h"
#include "ui/chrome.h"
#include "ui/errorwindow.h"
#include "ui/filelistmodel.h"
#include "ui/fileselectionpanel.h"
#include "ui/mainwindow.h"
#include "ui/messagewindow.h"
#include "ui/previewflow.h"
#include "ui/previewwindow.h"
#include "ui/splash.h"
#include "ui/statuswindow.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace tallowin::ui {

AppController::AppController(SettingsStore settings, QObject *parent)
    : QObject(parent), m_settings(std::move(settings)), m_error(std::make_unique<ErrorWindow>()),
      m_message(std::make_unique<MessageWindow>()), m_status(std::make_unique<StatusWindow>()),
      m_preview(std::make_unique<PreviewWindow>(*m_status, m_error->reporter())) {
    setObjectName(QStringLiteral("appController"));
    connect(m_preview.get(), &PreviewWindow::messageRequested, this, &AppController::showMessage);
    connect(m_preview.get(), &PreviewWindow::helpPageRequested, this, &AppController::showHelpPage);
}

AppController::~AppController() {
    if (m_main)
        disconnect(m_main, nullptr, this, nullptr);
    delete m_splash.data();
    // The main window's jobs and the preview run end before the windows they report to.
    delete m_main.data();
    delete m_flow.data();
}

ErrorReporter &AppController::errors() const {
    return m_error->reporter();
}

MainWindow *AppController::mainWindow() const {
    return m_main;
}

PreviewFlow *AppController::previewFlow() const {
    return m_flow;
}

void AppController::startUp(const QString &folder) {
    m_startFolder = folder;
    ensureResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tallowin.svg")));
    const RulesFolderResult rules = ensureRulesFolder(programFolder());
    m_rulesFolder = rules.path;
    if (!rules.ok) {
        errors().report(Locations::RulesFolder, 75, rules.error);
        return;
    }
    m_splash = new SplashWindow;
    placeOnScreen(m_splash);
    SplashWindow *splash = m_splash;
    connect(splash, &SplashWindow::initialize, this, [this, splash] { initializeApp(splash); });
    splash->show();
    splash->timer()->start();
}

// The step the splash timer runs once, a second after the splash opened.
void AppController::initializeApp(SplashWindow *splash) {
    splash->status()->setText(QStringLiteral("Checking for newer version"));
    splash->status()->repaint();
    // From here on a failing part is skipped; start-up goes on.
    Q_EMIT versionCheckRequested();

    openMainWindow(m_startFolder);

    const QString &app = Settings::App;
    if (m_settings.setting(app, Settings::StartupSection, Settings::ShowWizard).isEmpty())
        m_settings.saveSetting(app, Settings::StartupSection, Settings::ShowWizard,
                               QStringLiteral("1"));
    const QString wizard = m_settings.setting(app, Settings::StartupSection, Settings::ShowWizard,
                                              QStringLiteral("1"));
    if (wizard.trimmed().toInt() == 1)
        Q_EMIT wizardAtStartUpRequested();

    const QString tips =
        m_settings.setting(app, Settings::Section, Settings::ShowTips, QStringLiteral("1"));
    Q_EMIT tipsRequested(tips.trimmed().toInt() == 1);

    Q_EMIT newReleaseRaiseRequested();

    splash->close();
    splash->deleteLater();
}

MainWindow *AppController::openMainWindow(const QString &folder) {
    const bool opening = !m_main;
    if (opening) {
        auto *window = new MainWindow(m_settings, errors());
        m_main = window;
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &QObject::destroyed, this, &AppController::mainWindowClosed);

        connect(window, &MainWindow::messageRequested, this, &AppController::showMessage);
        connect(window, &MainWindow::loadRulesRequested, this, &AppController::loadRules);
        connect(window, &MainWindow::saveRulesRequested, this, &AppController::saveRules);
        connect(window, &MainWindow::fromFileRequested, this, &AppController::showFromFile);
        connect(window, &MainWindow::wizardRequested, this, &AppController::showWizard);
        connect(window, &MainWindow::helpRequested, this, &AppController::showHelp);
        connect(window, &MainWindow::helpPageRequested, this, &AppController::showHelpPage);
        connect(window, &MainWindow::previewRequested, this, &AppController::preview);
        connect(window, &MainWindow::exitRequested, this, &AppController::exit);

        // The preview renames in the folder the main window shows when the rename starts, and
        // the main window lists it again afterwards.
        auto *flow = new PreviewFlow(*m_preview, *m_status, errors(), window, this);
        m_flow = flow;
        flow->setFolderSource(
            [shown = QPointer<MainWindow>(window)] { return shown ? shown->folder() : QString(); });
        connect(flow, &PreviewFlow::messageRequested, this, &AppController::showMessage);
        connect(flow, &PreviewFlow::previewEnabledChanged, window,
                [window](bool enabled) { window->setPreviewRunning(!enabled); });
        connect(flow, &PreviewFlow::renameFinished, window->files(),
                &FileSelectionPanel::listFiles);
        connect(m_preview.get(), &PreviewWindow::statusRequested, window, &MainWindow::showStatus);

        window->load();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            window->files()->setFolder(folder);
        window->placeAtStart();
        m_message->setAnchor(window);
    }
    m_main->show();
    // Once shown and laid out, the window's smallest size is final: place it again with it.
    if (opening) {
        for (int pass = 0; pass < 4; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        m_main->placeAtStart();
    }
    Q_EMIT mainWindowOpened(m_main);
    return m_main;
}

// Closing the main window ends the program's windows with it.
void AppController::mainWindowClosed() {
    for (QWidget *w : std::initializer_list<QWidget *>{m_preview.get(), m_status.get(),
                                                       m_message.get(), m_error.get()})
        w->close();
    deleteLater();
}

void AppController::showMessage(const QString &text) {
    m_message->showMessage(text);
}

void AppController::preview() {
    if (m_main && m_flow)
        m_flow->preview(m_main->folder(), m_main->fileList()->rows(), m_main->rules());
}

void AppController::notAvailableYet(const QString &command) {
    showMessage(tr("%1 is not available yet.").arg(command));
}

void AppController::loadRules() {
    notAvailableYet(tr("Load Rules"));
}

void AppController::saveRules() {
    notAvailableYet(tr("Save Rules"));
}

void AppController::showFromFile() {
    notAvailableYet(tr("From File"));
}

void AppController::showWizard() {
    notAvailableYet(tr("Wizard"));
}

void AppController::showHelp() {
    notAvailableYet(tr("Help"));
}

void AppController::showHelpPage(const QString &page) {
    Q_UNUSED(page) // the page the help window will open on
    notAvailableYet(tr("Help"));
}

void AppController::exit() {
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace tallowin::ui
