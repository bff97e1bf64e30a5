#include "ui/appcontroller.h"

#include "rulesfile/rulesfile.h"
#include "shell/coretext.h"
#include "shell/locations.h"
#include "shell/programfolder.h"
#include "shell/versioncheck.h"
#include "ui/chrome.h"
#include "ui/errorwindow.h"
#include "ui/filelistmodel.h"
#include "ui/fileselectionpanel.h"
#include "ui/helpopener.h"
#include "ui/helpwindow.h"
#include "ui/listfilewindow.h"
#include "ui/mainwindow.h"
#include "ui/messagewindow.h"
#include "ui/newreleasewindow.h"
#include "ui/previewflow.h"
#include "ui/previewwindow.h"
#include "ui/ruleswindows.h"
#include "ui/site.h"
#include "ui/splash.h"
#include "ui/statuswindow.h"
#include "ui/tipwindow.h"
#include "ui/undoflow.h"
#include "ui/versioncheck.h"
#include "ui/widgets.h"
#include "ui/wizardwindow.h"

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
      m_preview(std::make_unique<PreviewWindow>(*m_status, m_error->reporter())),
      m_helpOpener(std::make_unique<HelpOpener>()), m_versionCheck(new VersionCheck(this)) {
    setObjectName(QStringLiteral("appController"));
    connect(m_preview.get(), &PreviewWindow::messageRequested, this, &AppController::showMessage);
    connect(m_preview.get(), &PreviewWindow::helpPageRequested, this, &AppController::showHelpPage);

    connect(this, &AppController::versionCheckRequested, m_versionCheck,
            [this] { m_versionCheck->start(); });
    connect(m_versionCheck, &VersionCheck::newVersionFound, this, [this] {
        showMessage(coreText(NewVersionMessage) + QStringLiteral("  ") + siteBaseUrl().toString());
    });
    connect(m_versionCheck, &VersionCheck::newsArrived, this, &AppController::showNewRelease);
    connect(this, &AppController::wizardAtStartUpRequested, this, &AppController::showWizard);
    connect(this, &AppController::tipsRequested, this, &AppController::showTips);
    connect(this, &AppController::newReleaseRaiseRequested, this, &AppController::raiseNewRelease);
}

AppController::~AppController() {
    if (m_main)
        disconnect(m_main, nullptr, this, nullptr);
    delete m_splash.data();
    delete m_newRelease.data();
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

void AppController::startUp(const QString &folder, const QString &rulesFile) {
    m_startFolder = folder;
    m_startRules = rulesFile;
    ensureResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tallowin.svg")));
    const RulesFolderResult rules = ensureRulesFolder(programFolder(), !programFolderIsInstalled());
    m_rulesFolder = rules.path;
    if (!rules.ok) {
        errors().report(ErrorReport::system(Locations::RulesFolder, rules.errorNumber, rules.error)
                            .about(rules.path));
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
    splash->status()->setText(tr("Checking for newer version"));
    splash->status()->repaint();
    // From here on a failing part is skipped; start-up goes on.
    Q_EMIT versionCheckRequested();

    openMainWindow(m_startFolder);
    if (!m_startRules.isEmpty())
        loadRulesFile(m_startRules);

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

        auto *undo = new UndoFlow(*m_status, errors(), window, window);
        connect(window, &MainWindow::undoRequested, undo, &UndoFlow::undoLast);
        connect(undo, &UndoFlow::messageRequested, this, &AppController::showMessage);
        connect(undo, &UndoFlow::undone, window->files(), &FileSelectionPanel::listFiles);

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
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_preview.get(), m_status.get(), m_message.get(), m_error.get(), m_helpWindow.get(),
             m_saveRules.get(), m_loadRules.get(), m_fromFile.get(), m_wizard.get(), m_tips.get()})
        if (w)
            w->close();
    if (m_newRelease)
        m_newRelease->close();
    deleteLater();
}

void AppController::showMessage(const QString &text) {
    m_message->showMessage(text);
}

void AppController::loadRulesFile(const QString &path) {
    if (!m_main)
        return;
    std::vector<RulesFile::SkippedLine> skipped;
    RulesFile::readKnownRules(path, m_main->rules(), errors(), skipped);
    m_main->displayRules();
    if (!skipped.empty())
        showMessage(RulesFile::skippedMessage(path, skipped));
}

void AppController::preview() {
    if (m_main && m_flow)
        m_flow->preview(m_main->folder(), m_main->fileList()->tickedRows(), m_main->rules(),
                        m_main->files()->listedFolder());
}

QString AppController::rulesFolderForWindows() const {
    return m_rulesFolder.isEmpty() ? ensureRulesFolder(programFolder()).path : m_rulesFolder;
}

void AppController::loadRules() {
    if (!m_main)
        return;
    if (!m_loadRules) {
        m_loadRules = std::make_unique<LoadRulesWindow>(errors());
        connect(m_loadRules.get(), &LoadRulesWindow::messageRequested, this,
                &AppController::showMessage);
        connect(m_loadRules.get(), &LoadRulesWindow::helpPageRequested, this,
                &AppController::showHelpPage);
        connect(m_loadRules.get(), &LoadRulesWindow::rulesLoaded, this,
                [this](const RuleTable &rules) {
                    if (!m_main)
                        return;
                    m_main->rules() = rules;
                    m_main->displayRules();
                });
        placeOver(m_loadRules.get(), m_main);
    }
    m_loadRules->open(rulesFolderForWindows());
}

void AppController::saveRules() {
    if (!m_main)
        return;
    // Nothing to save: said in words, as the button must not seem dead.
    if (m_main->rules().slot(1).isFree()) {
        showMessage(SaveRulesWindow::tr(qUtf8Printable(SaveRulesWindow::NoRulesMessage)));
        return;
    }
    if (!m_saveRules) {
        m_saveRules = std::make_unique<SaveRulesWindow>(errors());
        connect(m_saveRules.get(), &SaveRulesWindow::messageRequested, this,
                &AppController::showMessage);
        connect(m_saveRules.get(), &SaveRulesWindow::helpPageRequested, this,
                &AppController::showHelpPage);
        m_saveRules->setRulesSource([main = m_main] { return main ? main->rules() : RuleTable(); });
        placeOver(m_saveRules.get(), m_main);
    }
    m_saveRules->open(rulesFolderForWindows());
}

void AppController::showFromFile() {
    if (!m_fromFile) {
        m_fromFile = std::make_unique<ListFileWindow>(*m_status, errors());
        connect(m_fromFile.get(), &ListFileWindow::messageRequested, this,
                &AppController::showMessage);
        connect(m_fromFile.get(), &ListFileWindow::helpPageRequested, this,
                &AppController::showHelpPage);
        connect(m_fromFile.get(), &ListFileWindow::rowsLoaded, this,
                &AppController::showListFileRows);
        placeOver(m_fromFile.get(), m_main);
    }
    bringToFront(m_fromFile.get());
}

void AppController::showListFileRows(const QString &folder,
                                     const std::shared_ptr<PreparedReview> &rows) {
    // The rename works in the folder the main window shows, so it shows this one.
    if (m_main)
        m_main->files()->setFolder(folder);
    placeOver(m_preview.get(), m_main);
    m_preview->showPrepared(std::move(*rows));
}

WizardWindow *AppController::wizardWindow() {
    if (!m_wizard) {
        m_wizard = std::make_unique<WizardWindow>(m_settings, errors());
        connect(m_wizard.get(), &WizardWindow::messageRequested, this, &AppController::showMessage);
        connect(m_wizard.get(), &WizardWindow::helpPageRequested, this,
                &AppController::showHelpPage);
        connect(m_wizard.get(), &WizardWindow::finished, this, &AppController::takeOverFromWizard);
    }
    return m_wizard.get();
}

void AppController::showWizard() {
    WizardWindow *wizard = wizardWindow();
    wizard->resetWizard();
    placeOver(wizard, m_main);
    bringToFront(wizard);
}

void AppController::takeOverFromWizard(const WizardHandOver &handOver) {
    MainWindow *window = m_main;
    if (!window)
        return;
    window->rules().clearRules();
    for (const RuleSlot &rule : handOver.rules)
        window->rules().addRule(rule);
    window->displayRules();
    window->files()->showFiles(handOver.folder, handOver.listed, handOver.rows);
    // A preview still running is of the rules just replaced: the wizard's follows it.
    if (m_flow && m_flow->isRunning()) {
        connect(m_flow, &PreviewFlow::previewFinished, this, &AppController::preview,
                Qt::SingleShotConnection);
        return;
    }
    preview();
}

TipWindow *AppController::tipWindow() {
    if (!m_tips) {
        m_tips = std::make_unique<TipWindow>(m_settings);
        connect(m_tips.get(), &TipWindow::helpPageRequested, this, &AppController::showHelpPage);
    }
    return m_tips.get();
}

// The tip window is made (and picks a tip) whether or not it is shown.
void AppController::showTips(bool showAtStartUp) {
    TipWindow *tips = tipWindow();
    tips->setShowAtStartUp(showAtStartUp);
    if (showAtStartUp) {
        placeOver(tips, m_main);
        bringToFront(tips);
    }
}

NewReleaseWindow *AppController::newReleaseWindow() const {
    return m_newRelease;
}

void AppController::showNewRelease(const QString &news) {
    delete m_newRelease.data();
    m_newRelease = new NewReleaseWindow(news);
    placeOver(m_newRelease, m_main);
    bringToFront(m_newRelease);
}

void AppController::raiseNewRelease() {
    if (m_newRelease && m_newRelease->isVisible())
        bringToFront(m_newRelease);
}

void AppController::showHelp() {
    if (!m_helpWindow) {
        m_helpWindow = std::make_unique<HelpWindow>(*m_helpOpener);
        placeOver(m_helpWindow.get(), m_main);
    }
    bringToFront(m_helpWindow.get());
}

void AppController::showHelpPage(const QString &page) {
    m_helpOpener->openPage(page);
}

void AppController::exit() {
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace tallowin::ui
