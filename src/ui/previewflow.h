#pragma once

#include "engine/ruletable.h"
#include "files/directorylisting.h"
#include "preview/previewbuilder.h"
#include "preview/previewreview.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

namespace tallowin::ui {

class Job;
class PreviewWindow;
class StatusWindow;

// The Preview command: builds the preview off the user-interface thread with the progress
// window in view, then shows the preview window, from which the user renames. The Preview
// button is told to stay disabled while a run goes on, and is enabled again however the run
// ends (done, failed, cancelled or refused for want of rules).
class PreviewFlow : public QObject {
    Q_OBJECT
public:
    // Shows its progress in `status` and its result in `window`; the run's reports go to
    // `errors`. `owner` (the main window) shows the busy pointer while a preview runs.
    PreviewFlow(PreviewWindow &window, StatusWindow &status, ErrorReporter &errors, QWidget *owner,
                QObject *parent = nullptr);

    // The Preview command: previews the ticked rows of `files`, listed from `folder`, with `rules`.
    // Returns at once; a second call while a run goes on is ignored.
    // `listed` is the folder the files were read from: the rename refuses any other there.
    void preview(const QString &folder, const std::vector<FileEntry> &files, const RuleTable &rules,
                 const FolderIdentity &listed = {});
    // The same for the ticked rows of a shared list (the file list's own, never copied).
    void preview(const QString &folder, TickedRows files, const RuleTable &rules,
                 const FolderIdentity &listed = {});

    // Fills the preview window with rows made elsewhere (a rename list file) and shows it.
    void showRows(std::vector<PreviewEntry> rows);

    // Where a rename looks for the files: asked when the rename starts. Without one, the
    // folder of the last preview.
    void setFolderSource(std::function<QString()> folder);

    bool isRunning() const { return !m_job.isNull(); }
    PreviewWindow *window() const { return &m_window; }

Q_SIGNALS:
    // The Preview button may be used (true) or not (false).
    void previewEnabledChanged(bool enabled);
    // A preview run ended; `shown` tells whether the preview window was filled.
    void previewFinished(bool shown);
    // A rename run ended; the main window lists its folder again.
    void renameFinished();
    // Words for the user (no rules to preview with).
    void messageRequested(const QString &text);

private:
    void done(PreviewResult result, PreparedReview prepared);

    PreviewWindow &m_window;
    StatusWindow &m_status;
    ErrorReporter &m_errors;
    QPointer<QWidget> m_owner;
    QPointer<Job> m_job;
    QString m_lastFolder;
    FolderIdentity m_lastListed;
    std::function<QString()> m_folderSource;
};

} // namespace tallowin::ui
