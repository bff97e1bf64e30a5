#include "ui/splash.h"

#include "ui/widgets.h"

#include <QIcon>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace tallowin::ui {

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Tallowin"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral("QWidget#frmSplash { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, "
                       "stop:0 #2c3e50, stop:1 #34495e); border: 1px solid #1b2631; }"
                       "QLabel { color: #ecf0f1; }"
                       "QLabel#lblSplashTitle { font-size: 22pt; font-weight: bold; }"
                       "QLabel#lblStatus { color: #bdc3c7; }"));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(32, 28, 32, 20);
    v->setSpacing(6);
    auto *icon = new QLabel(this);
    ensureResources();
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tallowin.svg")).pixmap(64, 64));
    icon->setAlignment(Qt::AlignHCenter);
    auto *title = new QLabel(QStringLiteral("Tallowin"), this);
    title->setObjectName(QStringLiteral("lblSplashTitle"));
    title->setAlignment(Qt::AlignHCenter);
    auto *sub = new QLabel(tr("Rename many files at once"), this);
    sub->setAlignment(Qt::AlignHCenter);
    m_status = new QLabel(tr("Loading..."), this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setAlignment(Qt::AlignHCenter);
    auto *version = new QLabel(tr("Version %1").arg(QLatin1String(TALLOWIN_VERSION)), this);
    version->setAlignment(Qt::AlignHCenter);
    v->addWidget(icon);
    v->addWidget(title);
    v->addWidget(sub);
    v->addStretch(1);
    v->addWidget(m_status);
    v->addWidget(version);
    setFixedSize(420, 260);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("tmrInitializeApp"));
    m_timer->setInterval(1000);
    m_timer->setSingleShot(false);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_timer->stop(); // the step runs once
        Q_EMIT initialize();
    });
}

} // namespace tallowin::ui
