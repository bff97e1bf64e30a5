#pragma once

#include "preview/previewbuilder.h"
#include "preview/renamer.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTreeView;

namespace tallowin::ui {

class Job;
class PreviewModel;

// frmPreviewStandard: old and new names side by side with tick boxes, two counters, and the
// Rename that renames the ticked rows off the user-interface thread.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget *parent = nullptr);

    // Replaces the rows with a producer's (a preview run or a rename list file), sets the
    // counters and shows the window.
    void showRows(std::vector<PreviewEntry> rows);
    // Removes every row (also when the window is hidden).
    void clearRows();
    const PreviewModel *model() const { return m_model; }

    // The folder a rename works in, asked for when the rename starts.
    void setFolderSource(std::function<QString()> folder) { m_folder = std::move(folder); }
    // The file system renames go through; tests hand in one that fails on purpose.
    void setRenameFileSystem(RenameFileSystem *fs) { m_fs = fs; }

    bool isRenaming() const { return !m_job.isNull(); }

    // cmdRename_Click: renames the ticked rows in list order, tells each failure, then empties
    // and hides the window and announces renameFinished.
    void cmdRename_Click();
    // cmdCancel_Click: removes every row and hides the window; no file is touched.
    void cmdCancel_Click();

Q_SIGNALS:
    // A rename run has ended; the main window lists its folder again.
    void renameFinished();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void updateCounts();
    void renameDone(const RenameRun &run);

    PreviewModel *m_model;
    QTreeView *m_list;
    QLabel *m_selected;
    QLabel *m_shown;
    QPushButton *m_rename;
    QPushButton *m_cancel;
    std::function<QString()> m_folder;
    RenameFileSystem *m_fs = nullptr;
    QPointer<Job> m_job;
};

// The one preview window, created on first use.
PreviewWindow *previewWindow();

} // namespace tallowin::ui
