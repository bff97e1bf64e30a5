#include "ui/folderpicker.h"

#include "ui/widgets.h"

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

} // namespace

FolderPicker::FolderPicker(const QString &title, QWidget *parent)
    : QWidget(parent), m_title(title) {
    auto *g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);

    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("drvFileLocation"));
    m_drives->setToolTip(tr("Select the drive containing the files you want to rename"));
    m_drives->setAccessibleName(tr("Drive"));
    fillDrives();
    connect(m_drives, &QComboBox::activated, this, &FolderPicker::chooseDrive);
    auto *driveLabel = new QLabel(tr("&Drive"), this);
    driveLabel->setBuddy(m_drives);
    g->addWidget(driveLabel, 0, 0);
    g->addWidget(m_drives, 0, 1, 1, 3);

    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("dirFileLocation"));
    m_path->setToolTip(tr("Select the directory containing the files you want to rename"));
    m_path->setAccessibleName(tr("Folder"));
    // Enter or leaving the box takes a typed path, as a folder picker would on a click.
    connect(m_path, &QLineEdit::returnPressed, this, &FolderPicker::submitPath);
    connect(m_path, &QLineEdit::editingFinished, this, [this] {
        if (m_path->isModified())
            submitPath();
    });
    auto *up = new QToolButton(this);
    up->setObjectName(QStringLiteral("cmdFolderUp"));
    up->setIcon(themedIcon("go-up", "rule-up"));
    up->setToolTip(tr("Go to the parent folder"));
    up->setAccessibleName(up->toolTip());
    connect(up, &QToolButton::clicked, this, [this] {
        QDir d(m_folder);
        if (d.cdUp())
            setFolder(d.absolutePath());
    });
    auto *browseButton = new QToolButton(this);
    browseButton->setObjectName(QStringLiteral("cmdBrowseFolder"));
    browseButton->setIcon(themedIcon("folder-open", "folder"));
    browseButton->setToolTip(tr("Choose a folder"));
    browseButton->setAccessibleName(browseButton->toolTip());
    connect(browseButton, &QToolButton::clicked, this, &FolderPicker::browse);
    auto *folderLabel = new QLabel(tr("F&older"), this);
    folderLabel->setBuddy(m_path);
    g->addWidget(folderLabel, 1, 0);
    g->addWidget(m_path, 1, 1);
    g->addWidget(up, 1, 2);
    g->addWidget(browseButton, 1, 3);
    g->setColumnStretch(1, 1);

    m_folder = QDir::currentPath();
    m_path->setText(QDir::toNativeSeparators(m_folder));
    syncDriveToFolder();
}

void FolderPicker::setFolder(const QString &folder) {
    m_folder = QDir::cleanPath(QDir(folder).absolutePath());
    m_path->setText(QDir::toNativeSeparators(m_folder));
    m_path->setModified(false);
    syncDriveToFolder();
    Q_EMIT folderChanged(m_folder);
}

void FolderPicker::fillDrives() {
    QStringList roots;
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes())
        if (isDrive(s) && !roots.contains(s.rootPath()))
            roots << s.rootPath();
    if (!roots.contains(QStringLiteral("/")))
        roots.prepend(QStringLiteral("/"));
    std::sort(roots.begin(), roots.end());
    for (const QString &r : std::as_const(roots))
        m_drives->addItem(themedIcon("drive-harddisk", "drive"), r, r);
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

void FolderPicker::chooseDrive(int index) {
    const QString root = m_drives->itemData(index).toString();
    if (!QFileInfo(root).isDir() || !QDir(root).isReadable()) {
        Q_EMIT messageRequested(tr(NoMedia));
        syncDriveToFolder();
        return;
    }
    setFolder(root);
}

void FolderPicker::submitPath() {
    const QString typed = QDir::fromNativeSeparators(m_path->text().trimmed());
    const QString path =
        typed.startsWith(QLatin1String("~")) ? QDir::homePath() + typed.mid(1) : typed;
    if (!QFileInfo(path).isDir()) {
        m_path->setText(QDir::toNativeSeparators(m_folder));
        m_path->setModified(false);
        Q_EMIT messageRequested(tr("The folder \"%1\" cannot be found.").arg(typed));
        return;
    }
    setFolder(path);
}

void FolderPicker::browse() {
    auto *dialog = new QFileDialog(this, m_title, m_folder);
    dialog->setObjectName(QStringLiteral("dlgFolder"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &FolderPicker::setFolder);
    dialog->open();
}

} // namespace tallowin::ui
