#pragma once

#include <QObject>
#include <QString>

class QNetworkAccessManager;

namespace tallowin::ui {

// The start-up's look for a newer release on the maker's web site. It runs in the background:
// start() returns at once and the window is never held up; a missing network, a slow or silent
// server or any answer but a newer version simply ends the check without a word.
class VersionCheck : public QObject {
    Q_OBJECT
public:
    explicit VersionCheck(QObject *parent = nullptr);

    // Asks the version page; `running` is this program's "major.minor.revision".
    void start(const QString &running = QStringLiteral(TALLOWIN_VERSION));
    bool isRunning() const { return m_running; }
    // How long each request may take; a few seconds unless a test shortens it.
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

Q_SIGNALS:
    // The site offers a newer release; the news page follows.
    void newVersionFound();
    // The news page's text, when the site offers a newer release and sent its news.
    void newsArrived(const QString &news);
    // The check has ended, whatever it found.
    void finished();

private:
    void getNews();
    void end();

    QNetworkAccessManager *m_net;
    int m_timeoutMs;
    bool m_running = false;
};

} // namespace tallowin::ui
