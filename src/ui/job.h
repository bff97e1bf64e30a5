#pragma once

#include "base/progress.h"
#include "engine/ruletable.h"
#include "files/directorylisting.h"
#include "preview/previewbuilder.h"
#include "preview/previewreview.h"
#include "shell/errorreport.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <vector>

class QThread;

namespace tallowin::ui {

class JobProgress;

// The thread that frees what the window lets go of. Not Qt's global pool: the window's painting
// shares its work among that pool's threads and waits for them, so a long free there would
// stop the window all the same.
QThreadPool &releasePool();

// Frees `value` on the release thread: a million rows take longer to free than the window may
// stand still.
template <typename T> void freeOffThread(T value) {
    releasePool().start([held = std::move(value)]() mutable {
        T gone = std::move(held);
        (void)gone;
    });
}

// Frees what `shared` holds on the release thread when this was the last share of it; a holder
// still reading it (a rename) frees it in its own time.
template <typename T> void releaseOffThread(std::shared_ptr<T> shared) {
    if (shared && shared.use_count() == 1)
        freeOffThread(std::move(shared));
}

// Long work run off the user-interface thread. start() only schedules; the work reports its
// caption and progress, which arrive here as queued signals (at most one batch per update
// interval, so a run over 100,000 files cannot flood the event loop); cancel() is seen by the
// work between two files, or between two blocks of files a few milliseconds long where the
// work is shared among threads. The job ends with finished() and then deletes itself.
class Job : public QObject {
    Q_OBJECT
public:
    using Work = std::function<void(Progress &progress, ErrorReporter &errors)>;

    // Reports the work makes are handed to `errors` on the user-interface thread, in order and
    // before finished().
    explicit Job(Work work, ErrorReporter &errors, QObject *parent = nullptr);
    // Cancels the work and waits for it to stop.
    ~Job() override;

    void start();
    void cancel();
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    void statusChanged(const QString &status);
    void completedChanged(qint32 total, qint32 done);
    // The work has returned (done, failed or cancelled); its last progress was delivered.
    void finished();

private:
    friend class JobProgress;
    void deliverProgress();
    void workDone();

    Work m_work;
    ErrorReporter &m_errors;
    std::unique_ptr<JobProgress> m_progress;
    QThread *m_thread = nullptr;
    bool m_running = false;
};

// Lists `folder` with `filter`; `done` gets the listing and the filter as the listing cleaned it.
Job *startListing(const QString &folder, const DirectoryFilter &filter, ErrorReporter &errors,
                  QObject *context, std::function<void(DirectoryListing, DirectoryFilter)> done);

// Builds the preview of the ticked rows of `files` (in `folder`, for the MP3 kind) with `rules`.
// A cancelled run ends with PreviewOutcome::Cancelled.
Job *startPreview(const RuleTable &rules, const QString &folder,
                  const std::vector<FileEntry> &files, ErrorReporter &errors, QObject *context,
                  std::function<void(PreviewResult)> done);
// The same for the ticked rows of a shared list, which the work reads without a copy.
Job *startPreview(const RuleTable &rules, const QString &folder, TickedRows files,
                  ErrorReporter &errors, QObject *context, std::function<void(PreviewResult)> done);
// The same for the preview window: a run that is done also prepares its rows for the window's
// review on the worker (`done` gets them there; the result keeps no rows).
Job *startPreviewForReview(const RuleTable &rules, const QString &folder, TickedRows files,
                           ErrorReporter &errors, QObject *context,
                           std::function<void(PreviewResult, PreparedReview)> done);

} // namespace tallowin::ui
