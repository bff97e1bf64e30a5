#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace tallowin::ui {

// The drive and folder pickers of the smaller windows: a drive (mount point) list, the folder
// path (typed, or walked with the parent and browse buttons). The drive list is named
// "drvFileLocation" and the path box "dirFileLocation", as in the main window.
class FolderPicker : public QWidget {
    Q_OBJECT
public:
    // `title` is the browse dialog's caption.
    explicit FolderPicker(const QString &title, QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    // Moves the pickers to `folder` and announces it, also when it is the folder shown.
    void setFolder(const QString &folder);

    QComboBox *drives() const { return m_drives; }
    QLineEdit *path() const { return m_path; }

Q_SIGNALS:
    void folderChanged(const QString &folder);
    // Words for the user: a typed folder that is not there, a drive without its medium.
    void messageRequested(const QString &text);

private:
    void fillDrives();
    void syncDriveToFolder();
    void chooseDrive(int index);
    void submitPath();
    void browse();

    QString m_title;
    QString m_folder;
    QComboBox *m_drives;
    QLineEdit *m_path;
};

} // namespace tallowin::ui
