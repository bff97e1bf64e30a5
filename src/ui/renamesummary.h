#pragma once

#include "rename/renamer.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace tallowin::ui {

// frmRenameSummary: after a rename run with failures, every file that was not renamed with its
// old name, its new name and why, under "N renamed, M failed". Copy puts the whole account on
// the clipboard as text.
class RenameSummaryWindow : public QWidget {
    Q_OBJECT
public:
    explicit RenameSummaryWindow(QWidget *parent = nullptr);

    // Fills the window from a finished run; does not show it.
    void setRun(const RenameRun &run);
    // "N renamed, M failed".
    QString counts() const;
    // One line per failed row: old name, new name and reason, tab-separated.
    QStringList failures() const;
    // The text Copy puts on the clipboard.
    QString report() const;
    void copy() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_counts;
    QStandardItemModel *m_model;
    QTableView *m_list;
    QPushButton *m_copy;
    QPushButton *m_close;
};

// "N renamed, M failed" for a run, or "N files renamed." when none failed.
QString renameRunText(const RenameRun &run);

} // namespace tallowin::ui
