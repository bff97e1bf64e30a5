#pragma once

#include "preview/previewreview.h"
#include "rename/renamer.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace tallowin::ui {

class Job;
class PreviewModel;
class RenameSummaryWindow;
class StatusWindow;

// frmPreviewStandard: old and new names side by side with tick boxes, two counters, and the
// Rename that renames the ticked rows off the user-interface thread. A rename shows its progress
// in `status` and hands its reports to `errors`.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    PreviewWindow(StatusWindow &status, ErrorReporter &errors, QWidget *parent = nullptr);

    // Replaces the rows with a producer's (a preview run or a rename list file), sets the
    // counters and shows the window.
    void showRows(std::vector<PreviewEntry> rows);
    // The same with rows prepared for the review ahead (prepareReview, off this thread): no
    // tick change then waits for a count or a sort of every row.
    void showPrepared(PreparedReview rows);
    // Removes every row (also when the window is hidden).
    void clearRows();
    const PreviewModel *model() const { return m_model; }

    // The folder a rename works in, asked for when the rename starts.
    void setFolderSource(std::function<QString()> folder) { m_folder = std::move(folder); }
    // The folder the rows were listed from; unknown ({}) for rows made without a listing.
    void setListedFolder(const FolderIdentity &folder) { m_listedFolder = folder; }
    // The file system renames go through; tests hand in one that fails on purpose.
    void setRenameFileSystem(RenameFileSystem *fs) { m_fs = fs; }

    bool isRenaming() const { return !m_job.isNull(); }
    // Lists every failed row of the last rename run that had failures.
    RenameSummaryWindow *summary() const { return m_summary; }

    // The Rename button: renames the ticked rows in list order, then empties and hides the
    // window, lists every failure in the summary window and announces renameFinished.
    void rename();
    // The Cancel button: removes every row and hides the window; no file is touched.
    void cancel();

Q_SIGNALS:
    // A rename run has ended; the main window lists its folder again.
    void renameFinished();
    // Words for the user: a refused tick.
    void messageRequested(const QString &text);
    // How a rename run went ("12 files renamed."), for the main window's status line.
    void statusRequested(const QString &text);
    // F1: the window's page of the help.
    void helpPageRequested(const QString &page);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void updateCounts();
    void renameDone(const RenameRun &run);

    StatusWindow &m_status;
    ErrorReporter &m_errors;
    PreviewModel *m_model;
    QTableView *m_list;
    QLabel *m_selected;
    QLabel *m_shown;
    QPushButton *m_rename;
    QPushButton *m_cancel;
    QCheckBox *m_allowSwaps;
    RenameSummaryWindow *m_summary;
    std::function<QString()> m_folder;
    RenameFileSystem *m_fs = nullptr;
    FolderIdentity m_listedFolder;
    QPointer<Job> m_job;
};

} // namespace tallowin::ui
