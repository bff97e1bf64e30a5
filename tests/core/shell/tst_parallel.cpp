#include "shell/parallel.h"

#include <QtTest>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

using namespace tallowin;

namespace {

// Forces the thread count for one test and gives the choice back afterwards.
struct ForcedThreads {
    explicit ForcedThreads(unsigned n) { forceThreadCount(n); }
    ~ForcedThreads() { forceThreadCount(0); }
};

// Records the counts and on which threads they and the captions arrive.
class RecordingProgress : public Progress {
public:
    void setCompleted(qint32 max, qint32 current) override {
        completed.push_back({max, current});
        threads.insert(std::this_thread::get_id());
    }
    std::vector<std::pair<qint32, qint32>> completed;
    std::set<std::thread::id> threads;
};

} // namespace

class TestParallel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyItemOnce_data() {
        QTest::addColumn<unsigned>("threads");
        QTest::addColumn<int>("count");
        for (unsigned t : {1u, 2u, 4u})
            for (int n : {0, 1, 5, 10000})
                QTest::addRow("threads-%u/items-%d", t, n) << t << n;
    }
    void everyItemOnce() {
        QFETCH(unsigned, threads);
        QFETCH(int, count);
        const ForcedThreads forced(threads);
        ParallelRun run(count, {});
        QVERIFY(run.threads() >= 1 && run.threads() <= std::max(threads, 1u));
        auto seen = std::make_unique<std::atomic<int>[]>(size_t(count) + 1);
        std::vector<std::atomic<int>> blocksSeen(size_t(run.blockCount()));
        const ParallelOutcome out = run.run([&](const ParallelBlock &b) {
            ++blocksSeen[size_t(b.index)];
            if (b.worker >= run.threads() || run.blockOf(b.begin) != b.index ||
                (b.end < count && run.blockOf(b.end) != b.index + 1))
                return b.begin; // a wrong block shows as a failure
            for (qsizetype i = b.begin; i < b.end; ++i)
                ++seen[size_t(i)];
            return b.end;
        });
        QCOMPARE(out.end, qsizetype(count));
        QVERIFY(!out.failed);
        QVERIFY(!out.cancelled);
        QCOMPARE(out.done, qsizetype(count));
        for (int i = 0; i < count; ++i)
            QCOMPARE(seen[size_t(i)].load(), 1);
        for (const auto &b : blocksSeen)
            QCOMPARE(b.load(), 1);
    }

    // However the threads meet the failures, the one reported is the first in item order, and
    // every item before it was worked on.
    void firstFailureInItemOrder_data() {
        QTest::addColumn<QList<int>>("failing");
        QTest::newRow("first-item") << QList<int>{0, 5000};
        QTest::newRow("one-late") << QList<int>{9999};
        QTest::newRow("several") << QList<int>{9000, 3001, 7777, 3002};
        QTest::newRow("same-block") << QList<int>{12, 13};
    }
    void firstFailureInItemOrder() {
        QFETCH(QList<int>, failing);
        const int count = 10000;
        for (unsigned threads : {1u, 2u, 4u}) {
            const ForcedThreads forced(threads);
            auto seen = std::make_unique<std::atomic<int>[]>(count);
            const ParallelOutcome out = ParallelRun(count, {}).run([&](const ParallelBlock &b) {
                for (qsizetype i = b.begin; i < b.end; ++i) {
                    ++seen[size_t(i)];
                    if (failing.contains(int(i)))
                        return i;
                }
                return b.end;
            });
            const int first = *std::min_element(failing.begin(), failing.end());
            QVERIFY(out.failed);
            QVERIFY(!out.cancelled);
            QCOMPARE(out.end, qsizetype(first));
            for (int i = 0; i <= first; ++i)
                QCOMPARE(seen[size_t(i)].load(), 1);
        }
    }

    void serialWorkStaysOnTheCallersThread() {
        const ForcedThreads forced(4);
        ParallelOptions options;
        options.serial = true;
        ParallelRun run(10000, options);
        QCOMPARE(run.threads(), 1u);
        const auto caller = std::this_thread::get_id();
        qsizetype expected = 0;
        const ParallelOutcome out = run.run([&](const ParallelBlock &b) {
            if (std::this_thread::get_id() != caller || b.begin != expected)
                return b.begin;
            expected = b.end;
            return b.end;
        });
        QVERIFY(!out.failed);
        QCOMPARE(out.end, qsizetype(10000));
    }

    // Counts and captions come on the caller's thread only, the counts never go back and end
    // with the whole run; each caption names the first item of a block the caller starts.
    void progressOnTheCallersThread() {
        const ForcedThreads forced(3);
        RecordingProgress progress;
        ParallelOptions options;
        options.progress = &progress;
        options.unitsPerItem = 3;
        std::vector<qsizetype> started;
        std::set<std::thread::id> startingThreads;
        options.starting = [&](qsizetype item) {
            started.push_back(item);
            startingThreads.insert(std::this_thread::get_id());
        };
        std::vector<qsizetype> callerBlocks;
        const auto caller = std::this_thread::get_id();
        const ParallelOutcome out = ParallelRun(10000, options).run([&](const ParallelBlock &b) {
            if (std::this_thread::get_id() == caller)
                callerBlocks.push_back(b.begin);
            return b.end;
        });
        QCOMPARE(out.end, qsizetype(10000));
        QCOMPARE(started, callerBlocks);
        QVERIFY(startingThreads.size() <= 1);
        QCOMPARE(progress.threads, std::set<std::thread::id>{caller});
        QCOMPARE(progress.completed.back(), (std::pair<qint32, qint32>{30000, 30000}));
        for (size_t i = 1; i < progress.completed.size(); ++i)
            QVERIFY(progress.completed[i].second >= progress.completed[i - 1].second);
    }

    // A block left undone on a cancel ends the run there, even when a later block failed: an
    // earlier failure might have been in the part left undone.
    void cancelledBlockEndsTheRun() {
        const ForcedThreads forced(4);
        Progress progress;
        ParallelOptions options;
        options.progress = &progress;
        const ParallelOutcome out = ParallelRun(10000, options).run([&](const ParallelBlock &b) {
            if (b.index == 0) {
                progress.cancel();
                return ParallelRun::Stopped;
            }
            return b.index == 5 ? b.begin : b.end;
        });
        QCOMPARE(out.end, qsizetype(0));
        QVERIFY(out.cancelled);
        QVERIFY(!out.failed);
    }

    void cancelledBeforeTheStart() {
        const ForcedThreads forced(2);
        Progress progress;
        progress.cancel();
        ParallelOptions options;
        options.progress = &progress;
        std::atomic<int> blocks{0};
        const ParallelOutcome out = ParallelRun(10000, options).run([&](const ParallelBlock &b) {
            ++blocks;
            return b.end;
        });
        QCOMPARE(blocks.load(), 0);
        QCOMPARE(out.end, qsizetype(0));
        QVERIFY(out.cancelled);
    }

    // Without a forced count, small runs stay on one thread and large ones use a few.
    void threadCountFollowsTheRunSize() {
        QCOMPARE(ParallelRun(2047, {}).threads(), 1u);
        QCOMPARE(ParallelRun(1000000, {}).threads(), defaultThreadCount());
        QVERIFY(defaultThreadCount() >= 1 && defaultThreadCount() <= 4);
    }
};

QTEST_GUILESS_MAIN(TestParallel)
#include "tst_parallel.moc"
