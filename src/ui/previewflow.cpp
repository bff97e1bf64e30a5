#include "ui/previewflow.h"

#include "ui/chrome.h"
#include "ui/job.h"
#include "ui/messagewindow.h"
#include "ui/previewwindow.h"
#include "ui/statuswindow.h"

#include <QWidget>

#include <limits>

namespace tallowin::ui {

PreviewFlow::PreviewFlow(QWidget *owner, QObject *parent) : QObject(parent), m_owner(owner) {
    PreviewWindow *w = window();
    QPointer<PreviewFlow> self(this);
    w->setFolderSource([self]() -> QString {
        if (!self)
            return {};
        return self->m_folderSource ? self->m_folderSource() : self->m_lastFolder;
    });
    connect(w, &PreviewWindow::renameFinished, this, &PreviewFlow::renameFinished);
}

PreviewWindow *PreviewFlow::window() const { return previewWindow(); }

void PreviewFlow::setFolderSource(std::function<QString()> folder) {
    m_folderSource = std::move(folder);
}

void PreviewFlow::showRows(std::vector<PreviewEntry> rows) { window()->showRows(std::move(rows)); }

void PreviewFlow::preview(const QString &folder, const std::vector<FileEntry> &files,
                          const RuleTable &rules) {
    if (isRunning())
        return;
    Q_EMIT previewEnabledChanged(false);
    window()->clearRows();
    if (rules.slot(1).isFree()) {
        showMessage(NoRulesMessage);
        Q_EMIT previewEnabledChanged(true);
        Q_EMIT previewFinished(false);
        return;
    }
    m_lastFolder = folder;
    if (m_owner)
        m_owner->setCursor(Qt::WaitCursor);

    qint64 ticked = 0;
    for (const FileEntry &f : files)
        ticked += f.Checked ? 1 : 0;
    StatusWindow *status = statusWindow();
    status->reset();
    qint32 total =
        qint32(std::min<qint64>(ticked * rules.ruleCount(), std::numeric_limits<qint32>::max()));
    status->SetCompleted(total, 0);
    placeOver(status, m_owner);
    bringToFront(status);

    m_job = startPreview(rules, folder, files, this,
                         [this](PreviewResult result) { done(std::move(result)); });
    status->follow(m_job);
}

void PreviewFlow::done(PreviewResult result) {
    m_job = nullptr; // it deletes itself
    StatusWindow *status = statusWindow();
    status->follow(nullptr);
    status->hide();
    if (m_owner)
        m_owner->unsetCursor();
    const bool shown = result.outcome == PreviewOutcome::Done;
    if (shown) {
        placeOver(window(), m_owner);
        window()->showRows(std::move(result.rows));
    }
    Q_EMIT previewEnabledChanged(true);
    Q_EMIT previewFinished(shown);
}

} // namespace tallowin::ui
