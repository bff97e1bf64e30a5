#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>

namespace tallowin {

// Progress of a long run: a caption, a bar, and a cancel request checked between files.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setStatus(const QString &) {}
    // A maximum below 1 counts as 1; a current value above the maximum shows a full bar.
    virtual void SetCompleted(qint32 MaxValue, qint32 CurrentValue) {
        (void)MaxValue;
        (void)CurrentValue;
    }
    bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }
    void cancel() { m_cancel.store(true, std::memory_order_relaxed); }

private:
    std::atomic<bool> m_cancel{false};
};

} // namespace tallowin
