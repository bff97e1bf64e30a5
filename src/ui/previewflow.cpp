#include "ui/previewflow.h"

#include "ui/chrome.h"
#include "ui/job.h"
#include "ui/previewwindow.h"
#include "ui/statuswindow.h"

#include <QWidget>

#include <limits>

namespace tallowin::ui {

PreviewFlow::PreviewFlow(PreviewWindow &window, StatusWindow &status, ErrorReporter &errors,
                         QWidget *owner, QObject *parent)
    : QObject(parent), m_window(window), m_status(status), m_errors(errors), m_owner(owner) {
    QPointer<PreviewFlow> self(this);
    m_window.setFolderSource([self]() -> QString {
        if (!self)
            return {};
        return self->m_folderSource ? self->m_folderSource() : self->m_lastFolder;
    });
    connect(&m_window, &PreviewWindow::renameFinished, this, &PreviewFlow::renameFinished);
}

void PreviewFlow::setFolderSource(std::function<QString()> folder) {
    m_folderSource = std::move(folder);
}

void PreviewFlow::showRows(std::vector<PreviewEntry> rows) {
    m_window.setListedFolder({});
    m_window.showRows(std::move(rows));
}

void PreviewFlow::preview(const QString &folder, const std::vector<FileEntry> &files,
                          const RuleTable &rules, const FolderIdentity &listed) {
    preview(folder, tickedRowsOf(files), rules, listed);
}

void PreviewFlow::preview(const QString &folder, TickedRows files, const RuleTable &rules,
                          const FolderIdentity &listed) {
    if (isRunning())
        return;
    Q_EMIT previewEnabledChanged(false);
    m_window.clearRows();
    if (rules.slot(1).isFree()) {
        Q_EMIT messageRequested(NoRulesMessage);
        Q_EMIT previewEnabledChanged(true);
        Q_EMIT previewFinished(false);
        return;
    }
    m_lastFolder = folder;
    m_lastListed = listed;
    if (m_owner)
        m_owner->setCursor(Qt::WaitCursor);

    const auto ticked = qint64(files.ticked.size());
    m_status.reset();
    const auto total =
        qint32(std::min<qint64>(ticked * rules.ruleCount(), std::numeric_limits<qint32>::max()));
    m_status.setCompleted(total, 0);
    placeOver(&m_status, m_owner);
    bringToFront(&m_status);

    m_job = startPreviewForReview(rules, folder, std::move(files), m_errors, this,
                                  [this](PreviewResult result, PreparedReview prepared) {
                                      done(std::move(result), std::move(prepared));
                                  });
    m_status.follow(m_job);
}

void PreviewFlow::done(PreviewResult result, PreparedReview prepared) {
    m_job = nullptr; // it deletes itself
    m_status.follow(nullptr);
    m_status.hide();
    if (m_owner)
        m_owner->unsetCursor();
    const bool shown = result.outcome == PreviewOutcome::Done;
    if (shown) {
        placeOver(&m_window, m_owner);
        m_window.setListedFolder(m_lastListed);
        m_window.showPrepared(std::move(prepared));
    }
    // A cancelled run's rows are of no use; a million of them take a while to free.
    if (!result.rows.empty())
        freeOffThread(std::move(result.rows));
    Q_EMIT previewEnabledChanged(true);
    Q_EMIT previewFinished(shown);
}

} // namespace tallowin::ui
