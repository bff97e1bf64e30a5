#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace tallowin::ui {

// The drive and folder picker of the main window, the wizard, the rules-file windows and From
// File: a drive (mount point) list and the folder path, typed or walked with the parent and
// browse buttons. Its captions and controls are children of the widget it is made for, which
// lays them out with placeIn() (beside controls of its own) or makeLayout(). The drive list is
// "drvFileLocation", the path box "dirFileLocation", the buttons "cmdFolderUp" and
// "cmdBrowseFolder".
class FolderPicker : public QObject {
    Q_OBJECT
public:
    enum Option {
        NoOptions = 0,
        // No Up button beside the path box.
        WithoutUpButton = 0x1,
        // Captions without Alt keys, for a window that gives those keys to other controls.
        PlainCaptions = 0x2,
    };
    Q_DECLARE_FLAGS(Options, Option)

    // `browseTitle` is the browse dialog's caption. The picker starts on the current folder.
    FolderPicker(const QString &browseTitle, QWidget *parent, Options options = NoOptions);

    QString folder() const { return m_folder; }
    // Moves the picker to `folder` and announces it, also when it is the folder shown.
    void setFolder(const QString &folder);
    // Moves the picker to `folder` without announcing it: for a caller that acts on it itself.
    void showFolder(const QString &folder);

    QComboBox *drives() const { return m_drives; }
    QLineEdit *path() const { return m_path; }

    // Puts the picker in two rows of `grid` from `row`: the captions in column 0, the drive list
    // across the columns the path box and its buttons take from column 1.
    void placeIn(QGridLayout *grid, int row);
    // A grid holding the picker alone, for a window that shows nothing beside it.
    QGridLayout *makeLayout();

Q_SIGNALS:
    // The user (or setFolder) moved the picker to `folder`.
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
    QLabel *m_driveCaption;
    QComboBox *m_drives;
    QLabel *m_folderCaption;
    QLineEdit *m_path;
    QToolButton *m_up = nullptr;
    QToolButton *m_browse;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FolderPicker::Options)

} // namespace tallowin::ui
