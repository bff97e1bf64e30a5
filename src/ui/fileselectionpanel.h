#pragma once

#include "files/directorylisting.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableView;

namespace tallowin {
class ErrorReporter;
class SettingsStore;
} // namespace tallowin

namespace tallowin::ui {

class FileListModel;
class FolderPicker;
class Job;
class SettingsWriter;

// The file side of the main window: where the files are (drive, folder, name and type filters,
// hidden and system files), the ticked list of them with its counts, Select All and Clear All.
// It lists off the user-interface thread and keeps the folder and the two boxes in the settings.
class FileSelectionPanel : public QWidget {
    Q_OBJECT
public:
    FileSelectionPanel(SettingsStore &settings, ErrorReporter &errors, QWidget *parent = nullptr);
    ~FileSelectionPanel() override;

    // The start-up loading: restores the last folder and the two boxes, then lists.
    void load();
    // Lists the chosen folder with the filters into the list, every row ticked. A newer
    // listing replaces a running one.
    void listFiles();
    // Moves the folder picker to `folder`; stores it and lists it.
    void setFolder(const QString &folder);
    // Moves the folder picker to `folder` and stores it, as setFolder does, but shows `rows`
    // with their ticks instead of listing the folder (a wizard's files handed over).
    void showFiles(const QString &folder, const FolderIdentity &listed,
                   std::vector<FileEntry> rows);
    QString folder() const;
    // The folder the rows in the list were read from; a rename refuses any other.
    const FolderIdentity &listedFolder() const { return m_listedFolder; }
    // A click on the list's header of `column` (0..2): sorts the list by it.
    void sortByColumn(int column);

    FileListModel *model() const { return m_model; }
    bool isListing() const { return m_listing; }
    // Help page of every control of the panel.
    const QHash<QString, QString> &helpPages() const { return m_help; }

Q_SIGNALS:
    // A listing put its rows in the list (not when a newer one replaced it).
    void listingFinished();
    // Words for the user: a folder that cannot be found, a drive without its medium.
    void messageRequested(const QString &text);

private:
    QWidget *buildLocation();
    QWidget *buildFileList();
    // The picker moved to `folder`: stores it and lists it.
    void folderChosen(const QString &folder);
    void showHiddenChanged(bool on);
    void showSystemChanged(bool on);
    void store(const QString &key, const QString &value, qint32 location);
    void updateBusy();
    void updateCounts();

    SettingsStore &m_settings;
    ErrorReporter &m_errors;
    SettingsWriter *m_writer = nullptr;
    FileListModel *m_model = nullptr;
    FolderIdentity m_listedFolder;
    bool m_loading = false;
    bool m_listing = false;
    quint64 m_listGeneration = 0;
    QPointer<Job> m_listJob;
    QHash<QString, QString> m_help;

    FolderPicker *m_picker = nullptr;
    QLineEdit *m_nameFilter = nullptr;
    QLineEdit *m_typeFilter = nullptr;
    QCheckBox *m_hidden = nullptr;
    QCheckBox *m_system = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_shown = nullptr;
    QLabel *m_selected = nullptr;
    QProgressBar *m_busy = nullptr;
};

} // namespace tallowin::ui
