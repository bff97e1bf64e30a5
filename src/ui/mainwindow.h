#pragma once

#include "engine/ruletable.h"

#include <QHash>
#include <QWidget>

class QLabel;

namespace tallowin {
class ErrorReporter;
class SettingsStore;
} // namespace tallowin

namespace tallowin::ui {

class FileListModel;
class FileSelectionPanel;
class PictureButton;
class RuleArea;
class WindowDragger;

// frmMain: the program's one long-lived window. It holds the file panel and the rule table for
// the whole run; every command that leaves it (another window, the preview, help) is a signal
// that the application controller answers.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(SettingsStore &settings, ErrorReporter &errors, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up loading of the file panel: the last folder, the two boxes, then a listing.
    void load();
    // Rebuilds the rules list from the rule table.
    void displayRules();
    // The Preview button: asks for a preview of the ticked files with the rules.
    void preview();
    // Keeps the Preview button disabled while a preview runs.
    void setPreviewRunning(bool running);
    // Says how the last command went in the status line at the window's foot.
    void showStatus(const QString &text);
    QString status() const;
    // The window's size and place: the remembered one when it fits a screen, else a size for
    // its font, shrunk to the screen.
    void placeAtStart();

    QString folder() const;
    RuleTable &rules() { return m_rules; }
    FileSelectionPanel *files() const { return m_files; }
    FileListModel *fileList() const;
    RuleArea *ruleArea() const { return m_ruleArea; }
    WindowDragger *dragger() const { return m_dragger; }

Q_SIGNALS:
    void loadRulesRequested();
    void saveRulesRequested();
    void fromFileRequested();
    void wizardRequested();
    // The toolbar's "Help - F1".
    void helpRequested();
    // F1: the help page of the control with the focus ("index.html" for the window itself).
    void helpPageRequested(const QString &page);
    void previewRequested();
    // "Undo Last Rename" (also Ctrl+Z).
    void undoRequested();
    void exitRequested();
    // Words for the user from the file panel.
    void messageRequested(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    // Remembers where the window was for the next start.
    void closeEvent(QCloseEvent *e) override;

private:
    QWidget *buildHeader();
    QWidget *buildToolbar();
    QWidget *buildRuleSide(ErrorReporter &errors);
    void applyStyle();

    SettingsStore &m_settings;
    RuleTable m_rules;
    QLabel *m_status = nullptr;
    FileSelectionPanel *m_files = nullptr;
    RuleArea *m_ruleArea = nullptr;
    WindowDragger *m_dragger = nullptr;
    PictureButton *m_preview = nullptr;
    QHash<QString, QString> m_help;
};

} // namespace tallowin::ui
