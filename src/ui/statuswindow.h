#pragma once

#include "base/progress.h"

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

    // Fills the bar to `done` of `total` (Progress::fraction); never wider than full.
    void setCompleted(qint32 total, qint32 done);
    // The filled share of the bar, from 0 to 1.
    double completedFraction() const { return m_fraction; }

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

    // A new window shows a sliver of bar, so it reads as a bar before the first report.
    static constexpr double StartFraction = 15.0 / 5625.0;
    double m_fraction = StartFraction;
    QLabel *m_status;
    QWidget *m_track;
    QWidget *m_fill;
    QPushButton *m_cancel;
    QPointer<Job> m_job;
};

} // namespace tallowin::ui
