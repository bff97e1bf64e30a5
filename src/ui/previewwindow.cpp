#include "ui/previewwindow.h"

#include "journal/journal.h"
#include "rename/swapsafe.h"
#include "ui/chrome.h"
#include "ui/job.h"
#include "ui/previewmodel.h"
#include "ui/renamesummary.h"
#include "ui/statuswindow.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

namespace tallowin::ui {

PreviewWindow::PreviewWindow(StatusWindow &status, ErrorReporter &errors, QWidget *parent)
    : QWidget(parent), m_status(status), m_errors(errors) {
    setObjectName(QStringLiteral("frmPreviewStandard"));
    setWindowTitle(tr("Tallowin - Preview"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(8);
    layout->addWidget(new HeaderBar(tr("Preview"), this));

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 4, 16, 4);
    body->setSpacing(8);
    auto *label1 = new QLabel(
        tr("Please review name changes and uncheck any files you do not want changed"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    body->addWidget(label1);

    m_model = new PreviewModel(this);
    // A flat table: a tree view lays out every one of 1,000,000 rows when they arrive, a table
    // with rows of one fixed height lays out none.
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("lstpreview"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setShowGrid(false);
    m_list->setAlternatingRowColors(true);
    m_list->setWordWrap(false);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->horizontalHeader()->setSectionsMovable(false);
    m_list->horizontalHeader()->setHighlightSections(false);
    m_list->horizontalHeader()->resizeSection(0, 300);
    setUpItemView(m_list, tr("Old and new names"),
                  tr("Each file's name now and after the rename; untick a file to "
                     "keep its name"));
    label1->setBuddy(m_list);
    body->addWidget(m_list, 1);

    auto *label2 = new QLabel(tr("Warning:  MP3 files may not contain all information "
                                 "for automatic rename, please check carefully."),
                              this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    body->addWidget(label2);
    layout->addLayout(body, 1);

    m_selected = new QLabel(tr("0 Files Selected"), this);
    m_selected->setObjectName(QStringLiteral("lblFilesSelected"));
    m_shown = new QLabel(tr("0 Files Shown"), this);
    m_shown->setObjectName(QStringLiteral("lblFilesShown"));
    m_rename = makeButton(QStringLiteral("cmdRename"), tr("&Rename"), this, true);
    m_cancel = makeButton(QStringLiteral("cmdCancel"), tr("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->setSpacing(12);
    buttons->addWidget(m_selected);
    buttons->addWidget(m_shown);
    buttons->addStretch();
    // Off by default: rows then rename strictly one after the other, never through a
    // temporary name.
    m_allowSwaps = new QCheckBox(tr("Allow swaps and chains"), this);
    m_allowSwaps->setObjectName(QStringLiteral("chkAllowSwaps"));
    m_allowSwaps->setToolTip(tr("Rename through temporary names so that files may swap names "
                                "or take names that other files of this rename give up"));
    m_allowSwaps->setAccessibleName(tr("Allow swaps and chains"));
    buttons->addWidget(m_allowSwaps);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_rename);
    layout->addLayout(buttons);

    connect(m_rename, &QPushButton::clicked, this, &PreviewWindow::rename);
    connect(m_cancel, &QPushButton::clicked, this, &PreviewWindow::cancel);
    connect(m_model, &PreviewModel::tickRefused, this, &PreviewWindow::messageRequested);
    connect(m_model, &PreviewModel::countsChanged, this, &PreviewWindow::updateCounts);

    m_summary = new RenameSummaryWindow(this);

    const int em = fontMetrics().height();
    resize(52 * em, 37 * em);
}

void PreviewWindow::showRows(std::vector<PreviewEntry> rows) {
    m_model->fill(std::move(rows));
    bringToFront(this);
}

void PreviewWindow::showPrepared(PreparedReview rows) {
    m_model->fillPrepared(std::move(rows));
    bringToFront(this);
}

void PreviewWindow::clearRows() {
    m_model->clear();
}

void PreviewWindow::updateCounts() {
    m_selected->setText(m_model->review().filesSelectedText());
    m_shown->setText(m_model->review().filesShownText());
}

void PreviewWindow::cancel() {
    if (isRenaming())
        return;
    clearRows();
    hide();
}

void PreviewWindow::rename() {
    if (isRenaming())
        return;
    const QString folder = m_folder ? m_folder() : QString();
    // Shared, not copied: the rows shown stay as they are while the rename reads them.
    auto rows = m_model->review().sharedRows();
    auto run = std::make_shared<RenameRun>();
    RenameFileSystem *fs = m_fs;
    const FolderIdentity listed = m_listedFolder;
    const bool swapSafe = m_allowSwaps->isChecked();

    setCursor(Qt::WaitCursor);
    m_rename->setEnabled(false);
    m_cancel->setEnabled(false);
    m_status.reset();
    m_status.setStatus(tr("Preparing To Apply File Name Changes"));
    m_status.setCompleted(qint32(rows->size()), 0);
    placeOver(&m_status, this);
    bringToFront(&m_status);

    m_job = new Job(
        [folder, rows = std::move(rows), run, fs, listed, swapSafe](Progress &progress,
                                                                    ErrorReporter &errors) mutable {
            // Journalled, so that Undo Last Rename can take the run back, even after a crash.
            JournalStore journals;
            JournalWriter journal(journals, folder);
            Renamer renamer(errors, fs);
            renamer.setExpectedFolder(listed);
            renamer.setObserver(&journal);
            *run = swapSafe ? runSwapSafe(renamer, folder, *rows, &progress)
                            : renamer.run(folder, *rows, &progress);
            // The window frees the rows off its thread once it lets go of them too; this
            // reference must not be the last one, dropped wherever the job is deleted.
            rows.reset();
        },
        m_errors, this);
    m_status.follow(m_job);
    connect(m_job, &Job::finished, this, [this, run] {
        renameDone(*run);
        freeOffThread(std::move(run->outcomes));
    });
    m_job->start();
}

void PreviewWindow::renameDone(const RenameRun &run) {
    m_job = nullptr; // it deletes itself
    if (run.observerError)
        Q_EMIT messageRequested(tr("Nothing was renamed: the rename journal could not be written "
                                   "(%1).")
                                    .arg(systemErrorText(run.observerError)));
    // The rows belong to a folder no longer there: the main window lists the folder afresh.
    if (!run.refusal.isEmpty())
        Q_EMIT messageRequested(run.refusal);
    // The files were renamed; only the record of it is short, and undo goes by the folder.
    if (run.recordError)
        Q_EMIT messageRequested(tr("The rename journal could not record all of this rename "
                                   "(%1). Undo Last Rename still finds the renamed files.")
                                    .arg(systemErrorText(run.recordError)));
    // Every failure in one list, with its reason: a run of many failures loses none of them.
    if (run.failedCount() > 0) {
        m_summary->setRun(run);
        m_summary->hide();
        placeOnScreen(m_summary, this);
        bringToFront(m_summary);
    }
    const bool refused = run.observerError != 0 || !run.refusal.isEmpty();
    Q_EMIT statusRequested(refused ? tr("Nothing was renamed.") : renameRunText(run));
    clearRows();
    hide();
    m_status.follow(nullptr);
    m_status.hide();
    unsetCursor();
    m_rename->setEnabled(true);
    m_cancel->setEnabled(true);
    Q_EMIT renameFinished();
}

void PreviewWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F1) {
        Q_EMIT helpPageRequested(QStringLiteral("page13.html"));
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tallowin::ui
