#pragma once

#include "base/progress.h"

#include <QtGlobal>

#include <functional>

namespace tallowin {

// The threads a run shares its items among: the machine's cores, at most four (the listing is
// then bound by the file system, the preview by memory).
unsigned defaultThreadCount();

// Makes every later run that may use threads use exactly `threads`, however few items it has;
// 0 gives the choice back to the runs. For tests, which must see several threads at work on any
// machine; never change it while a run is going.
void forceThreadCount(unsigned threads);

struct ParallelOptions {
    // The fewest items worth a thread of their own; a run of fewer than twice this uses one.
    qsizetype itemsPerThread = 1024;
    // The most items a thread takes at a time.
    qsizetype maxBlock = 1024;
    // Work that must go item after item (it reads files and may hand control to other work).
    bool serial = false;
    // Cancel is checked before every block; the counts (items times unitsPerItem) are reported
    // on the caller's thread after each block it finishes and once at the end.
    Progress *progress = nullptr;
    qint64 unitsPerItem = 1;
    // Called on the caller's thread with the first item of each block it is about to start.
    std::function<void(qsizetype item)> starting;
};

// A block of items [begin, end), the index'th of the run, given to thread `worker` (0 is the
// caller's thread; per-thread state can live in a vector of threads() entries).
struct ParallelBlock {
    unsigned worker = 0;
    qsizetype index = 0;
    qsizetype begin = 0;
    qsizetype end = 0;
};

struct ParallelOutcome {
    qsizetype end = 0;      // items [0, end) were all worked on
    bool failed = false;    // item `end` failed, and no item before it
    bool cancelled = false; // cancelled before item `end` was worked on
    qsizetype done = 0;     // items worked on, some after `end` perhaps
};

// Shares items among threads in blocks. Threads take the next block as they finish one, so a
// thread the system sets aside on a busy machine holds up no more than its current block; the
// blocks are handed out in item order, so the first failure in item order is known once every
// block before it is done, and later blocks are no longer started.
class ParallelRun {
public:
    // Works on the items of one block; returns `end` when all of them were done, the item that
    // failed, or Stopped when it saw a cancel and left the rest of the block undone.
    using Work = std::function<qsizetype(const ParallelBlock &)>;
    static constexpr qsizetype Stopped = -1;

    ParallelRun(qsizetype count, ParallelOptions options);

    unsigned threads() const { return m_threads; }
    qsizetype blockCount() const { return m_blocks; }
    qsizetype blockOf(qsizetype item) const { return item / m_block; }

    ParallelOutcome run(const Work &work);

private:
    qsizetype m_count;
    ParallelOptions m_options;
    unsigned m_threads = 1;
    qsizetype m_block = 1;
    qsizetype m_blocks = 0;
};

} // namespace tallowin
