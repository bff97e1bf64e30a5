#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <ctime>

// The longest wait of the event loop: a 5 ms timer on the UI thread records the longest gap
// between two of its ticks since the last reset(). It ticks from its making on.
// Beside it, the CPU time the UI thread itself spent within that gap: near the gap, the
// program's own work held the window; near nothing, the thread waited for a core (or for
// the memory map that other threads of the process were changing) on a busy machine.
struct GapMeter {
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    qint64 lastCpuUs = 0;
    qint64 longestWorkMs = 0; // the UI thread's CPU time within the longest gap
    static qint64 threadCpuUs() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
    }
    GapMeter() {
        timer.setInterval(5);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] { tick(); });
        clock.start();
        timer.start();
    }
    void tick() {
        const qint64 now = clock.elapsed();
        const qint64 cpu = threadCpuUs();
        if (now - last >= longest) {
            longest = now - last;
            longestWorkMs = (cpu - lastCpuUs) / 1000;
        }
        lastCpuUs = cpu;
        // TALLOWIN_BENCH_GAPS=MS: each gap longer than MS, with when it ended, to find it.
        static const int shown = qEnvironmentVariableIntValue("TALLOWIN_BENCH_GAPS");
        if (shown > 0 && now - last > shown)
            std::fprintf(stderr, "  gap %lld ms ending at %lld ms\n",
                         static_cast<long long>(now - last), static_cast<long long>(now));
        last = now;
    }
    // Starts a new measurement (and the timer again after stop()).
    void reset() {
        last = clock.elapsed();
        lastCpuUs = threadCpuUs();
        longest = 0;
        longestWorkMs = 0;
        if (!timer.isActive())
            timer.start();
    }
    // Ends a measurement with the gap up to now.
    void stop() {
        if (timer.isActive())
            tick();
        timer.stop();
    }
};
