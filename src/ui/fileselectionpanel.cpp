#include "ui/fileselectionpanel.h"

#include "shell/coretext.h"
#include "shell/errorreport.h"
#include "shell/locations.h"
#include "shell/settingsstore.h"
#include "ui/filelistmodel.h"
#include "ui/folderpicker.h"
#include "ui/job.h"
#include "ui/settingswriter.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace tallowin::ui {

namespace {

// Marked here, translated where shown: translators load after these are made.
const char *const ListTip = QT_TRANSLATE_NOOP(
    "tallowin::ui::FileSelectionPanel", "Select all the files you want to automatically rename");
const char *const FilterTip = QT_TRANSLATE_NOOP(
    "tallowin::ui::FileSelectionPanel",
    "Use this to limit the files you wish to view by broad definition.  Use * to specify ANY "
    "characters, for example \"My*\" would show only files that start with \"My\" such as "
    "\"MyPicture, MyMusic, etc.\"");
const QString HelpFiles = QStringLiteral("page15.html");

// A header section wide enough for its caption and the sort arrow beside it.
int headerWidth(const QHeaderView *h, int section) {
    const QString text = h->model()->headerData(section, Qt::Horizontal).toString();
    const QStyle *st = h->style();
    const int margin = st->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
    const int arrow = st->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, h);
    QFont bold = h->font();
    bold.setBold(true); // some styles draw the sorted caption bold
    return QFontMetrics(bold).horizontalAdvance(text) + 4 * margin + arrow + 8;
}

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

FileSelectionPanel::FileSelectionPanel(SettingsStore &settings, ErrorReporter &errors,
                                       QWidget *parent)
    : QWidget(parent), m_settings(settings), m_errors(errors) {
    m_writer = new SettingsWriter(settings, errors, this);
    m_model = new FileListModel(this);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 6, 0);
    v->setSpacing(10);
    v->addWidget(buildLocation());
    v->addWidget(buildFileList(), 1);

    for (const char *name : {"chkShowHiddenFiles", "chkShowSystemFiles", "dirFileLocation",
                             "drvFileLocation", "lstFilesToRename", "txtFileName", "txtFileType"})
        m_help.insert(QLatin1String(name), HelpFiles);
}

// The running listing is a child of the panel: its destructor cancels and waits for the work.
FileSelectionPanel::~FileSelectionPanel() = default;

QWidget *FileSelectionPanel::buildLocation() {
    auto *where = new QGroupBox(tr("Select Location of Files To Rename"), this);
    where->setObjectName(QStringLiteral("fraFileLocation"));
    auto *g = new QGridLayout(where);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);

    // The rule pages take Alt+D: the picker's captions have no Alt keys here.
    m_picker = new FolderPicker(tr("Select Location of Files To Rename"), where,
                                FolderPicker::PlainCaptions);
    connect(m_picker, &FolderPicker::folderChanged, this, &FileSelectionPanel::folderChosen);
    connect(m_picker, &FolderPicker::messageRequested, this, &FileSelectionPanel::messageRequested);
    m_picker->placeIn(g, 0);

    auto *filters = new QHBoxLayout;
    filters->setSpacing(6);
    m_nameFilter = new QLineEdit(QStringLiteral("*"), where);
    m_nameFilter->setObjectName(QStringLiteral("txtFileName"));
    m_nameFilter->setToolTip(tr(FilterTip));
    m_typeFilter = new QLineEdit(QStringLiteral("*"), where);
    m_typeFilter->setObjectName(QStringLiteral("txtFileType"));
    m_typeFilter->setToolTip(tr(FilterTip));
    m_typeFilter->setMaximumWidth(90);
    auto *filter = new PictureButton(QStringLiteral("cmdFilterFiles"),
                                     themedIcon("view-filter", "filter"), tr("Filter"), where);
    auto *clearFilter =
        new PictureButton(QStringLiteral("cmdClearFilter"),
                          themedIcon("edit-clear", "filter-clear"), tr("Clear Filter"), where);
    filters->addWidget(m_nameFilter, 2);
    filters->addWidget(buddyLabel(tr("Type"), m_typeFilter, where));
    filters->addWidget(m_typeFilter, 1);
    filters->addWidget(filter);
    filters->addWidget(clearFilter);
    g->addWidget(buddyLabel(tr("Name Like"), m_nameFilter, where), 2, 0);
    g->addLayout(filters, 2, 1, 1, 3);
    connect(filter, &QAbstractButton::clicked, this, &FileSelectionPanel::listFiles);
    connect(clearFilter, &QAbstractButton::clicked, this, [this] {
        m_nameFilter->setText(QStringLiteral("*"));
        m_typeFilter->setText(QStringLiteral("*"));
        listFiles();
    });
    // Enter in a filter box filters, as a user would expect from a search field.
    connect(m_nameFilter, &QLineEdit::returnPressed, this, &FileSelectionPanel::listFiles);
    connect(m_typeFilter, &QLineEdit::returnPressed, this, &FileSelectionPanel::listFiles);

    auto *options = new QHBoxLayout;
    m_hidden = new QCheckBox(tr("Show Hidden Files"), where);
    m_hidden->setObjectName(QStringLiteral("chkShowHiddenFiles"));
    m_hidden->setToolTip(tr("Check this box if you want to see/rename hidden files."));
    m_system = new QCheckBox(tr("Show System Files"), where);
    m_system->setObjectName(QStringLiteral("chkShowSystemFiles"));
    // On Linux only Windows drives (vfat, NTFS, CIFS) mark files as system files.
    m_system->setToolTip(tr("Check this box to see and rename files marked as system files on "
                            "Windows drives (FAT, NTFS or network shares); not recommended"));
    connect(m_hidden, &QCheckBox::toggled, this, &FileSelectionPanel::showHiddenChanged);
    connect(m_system, &QCheckBox::toggled, this, &FileSelectionPanel::showSystemChanged);
    options->addWidget(m_hidden);
    options->addWidget(m_system);
    options->addStretch(1);
    g->addLayout(options, 3, 1, 1, 3);
    g->setColumnStretch(1, 1);
    return where;
}

QWidget *FileSelectionPanel::buildFileList() {
    auto *files =
        new QGroupBox(tr("Select The Files You Wish To Rename (Click Column To Sort)"), this);
    files->setObjectName(QStringLiteral("fraFileList"));
    auto *fv = new QVBoxLayout(files);
    fv->setSpacing(6);
    m_view = new QTableView(files);
    m_view->setObjectName(QStringLiteral("lstFilesToRename"));
    m_view->setToolTip(tr(ListTip));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setShowGrid(false);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    setUpItemView(m_view, tr("Files to rename"),
                  tr("Tick the files to rename; Space ticks or unticks the current "
                     "file"));
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The name takes the room left by the date and the number, which are as wide as their
    // captions with the sort arrow (or a date), so no caption is cut when the list is narrow.
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(FileListModel::NameColumn, QHeaderView::Stretch);
    const int dateWidth =
        m_view->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00:00 AM")) + 16;
    header->resizeSection(FileListModel::DateColumn,
                          std::max(dateWidth, headerWidth(header, FileListModel::DateColumn)));
    header->resizeSection(FileListModel::NumberColumn,
                          headerWidth(header, FileListModel::NumberColumn));
    connect(header, &QHeaderView::sectionClicked, this, &FileSelectionPanel::sortByColumn);
    connect(m_model, &FileListModel::countsChanged, this, &FileSelectionPanel::updateCounts);
    connect(m_model, &FileListModel::sorted, this, [this](int column, Qt::SortOrder order) {
        QHeaderView *h = m_view->horizontalHeader();
        h->setSortIndicatorShown(true);
        h->setSortIndicator(column, order);
    });
    connect(m_model, &FileListModel::sortFailed, this, [this](const QString &message) {
        updateBusy();
        QMessageBox::critical(this, coreText(SortErrorTitle), message);
    });
    connect(m_model, &FileListModel::sortFinished, this, &FileSelectionPanel::updateBusy);
    fv->addWidget(m_view, 1);

    auto *bottom = new QHBoxLayout;
    auto *all =
        new PictureButton(QStringLiteral("cmdSelectAllFiles"),
                          themedIcon("edit-select-all", "select-all"), tr("Select All"), files);
    auto *none =
        new PictureButton(QStringLiteral("cmdClearAllFiles"),
                          themedIcon("edit-select-none", "select-none"), tr("Clear All"), files);
    connect(all, &QAbstractButton::clicked, this, [this] { m_model->setAllChecked(true); });
    connect(none, &QAbstractButton::clicked, this, [this] { m_model->setAllChecked(false); });
    m_busy = new QProgressBar(files);
    m_busy->setObjectName(QStringLiteral("prgListing"));
    m_busy->setAccessibleName(tr("Working"));
    m_busy->setRange(0, 0);
    m_busy->setMaximumHeight(6);
    m_busy->setTextVisible(false);
    // A line of its own under the list that keeps its room while hidden: showing it never
    // widens the window beyond a small screen or moves the controls.
    QSizePolicy keep = m_busy->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_busy->setSizePolicy(keep);
    m_busy->hide();
    m_shown = new QLabel(tr("0 Files Shown"), files);
    m_shown->setObjectName(QStringLiteral("lblFilesShown"));
    m_selected = new QLabel(tr("0 Files Selected"), files);
    m_selected->setObjectName(QStringLiteral("lblFilesSelected"));
    bottom->addWidget(all);
    bottom->addWidget(none);
    bottom->addStretch(1);
    bottom->addWidget(m_selected);
    bottom->addSpacing(12);
    bottom->addWidget(m_shown);
    fv->addWidget(m_busy);
    fv->addLayout(bottom);
    return files;
}

void FileSelectionPanel::setFolder(const QString &folder) {
    m_picker->setFolder(folder); // stored and listed by folderChosen
}

void FileSelectionPanel::folderChosen(const QString &folder) {
    store(Settings::LastPath, folder, Locations::FolderChange);
    listFiles();
}

QString FileSelectionPanel::folder() const {
    return m_picker->folder();
}

void FileSelectionPanel::showFiles(const QString &folder, const FolderIdentity &listed,
                                   std::vector<FileEntry> rows) {
    m_picker->showFolder(folder);
    store(Settings::LastPath, m_picker->folder(), Locations::FolderChange);
    // A running listing of the old folder must not replace the rows handed over.
    ++m_listGeneration;
    if (m_listJob)
        m_listJob->cancel();
    m_model->cancelSort();
    m_listedFolder = listed;
    m_model->setRows(std::move(rows));
    m_view->horizontalHeader()->setSortIndicatorShown(false);
    m_listing = false;
    updateBusy();
}

void FileSelectionPanel::store(const QString &key, const QString &value, qint32 location) {
    // Written off this thread; the system says why, if the settings file could not be written.
    m_writer->save(Settings::Section, key, value, location);
}

void FileSelectionPanel::showHiddenChanged(bool on) {
    if (m_loading)
        return;
    store(Settings::ShowHidden, on ? QStringLiteral("1") : QStringLiteral("0"),
          Locations::ShowHiddenFiles);
    listFiles();
}

void FileSelectionPanel::showSystemChanged(bool on) {
    if (m_loading)
        return;
    const int stored =
        m_settings
            .setting(Settings::App, Settings::Section, Settings::ShowSystem, QStringLiteral("0"))
            .toInt();
    if (stored == 0 && on) {
        QMessageBox box(QMessageBox::NoIcon, tr("WARNING: POTENTIAL HAZARD"),
                        tr("WARNING:  Files marked as system files on a Windows "
                           "drive belong to Windows; renaming them CAN stop Windows "
                           "from starting from that drive.  This is ONLY recommended "
                           "for EXPERT users, are you sure you wish to do this?"),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setObjectName(QStringLiteral("msgSystemWarning"));
        if (box.exec() != QMessageBox::Ok) {
            // Unticking runs this handling again, which stores "0" and lists.
            m_system->setChecked(false);
            return;
        }
    }
    store(Settings::ShowSystem, on ? QStringLiteral("1") : QStringLiteral("0"),
          Locations::ShowSystemFiles);
    listFiles();
}

void FileSelectionPanel::load() {
    m_loading = true;
    const QString last = m_settings.setting(Settings::App, Settings::Section, Settings::LastPath);
    // A folder that was removed since is skipped; the picker stays where it is.
    if (!last.isEmpty() && QFileInfo(last).isDir()) {
        m_picker->showFolder(last);
        store(Settings::LastPath, m_picker->folder(), Locations::LoadMainWindow);
    }
    auto flag = [this](const QString &key) {
        const QString v =
            m_settings.setting(Settings::App, Settings::Section, key, QStringLiteral("0"));
        bool ok = false;
        const int n = v.trimmed().toShort(&ok);
        if (!ok) {
            m_errors.report(Locations::LoadMainWindow, ErrorNumbers::TypeMismatch);
            return false;
        }
        return n != 0;
    };
    m_system->setChecked(flag(Settings::ShowSystem));
    m_hidden->setChecked(flag(Settings::ShowHidden));
    m_loading = false;
    listFiles();
}

void FileSelectionPanel::updateBusy() {
    m_busy->setVisible(m_listing || m_model->isSorting());
}

void FileSelectionPanel::listFiles() {
    if (m_loading)
        return;
    DirectoryFilter filter;
    filter.nameLike = m_nameFilter->text();
    filter.type = m_typeFilter->text();
    filter.showHidden = m_hidden->isChecked();
    filter.showSystem = m_system->isChecked();
    const quint64 generation = ++m_listGeneration;
    // A newer listing replaces the running one, and any sort of the old rows.
    if (m_listJob)
        m_listJob->cancel();
    m_model->cancelSort();
    m_listing = true;
    updateBusy();
    m_listJob = startListing(m_picker->folder(), filter, m_errors, this,
                             [this, generation](DirectoryListing listing, DirectoryFilter cleaned) {
                                 if (generation != m_listGeneration)
                                     return;
                                 m_nameFilter->setText(cleaned.nameLike);
                                 m_typeFilter->setText(cleaned.type);
                                 m_listedFolder = listing.folder;
                                 m_model->setRows(std::move(listing.rows));
                                 m_view->horizontalHeader()->setSortIndicatorShown(false);
                                 m_listing = false;
                                 updateBusy();
                                 Q_EMIT listingFinished();
                             });
}

void FileSelectionPanel::sortByColumn(int column) {
    m_model->sortByColumn(column);
    updateBusy();
}

void FileSelectionPanel::updateCounts() {
    m_selected->setText(tr("%1 Files Selected").arg(m_model->checkedCount()));
    m_shown->setText(tr("%1 Files Shown").arg(m_model->rowCount()));
}

} // namespace tallowin::ui
