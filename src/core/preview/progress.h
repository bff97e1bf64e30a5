#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>

namespace tallowin {

// Progress of a long run: a caption, a bar, and a cancel request checked between files.
// Runs call it from their own thread; an implementation hands the values on to the window.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setStatus(const QString &) {}
    // A maximum below 1 counts as 1; a current value above the maximum shows a full bar.
    virtual void setCompleted(qint32 MaxValue, qint32 CurrentValue) {
        (void)MaxValue;
        (void)CurrentValue;
    }
    bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }
    void cancel() { m_cancel.store(true, std::memory_order_relaxed); }

private:
    std::atomic<bool> m_cancel{false};
};

inline const QString PreparingPreviewCaption =
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "Preparing To Preview File Name Changes"));

// The state of the progress window's bar, in the window's own units.
struct ProgressBar {
    static constexpr float FullWidth = 5625.0f;
    static constexpr float StartWidth = 15.0f;

    float width = StartWidth;
    QString caption = PreparingPreviewCaption;

    // Fills the bar to CurrentValue of MaxValue. A maximum below 1 is raised to 1, in the
    // caller's variable too; the bar never grows past full nor shrinks below empty.
    void setCompleted(qint32 &MaxValue, qint32 CurrentValue) {
        if (MaxValue < 1)
            MaxValue = 1;
        width = float(double(FullWidth) / MaxValue * CurrentValue);
        if (width > FullWidth)
            width = FullWidth;
        if (width < 0)
            width = 0;
    }
};

} // namespace tallowin
