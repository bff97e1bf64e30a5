#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>

// The longest wait of the event loop: a 5 ms timer on the UI thread records the longest gap
// between two of its ticks since the last reset(). It ticks from its making on.
struct GapMeter {
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    GapMeter() {
        timer.setInterval(5);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] { tick(); });
        clock.start();
        timer.start();
    }
    void tick() {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
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
        longest = 0;
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
