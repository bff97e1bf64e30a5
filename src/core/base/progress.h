#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>

namespace tallowin {

// Progress of a long run: a caption, a count of steps done, and a cancel request checked
// between files. Runs call it from their own thread; an implementation hands the values on to
// the window.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setStatus(const QString &) {}
    // `done` of `total` steps. A total below 1 counts as 1; more done than the total is all.
    virtual void setCompleted(qint32 total, qint32 done) {
        (void)total;
        (void)done;
    }
    bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }
    void cancel() { m_cancel.store(true, std::memory_order_relaxed); }

    // The share of a run that `done` of `total` steps is, from 0 to 1.
    static double fraction(qint32 total, qint32 done) {
        return qBound(0.0, double(done) / double(qMax(total, 1)), 1.0);
    }

private:
    std::atomic<bool> m_cancel{false};
};

inline const QString PreparingPreviewCaption =
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Preparing To Preview File Name Changes"));

} // namespace tallowin
