#pragma once

#include "listfile/listfile.h"
#include "preview/previewreview.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tallowin {
class ErrorReporter;
}

namespace tallowin::ui {

class FolderPicker;
class Job;
class StatusWindow;

// frmFromFile: renames after a delimited text file that gives each file's current and new
// name. Preview reads the file off the user-interface thread, with its progress and Cancel in
// `status`, and hands the rows whose file is in the chosen folder on to the preview window.
class ListFileWindow : public QWidget {
    Q_OBJECT
public:
    ListFileWindow(StatusWindow &status, ErrorReporter &errors, QWidget *parent = nullptr);
    ~ListFileWindow() override;

    // The file dialog's filter list.
    static const QStringList FileFilters;

    QString folder() const;
    void setFolder(const QString &folder);
    // The Preview button: starts reading the list file. Ignored while a reading runs.
    void preview();
    bool isLoading() const { return !m_job.isNull(); }
    // How the list file is read; tests hand in one that fails or waits.
    void setReader(ListFile::Reader *reader) { m_reader = reader; }

Q_SIGNALS:
    // The rows of a finished reading, prepared for the preview window's review, and the folder
    // they were found in. The receiver may take the rows out.
    void rowsLoaded(const QString &folder, const std::shared_ptr<tallowin::PreparedReview> &rows);
    // Words for the user: a missing file or delimiter, a folder that is not there, the lines
    // of the file that gave no row.
    void messageRequested(const QString &text);
    // F1: a page of the help.
    void helpPageRequested(const QString &page);
    // A reading ended, however it ended.
    void loadFinished();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void locate();
    void finish(const QString &folder, ListFile::Result result,
                const std::shared_ptr<PreparedReview> &prepared);

    StatusWindow &m_status;
    ErrorReporter &m_errors;
    FolderPicker *m_picker;
    QLineEdit *m_file;
    QRadioButton *m_comma;
    QRadioButton *m_tab;
    QRadioButton *m_other;
    QLineEdit *m_delimiter;
    QCheckBox *m_header;
    QPushButton *m_preview;
    QPushButton *m_cancel;
    ListFile::Reader *m_reader = nullptr;
    QPointer<Job> m_job;
};

} // namespace tallowin::ui
