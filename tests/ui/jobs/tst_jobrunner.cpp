#include "ui/job.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

using namespace tallowin;
using namespace tallowin::ui;

namespace {
// Records each report and whether it arrived on the window thread.
class ThreadCheckingReporter : public ErrorReporter {
public:
    using ErrorReporter::report;
    void report(const ErrorReport &r) override {
        reports.push_back(r);
        onMainThread = onMainThread && QThread::currentThread() == qApp->thread();
    }
    std::vector<ErrorReport> reports;
    bool onMainThread = true;
};
} // namespace

class TestJobRunner : public QObject {
    Q_OBJECT
    NullErrorReporter noReports;

private Q_SLOTS:
    void manyUpdatesArriveThrottledAndEndWithTheLast() {
        constexpr qint32 files = 100000;
        auto *job = new Job(
            [](Progress &progress, ErrorReporter &) {
                for (qint32 i = 1; i <= files; ++i) {
                    progress.setStatus(QStringLiteral("file %1").arg(i));
                    progress.setCompleted(files, i);
                }
            },
            noReports, this);
        QSignalSpy counts(job, &Job::completedChanged);
        QSignalSpy captions(job, &Job::statusChanged);
        QSignalSpy finished(job, &Job::finished);
        QPointer<Job> alive(job);
        job->start();
        QVERIFY(job->isRunning());
        QVERIFY(finished.wait());

        QVERIFY(!counts.isEmpty());
        // A handful of batches, not one queued event per file.
        QVERIFY2(counts.size() < files / 100, qPrintable(QString::number(counts.size())));
        QCOMPARE(counts.last().at(0).toInt(), files);
        QCOMPARE(counts.last().at(1).toInt(), files);
        QCOMPARE(captions.last().at(0).toString(), QStringLiteral("file %1").arg(files));
        // The job deletes itself after it ended.
        QTRY_VERIFY(alive.isNull());
    }

    void cancelStopsBetweenFiles() {
        std::atomic<int> done{0};
        auto *job = new Job(
            [&done](Progress &progress, ErrorReporter &) {
                for (int i = 0; i < 1000000 && !progress.cancelled(); ++i) {
                    QThread::usleep(200);
                    progress.setCompleted(1000000, ++done);
                }
            },
            noReports, this);
        QSignalSpy counts(job, &Job::completedChanged);
        QSignalSpy finished(job, &Job::finished);
        job->start();
        QVERIFY(counts.wait());
        job->cancel();
        QVERIFY(finished.wait());
        QVERIFY(done.load() < 1000000);
        QCOMPARE(counts.last().at(1).toInt(), done.load());
    }

    void reportsArriveOnTheWindowThreadBeforeTheEnd() {
        ThreadCheckingReporter reporter;
        auto *job = new Job(
            [](Progress &, ErrorReporter &errors) {
                errors.report(183, 5, QStringLiteral("rule"));
                errors.report(50, 5, QStringLiteral("run Position: 8"));
            },
            reporter, this);
        std::vector<ErrorReport> atFinish;
        connect(job, &Job::finished, this, [&] { atFinish = reporter.reports; });
        QSignalSpy finished(job, &Job::finished);
        job->start();
        QVERIFY(finished.wait());
        QCOMPARE(atFinish.size(), size_t(2));
        QCOMPARE(atFinish[0].location, 183);
        QCOMPARE(atFinish[1].location, 50);
        QVERIFY(reporter.onMainThread);
    }

    void destroyingARunningJobCancelsAndWaits() {
        std::atomic<bool> stopped{false};
        auto *job = new Job(
            [&stopped](Progress &progress, ErrorReporter &) {
                while (!progress.cancelled())
                    QThread::usleep(100);
                stopped = true;
            },
            noReports);
        job->start();
        delete job;
        QVERIFY(stopped.load());
    }

    void listingRunsOnARealFolder() {
        QTemporaryDir dir;
        for (const char *name : {"b.txt", "a.txt", "c.log"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        DirectoryFilter filter;
        filter.type = QStringLiteral("txt");
        DirectoryListing listing;
        bool called = false;
        startListing(dir.path(), filter, noReports, this, [&](DirectoryListing l, DirectoryFilter) {
            listing = std::move(l);
            called = true;
        });
        QTRY_VERIFY(called);
        QVERIFY(!listing.failed);
        QStringList names;
        for (const auto &row : listing.rows)
            names << row.fileName;
        QCOMPARE(names, (QStringList{"a.txt", "b.txt"}));
    }

    void previewRunsTheRulesOnTheTickedFiles() {
        RuleTable rules;
        rules.addRule(RuleKinds::Insert, QStringLiteral("new-"), QStringLiteral("Start"));
        std::vector<FileEntry> files(3);
        files[0].fileName = QStringLiteral("a.txt");
        files[1].fileName = QStringLiteral("b.txt");
        files[1].checked = false;
        files[2].fileName = QStringLiteral("c");
        PreviewResult result;
        bool called = false;
        startPreview(rules, QDir::tempPath(), files, noReports, this, [&](PreviewResult r) {
            result = std::move(r);
            called = true;
        });
        QTRY_VERIFY(called);
        QCOMPARE(result.outcome, PreviewOutcome::Done);
        QCOMPARE(result.rows.size(), size_t(2));
        QCOMPARE(result.rows[0].newName, QStringLiteral("new-a.txt"));
        QCOMPARE(result.rows[1].newName, QStringLiteral("new-c."));
        QCOMPARE(result.rows[1].sourceIndex, qsizetype(2));
    }
};

QTEST_MAIN(TestJobRunner)
#include "tst_jobrunner.moc"
