#pragma once

#include "engine/ruletable.h"
#include "files/columnsort.h"
#include "files/directorylisting.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableView;

namespace tallowin {
class SettingsStore;
}

namespace tallowin::ui {

class FileListModel;
class Job;
class PictureButton;
class RuleArea;
class WindowDragger;

// frmMain: the program's one long-lived window. It owns the file list and the rule table for
// the whole run; every other window is opened from here.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(SettingsStore &settings, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The window's loading: restores the last folder and the attribute options, then lists.
    void load();

    // Lists the chosen folder into the file list, off the UI thread; every row ticked.
    void GetDirectoryFiles();
    // Hands the ticked files and the rules to the preview.
    void cmdPreview_Click();
    void DisplayRules();

    // Moves the folder picker to `folder`; stores it and lists it.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }

    RuleTable &rules() { return m_rules; }
    FileListModel *fileList() const { return m_model; }
    RuleArea *ruleArea() const { return m_ruleArea; }
    WindowDragger *dragger() const { return m_dragger; }
    bool listingRunning() const { return m_listingRunning; }
    bool sortRunning() const { return m_sortRunning; }
    // The preview keeps the Preview button disabled while it runs.
    void setPreviewRunning(bool running);
    // Sorts the file list by column 0..2 as a header click does.
    void lstFilesToRename_ColumnClick(int column);

Q_SIGNALS:
    void listingFinished();
    void sortFinished();

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    QWidget *buildHeader();
    QWidget *buildToolbar();
    QWidget *buildFileArea();
    QWidget *buildRuleSide();
    void applyStyle();
    void fillDrives();
    void syncDriveToFolder();
    void drvFileLocation_Change(int index);
    void chkShowHiddenFiles_Click(bool on);
    void chkShowSystemFiles_Click(bool on);
    void dirFileLocation_Submit();
    void browseFolder();
    void store(const QString &key, const QString &value, qint32 location);
    void setListingBusy(bool busy);
    void updateCounts();

    SettingsStore &m_settings;
    RuleTable m_rules;
    FileListModel *m_model = nullptr;
    RuleArea *m_ruleArea = nullptr;
    WindowDragger *m_dragger = nullptr;
    QString m_folder;
    bool m_loading = false;
    bool m_listingRunning = false;
    bool m_sortRunning = false;
    quint64 m_listGeneration = 0;
    quint64 m_sortGeneration = 0;
    QPointer<Job> m_listJob;
    QPointer<Job> m_sortJob;
    ColumnSortToggle m_toggle;
    QHash<QString, QString> m_help;

    QComboBox *m_drives = nullptr;
    QLineEdit *m_dir = nullptr;
    QLineEdit *m_nameFilter = nullptr;
    QLineEdit *m_typeFilter = nullptr;
    QCheckBox *m_hidden = nullptr;
    QCheckBox *m_system = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_shown = nullptr;
    QLabel *m_selected = nullptr;
    QProgressBar *m_busy = nullptr;
    PictureButton *m_preview = nullptr;
};

} // namespace tallowin::ui
