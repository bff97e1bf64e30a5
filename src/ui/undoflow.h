#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace tallowin {
class ErrorReporter;
}

namespace tallowin::ui {

class Job;
class StatusWindow;

// "Undo Last Rename": asks, showing how many files go back, then takes the newest rename run
// back off the user-interface thread with the progress window, and tells what could not go
// back.
class UndoFlow : public QObject {
    Q_OBJECT
public:
    UndoFlow(StatusWindow &status, ErrorReporter &errors, QWidget *window,
             QObject *parent = nullptr);

    // Shows the confirmation (or says there is nothing to undo).
    void undoLast();
    // The confirmation on screen, when one is; tests answer it.
    QMessageBox *confirmation() const { return m_confirm; }
    bool isRunning() const { return !m_job.isNull(); }

Q_SIGNALS:
    void messageRequested(const QString &text);
    // Files were renamed back: the file list is out of date.
    void undone();

private:
    void run(qint64 id);

    StatusWindow &m_status;
    ErrorReporter &m_errors;
    QWidget *m_window;
    QPointer<QMessageBox> m_confirm;
    QPointer<Job> m_job;
};

} // namespace tallowin::ui
