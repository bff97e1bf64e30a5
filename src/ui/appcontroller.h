#pragma once

#include "preview/previewreview.h"
#include "shell/settingsstore.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

namespace tallowin {
class ErrorReporter;
}

namespace tallowin::ui {

class ErrorWindow;
class HelpOpener;
class HelpWindow;
class ListFileWindow;
class LoadRulesWindow;
class MainWindow;
class MessageWindow;
class NewReleaseWindow;
class PreviewFlow;
class PreviewWindow;
class SaveRulesWindow;
class SplashWindow;
class StatusWindow;
class TipWindow;
class VersionCheck;
class WizardWindow;
struct WizardHandOver;

// The application: owns the settings store, the rules folder and every window, and connects
// the windows by signals and slots. The secondary windows (progress, preview, message, error)
// live as long as the controller; the main window is opened by the start-up, and closing it
// ends the controller with all its windows.
class AppController : public QObject {
    Q_OBJECT
public:
    explicit AppController(SettingsStore settings = SettingsStore(), QObject *parent = nullptr);
    // Closes the main window first (its jobs stop), then the secondary windows.
    ~AppController() override;

    // The start-up: makes the rules folder, shows the splash, and a second later opens the main
    // window (on `folder` when it is one, with the rules of `rulesFile` when one is given) and
    // runs the start-up steps. Returns at once.
    void startUp(const QString &folder = {}, const QString &rulesFile = {});
    // Builds, loads and shows the main window at once, on `folder` when it is one; what the
    // start-up step does. Returns the window already open when there is one.
    MainWindow *openMainWindow(const QString &folder = {});

    SettingsStore &settings() { return m_settings; }
    // Where rules files are kept; empty before startUp() made it.
    QString rulesFolder() const { return m_rulesFolder; }
    // Null before the main window is opened.
    MainWindow *mainWindow() const;
    // Null before the main window is opened.
    PreviewFlow *previewFlow() const;
    PreviewWindow *previewWindow() const { return m_preview.get(); }
    StatusWindow *statusWindow() const { return m_status.get(); }
    MessageWindow *messageWindow() const { return m_message.get(); }
    ErrorWindow *errorWindow() const { return m_error.get(); }
    // Opens help pages and web pages in the user's browser.
    HelpOpener *helpOpener() const { return m_helpOpener.get(); }
    // Each null before its first opening.
    SaveRulesWindow *saveRulesWindow() const { return m_saveRules.get(); }
    LoadRulesWindow *loadRulesWindow() const { return m_loadRules.get(); }
    ListFileWindow *listFileWindow() const { return m_fromFile.get(); }
    HelpWindow *helpWindow() const { return m_helpWindow.get(); }
    // The wizard and the tip window, made on first use.
    WizardWindow *wizardWindow();
    TipWindow *tipWindow();
    // Null until the version check found a newer release, and again once it is closed.
    NewReleaseWindow *newReleaseWindow() const;
    VersionCheck *versionCheck() const { return m_versionCheck; }
    // Shows every report in the error window; every window and job reports through it.
    ErrorReporter &errors() const;

public Q_SLOTS:
    // Shows `text` in the message window.
    void showMessage(const QString &text);
    // Replaces the main window's rules by those of the rules file at `path` and shows them; a
    // file that cannot be read goes to the error window and leaves the rules empty. Lines that
    // are not rules, or rules of a kind this program does not know, are left out and told.
    void loadRulesFile(const QString &path);
    // Previews the main window's ticked files with its rules.
    void preview();
    // The rules-file windows; saving asks for at least one rule.
    void loadRules();
    void saveRules();
    // The rename-from-list-file window.
    void showFromFile();
    // The wizard on its start screen.
    void showWizard();
    // The help window (the toolbar's "Help - F1").
    void showHelp();
    // A page of the help ("index.html", "page7.html", ...).
    void showHelpPage(const QString &page);
    // Closes every window and ends the program.
    void exit();

Q_SIGNALS:
    // The start-up steps, in the order they run: the version check (started before the main
    // window opens; it answers later), the wizard (when the user keeps it at start-up), the
    // tips (with the "Show Tips At Startup" choice) and bringing a new-release notice to the
    // front.
    void versionCheckRequested();
    void wizardAtStartUpRequested();
    void tipsRequested(bool showAtStartUp);
    void newReleaseRaiseRequested();
    // The main window is open and shown.
    void mainWindowOpened(tallowin::ui::MainWindow *window);

private:
    void initializeApp(SplashWindow *splash);
    void showTips(bool showAtStartUp);
    void showNewRelease(const QString &news);
    void raiseNewRelease();
    // Finish in the wizard: its rules replace the main window's, its files are listed there,
    // and the main window's preview starts.
    void takeOverFromWizard(const WizardHandOver &handOver);
    void mainWindowClosed();
    // Where the rules-file windows open first.
    QString rulesFolderForWindows() const;
    // The rows of a rename list file go to the preview, renamed in the folder they came from.
    void showListFileRows(const QString &folder, const std::shared_ptr<PreparedReview> &rows);

    SettingsStore m_settings;
    QString m_rulesFolder;
    QString m_startFolder;
    QString m_startRules;
    // Declared in the order they may be destroyed last: a window's jobs report to the error
    // window and show progress in the status window.
    std::unique_ptr<ErrorWindow> m_error;
    std::unique_ptr<MessageWindow> m_message;
    std::unique_ptr<StatusWindow> m_status;
    std::unique_ptr<PreviewWindow> m_preview;
    std::unique_ptr<HelpOpener> m_helpOpener;
    std::unique_ptr<HelpWindow> m_helpWindow;
    std::unique_ptr<SaveRulesWindow> m_saveRules;
    std::unique_ptr<LoadRulesWindow> m_loadRules;
    std::unique_ptr<ListFileWindow> m_fromFile;
    std::unique_ptr<WizardWindow> m_wizard;
    std::unique_ptr<TipWindow> m_tips;
    QPointer<NewReleaseWindow> m_newRelease;
    VersionCheck *m_versionCheck;
    QPointer<PreviewFlow> m_flow;
    QPointer<MainWindow> m_main;
    QPointer<SplashWindow> m_splash;
};

} // namespace tallowin::ui
