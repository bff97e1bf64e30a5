#include "ui/statuswindow.h"

#include "shell/coretext.h"
#include "ui/chrome.h"
#include "ui/job.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace tallowin::ui {

StatusWindow::StatusWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmStatusBar"));
    setWindowTitle(QStringLiteral("Tallowin"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(10);
    layout->addWidget(new HeaderBar(tr("Working"), this));

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 4, 16, 4);
    body->setSpacing(8);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setTextFormat(Qt::PlainText);
    // Long file names must not widen the window with every file.
    m_status->setMinimumWidth(1);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    body->addWidget(m_status);

    m_track = new QWidget(this);
    m_track->setObjectName(QStringLiteral("picStatusBar"));
    m_track->setAttribute(Qt::WA_StyledBackground);
    m_track->setFixedHeight(14);
    m_track->setStyleSheet(QStringLiteral(
        "#picStatusBar { background: palette(base); border: 1px solid palette(mid); "
        "border-radius: 3px; } "
        "#picStatusBarCompleted { background: palette(highlight); border-radius: 2px; }"));
    m_fill = new QWidget(m_track);
    m_fill->setObjectName(QStringLiteral("picStatusBarCompleted"));
    m_fill->setAttribute(Qt::WA_StyledBackground);
    m_track->installEventFilter(this);
    body->addWidget(m_track);
    layout->addLayout(body);

    m_cancel = makeButton(QStringLiteral("cmdCancel"), tr("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    // Escape stops the run as Cancel does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, m_cancel,
            &QPushButton::click);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_job)
            m_job->cancel();
        m_cancel->setEnabled(false);
    });

    resize(440, 150);
    reset();
}

void StatusWindow::setCompleted(qint32 total, qint32 done) {
    m_fraction = Progress::fraction(total, done);
    layoutBar();
}

void StatusWindow::setStatus(const QString &caption) {
    // The core's fixed captions are translated here, where they are shown.
    m_status->setText(coreText(caption));
}

QString StatusWindow::status() const {
    return m_status->text();
}

void StatusWindow::reset() {
    m_fraction = StartFraction;
    setStatus(PreparingPreviewCaption);
    layoutBar();
}

void StatusWindow::follow(Job *job) {
    if (m_job)
        disconnect(m_job, nullptr, this, nullptr);
    m_job = job;
    m_cancel->setEnabled(job != nullptr);
    if (!job)
        return;
    connect(job, &Job::statusChanged, this, &StatusWindow::setStatus);
    connect(job, &Job::completedChanged, this, &StatusWindow::setCompleted);
    connect(job, &Job::finished, this, [this] { m_cancel->setEnabled(false); });
}

bool StatusWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_track && event->type() == QEvent::Resize)
        layoutBar();
    return QWidget::eventFilter(watched, event);
}

void StatusWindow::layoutBar() {
    const int inner = m_track->width() - 2;
    m_fill->setGeometry(1, 1, int(inner * m_fraction + 0.5), m_track->height() - 2);
}

} // namespace tallowin::ui
