#include "shell/parallel.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <system_error>
#include <thread>
#include <vector>

namespace tallowin {

namespace {

std::atomic<unsigned> forcedThreads{0};

qint32 clamp32(qint64 v) {
    return qint32(std::clamp<qint64>(v, 0, std::numeric_limits<qint32>::max()));
}

void lower(std::atomic<qsizetype> &value, qsizetype to) {
    qsizetype now = value.load();
    while (to < now && !value.compare_exchange_weak(now, to)) {
    }
}

} // namespace

unsigned defaultThreadCount() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}

void forceThreadCount(unsigned threads) {
    forcedThreads = threads;
}

ParallelRun::ParallelRun(qsizetype count, ParallelOptions options)
    : m_count(std::max<qsizetype>(count, 0)), m_options(std::move(options)) {
    qsizetype threads = 1;
    if (!m_options.serial) {
        const unsigned forced = forcedThreads;
        threads =
            forced != 0
                ? qsizetype(forced)
                : std::min<qsizetype>(defaultThreadCount(),
                                      m_count / std::max<qsizetype>(m_options.itemsPerThread, 1));
        threads = std::max<qsizetype>(threads, 1);
    }
    // Several blocks per thread, so one that finishes early finds more to do.
    m_block = std::clamp<qsizetype>(m_count / (threads * 8), 1,
                                    std::max<qsizetype>(m_options.maxBlock, 1));
    m_blocks = (m_count + m_block - 1) / m_block;
    m_threads = unsigned(std::clamp<qsizetype>(m_blocks, 1, threads));
}

ParallelOutcome ParallelRun::run(const Work &work) {
    Progress *const progress = m_options.progress;
    const qint64 units = m_options.unitsPerItem;
    const qint32 total = clamp32(qint64(m_count) * units);
    std::atomic<qsizetype> nextBlock{0};
    std::atomic<qsizetype> failedAt{m_count};
    std::atomic<qsizetype> abandonedFrom{m_count}; // the first item of a block left undone
    std::atomic<qsizetype> done{0};

    const auto worker = [&](unsigned id) {
        for (;;) {
            if (progress && progress->cancelled())
                return;
            const qsizetype index = nextBlock.fetch_add(1);
            const qsizetype begin = index * m_block;
            // Blocks after a failure or a block left undone are not needed.
            if (index >= m_blocks || begin >= std::min(failedAt.load(), abandonedFrom.load()))
                return;
            const qsizetype end = std::min(m_count, begin + m_block);
            if (id == 0 && m_options.starting)
                m_options.starting(begin);
            const qsizetype stoppedAt = work({id, index, begin, end});
            if (stoppedAt == Stopped) {
                lower(abandonedFrom, begin);
                return;
            }
            const qsizetype finished = std::clamp(stoppedAt, begin, end) - begin;
            const qsizetype doneNow = done.fetch_add(finished) + finished;
            if (stoppedAt < end)
                lower(failedAt, stoppedAt);
            if (id == 0 && progress)
                progress->setCompleted(total, clamp32(qint64(doneNow) * units));
            if (stoppedAt < end)
                return;
        }
    };

    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < m_threads; ++t) {
        try {
            helpers.emplace_back(worker, t);
        } catch (const std::system_error &) {
            break; // the threads already started and this one share the work
        }
    }
    worker(0);
    for (std::thread &t : helpers)
        t.join();

    ParallelOutcome out;
    out.done = done;
    const qsizetype handedOut = std::min(m_count, nextBlock.load() * m_block);
    out.end = std::min({handedOut, failedAt.load(), abandonedFrom.load()});
    out.failed = out.end < m_count && out.end == failedAt.load() && failedAt < abandonedFrom;
    out.cancelled = !out.failed && out.end < m_count;
    if (progress && m_count > 0)
        progress->setCompleted(total, clamp32(qint64(out.done) * units));
    return out;
}

} // namespace tallowin
