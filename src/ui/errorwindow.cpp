#include "ui/errorwindow.h"

#include "shell/coretext.h"
#include "ui/chrome.h"
#include "ui/site.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QShortcut>
#include <QThread>
#include <QVBoxLayout>
#include <QVersionNumber>

namespace tallowin::ui {

namespace {
// Marked here, translated where shown: translators load after this is made.
const char *const Explanation = QT_TRANSLATE_NOOP(
    "tallowin::ui::ErrorWindow",
    "We regret that an unexpected error has occured in our software.  This error has been "
    "captured and we would appreciate it if you could transfer this error to us so that we may "
    "investigate.  We respect your privacy and only the limited information you see below will "
    "be transfered to us.  Thank you for helping us make this a better product.");

// Only the start of an answer matters ("RETRY|" and an address); the rest is not read.
constexpr qint64 MaxAnswerBytes = 4096;

QString enc(const QString &value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QLabel *valueLabel(const QString &name, QWidget *parent) {
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}
} // namespace

class ErrorWindow::Reporter : public ErrorReporter {
public:
    explicit Reporter(ErrorWindow *window) : m_window(window) {}
    using ErrorReporter::report;
    void report(const ErrorReport &r) override {
        if (QThread::currentThread() == m_window->thread()) {
            m_window->showReport(r);
            return;
        }
        // Queued calls to one object run in the order they were posted.
        ErrorWindow *window = m_window;
        QMetaObject::invokeMethod(
            window, [window, r] { window->showReport(r); }, Qt::QueuedConnection);
    }

private:
    ErrorWindow *m_window;
};

ErrorWindow::ErrorWindow(QWidget *parent)
    : QWidget(parent), m_reporter(std::make_unique<Reporter>(this)), m_timeoutMs(SiteTimeoutMs) {
    setObjectName(QStringLiteral("frmErrors"));
    setWindowTitle(QStringLiteral("Tallowin"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(10);
    layout->addWidget(new HeaderBar(tr("Unexpected error"), this));

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 4, 16, 4);
    auto *label1 = new QLabel(tr(Explanation), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    body->addWidget(label1);
    body->addSpacing(6);
    m_location = valueLabel(QStringLiteral("lblErrorLocation"), this);
    m_number = valueLabel(QStringLiteral("lblErrorNumber"), this);
    m_description = valueLabel(QStringLiteral("lblErrorDescription"), this);
    body->addWidget(m_location);
    body->addWidget(m_number);
    body->addWidget(m_description);
    // The file or folder a report concerns is shown, as everything sent is.
    m_path = valueLabel(QStringLiteral("lblErrorPath"), this);
    body->addWidget(m_path);
    body->addStretch();
    layout->addLayout(body, 1);

    m_send = makeButton(QStringLiteral("cmdSendError"), tr("Send Report"), this, true);
    m_cancel = makeButton(QStringLiteral("cmdCancel"), tr("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_send);
    layout->addLayout(buttons);
    // Escape closes the window as Cancel does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, m_cancel,
            &QPushButton::click);

    m_net = new QNetworkAccessManager(this);
    m_net->setObjectName(QStringLiteral("Inet1"));

    connect(m_send, &QPushButton::clicked, this, [this] {
        sendReport();
        hide();
    });
    // Cancel means the user chose not to send.
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::hide);
    resize(480, 260);
    refresh();
}

ErrorWindow::~ErrorWindow() = default;

ErrorReporter &ErrorWindow::reporter() {
    return *m_reporter;
}

void ErrorWindow::showReport(const ErrorReport &report) {
    m_report = report;
    refresh();
    placeOver(this, QApplication::activeWindow());
    bringToFront(this);
}

void ErrorWindow::refresh() {
    m_location->setText(tr("Error Location: %1").arg(m_report.location));
    m_number->setText(tr("Error Number: %1").arg(m_report.number));
    // The report sent keeps the description as written; only the window shows it translated.
    m_description->setText(tr("Error Description: %1").arg(coreText(m_report.description)));
    m_path->setText(tr("Error Path: %1").arg(m_report.path));
    m_path->setVisible(!m_report.path.isEmpty());
}

bool ErrorWindow::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::FocusIn)
        refresh();
    return QWidget::event(event);
}

QString ErrorWindow::reportQuery(const ErrorReport &report) {
    const QVersionNumber v = QVersionNumber::fromString(QStringLiteral(TALLOWIN_VERSION));
    const QString application = QStringLiteral("Tallowin") + QString::number(v.majorVersion()) +
                                QString::number(v.minorVersion()) +
                                QString::number(v.microVersion());
    return QStringLiteral("application=") + enc(application) + QStringLiteral("&errorlocation=") +
           enc(QString::number(report.location)) + QStringLiteral("&errornumber=") +
           enc(QString::number(report.number)) + QStringLiteral("&errordescription=") +
           enc(report.description) +
           // Whose number it is: the program's own table and errno overlap.
           QStringLiteral("&errorkind=") +
           (report.isSystem() ? QStringLiteral("system") : QStringLiteral("program")) +
           (report.path.isEmpty() ? QString() : QStringLiteral("&errorpath=") + enc(report.path));
}

void ErrorWindow::sendReport() {
    const QString query = reportQuery(report());
    QUrl url = siteUrl(QStringLiteral("/products/errorreport.asp"));
    url.setQuery(query, QUrl::StrictMode);
    get(url, query, true);
}

void ErrorWindow::get(const QUrl &url, const QString &query, bool mayRetry) {
    // Nothing of the sending is ever reported: a failed or slow request just ends.
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_net->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, url, query, mayRetry] {
        reply->deleteLater();
        if (mayRetry && reply->error() == QNetworkReply::NoError) {
            const QString answer = QString::fromUtf8(reply->read(MaxAnswerBytes));
            const QString marker = QStringLiteral("RETRY|");
            if (answer.size() > marker.size() && answer.startsWith(marker)) {
                // The server names another page to receive the same report.
                const QString address = answer.mid(marker.size()).section(u'\n', 0, 0).trimmed();
                QUrl next = url.resolved(QUrl(address));
                if (next.isValid() && (next.scheme() == QLatin1String("http") ||
                                       next.scheme() == QLatin1String("https"))) {
                    next.setQuery(query, QUrl::StrictMode);
                    get(next, query, false);
                    return;
                }
            }
        }
        Q_EMIT reportSent();
    });
}

} // namespace tallowin::ui
