#include "ui/undoflow.h"

#include "journal/undo.h"
#include "shell/coretext.h"
#include "shell/filenamecodec.h"
#include "ui/chrome.h"
#include "ui/job.h"
#include "ui/statuswindow.h"

#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace tallowin::ui {

namespace {

// The lines listed in the result; more would not fit the message window.
constexpr int ListedAtMost = 15;

QString filesText(qsizetype n, const QString &one, const QString &many) {
    return n == 1 ? one : many.arg(n);
}

QString shown(const QByteArray &name) {
    return displayName(nameFromBytes(name));
}

} // namespace

UndoFlow::UndoFlow(StatusWindow &status, ErrorReporter &errors, QWidget *window, QObject *parent)
    : QObject(parent), m_status(status), m_errors(errors), m_window(window) {}

void UndoFlow::undoLast() {
    if (isRunning() || m_confirm)
        return;
    const JournalStore journals;
    const qint64 id = journals.lastUndoable();
    if (id == 0) {
        Q_EMIT messageRequested(tr("There is no rename to undo."));
        return;
    }
    const UndoPlan plan = planUndo(journals, id);
    if (plan.outcome == UndoPlan::Outcome::FolderGone) {
        Q_EMIT messageRequested(tr("The folder %1 of the last rename is gone or has been "
                                   "replaced; nothing can be undone.")
                                    .arg(plan.folder));
        return;
    }
    QString text = tr("Undo the last rename in %1?").arg(plan.folder) + QStringLiteral("\n\n") +
                   filesText(plan.files, tr("1 file goes back to its old name."),
                             tr("%1 files go back to their old names."));
    if (!plan.left.empty())
        text += u'\n' + filesText(qsizetype(plan.left.size()),
                                  tr("1 file changed since the rename and stays as it is."),
                                  tr("%1 files changed since the rename and stay as they are."));
    // Not blocking: the answer arrives as a signal.
    auto *box = new QMessageBox(QMessageBox::Question, tr("Undo Last Rename"), text,
                                QMessageBox::NoButton, m_window);
    box->setObjectName(QStringLiteral("msgUndoLastRename"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *undo = box->addButton(tr("Undo"), QMessageBox::AcceptRole);
    undo->setObjectName(QStringLiteral("cmdUndoConfirm"));
    box->addButton(QMessageBox::Cancel)->setObjectName(QStringLiteral("cmdUndoCancel"));
    box->setDefaultButton(undo);
    // Nothing can go back when every file changed: the box then only tells so.
    undo->setEnabled(!plan.rows.empty());
    connect(box, &QMessageBox::buttonClicked, this, [this, box, undo, id](QAbstractButton *b) {
        box->close();
        if (b == undo)
            run(id);
    });
    m_confirm = box;
    box->open();
}

void UndoFlow::run(qint64 id) {
    auto result = std::make_shared<UndoResult>();
    m_status.reset();
    m_status.setStatus(tr("Preparing To Apply File Name Changes"));
    m_status.setCompleted(1, 0);
    if (m_window)
        placeOver(&m_status, m_window);
    bringToFront(&m_status);
    m_job = new Job(
        [id, result](Progress &progress, ErrorReporter &errors) {
            JournalStore journals;
            *result = undoRun(journals, id, errors, &progress);
        },
        m_errors, this);
    m_status.follow(m_job);
    connect(m_job, &Job::finished, this, [this, result] {
        m_job = nullptr; // it deletes itself
        m_status.follow(nullptr);
        m_status.hide();
        const UndoResult &r = *result;
        if (r.plan.outcome == UndoPlan::Outcome::FolderGone) {
            Q_EMIT messageRequested(tr("The folder %1 of the last rename is gone or has been "
                                       "replaced; nothing can be undone.")
                                        .arg(r.plan.folder));
            return;
        }
        if (r.journalError) {
            Q_EMIT messageRequested(tr("Nothing was undone: the rename journal could not be "
                                       "written (%1).")
                                        .arg(systemErrorText(r.journalError)));
            return;
        }
        QStringList notBack;
        qsizetype back = 0;
        for (const RenameOutcome &o : r.run.outcomes) {
            const PreviewEntry &row = r.plan.rows[size_t(o.row)];
            if (o.ok)
                ++back;
            else
                notBack << tr("%1 -> %2: %3")
                               .arg(displayName(row.oldName()), displayName(row.newName),
                                    o.message);
        }
        for (const UndoLeft &left : r.plan.left)
            notBack << tr("%1 -> %2: %3")
                           .arg(shown(left.current), shown(left.original), coreText(left.reason));
        QString text = filesText(back, tr("1 file went back to its old name."),
                                 tr("%1 files went back to their old names."));
        if (!notBack.isEmpty()) {
            text += u'\n' + tr("These could not go back:") + u'\n';
            text += notBack.mid(0, ListedAtMost).join(u'\n');
            if (notBack.size() > ListedAtMost)
                text += u'\n' + tr("... and %1 more.").arg(notBack.size() - ListedAtMost);
        }
        if (r.markError)
            text += u'\n' + tr("The rename journal could not record this undo (%1): the run "
                               "stays on offer for Undo Last Rename.")
                                .arg(systemErrorText(r.markError));
        Q_EMIT messageRequested(text);
        Q_EMIT undone();
    });
    m_job->start();
}

} // namespace tallowin::ui
