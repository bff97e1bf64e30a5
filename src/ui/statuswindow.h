#pragma once

#include "preview/progress.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace tallowin::ui {

class Job;

// frmStatusBar: the caption and bar shown while a preview, a rename or a list-file load runs,
// with a Cancel button that stops the run between two files.
class StatusWindow : public QWidget {
    Q_OBJECT
public:
    explicit StatusWindow(QWidget *parent = nullptr);

    // Fills the bar to CurrentValue of MaxValue; a MaxValue below 1 is raised to 1, in the
    // caller's variable too. The bar never shows wider than full.
    void setCompleted(qint32 &MaxValue, qint32 CurrentValue);
    // The filled width in the bar's own units (the full bar is ProgressBar::FullWidth).
    float completedWidth() const { return m_bar.width; }

    void setStatus(const QString &caption);
    QString status() const;

    // Back to the state of a new window: the first caption and a nearly empty bar.
    void reset();

    // Follows `job`'s caption and progress; Cancel cancels it. The window does not show or
    // hide itself: the caller decides when.
    void follow(Job *job);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layoutBar();

    ProgressBar m_bar;
    QLabel *m_status;
    QWidget *m_track;
    QWidget *m_fill;
    QPushButton *m_cancel;
    QPointer<Job> m_job;
};

} // namespace tallowin::ui
