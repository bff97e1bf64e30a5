#include "ui/job.h"

#include "engine/ruleengine.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QPointer>
#include <QThread>

namespace tallowin::ui {

QThreadPool &releasePool() {
    static QThreadPool pool;
    static const bool once = [] {
        pool.setMaxThreadCount(1);
        return true;
    }();
    (void)once;
    return pool;
}

// The work's view of progress: keeps the latest caption and counts and hands them to the job
// on the user-interface thread no more often than the update interval.
class JobProgress : public Progress {
public:
    explicit JobProgress(Job *job) : m_job(job) {}

    void setStatus(const QString &status) override {
        QMutexLocker lock(&m_mutex);
        m_status = status;
        m_statusDirty = true;
        postIfDue(lock);
    }

    void setCompleted(qint32 maxValue, qint32 currentValue) override {
        QMutexLocker lock(&m_mutex);
        m_max = maxValue;
        m_current = currentValue;
        m_countsDirty = true;
        postIfDue(lock);
    }

    // Called on the user-interface thread.
    void take(QString *status, bool *statusDirty, qint32 *max, qint32 *current, bool *countsDirty) {
        QMutexLocker lock(&m_mutex);
        *status = m_status;
        *statusDirty = m_statusDirty;
        *max = m_max;
        *current = m_current;
        *countsDirty = m_countsDirty;
        m_statusDirty = m_countsDirty = m_posted = false;
    }

    int intervalMs = 40;

private:
    void postIfDue(QMutexLocker<QMutex> &) {
        if (m_posted)
            return; // one delivery is already on its way and will carry these values
        if (m_clock.isValid() && m_clock.elapsed() < intervalMs)
            return; // the values wait for the next due report or for the end of the work
        m_clock.start();
        m_posted = true;
        QMetaObject::invokeMethod(m_job, &Job::deliverProgress, Qt::QueuedConnection);
    }

    Job *m_job;
    QMutex m_mutex;
    QElapsedTimer m_clock;
    QString m_status;
    qint32 m_max = 0;
    qint32 m_current = 0;
    bool m_statusDirty = false;
    bool m_countsDirty = false;
    bool m_posted = false;
};

namespace {
// Hands the work's reports to the user-interface thread in the order they are made.
class QueuedReporter : public ErrorReporter {
public:
    QueuedReporter(QObject *context, ErrorReporter &target)
        : m_context(context), m_target(target) {}
    using ErrorReporter::report;
    void report(const ErrorReport &r) override {
        ErrorReporter *target = &m_target;
        QMetaObject::invokeMethod(
            m_context, [target, r] { target->report(r); }, Qt::QueuedConnection);
    }

private:
    QObject *m_context;
    ErrorReporter &m_target;
};
} // namespace

Job::Job(Work work, ErrorReporter &errors, QObject *parent)
    : QObject(parent), m_work(std::move(work)), m_errors(errors),
      m_progress(std::make_unique<JobProgress>(this)) {}

Job::~Job() {
    if (m_thread) {
        m_progress->cancel();
        m_thread->wait();
        delete m_thread;
    }
}

void Job::start() {
    if (m_running || m_thread)
        return;
    m_running = true;
    m_thread = QThread::create([this] {
        QueuedReporter errors(this, m_errors);
        m_work(*m_progress, errors);
        // What the work holds (a share of 1,000,000 rows, perhaps) is let go here, not on the
        // user-interface thread.
        m_work = nullptr;
    });
    m_thread->setObjectName(QStringLiteral("tallowin-job"));
    // Queued to this object's thread, so it arrives after everything the work posted.
    connect(m_thread, &QThread::finished, this, &Job::workDone, Qt::QueuedConnection);
    m_thread->start();
}

void Job::cancel() {
    m_progress->cancel();
}

void Job::deliverProgress() {
    QString status;
    bool statusDirty = false, countsDirty = false;
    qint32 max = 0, current = 0;
    m_progress->take(&status, &statusDirty, &max, &current, &countsDirty);
    if (statusDirty)
        Q_EMIT statusChanged(status);
    if (countsDirty)
        Q_EMIT completedChanged(max, current);
}

void Job::workDone() {
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    deliverProgress();
    m_running = false;
    Q_EMIT finished();
    deleteLater();
}

Job *startListing(const QString &folder, const DirectoryFilter &filter, ErrorReporter &errors,
                  QObject *context, std::function<void(DirectoryListing, DirectoryFilter)> done) {
    struct State {
        DirectoryFilter filter;
        DirectoryListing listing;
    };
    auto state = std::make_shared<State>();
    state->filter = filter;
    auto *job = new Job(
        [folder, state](Progress &progress, ErrorReporter &errors) {
            state->listing = listDirectory(folder, state->filter, errors, &progress);
            if (progress.cancelled())
                state->listing.cancelled = true;
        },
        errors, context);
    QObject::connect(job, &Job::finished, context, [state, done = std::move(done)] {
        done(std::move(state->listing), state->filter);
    });
    job->start();
    return job;
}

Job *startPreview(const RuleTable &rules, const QString &folder,
                  const std::vector<FileEntry> &files, ErrorReporter &errors, QObject *context,
                  std::function<void(PreviewResult)> done) {
    return startPreview(rules, folder, tickedRowsOf(files), errors, context, std::move(done));
}

namespace {
// Builds the preview; with `forReview`, also prepares the rows for the window's review there.
Job *startPreviewRun(const RuleTable &rules, const QString &folder, TickedRows files,
                     ErrorReporter &errors, QObject *context, bool forReview,
                     std::function<void(PreviewResult, PreparedReview)> done) {
    struct State {
        PreviewResult result;
        PreparedReview prepared;
    };
    auto state = std::make_shared<State>();
    // The work holds its own copy of the rules (the user may edit them meanwhile) and a share
    // of the rows, which nobody changes.
    auto *job = new Job(
        [rules, folder, files = std::move(files), state, forReview](Progress &progress,
                                                                    ErrorReporter &errors) {
            const RuleEngine engine(rules, errors, Mp3KindContext{folder, {}, {}});
            PreviewBuilder builder(engine, errors);
            state->result = builder.build(files, &progress);
            // A million rows take seconds to count and sort; the window must not wait for that.
            if (forReview && state->result.outcome == PreviewOutcome::Done)
                state->prepared = prepareReview(std::move(state->result.rows));
        },
        errors, context);
    QObject::connect(job, &Job::finished, context, [state, done = std::move(done)] {
        done(std::move(state->result), std::move(state->prepared));
    });
    job->start();
    return job;
}
} // namespace

Job *startPreview(const RuleTable &rules, const QString &folder, TickedRows files,
                  ErrorReporter &errors, QObject *context,
                  std::function<void(PreviewResult)> done) {
    return startPreviewRun(rules, folder, std::move(files), errors, context, false,
                           [done = std::move(done)](PreviewResult result, PreparedReview) {
                               done(std::move(result));
                           });
}

Job *startPreviewForReview(const RuleTable &rules, const QString &folder, TickedRows files,
                           ErrorReporter &errors, QObject *context,
                           std::function<void(PreviewResult, PreparedReview)> done) {
    return startPreviewRun(rules, folder, std::move(files), errors, context, true, std::move(done));
}

} // namespace tallowin::ui
