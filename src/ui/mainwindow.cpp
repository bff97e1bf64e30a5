#include "ui/mainwindow.h"

#include "shell/settingsstore.h"
#include "ui/filelistmodel.h"
#include "files/columnsort.h"
#include "ui/errorwindow.h"
#include "ui/hooks.h"
#include "ui/job.h"
#include "ui/messagewindow.h"
#include "ui/rulearea.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QSizeGrip>
#include <QSplitter>
#include <QStorageInfo>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace tallowin::ui {

namespace {

const QString ListTip = QStringLiteral("Select all the files you want to automatically rename");
const QString FilterTip = QStringLiteral(
    "Use this to limit the files you wish to view by broad definition.  Use * to specify ANY "
    "characters, for example \"My*\" would show only files that start with \"My\" such as "
    "\"MyPicture, MyMusic, etc.\"");
const QString NoMedia = QStringLiteral(
    "I am unable to display this drive because the media is not currently inserted.  Please "
    "insert a disc into this drive.");
const QString HelpFiles = QStringLiteral("page15.html");

// Only real storage is offered as a drive; kernel and container file systems are not.
bool isDrive(const QStorageInfo &s) {
    if (!s.isValid())
        return false;
    const QString root = s.rootPath();
    if (root == u"/")
        return true;
    const QByteArray dev = s.device();
    return dev.startsWith("/dev/") && !root.startsWith(QLatin1String("/boot")) &&
           !root.startsWith(QLatin1String("/snap"));
}

} // namespace

MainWindow::MainWindow(SettingsStore &settings, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_settings(settings) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tallowin"));
    setAttribute(Qt::WA_StyledBackground, true);
    // Not ClickFocus: a click on a focus-less button (a picker's) must not pull the focus
    // from an open picker list to the window.
    setFocusPolicy(Qt::NoFocus);
    m_dragger = new WindowDragger(this);
    m_dragger->watch(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(buildToolbar());

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("fraBody"));
    m_dragger->watch(body);
    auto *bodyLayout = new QHBoxLayout(body);
    bodyLayout->setContentsMargins(12, 12, 12, 4);
    auto *split = new QSplitter(Qt::Horizontal, body);
    split->setChildrenCollapsible(false);
    split->addWidget(buildFileArea());
    split->addWidget(buildRuleSide());
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({560, 640});
    bodyLayout->addWidget(split);
    layout->addWidget(body, 1);

    auto *foot = new QHBoxLayout;
    foot->setContentsMargins(12, 0, 0, 0);
    foot->addStretch(1);
    auto *grip = new QSizeGrip(this);
    grip->setObjectName(QStringLiteral("grpSize"));
    foot->addWidget(grip, 0, Qt::AlignBottom | Qt::AlignRight);
    layout->addLayout(foot);

    m_help = m_ruleArea->helpPages();
    for (const char *name : {"chkShowHiddenFiles", "chkShowSystemFiles", "dirFileLocation",
                             "drvFileLocation", "lstFilesToRename", "txtFileName", "txtFileType"})
        m_help.insert(QLatin1String(name), HelpFiles);

    applyStyle();
    resize(1220, 760);
    m_folder = QDir::currentPath();
    m_dir->setText(QDir::toNativeSeparators(m_folder));
    syncDriveToFolder();
}

// Running jobs are children of the window: their destructors cancel and wait for the work.
MainWindow::~MainWindow() = default;

QWidget *MainWindow::buildHeader() {
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("pictHeaderBar"));
    bar->setAttribute(Qt::WA_StyledBackground, true);
    bar->setToolTip(QStringLiteral("Click here and drag to move this window"));
    bar->setFixedHeight(34);
    auto *h = new QHBoxLayout(bar);
    h->setContentsMargins(12, 0, 12, 0);
    auto *icon = new QLabel(bar);
    ensureResources();
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tallowin.svg")).pixmap(20, 20));
    auto *title = new QLabel(QStringLiteral("Tallowin"), bar);
    title->setObjectName(QStringLiteral("lblTitle"));
    auto *sub = new QLabel(QStringLiteral("rename many files at once"), bar);
    sub->setObjectName(QStringLiteral("lblSubtitle"));
    h->addWidget(icon);
    h->addWidget(title);
    h->addWidget(sub);
    h->addStretch(1);
    // Without a title bar the window still needs the desktop's minimise and maximise.
    auto *minimise = new QToolButton(bar);
    minimise->setObjectName(QStringLiteral("cmdMinimize"));
    minimise->setText(QStringLiteral("\u2013"));
    minimise->setToolTip(QStringLiteral("Minimise"));
    minimise->setAutoRaise(true);
    connect(minimise, &QToolButton::clicked, this, &QWidget::showMinimized);
    auto *maximise = new QToolButton(bar);
    maximise->setObjectName(QStringLiteral("cmdMaximize"));
    maximise->setText(QStringLiteral("\u25a1"));
    maximise->setToolTip(QStringLiteral("Maximise or restore (or double-click the title)"));
    maximise->setAutoRaise(true);
    connect(maximise, &QToolButton::clicked, this,
            [this] { isMaximized() ? showNormal() : showMaximized(); });
    for (QToolButton *b : {minimise, maximise}) {
        b->setFocusPolicy(Qt::NoFocus);
        h->addWidget(b);
    }
    m_dragger->watch(bar);
    return bar;
}

QWidget *MainWindow::buildToolbar() {
    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("fraTopToolbar"));
    m_dragger->watch(bar);
    auto *h = new QHBoxLayout(bar);
    h->setContentsMargins(12, 6, 12, 6);
    h->setSpacing(4);
    struct Tool {
        const char *name, *caption, *theme, *resource;
        std::function<void()> action;
        bool captionClicks;
    };
    const Tool tools[] = {
        {"Standard", "Standard", "document-edit", "standard",
         [this] { m_ruleArea->switchToStandardView(); }, true},
        {"MP3", "MP3 Music", "audio-x-generic", "mp3", [this] { m_ruleArea->switchToMp3View(); },
         true},
        {"Wizard", "Wizard", "tools-wizard", "wizard",
         [] {
             if (hooks().showWizard)
                 hooks().showWizard();
         },
         true},
        {"FromFile", "From File", "document-import", "fromfile",
         [] {
             if (hooks().showFromFile)
                 hooks().showFromFile();
         },
         true},
        {"Help", "Help - F1", "help-contents", "help",
         [] {
             if (hooks().showHelpWindow)
                 hooks().showHelpWindow();
         },
         false},
        {"Exit", "Exit", "application-exit", "exit",
         [] {
             QApplication::closeAllWindows();
             QCoreApplication::exit(0);
         },
         true},
    };
    for (const Tool &t : tools) {
        auto *cell = new QWidget(bar);
        auto *v = new QVBoxLayout(cell);
        v->setContentsMargins(6, 0, 6, 0);
        v->setSpacing(0);
        auto *b = new PictureButton(QStringLiteral("cmd") + QLatin1String(t.name),
                                    themedIcon(t.theme, t.resource), {}, cell);
        b->setIconSize(QSize(30, 30));
        b->setToolTip(QString::fromUtf8(t.caption));
        auto *l = new CaptionLabel(QStringLiteral("lbl") + QLatin1String(t.name),
                                   QString::fromUtf8(t.caption), cell);
        l->setAlignment(Qt::AlignHCenter);
        v->addWidget(b, 0, Qt::AlignHCenter);
        v->addWidget(l, 0, Qt::AlignHCenter);
        connect(b, &QAbstractButton::clicked, this, t.action);
        if (t.captionClicks)
            connect(l, &CaptionLabel::clicked, this, t.action);
        if (QLatin1String(t.name) == QLatin1String("FromFile"))
            h->addSpacing(12);
        if (QLatin1String(t.name) == QLatin1String("Exit"))
            h->addStretch(1);
        h->addWidget(cell);
    }
    return bar;
}

QWidget *MainWindow::buildFileArea() {
    auto *side = new QWidget(this);
    auto *v = new QVBoxLayout(side);
    v->setContentsMargins(0, 0, 6, 0);
    v->setSpacing(10);

    auto *where = new QGroupBox(QStringLiteral("Select Location of Files To Rename"), side);
    where->setObjectName(QStringLiteral("fraFileLocation"));
    auto *g = new QGridLayout(where);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);

    m_drives = new QComboBox(where);
    m_drives->setObjectName(QStringLiteral("drvFileLocation"));
    m_drives->setToolTip(
        QStringLiteral("Select the drive containing the files you want to rename"));
    fillDrives();
    connect(m_drives, &QComboBox::activated, this, &MainWindow::drvFileLocation_Change);
    g->addWidget(new QLabel(QStringLiteral("Drive"), where), 0, 0);
    g->addWidget(m_drives, 0, 1, 1, 3);

    m_dir = new QLineEdit(where);
    m_dir->setObjectName(QStringLiteral("dirFileLocation"));
    m_dir->setToolTip(
        QStringLiteral("Select the directory containing the files you want to rename"));
    connect(m_dir, &QLineEdit::returnPressed, this, &MainWindow::dirFileLocation_Submit);
    auto *up = new QToolButton(where);
    up->setObjectName(QStringLiteral("cmdFolderUp"));
    up->setIcon(themedIcon("go-up", "rule-up"));
    up->setToolTip(QStringLiteral("Go to the parent folder"));
    connect(up, &QToolButton::clicked, this, [this] {
        QDir d(m_folder);
        if (d.cdUp())
            setFolder(d.absolutePath());
    });
    auto *browse = new QToolButton(where);
    browse->setObjectName(QStringLiteral("cmdBrowseFolder"));
    browse->setIcon(themedIcon("folder-open", "folder"));
    browse->setToolTip(QStringLiteral("Choose a folder"));
    connect(browse, &QToolButton::clicked, this, &MainWindow::browseFolder);
    g->addWidget(new QLabel(QStringLiteral("Folder"), where), 1, 0);
    g->addWidget(m_dir, 1, 1);
    g->addWidget(up, 1, 2);
    g->addWidget(browse, 1, 3);

    auto *filters = new QHBoxLayout;
    filters->setSpacing(6);
    m_nameFilter = new QLineEdit(QStringLiteral("*"), where);
    m_nameFilter->setObjectName(QStringLiteral("txtFileName"));
    m_nameFilter->setToolTip(FilterTip);
    m_typeFilter = new QLineEdit(QStringLiteral("*"), where);
    m_typeFilter->setObjectName(QStringLiteral("txtFileType"));
    m_typeFilter->setToolTip(FilterTip);
    m_typeFilter->setMaximumWidth(90);
    auto *filter = new PictureButton(QStringLiteral("cmdFilterFiles"),
                                     themedIcon("view-filter", "filter"), QStringLiteral("Filter"),
                                     where);
    auto *clearFilter =
        new PictureButton(QStringLiteral("cmdClearFilter"), themedIcon("edit-clear", "filter-clear"),
                          QStringLiteral("Clear Filter"), where);
    filters->addWidget(m_nameFilter, 2);
    filters->addWidget(new QLabel(QStringLiteral("Type"), where));
    filters->addWidget(m_typeFilter, 1);
    filters->addWidget(filter);
    filters->addWidget(clearFilter);
    g->addWidget(new QLabel(QStringLiteral("Name Like"), where), 2, 0);
    g->addLayout(filters, 2, 1, 1, 3);
    connect(filter, &QAbstractButton::clicked, this, &MainWindow::GetDirectoryFiles);
    connect(clearFilter, &QAbstractButton::clicked, this, [this] {
        m_nameFilter->setText(QStringLiteral("*"));
        m_typeFilter->setText(QStringLiteral("*"));
        GetDirectoryFiles();
    });
    // Enter in a filter box filters, as a user would expect from a search field.
    connect(m_nameFilter, &QLineEdit::returnPressed, this, &MainWindow::GetDirectoryFiles);
    connect(m_typeFilter, &QLineEdit::returnPressed, this, &MainWindow::GetDirectoryFiles);

    auto *options = new QHBoxLayout;
    m_hidden = new QCheckBox(QStringLiteral("Show Hidden Files"), where);
    m_hidden->setObjectName(QStringLiteral("chkShowHiddenFiles"));
    m_hidden->setToolTip(QStringLiteral("Check this box if you want to see/rename hidden files."));
    m_system = new QCheckBox(QStringLiteral("Show System Files"), where);
    m_system->setObjectName(QStringLiteral("chkShowSystemFiles"));
    m_system->setToolTip(QStringLiteral(
        "Check this box if you want to see/rename system files (NOT RECOMMENDED!!!)"));
    connect(m_hidden, &QCheckBox::toggled, this, &MainWindow::chkShowHiddenFiles_Click);
    connect(m_system, &QCheckBox::toggled, this, &MainWindow::chkShowSystemFiles_Click);
    options->addWidget(m_hidden);
    options->addWidget(m_system);
    options->addStretch(1);
    g->addLayout(options, 3, 1, 1, 3);
    g->setColumnStretch(1, 1);
    v->addWidget(where);

    auto *files = new QGroupBox(
        QStringLiteral("Select The Files You Wish To Rename (Click Column To Sort)"), side);
    files->setObjectName(QStringLiteral("fraFileList"));
    auto *fv = new QVBoxLayout(files);
    fv->setSpacing(6);
    m_model = new FileListModel(this);
    m_view = new QTableView(files);
    m_view->setObjectName(QStringLiteral("lstFilesToRename"));
    m_view->setToolTip(ListTip);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setShowGrid(false);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    // Fixed row heights: the view never measures 100,000 rows.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->resizeSection(FileListModel::NameColumn, 250);
    header->resizeSection(FileListModel::DateColumn, 150);
    connect(header, &QHeaderView::sectionClicked, this, &MainWindow::lstFilesToRename_ColumnClick);
    connect(m_model, &FileListModel::countsChanged, this, &MainWindow::updateCounts);
    fv->addWidget(m_view, 1);

    auto *bottom = new QHBoxLayout;
    auto *all = new PictureButton(QStringLiteral("cmdSelectAllFiles"),
                                  themedIcon("edit-select-all", "select-all"),
                                  QStringLiteral("Select All"), files);
    auto *none = new PictureButton(QStringLiteral("cmdClearAllFiles"),
                                   themedIcon("edit-select-none", "select-none"),
                                   QStringLiteral("Clear All"), files);
    connect(all, &QAbstractButton::clicked, this, [this] { m_model->setAllChecked(true); });
    connect(none, &QAbstractButton::clicked, this, [this] { m_model->setAllChecked(false); });
    m_busy = new QProgressBar(files);
    m_busy->setObjectName(QStringLiteral("prgListing"));
    m_busy->setRange(0, 0);
    m_busy->setMaximumWidth(90);
    m_busy->setMaximumHeight(10);
    m_busy->setTextVisible(false);
    m_busy->hide();
    m_shown = new QLabel(QStringLiteral("0 Files Shown"), files);
    m_shown->setObjectName(QStringLiteral("lblFilesShown"));
    m_selected = new QLabel(QStringLiteral("0 Files Selected"), files);
    m_selected->setObjectName(QStringLiteral("lblFilesSelected"));
    bottom->addWidget(all);
    bottom->addWidget(none);
    bottom->addStretch(1);
    bottom->addWidget(m_busy);
    bottom->addWidget(m_selected);
    bottom->addSpacing(12);
    bottom->addWidget(m_shown);
    fv->addLayout(bottom);
    v->addWidget(files, 1);
    return side;
}

QWidget *MainWindow::buildRuleSide() {
    auto *side = new QWidget(this);
    auto *v = new QVBoxLayout(side);
    v->setContentsMargins(6, 0, 0, 0);
    v->setSpacing(10);
    m_ruleArea = new RuleArea(m_rules, errorReporter(), side);
    v->addWidget(m_ruleArea, 1);
    auto *bottom = new QHBoxLayout;
    auto *load = new PictureButton(QStringLiteral("cmdLoad"), themedIcon("document-open", "load"),
                                   QStringLiteral("Load Rules"), side);
    auto *save = new PictureButton(QStringLiteral("cmdSave"), themedIcon("document-save", "save"),
                                   QStringLiteral("Save Rules"), side);
    m_preview = new PictureButton(QStringLiteral("cmdPreview"),
                                  themedIcon("document-preview", "preview"),
                                  QStringLiteral("Preview"), side);
    m_preview->setProperty("primary", true);
    m_preview->setToolTip(QStringLiteral("Show every ticked file's new name before renaming"));
    connect(load, &QAbstractButton::clicked, this, [] {
        if (hooks().loadRules)
            hooks().loadRules();
    });
    connect(save, &QAbstractButton::clicked, this, [] {
        if (hooks().saveRules)
            hooks().saveRules();
    });
    connect(m_preview, &QAbstractButton::clicked, this, &MainWindow::cmdPreview_Click);
    bottom->addWidget(load);
    bottom->addWidget(save);
    bottom->addStretch(1);
    bottom->addWidget(m_preview);
    v->addLayout(bottom);
    return side;
}

void MainWindow::applyStyle() {
    setStyleSheet(QStringLiteral(R"(
QWidget#frmMain { background: palette(window); border: 1px solid palette(dark); }
QWidget#pictHeaderBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #34495e, stop:1 #2c3e50); }
QWidget#pictHeaderBar QLabel, QWidget#pictHeaderBar QToolButton { color: #ecf0f1; }
QWidget#pictHeaderBar QToolButton { font-size: 12pt; padding: 0 8px; border: none; }
QWidget#pictHeaderBar QToolButton:hover { background: rgba(255, 255, 255, 40); }
QLabel#lblTitle { font-weight: bold; font-size: 11pt; }
QLabel#lblSubtitle { color: #bdc3c7; }
QFrame#fraTopToolbar { background: palette(base); border-bottom: 1px solid palette(midlight); }
QGroupBox { font-weight: bold; border: 1px solid palette(midlight); border-radius: 6px; margin-top: 10px; padding-top: 8px; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QGroupBox > QWidget { font-weight: normal; }
QLabel[tab="true"] { padding: 6px 14px; border: 1px solid palette(midlight); border-bottom: none;
  border-top-left-radius: 6px; border-top-right-radius: 6px; background: palette(button); }
QLabel[tab="true"][current="true"] { background: palette(base); font-weight: bold; }
QStackedWidget[pageArea="true"], QWidget[pageArea="true"] { background: palette(base);
  border: 1px solid palette(midlight); border-radius: 0 6px 6px 6px; }
QLabel[hint="true"] { color: palette(dark); }
QLabel[heading="true"] { font-weight: bold; }
QToolButton[primary="true"] { background: #2e86de; color: white; border-radius: 5px; padding: 5px 14px; font-weight: bold; }
QToolButton[primary="true"]:disabled { background: palette(mid); }
)"));
}

void MainWindow::fillDrives() {
    m_drives->clear();
    QStringList roots;
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes())
        if (isDrive(s) && !roots.contains(s.rootPath()))
            roots << s.rootPath();
    if (!roots.contains(QStringLiteral("/")))
        roots.prepend(QStringLiteral("/"));
    std::sort(roots.begin(), roots.end());
    for (const QString &r : std::as_const(roots)) {
        const QStorageInfo info(r);
        const QString label = info.displayName().isEmpty() || info.displayName() == r
                                  ? r
                                  : QStringLiteral("%1  (%2)").arg(r, info.displayName());
        m_drives->addItem(themedIcon("drive-harddisk", "drive"), label, r);
    }
}

// The drive shown is the mount point holding the folder.
void MainWindow::syncDriveToFolder() {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = m_drives->itemData(i).toString();
        const bool inside =
            root == u"/" || m_folder == root || m_folder.startsWith(root + u'/');
        if (inside && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0) {
        const QSignalBlocker block(m_drives);
        m_drives->setCurrentIndex(best);
    }
}

void MainWindow::drvFileLocation_Change(int index) {
    const QString root = m_drives->itemData(index).toString();
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable() || !QDir(root).isReadable()) {
        showMessage(NoMedia);
        syncDriveToFolder();
        return;
    }
    setFolder(root);
}

void MainWindow::dirFileLocation_Submit() {
    const QString typed = QDir::fromNativeSeparators(m_dir->text().trimmed());
    QString path = typed.startsWith(QLatin1String("~"))
                       ? QDir::homePath() + typed.mid(1)
                       : typed;
    if (!QFileInfo(path).isDir()) {
        showMessage(QStringLiteral("The folder \"%1\" cannot be found.").arg(typed));
        m_dir->setText(QDir::toNativeSeparators(m_folder));
        return;
    }
    setFolder(path);
}

void MainWindow::browseFolder() {
    auto *dialog = new QFileDialog(this, QStringLiteral("Select Location of Files To Rename"),
                                   m_folder);
    dialog->setObjectName(QStringLiteral("dlgFolder"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString &f) { setFolder(f); });
    dialog->open();
}

void MainWindow::setFolder(const QString &folder) {
    m_folder = QDir::cleanPath(QDir(folder).absolutePath());
    m_dir->setText(QDir::toNativeSeparators(m_folder));
    syncDriveToFolder();
    store(Settings::LastPath, m_folder, 87);
    GetDirectoryFiles();
}

void MainWindow::store(const QString &key, const QString &value, qint32 location) {
    if (!m_settings.SaveSetting(Settings::App, Settings::Section, key, value))
        errorReporter().report(location, 75,
                               QStringLiteral("Path/File access error: cannot write %1")
                                   .arg(m_settings.fileName()));
}

void MainWindow::chkShowHiddenFiles_Click(bool on) {
    if (m_loading)
        return;
    store(Settings::ShowHidden, on ? QStringLiteral("1") : QStringLiteral("0"), 27);
    GetDirectoryFiles();
}

void MainWindow::chkShowSystemFiles_Click(bool on) {
    if (m_loading)
        return;
    const int stored =
        m_settings.GetSetting(Settings::App, Settings::Section, Settings::ShowSystem,
                              QStringLiteral("0"))
            .toInt();
    if (stored == 0 && on) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("WARNING: POTENTIAL HAZARD"),
                        QStringLiteral("WARNING:  Renaming system files CAN cause your computer "
                                       "to crash and not be bootable in Linux.  This is ONLY "
                                       "recommened for EXPERT users, are you sure you wish to do "
                                       "this?"),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setObjectName(QStringLiteral("msgSystemWarning"));
        if (box.exec() != QMessageBox::Ok) {
            // Unticking runs this handling again, which stores "0" and lists.
            m_system->setChecked(false);
            return;
        }
    }
    store(Settings::ShowSystem, on ? QStringLiteral("1") : QStringLiteral("0"), 29);
    GetDirectoryFiles();
}

void MainWindow::load() {
    m_loading = true;
    const QString last =
        m_settings.GetSetting(Settings::App, Settings::Section, Settings::LastPath);
    // A folder that was removed since is skipped; the picker stays where it is.
    if (!last.isEmpty() && QFileInfo(last).isDir()) {
        m_folder = QDir::cleanPath(QDir(last).absolutePath());
        m_dir->setText(QDir::toNativeSeparators(m_folder));
        syncDriveToFolder();
        store(Settings::LastPath, m_folder, 92);
    }
    auto flag = [this](const QString &key) {
        const QString v = m_settings.GetSetting(Settings::App, Settings::Section, key,
                                                QStringLiteral("0"));
        bool ok = false;
        const int n = v.trimmed().toShort(&ok);
        if (!ok) {
            errorReporter().report(92, ErrorNumbers::TypeMismatch);
            return false;
        }
        return n != 0;
    };
    m_system->setChecked(flag(Settings::ShowSystem));
    m_hidden->setChecked(flag(Settings::ShowHidden));
    m_loading = false;
    GetDirectoryFiles();
}

void MainWindow::setListingBusy(bool busy) {
    m_listingRunning = busy;
    m_busy->setVisible(busy || m_sortRunning);
}

void MainWindow::GetDirectoryFiles() {
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
    if (m_sortJob)
        m_sortJob->cancel();
    m_sortRunning = false;
    setListingBusy(true);
    m_listJob = startListing(
        m_folder, filter, this,
        [this, generation](DirectoryListing listing, DirectoryFilter cleaned) {
            if (generation != m_listGeneration)
                return;
            m_nameFilter->setText(cleaned.nameLike);
            m_typeFilter->setText(cleaned.type);
            m_model->setRows(std::move(listing.rows));
            m_view->horizontalHeader()->setSortIndicatorShown(false);
            setListingBusy(false);
            Q_EMIT listingFinished();
        });
}

void MainWindow::lstFilesToRename_ColumnClick(int column) {
    if (column < 0 || column > 2)
        return;
    const int listColumn = column + 1;
    const qint32 order = m_toggle.click(listColumn);
    const quint64 generation = ++m_sortGeneration;
    const quint64 listingRevision = m_model->listingRevision();
    const quint64 revision = m_model->revision();
    struct State {
        std::vector<FileEntry> rows;
        bool ok = true;
        QString message;
    };
    auto state = std::make_shared<State>();
    state->rows = m_model->rows();
    m_sortRunning = true;
    m_busy->show();
    if (m_sortJob)
        m_sortJob->cancel();
    auto *job = new Job(
        [state, listColumn, order](Progress &, ErrorReporter &) {
            FileEntryList list(state->rows);
            state->ok = SortListByColumn(list, qint16(listColumn), fileListColumnKind(listColumn),
                                         order, &state->message);
        },
        this);
    m_sortJob = job;
    connect(job, &Job::finished, this,
            [this, state, column, order, generation, listingRevision, revision] {
                if (generation != m_sortGeneration ||
                    listingRevision != m_model->listingRevision())
                    return; // a newer sort or listing replaced these rows
                m_sortRunning = false;
                m_busy->setVisible(m_listingRunning);
                if (!state->ok) {
                    QMessageBox::critical(this, SortErrorTitle, state->message);
                    Q_EMIT sortFinished();
                    return;
                }
                // Ticks changed while sorting: carry them over by name (unique in a folder).
                if (revision != m_model->revision()) {
                    QHash<QByteArray, bool> ticks;
                    ticks.reserve(qsizetype(m_model->rows().size()));
                    for (const FileEntry &e : m_model->rows())
                        ticks.insert(e.nativeName, e.Checked);
                    for (FileEntry &e : state->rows)
                        e.Checked = ticks.value(e.nativeName, e.Checked);
                }
                m_model->setRows(std::move(state->rows));
                QHeaderView *header = m_view->horizontalHeader();
                header->setSortIndicatorShown(true);
                header->setSortIndicator(column, order == SortAscending ? Qt::AscendingOrder
                                                                        : Qt::DescendingOrder);
                Q_EMIT sortFinished();
            });
    job->start();
}

void MainWindow::updateCounts() {
    m_selected->setText(QString::number(m_model->checkedCount()) +
                        QStringLiteral(" Files Selected"));
    m_shown->setText(QString::number(m_model->rowCount()) + QStringLiteral(" Files Shown"));
}

void MainWindow::DisplayRules() { m_ruleArea->displayRules(); }

void MainWindow::setPreviewRunning(bool running) { m_preview->setEnabled(!running); }

void MainWindow::cmdPreview_Click() {
    if (!m_preview->isEnabled())
        return;
    if (hooks().preview)
        hooks().preview(*this);
}

void MainWindow::keyPressEvent(QKeyEvent *e) {
    if (e->key() != Qt::Key_F1) {
        QWidget::keyPressEvent(e);
        return;
    }
    // The help page of the control that has the focus, or of the window itself.
    QWidget *w = QApplication::focusWidget();
    if (!w || w == this) {
        OpenHelpPage(QStringLiteral("index.html"));
        return;
    }
    for (; w && w != this; w = w->parentWidget()) {
        const auto it = m_help.constFind(w->objectName());
        if (it != m_help.constEnd()) {
            OpenHelpPage(*it);
            return;
        }
    }
}

} // namespace tallowin::ui
