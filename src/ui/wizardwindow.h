#pragma once

#include "editing/wizardrules.h"
#include "engine/ruletable.h"
#include "files/directorylisting.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableView;
class QTreeWidget;

namespace tallowin {
class ErrorReporter;
class SettingsStore;
} // namespace tallowin

namespace tallowin::ui {

class FileListModel;
class FolderPicker;
class Job;
class PictureButton;

// What a finished wizard gives the main window: the rules that replace its rules, the folder,
// and the rows of its file list with their ticks.
struct WizardHandOver {
    QString folder;
    // The folder as the wizard listed it: the rename refuses a folder swapped since.
    FolderIdentity listed;
    std::vector<RuleSlot> rules;
    std::vector<FileEntry> rows;
};

// frmWizard: renames MP3 files or pictures in three screens without the user building rules.
// It renames nothing itself: Finish hands its rules, folder and ticked files to the main window,
// whose preview the user renames from. Made once and hidden between uses.
class WizardWindow : public QWidget {
    Q_OBJECT
public:
    enum Step { StartStep = 0, FilesStep = 1, FormatStep = 2 };

    WizardWindow(SettingsStore &settings, ErrorReporter &errors, QWidget *parent = nullptr);
    ~WizardWindow() override;

    // Back to the start screen, no wizard chosen.
    void resetWizard();
    WizardKind kind() const { return m_kind; }
    int step() const { return m_step; }
    QString folder() const;
    // The files of the first screen with their ticks.
    std::vector<FileEntry> files() const;
    bool isListing() const { return m_listing; }
    // The button pictures shown: 1/2 Cancel, 3/4 Previous, 5/6 Next, 7/8 Finish (up/pressed).
    int forwardPicture() const;
    int backPicture() const;

Q_SIGNALS:
    // Finish: the main window takes over.
    void finished(const tallowin::ui::WizardHandOver &handOver);
    void messageRequested(const QString &text);
    // F1: a page of the help.
    void helpPageRequested(const QString &page);
    // The first screen's list has been filled from the folder.
    void filesListed();

private:
    QWidget *buildStart();
    QWidget *buildFiles();
    QWidget *buildMp3();
    QWidget *buildPicture();
    void choose(WizardKind kind);
    void showStep();
    void forward();
    void back();
    void fillFileList();
    void buildMp3Preview();
    void buildPicturePreview();
    void showPreview(QTreeWidget *list, const std::vector<RuleSlot> &rules);

    SettingsStore &m_settings;
    ErrorReporter &m_errors;
    WizardKind m_kind = WizardKind::None;
    int m_step = StartStep;
    FolderIdentity m_listedFolder;
    quint64 m_listGeneration = 0;
    QPointer<Job> m_listJob;
    bool m_listing = false;

    QStackedWidget *m_screens = nullptr;
    QWidget *m_start = nullptr;
    QWidget *m_filesScreen = nullptr;
    QWidget *m_mp3Screen = nullptr;
    QWidget *m_pictureScreen = nullptr;
    FolderPicker *m_picker = nullptr;
    FileListModel *m_model = nullptr;
    QTableView *m_list = nullptr;
    QComboBox *m_mp3Format = nullptr;
    QTreeWidget *m_mp3Preview = nullptr;
    QLineEdit *m_pictureName = nullptr;
    QRadioButton *m_nameFirst = nullptr;
    QRadioButton *m_numberFirst = nullptr;
    QTreeWidget *m_picturePreview = nullptr;
    PictureButton *m_forward = nullptr;
    PictureButton *m_back = nullptr;
    QCheckBox *m_showAtStartUp = nullptr;
};

} // namespace tallowin::ui
