#include "ui/listfilewindow.h"

#include "ui/chrome.h"
#include "ui/folderpicker.h"
#include "ui/job.h"
#include "ui/statuswindow.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace tallowin::ui {

// Marked here, translated where shown: translators load after these are made.
const QStringList ListFileWindow::FileFilters = {
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::ui::ListFileWindow", "Text Files (*.txt)")),
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::ui::ListFileWindow", "Comma Seperated (*.csv)")),
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::ui::ListFileWindow", "Tab Seperated (*.tab)")),
    QStringLiteral(QT_TRANSLATE_NOOP("tallowin::ui::ListFileWindow", "All Files (*)"))};

ListFileWindow::ListFileWindow(StatusWindow &status, ErrorReporter &errors, QWidget *parent)
    : QWidget(parent), m_status(status), m_errors(errors) {
    setObjectName(QStringLiteral("frmFromFile"));
    setWindowTitle(tr("Tallowin - Rename From File"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(8);
    layout->addWidget(new HeaderBar(tr("Rename From File"), this));

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 4, 16, 4);
    body->setSpacing(8);
    auto *about =
        new QLabel(tr("This is an advanced feature that will allow you to rename files based on "
                      "information contained in a text based file such as a comma or tab "
                      "delimited file.  Your file must contain 2 columns, the first column "
                      "being the name of the file now, and the second column being the name "
                      "you want the file to be."),
                   this);
    about->setObjectName(QStringLiteral("Label1"));
    about->setWordWrap(true);
    body->addWidget(about);

    auto *folderCaption = new QLabel(tr("Folder With Files To Rename:"), this);
    folderCaption->setObjectName(QStringLiteral("lblSelectDirectory"));
    m_picker = new FolderPicker(tr("Folder With Files To Rename"), this);
    folderCaption->setBuddy(m_picker->path());
    connect(m_picker, &FolderPicker::messageRequested, this, &ListFileWindow::messageRequested);
    body->addWidget(folderCaption);
    body->addLayout(m_picker->makeLayout());

    auto *fileCaption = new QLabel(tr("File Containing Rename Information:"), this);
    fileCaption->setObjectName(QStringLiteral("Label2"));
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("txtFile"));
    m_file->setAccessibleName(tr("File Containing Rename Information"));
    m_file->setToolTip(tr("The full path of the file that lists the new names"));
    fileCaption->setBuddy(m_file);
    auto *locate = new QToolButton(this);
    locate->setObjectName(QStringLiteral("cmdLocate"));
    locate->setIcon(themedIcon("document-open", "load"));
    locate->setToolTip(tr("Choose the file"));
    locate->setAccessibleName(tr("Choose the file"));
    connect(locate, &QToolButton::clicked, this, &ListFileWindow::locate);
    connect(m_file, &QLineEdit::returnPressed, this, &ListFileWindow::preview);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(locate);
    body->addWidget(fileCaption);
    body->addLayout(fileRow);

    auto *format = new QGroupBox(tr("File Format"), this);
    format->setObjectName(QStringLiteral("fraFormat"));
    auto *g = new QGridLayout(format);
    m_comma = new QRadioButton(tr("&Comma Delimited"), format);
    m_comma->setObjectName(QStringLiteral("optComma"));
    m_comma->setChecked(true);
    m_tab = new QRadioButton(tr("&Tab Delimited"), format);
    m_tab->setObjectName(QStringLiteral("optTab"));
    m_other = new QRadioButton(tr("&Other Delimiter"), format);
    m_other->setObjectName(QStringLiteral("optOther"));
    auto *delimiterCaption = new QLabel(tr("Delimiter"), format);
    delimiterCaption->setObjectName(QStringLiteral("Label3"));
    m_delimiter = new QLineEdit(format);
    m_delimiter->setObjectName(QStringLiteral("txtDelimiter"));
    m_delimiter->setAccessibleName(tr("Other delimiter"));
    m_delimiter->setToolTip(tr("The text between the two names, matched exactly"));
    m_delimiter->setMaximumWidth(120);
    delimiterCaption->setBuddy(m_delimiter);
    // Typing a delimiter means the user wants it used.
    connect(m_delimiter, &QLineEdit::textEdited, m_other, [this] { m_other->setChecked(true); });
    m_header = new QCheckBox(tr("&First Row Contains Field Name"), format);
    m_header->setObjectName(QStringLiteral("chkFirstRowNames"));
    for (QAbstractButton *b :
         std::initializer_list<QAbstractButton *>{m_comma, m_tab, m_other, m_header})
        b->setAccessibleName(b->text().remove(u'&'));
    g->addWidget(m_comma, 0, 0);
    g->addWidget(m_tab, 1, 0);
    g->addWidget(m_other, 2, 0);
    g->addWidget(delimiterCaption, 2, 1);
    g->addWidget(m_delimiter, 2, 2);
    g->addWidget(m_header, 3, 0, 1, 3);
    g->setColumnStretch(3, 1);
    body->addWidget(format);
    body->addStretch(1);
    layout->addLayout(body, 1);

    m_preview = makeButton(QStringLiteral("cmdPreview"), tr("&Preview"), this, true);
    m_preview->setAccessibleName(tr("Preview"));
    m_preview->setToolTip(tr("Read the file and show the new names"));
    m_cancel = makeButton(QStringLiteral("cmdCancel"), tr("Cancel"), this);
    m_cancel->setAccessibleName(tr("Cancel"));
    connect(m_preview, &QPushButton::clicked, this, &ListFileWindow::preview);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::hide);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_preview);
    layout->addLayout(buttons);
    resize(600, 520);
}

// A reading still running belongs to this window: it is cancelled and waited for.
ListFileWindow::~ListFileWindow() {
    if (m_job) {
        m_status.follow(nullptr);
        delete m_job.data();
    }
}

QString ListFileWindow::folder() const {
    return m_picker->folder();
}

void ListFileWindow::setFolder(const QString &folder) {
    m_picker->setFolder(folder);
}

void ListFileWindow::locate() {
    const QString current = m_file->text();
    const QString start = QFileInfo(current).isFile() ? current : m_picker->folder();
    auto *dialog = new QFileDialog(this, tr("File Containing Rename Information"), start);
    dialog->setObjectName(QStringLiteral("CD1"));
    dialog->setFileMode(QFileDialog::ExistingFile);
    QStringList filters;
    for (const QString &filter : FileFilters)
        filters << tr(qUtf8Printable(filter));
    dialog->setNameFilters(filters);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // A cancelled dialog leaves the box as it was.
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString &path) { m_file->setText(QDir::toNativeSeparators(path)); });
    dialog->open();
}

void ListFileWindow::preview() {
    if (m_job)
        return;
    ListFile::Options options;
    options.path = m_file->text();
    options.delimiter = m_comma->isChecked() ? ListFile::Delimiter::Comma
                        : m_tab->isChecked() ? ListFile::Delimiter::Tab
                                             : ListFile::Delimiter::Other;
    options.otherDelimiter = m_delimiter->text();
    options.header = m_header->isChecked();
    const QString folder = m_picker->folder();

    auto result = std::make_shared<ListFile::Result>();
    auto prepared = std::make_shared<PreparedReview>();
    ListFile::Reader *reader = m_reader;
    m_job = new Job(
        [options, folder, result, prepared, reader](Progress &progress, ErrorReporter &errors) {
            *result = ListFile::load(options, folder, errors, &progress, reader);
            // The preview window's review of a million rows is prepared here, not on its thread.
            if (result->outcome == ListFile::Outcome::Loaded)
                *prepared = prepareReview(std::move(result->rows));
        },
        m_errors, this);
    m_preview->setEnabled(false);
    m_status.reset();
    m_status.follow(m_job);
    // The progress window comes up with the reading's first caption, which the reading gives
    // only once the file and the delimiter passed their checks: a refusal shows no progress.
    connect(m_job, &Job::statusChanged, this, [this] {
        if (!m_status.isVisible()) {
            placeOver(&m_status, this);
            bringToFront(&m_status);
        }
    });
    connect(m_job, &Job::finished, this,
            [this, folder, result, prepared] { finish(folder, std::move(*result), prepared); });
    m_job->start();
}

void ListFileWindow::finish(const QString &folder, ListFile::Result result,
                            const std::shared_ptr<PreparedReview> &prepared) {
    m_job = nullptr; // it deletes itself
    m_status.follow(nullptr);
    m_status.hide();
    m_preview->setEnabled(true);
    switch (result.outcome) {
    case ListFile::Outcome::Loaded: {
        // The lines that gave no row are told in one message, put in front of the preview so
        // it is read before anything is renamed. With no row left there is nothing to preview.
        const size_t rows = prepared->rows ? prepared->rows->size() : 0;
        const QString skipped = ListFile::skippedMessage(result.skipped, rows);
        if (rows > 0 || skipped.isEmpty())
            Q_EMIT rowsLoaded(folder, prepared);
        if (!skipped.isEmpty())
            Q_EMIT messageRequested(skipped);
        break;
    }
    case ListFile::Outcome::Message:
        Q_EMIT messageRequested(result.message);
        break;
    case ListFile::Outcome::Failed:    // the error window has the reason
    case ListFile::Outcome::Cancelled: // the user asked for nothing more
        break;
    }
    Q_EMIT loadFinished();
}

void ListFileWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        Q_EMIT helpPageRequested(QStringLiteral("index.html"));
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tallowin::ui
