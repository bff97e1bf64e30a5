#include "ui/site.h"

namespace tallowin::ui {

QUrl siteBaseUrl() {
    const QString configured = qEnvironmentVariable("TALLOWIN_SITE").trimmed();
    QUrl base(configured.isEmpty() ? QStringLiteral("https://tallowin.example") : configured);
    if (!base.isValid() || base.scheme().isEmpty())
        base = QUrl(QStringLiteral("https://tallowin.example"));
    return base;
}

QUrl siteUrl(const QString &path) {
    QUrl url = siteBaseUrl();
    QString basePath = url.path();
    while (basePath.endsWith(u'/'))
        basePath.chop(1);
    url.setPath(basePath + (path.startsWith(u'/') ? path : u'/' + path));
    return url;
}

} // namespace tallowin::ui
