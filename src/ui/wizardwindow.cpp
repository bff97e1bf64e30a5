#include "ui/wizardwindow.h"

#include "shell/errorreport.h"
#include "shell/settingsstore.h"
#include "ui/chrome.h"
#include "ui/filelistmodel.h"
#include "ui/folderpicker.h"
#include "ui/job.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tallowin::ui {

namespace {

// Marked here, translated where shown: translators load after this is made.
const char *const NoFilesMessage = QT_TRANSLATE_NOOP(
    "tallowin::ui::WizardWindow",
    "Please select a directory with at least 1 file to rename, if you have unselected all "
    "files, please select at least one file by checking the box next to it's name.");

QLabel *textLabel(const QString &name, const QString &text, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

QTreeWidget *previewList(const QString &name, const QString &accessibleName, QWidget *parent) {
    auto *list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setHeaderLabels(
        {WizardWindow::tr("Original File Name"), WizardWindow::tr("New File Name")});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->header()->setSectionResizeMode(QHeaderView::Stretch);
    return list;
}

} // namespace

WizardWindow::WizardWindow(SettingsStore &settings, ErrorReporter &errors, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_errors(errors) {
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(tr("Tallowin Wizard"));
    makeBorderless(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(10);
    auto *header = new HeaderBar(tr("Tallowin Wizard"), this);
    header->setToolTip(tr("Click here and drag to move this window"));
    layout->addWidget(header);

    m_screens = new QStackedWidget(this);
    m_start = buildStart();
    m_filesScreen = buildFiles();
    m_mp3Screen = buildMp3();
    m_pictureScreen = buildPicture();
    for (QWidget *screen : {m_start, m_filesScreen, m_mp3Screen, m_pictureScreen})
        m_screens->addWidget(screen);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 0, 16, 0);
    body->addWidget(m_screens, 1);
    layout->addLayout(body, 1);

    m_showAtStartUp = new QCheckBox(tr("Show At Startup"), this);
    m_showAtStartUp->setObjectName(QStringLiteral("chkShowAtStartup"));
    m_showAtStartUp->setAccessibleName(tr("Show the wizard at start-up"));
    m_back = new PictureButton(QStringLiteral("cmdButton2"), themedIcon("go-previous", "previous"),
                               tr("&Previous"), this);
    m_back->setAccessibleName(tr("Previous"));
    m_forward = new PictureButton(QStringLiteral("cmdButton1"),
                                  themedIcon("dialog-cancel", "cancel"), tr("&Cancel"), this);
    m_forward->setAccessibleName(tr("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addWidget(m_showAtStartUp);
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    layout->addLayout(buttons);

    connect(m_forward, &QToolButton::clicked, this, &WizardWindow::forward);
    connect(m_back, &QToolButton::clicked, this, &WizardWindow::back);
    // Escape leaves the wizard as Cancel does: nothing is handed over.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::hide);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { Q_EMIT helpPageRequested(QStringLiteral("index.html")); });

    // The folder the user last worked in, when it is still there.
    const QString last = m_settings.setting(Settings::App, Settings::Section, Settings::LastPath);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        m_picker->showFolder(last);
    resetWizard();

    m_showAtStartUp->setChecked(m_settings
                                    .setting(Settings::App, Settings::StartupSection,
                                             Settings::ShowWizard, QStringLiteral("0"))
                                    .trimmed()
                                    .toInt() == 1);
    connect(m_showAtStartUp, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.saveSetting(Settings::App, Settings::StartupSection, Settings::ShowWizard,
                               on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    resize(640, 480);
}

// The running listing is a child of the window: its destructor cancels and waits for it.
WizardWindow::~WizardWindow() = default;

QWidget *WizardWindow::buildStart() {
    auto *start = new QWidget(this);
    start->setObjectName(QStringLiteral("pctStart"));
    auto *v = new QVBoxLayout(start);
    v->setContentsMargins(0, 8, 0, 8);
    v->setSpacing(16);
    v->addWidget(
        textLabel(QStringLiteral("lblStart"), tr("What would you like to rename?"), start));
    const auto area = [start](const char *name, const QIcon &icon, const QString &title,
                              const QString &what) {
        auto *b = new QPushButton(icon, title + u'\n' + what, start);
        b->setObjectName(QLatin1String(name));
        b->setIconSize(QSize(48, 48));
        b->setMinimumHeight(110);
        b->setStyleSheet(QStringLiteral("text-align: left; padding: 12px 18px; font-size: 11pt;"));
        b->setAccessibleName(title);
        b->setAccessibleDescription(what);
        return b;
    };
    QPushButton *mp3 =
        area("cmdMP3Wizard", themedIcon("audio-x-generic", "mp3"), tr("&MP3 File Renaming Wizard"),
             tr("Name your MP3 files after their artist, album, track and song name."));
    QPushButton *pictures = area("cmdPictureWizard", themedIcon("image-x-generic", "picture"),
                                 tr("P&icture Renaming Wizard"),
                                 tr("Give a folder of pictures one name and a counting number."));
    v->addWidget(mp3);
    v->addWidget(pictures);
    v->addStretch();
    connect(mp3, &QPushButton::clicked, this, [this] { choose(WizardKind::Mp3); });
    connect(pictures, &QPushButton::clicked, this, [this] { choose(WizardKind::Picture); });
    return start;
}

QWidget *WizardWindow::buildFiles() {
    auto *screen = new QWidget(this);
    screen->setObjectName(QStringLiteral("fraStep1"));
    auto *g = new QGridLayout(screen);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);
    g->addWidget(textLabel(QStringLiteral("lblSelectDirectory"),
                           tr("Select Location of Files To Rename"), screen),
                 0, 0, 1, 3);

    m_picker = new FolderPicker(tr("Select Location of Files To Rename"), screen,
                                FolderPicker::WithoutUpButton);
    connect(m_picker, &FolderPicker::folderChanged, this, [this] {
        if (m_step == FilesStep)
            fillFileList();
    });
    connect(m_picker, &FolderPicker::messageRequested, this, &WizardWindow::messageRequested);
    m_picker->placeIn(g, 1);

    m_model = new FileListModel(this);
    m_list = new QTableView(screen);
    m_list->setObjectName(QStringLiteral("lstFilesToRename"));
    m_list->setToolTip(tr("Select all the files you want to automatically rename"));
    m_list->setAccessibleName(tr("Files to rename"));
    m_list->setModel(m_model);
    // One column: the file name with its tick.
    m_list->setColumnHidden(FileListModel::DateColumn, true);
    m_list->setColumnHidden(FileListModel::NumberColumn, true);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setTabKeyNavigation(false);
    m_list->setShowGrid(false);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    g->addWidget(m_list, 3, 0, 1, 3);
    g->setRowStretch(3, 1);
    g->addWidget(textLabel(QStringLiteral("Label1"),
                           tr("Uncheck the files you do not wish to rename"), screen),
                 4, 0, 1, 3);
    return screen;
}

QWidget *WizardWindow::buildMp3() {
    auto *screen = new QWidget(this);
    screen->setObjectName(QStringLiteral("fraStep2MP3"));
    auto *v = new QVBoxLayout(screen);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(
        textLabel(QStringLiteral("Label2"),
                  tr("Most MP3 files contain information about the Artist, Album, Genre, etc.  "
                     "This information can be used to automatically create user friendly names "
                     "for your mp3s.  Please select a format that you would like for your new "
                     "MP3 Names."),
                  screen));
    m_mp3Format = new QComboBox(screen);
    m_mp3Format->setObjectName(QStringLiteral("cmbMP3Format"));
    // A template of the user's own is welcome: the preview follows the text as it is typed.
    m_mp3Format->setEditable(true);
    m_mp3Format->setInsertPolicy(QComboBox::NoInsert);
    m_mp3Format->setAccessibleName(tr("New MP3 name format"));
    nameControl(m_mp3Format->view(), tr("MP3 name formats"));
    v->addWidget(m_mp3Format);
    v->addWidget(
        textLabel(QStringLiteral("Label3"),
                  tr("Your MP3 files will now look like this, if there is a file you do not "
                     "wish to rename, you will be able to unselect them after clicking "
                     "FINISH."),
                  screen));
    m_mp3Preview = previewList(QStringLiteral("lstMP3preview"), tr("New MP3 names"), screen);
    v->addWidget(m_mp3Preview, 1);
    connect(m_mp3Format, &QComboBox::currentTextChanged, this, &WizardWindow::buildMp3Preview);
    return screen;
}

QWidget *WizardWindow::buildPicture() {
    auto *screen = new QWidget(this);
    screen->setObjectName(QStringLiteral("fraStep2Picture"));
    auto *v = new QVBoxLayout(screen);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(textLabel(QStringLiteral("Label5"),
                           tr("This wizard can rename your pictures in 2 different ways, name then "
                              "number, or number then name.  Please select the format you prefer."),
                           screen));
    auto *nameLabel = textLabel(QStringLiteral("Label6"),
                                tr("What do you want your picture name to be?"), screen);
    v->addWidget(nameLabel);
    m_pictureName = new QLineEdit(DefaultPictureName, screen);
    m_pictureName->setObjectName(QStringLiteral("txtPictureName"));
    m_pictureName->setAccessibleName(tr("Picture name"));
    nameLabel->setBuddy(m_pictureName);
    v->addWidget(m_pictureName);
    auto *order = new QHBoxLayout;
    m_nameFirst = new QRadioButton(QStringLiteral("PictureName_0001"), screen);
    m_nameFirst->setObjectName(QStringLiteral("optPicNameFirst"));
    m_nameFirst->setAccessibleName(tr("Name, then number"));
    m_numberFirst = new QRadioButton(QStringLiteral("0001_PictureName"), screen);
    m_numberFirst->setObjectName(QStringLiteral("optPicNumFirst"));
    m_numberFirst->setAccessibleName(tr("Number, then name"));
    m_nameFirst->setChecked(true);
    order->addWidget(m_nameFirst);
    order->addWidget(m_numberFirst);
    order->addStretch();
    v->addLayout(order);
    v->addWidget(
        textLabel(QStringLiteral("Label4"),
                  tr("Your picture files will now look like this, if there is a file you do "
                     "not wish to rename, you will be able to unselect them after clicking "
                     "FINISH."),
                  screen));
    m_picturePreview =
        previewList(QStringLiteral("lstPicturePreview"), tr("New picture names"), screen);
    v->addWidget(m_picturePreview, 1);
    connect(m_pictureName, &QLineEdit::textChanged, this, &WizardWindow::buildPicturePreview);
    // The order shows at once: a preview that waits for the next keystroke would show names
    // the rename does not give.
    connect(m_nameFirst, &QRadioButton::toggled, this, &WizardWindow::buildPicturePreview);
    return screen;
}

std::vector<FileEntry> WizardWindow::files() const {
    return m_model->rows();
}

QString WizardWindow::folder() const {
    return m_picker->folder();
}

void WizardWindow::resetWizard() {
    m_kind = WizardKind::None;
    m_step = StartStep;
    showStep();
}

void WizardWindow::choose(WizardKind kind) {
    m_kind = kind;
    m_step = FilesStep;
    // A new choice lists its own kind of file afresh.
    m_model->setRows(FileRows());
    showStep();
    fillFileList();
}

void WizardWindow::showStep() {
    if (m_step == StartStep) {
        m_screens->setCurrentWidget(m_start);
        m_back->hide();
        m_forward->setPicture(themedIcon("dialog-cancel", "cancel"));
        m_forward->setText(tr("&Cancel"));
        m_forward->setAccessibleName(tr("Cancel"));
    } else if (m_step == FilesStep) {
        m_screens->setCurrentWidget(m_filesScreen);
        m_back->show();
        m_forward->setPicture(themedIcon("go-next", "next"));
        m_forward->setText(tr("&Next"));
        m_forward->setAccessibleName(tr("Next"));
    } else {
        m_back->show();
        m_forward->setPicture(themedIcon("dialog-ok", "finish"));
        m_forward->setText(tr("&Finish"));
        m_forward->setAccessibleName(tr("Finish"));
        if (m_kind == WizardKind::Mp3) {
            {
                const QSignalBlocker block(m_mp3Format);
                m_mp3Format->clear();
                m_mp3Format->addItems(Mp3WizardTemplates);
                m_mp3Format->setCurrentIndex(DefaultMp3Template);
            }
            m_screens->setCurrentWidget(m_mp3Screen);
            buildMp3Preview();
        } else {
            {
                const QSignalBlocker block(m_nameFirst);
                m_nameFirst->setChecked(true);
            }
            m_screens->setCurrentWidget(m_pictureScreen);
            buildPicturePreview();
        }
    }
}

int WizardWindow::forwardPicture() const {
    const int up = m_step == StartStep ? 1 : m_step == FilesStep ? 5 : 7;
    return up + (m_forward->pressedLook() ? 1 : 0);
}

int WizardWindow::backPicture() const {
    return m_back->pressedLook() ? 4 : 3;
}

void WizardWindow::forward() {
    if (m_step == StartStep) {
        hide();
    } else if (m_step == FilesStep) {
        if (m_model->checkedCount() < 1) {
            Q_EMIT messageRequested(tr(NoFilesMessage));
            return;
        }
        m_step = FormatStep;
        showStep();
    } else {
        WizardHandOver handOver;
        handOver.folder = m_picker->folder();
        handOver.listed = m_listedFolder;
        handOver.rows = m_model->rows();
        handOver.rules = m_kind == WizardKind::Mp3
                             ? mp3WizardRules(m_mp3Format->currentText())
                             : pictureWizardRules(m_pictureName->text(), m_nameFirst->isChecked());
        hide();
        Q_EMIT finished(handOver);
    }
}

// Back one screen; the files screen keeps its folder and the user's ticks.
void WizardWindow::back() {
    if (m_step == StartStep)
        return;
    --m_step;
    showStep();
}

void WizardWindow::fillFileList() {
    DirectoryFilter filter;
    filter.readDates = false;
    const quint64 generation = ++m_listGeneration;
    if (m_listJob)
        m_listJob->cancel();
    m_listing = true;
    const WizardKind kind = m_kind;
    m_listJob = startListing(m_picker->folder(), filter, m_errors, this,
                             [this, generation, kind](DirectoryListing listing, DirectoryFilter) {
                                 if (generation != m_listGeneration)
                                     return;
                                 m_listing = false;
                                 m_listedFolder = listing.folder;
                                 m_model->setRows(wizardFiles(kind, std::move(listing.rows)));
                                 Q_EMIT filesListed();
                             });
}

void WizardWindow::buildMp3Preview() {
    if (m_step == FormatStep && m_kind == WizardKind::Mp3)
        showPreview(m_mp3Preview, mp3WizardRules(m_mp3Format->currentText()));
}

void WizardWindow::buildPicturePreview() {
    if (m_step == FormatStep && m_kind == WizardKind::Picture)
        showPreview(m_picturePreview,
                    pictureWizardRules(m_pictureName->text(), m_nameFirst->isChecked()));
}

void WizardWindow::showPreview(QTreeWidget *list, const std::vector<RuleSlot> &rules) {
    list->clear();
    for (const PreviewEntry &e :
         wizardPreview(rules, m_picker->folder(), m_model->rows(), m_errors))
        list->addTopLevelItem(new QTreeWidgetItem({e.oldName(), e.newName}));
}

} // namespace tallowin::ui
