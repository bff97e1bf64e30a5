#include "ui/versioncheck.h"

#include "shell/versioncheck.h"
#include "ui/site.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace tallowin::ui {

namespace {

// A version answer is five characters; reading more only lets a wrong answer cost memory.
constexpr qint64 MaxVersionBytes = 64;
// The news is a short page; a larger answer is cut rather than held whole.
constexpr qint64 MaxNewsBytes = 256 * 1024;

QNetworkRequest request(const QString &path, int timeoutMs) {
    QNetworkRequest r(siteUrl(path));
    r.setTransferTimeout(timeoutMs);
    r.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                   QNetworkRequest::NoLessSafeRedirectPolicy);
    return r;
}

} // namespace

VersionCheck::VersionCheck(QObject *parent)
    : QObject(parent), m_net(new QNetworkAccessManager(this)), m_timeoutMs(SiteTimeoutMs) {
    setObjectName(QStringLiteral("versionCheck"));
}

void VersionCheck::start(const QString &running) {
    if (m_running)
        return;
    m_running = true;
    QNetworkReply *reply = m_net->get(request(VersionPagePath, m_timeoutMs));
    connect(reply, &QNetworkReply::finished, this, [this, reply, running] {
        reply->deleteLater();
        const bool answered = reply->error() == QNetworkReply::NoError;

        const QString answer =
            answered ? QString::fromUtf8(reply->read(MaxVersionBytes)) : QString();
        if (!answered || !offersNewerVersion(answer, running)) {
            end();
            return;
        }
        Q_EMIT newVersionFound();
        getNews();
    });
}

void VersionCheck::getNews() {
    QNetworkReply *reply = m_net->get(request(NewsPagePath, m_timeoutMs));
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (reply->error() == QNetworkReply::NoError)
            Q_EMIT newsArrived(QString::fromUtf8(reply->read(MaxNewsBytes)));
        end();
    });
}

void VersionCheck::end() {
    m_running = false;
    Q_EMIT finished();
}

} // namespace tallowin::ui
