#include "ui/renamesummary.h"

#include "shell/filenamecodec.h"
#include "ui/chrome.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tallowin::ui {

QString renameRunText(const RenameRun &run) {
    const qsizetype failed = run.failedCount();
    const qsizetype renamed = qsizetype(run.outcomes.size()) - failed;
    if (failed == 0)
        return renamed == 1 ? RenameSummaryWindow::tr("1 file renamed.")
                            : RenameSummaryWindow::tr("%1 files renamed.").arg(renamed);
    return RenameSummaryWindow::tr("%1 renamed, %2 failed").arg(renamed).arg(failed);
}

RenameSummaryWindow::RenameSummaryWindow(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmRenameSummary"));
    setWindowTitle(tr("Tallowin - Rename Summary"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(8);
    layout->addWidget(new HeaderBar(tr("Some files were not renamed"), this));

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 4, 16, 4);
    body->setSpacing(8);
    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("lblRenameCounts"));
    m_counts->setStyleSheet(QStringLiteral("font-weight: bold;"));
    body->addWidget(m_counts);
    auto *intro = new QLabel(tr("These files keep their old names:"), this);
    body->addWidget(intro);

    m_model = new QStandardItemModel(0, 3, this);
    m_model->setHorizontalHeaderLabels({tr("Old Name"), tr("New Name"), tr("Reason")});
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("lstRenameFailures"));
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAlternatingRowColors(true);
    m_list->setWordWrap(false);
    m_list->setShowGrid(false);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    setUpItemView(m_list, tr("Files not renamed"),
                  tr("Each file that kept its old name, its new name and why"));
    intro->setBuddy(m_list);
    body->addWidget(m_list, 1);
    layout->addLayout(body, 1);

    m_copy = makeButton(QStringLiteral("cmdCopy"), tr("&Copy"), this);
    m_copy->setToolTip(tr("Copy this list as text"));
    m_close = makeButton(QStringLiteral("cmdClose"), tr("Close"), this, true);
    m_close->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(m_copy, &QPushButton::clicked, this, &RenameSummaryWindow::copy);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    const int em = fontMetrics().height();
    resize(44 * em, 24 * em);
}

void RenameSummaryWindow::setRun(const RenameRun &run) {
    m_counts->setText(renameRunText(run));
    m_model->removeRows(0, m_model->rowCount());
    for (const RenameOutcome &o : run.outcomes) {
        if (o.ok)
            continue;
        QList<QStandardItem *> row{new QStandardItem(displayName(nameFromBytes(o.oldBytes))),
                                   new QStandardItem(displayName(o.newName)),
                                   new QStandardItem(o.reason)};
        row[0]->setData(o.message, Qt::ToolTipRole);
        // A screen reader says the whole row at once.
        row[0]->setData(tr("%1 to %2: %3").arg(row[0]->text(), row[1]->text(), o.reason),
                        Qt::AccessibleTextRole);
        m_model->appendRow(row);
    }
    m_list->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        m_list->setCurrentIndex(m_model->index(0, 0));
}

QString RenameSummaryWindow::counts() const {
    return m_counts->text();
}

QStringList RenameSummaryWindow::failures() const {
    QStringList lines;
    for (int r = 0; r < m_model->rowCount(); ++r)
        lines << m_model->item(r, 0)->text() + u'\t' + m_model->item(r, 1)->text() + u'\t' +
                     m_model->item(r, 2)->text();
    return lines;
}

QString RenameSummaryWindow::report() const {
    return QStringLiteral("%1\n%2\t%3\t%4\n%5\n")
        .arg(counts(), tr("Old Name"), tr("New Name"), tr("Reason"), failures().join(u'\n'));
}

void RenameSummaryWindow::copy() const {
    QApplication::clipboard()->setText(report());
}

void RenameSummaryWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tallowin::ui
