#include "ui/folderpicker.h"

#include "ui/widgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStorageInfo>
#include <QToolButton>

#include <algorithm>

namespace tallowin::ui {

namespace {

// Marked here, translated where shown: translators load after this is made.
const char *const NoMedia = QT_TRANSLATE_NOOP(
    "tallowin::ui::FolderPicker",
    "I am unable to display this drive because the media is not currently inserted.  Please "
    "insert a disc into this drive.");

// Only real storage is offered as a drive; kernel and container file systems are not.
bool isDrive(const QStorageInfo &s) {
    if (!s.isValid())
        return false;
    const QString root = s.rootPath();
    if (root == u"/")
        return true;
    return s.device().startsWith("/dev/") && !root.startsWith(QLatin1String("/boot")) &&
           !root.startsWith(QLatin1String("/snap"));
}

// A folder the listing can read: its names (read) and each file's facts (search).
bool canOpen(const QString &folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

} // namespace

FolderPicker::FolderPicker(const QString &browseTitle, QWidget *parent, Options options)
    : QObject(parent), m_title(browseTitle) {
    const bool plain = options.testFlag(PlainCaptions);

    m_drives = new QComboBox(parent);
    m_drives->setObjectName(QStringLiteral("drvFileLocation"));
    m_drives->setToolTip(tr("Select the drive containing the files you want to rename"));
    nameControl(m_drives, tr("Drive"));
    // Its pop-up list is read out too.
    nameControl(m_drives->view(), tr("Drives"));
    fillDrives();
    connect(m_drives, &QComboBox::activated, this, &FolderPicker::chooseDrive);
    m_driveCaption = new QLabel(plain ? tr("Drive") : tr("&Drive"), parent);
    m_driveCaption->setBuddy(m_drives);

    m_path = new QLineEdit(parent);
    m_path->setObjectName(QStringLiteral("dirFileLocation"));
    m_path->setToolTip(tr("Select the directory containing the files you want to rename"));
    nameControl(m_path, tr("Folder"));
    // Enter or leaving the box takes a typed path, as a folder picker would on a click: a
    // window never works on a folder other than the one its box shows.
    connect(m_path, &QLineEdit::returnPressed, this, &FolderPicker::submitPath);
    connect(m_path, &QLineEdit::editingFinished, this, [this] {
        if (m_path->isModified())
            submitPath();
    });
    m_folderCaption = new QLabel(plain ? tr("Folder") : tr("F&older"), parent);
    m_folderCaption->setBuddy(m_path);

    if (!options.testFlag(WithoutUpButton)) {
        m_up = new QToolButton(parent);
        m_up->setObjectName(QStringLiteral("cmdFolderUp"));
        m_up->setIcon(themedIcon("go-up", "rule-up"));
        m_up->setToolTip(tr("Go to the parent folder"));
        nameControl(m_up, m_up->toolTip());
        connect(m_up, &QToolButton::clicked, this, [this] {
            QDir d(m_folder);
            if (d.cdUp())
                setFolder(d.absolutePath());
        });
    }
    m_browse = new QToolButton(parent);
    m_browse->setObjectName(QStringLiteral("cmdBrowseFolder"));
    m_browse->setIcon(themedIcon("folder-open", "folder"));
    m_browse->setToolTip(tr("Choose a folder"));
    nameControl(m_browse, m_browse->toolTip());
    connect(m_browse, &QToolButton::clicked, this, &FolderPicker::browse);

    showFolder(QDir::currentPath());
}

void FolderPicker::placeIn(QGridLayout *grid, int row) {
    const int buttons = m_up ? 2 : 1;
    grid->addWidget(m_driveCaption, row, 0);
    grid->addWidget(m_drives, row, 1, 1, 1 + buttons);
    grid->addWidget(m_folderCaption, row + 1, 0);
    grid->addWidget(m_path, row + 1, 1);
    if (m_up)
        grid->addWidget(m_up, row + 1, 2);
    grid->addWidget(m_browse, row + 1, 1 + buttons);
    grid->setColumnStretch(1, 1);
}

QGridLayout *FolderPicker::makeLayout() {
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    placeIn(grid, 0);
    return grid;
}

void FolderPicker::setFolder(const QString &folder) {
    showFolder(folder);
    Q_EMIT folderChanged(m_folder);
}

void FolderPicker::showFolder(const QString &folder) {
    m_folder = QDir::cleanPath(QDir(folder).absolutePath());
    m_path->setText(QDir::toNativeSeparators(m_folder));
    m_path->setModified(false);
    syncDriveToFolder();
}

void FolderPicker::fillDrives() {
    QStringList roots;
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes())
        if (isDrive(s) && !roots.contains(s.rootPath()))
            roots << s.rootPath();
    if (!roots.contains(QStringLiteral("/")))
        roots.prepend(QStringLiteral("/"));
    std::sort(roots.begin(), roots.end());
    for (const QString &r : std::as_const(roots)) {
        // The volume's own name, where it has one, tells two drives apart.
        const QString name = QStorageInfo(r).displayName();
        const QString caption =
            name.isEmpty() || name == r ? r : QStringLiteral("%1  (%2)").arg(r, name);
        m_drives->addItem(themedIcon("drive-harddisk", "drive"), caption, r);
    }
}

// The drive shown is the mount point holding the folder.
void FolderPicker::syncDriveToFolder() {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = m_drives->itemData(i).toString();
        const bool inside = root == u"/" || m_folder == root || m_folder.startsWith(root + u'/');
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

// A drive that cannot be opened is said so; the picker stays where it was.
void FolderPicker::chooseDrive(int index) {
    const QString root = m_drives->itemData(index).toString();
    if (!canOpen(root)) {
        syncDriveToFolder();
        Q_EMIT messageRequested(tr(NoMedia));
        return;
    }
    setFolder(root);
}

void FolderPicker::submitPath() {
    const QString typed = QDir::fromNativeSeparators(m_path->text().trimmed());
    const QString path =
        typed.startsWith(QLatin1String("~")) ? QDir::homePath() + typed.mid(1) : typed;
    if (!QFileInfo(path).isDir()) {
        showFolder(m_folder);
        Q_EMIT messageRequested(tr("The folder \"%1\" cannot be found.").arg(typed));
        return;
    }
    setFolder(path);
}

void FolderPicker::browse() {
    auto *dialog = new QFileDialog(m_browse->parentWidget(), m_title, m_folder);
    dialog->setObjectName(QStringLiteral("dlgFolder"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &FolderPicker::setFolder);
    dialog->open();
}

} // namespace tallowin::ui
