#pragma once

#include "shell/errorreport.h"

#include <QUrl>
#include <QWidget>

#include <memory>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;

namespace tallowin::ui {

// frmErrors: shows the current error report and can send it to the maker's error-report page.
// One window for the program; a later report overwrites the values shown.
class ErrorWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr qint32 Location = 2;

    explicit ErrorWindow(QWidget *parent = nullptr);
    ~ErrorWindow() override;

    // Stores the report and shows the window without waiting.
    void showReport(const ErrorReport &report);
    // The report in view (its location, number and description).
    ErrorReport report() const { return m_report; }

    // The reporter the program's windows and jobs hand their reports to: every report shows
    // in this window. Reports from a worker thread are queued to the window's thread in the
    // order they were made.
    ErrorReporter &reporter();

    // The query of a report, its values percent-encoded: "application=Tallowin010&...".
    static QString reportQuery(const ErrorReport &report);

    // Sends the current report in the background; the window never waits for the answer.
    void sendReport();
    // How long each request may take; a few seconds unless a test shortens it.
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

Q_SIGNALS:
    // Every request of a sending has ended, answered or not.
    void reportSent();

protected:
    bool event(QEvent *event) override;

private:
    class Reporter;

    void refresh();
    void get(const QUrl &url, const QString &query, bool mayRetry);

    ErrorReport m_report;
    std::unique_ptr<Reporter> m_reporter;

    QLabel *m_location;
    QLabel *m_number;
    QLabel *m_description;
    QLabel *m_path;
    QPushButton *m_send;
    QPushButton *m_cancel;
    QNetworkAccessManager *m_net;
    int m_timeoutMs;
};

} // namespace tallowin::ui
