#pragma once

#include "engine/ruletable.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;
class QVBoxLayout;

namespace tallowin {
class ErrorReporter;
class FileSystem;
} // namespace tallowin

namespace tallowin::ui {

class FolderPicker;

// What the save and load windows share: the header, the folder pickers and the list of the
// folder's rules files. The windows are hidden, never closed, after use, so the folder, the
// list and the typed name are there again at the next opening; the list is read afresh at
// every opening and folder change, so a file saved a moment ago is always in it.
class RulesFileWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the window in front. The first opening starts in `startFolder`.
    void open(const QString &startFolder);

    QString folder() const;
    void setFolder(const QString &folder);
    // The names listed, in list order.
    QStringList listedNames() const;
    // The name of the selected row; empty when none is selected.
    QString selectedName() const;
    // Lists the folder's rules files again, keeping the selected name when it is still there.
    void listFiles();

Q_SIGNALS:
    // Words for the user: a refusal, a success.
    void messageRequested(const QString &text);
    // F1: a page of the help.
    void helpPageRequested(const QString &page);

protected:
    RulesFileWindow(const QString &objectName, const QString &title, const QString &folderCaption,
                    QWidget *parent);
    void keyPressEvent(QKeyEvent *event) override;
    // The window's own controls go between the list and the buttons.
    QVBoxLayout *body() const { return m_body; }
    QTreeView *list() const { return m_list; }
    // The action button ("cmdSave" in both windows) and Cancel, placed at the bottom.
    QPushButton *actionButton() const { return m_action; }

private:
    FolderPicker *m_picker;
    QStandardItemModel *m_model;
    QTreeView *m_list;
    QVBoxLayout *m_body;
    QPushButton *m_action;
    QPushButton *m_cancel;
    bool m_opened = false;
};

// frmSaveRules: writes the rules under a typed base name (".rul" is added) into the folder.
class SaveRulesWindow : public RulesFileWindow {
    Q_OBJECT
public:
    explicit SaveRulesWindow(ErrorReporter &errors, QWidget *parent = nullptr);

    // Where the rules to save come from, asked at each save (the user may edit them while
    // the window is open).
    void setRulesSource(std::function<RuleTable()> source) { m_rules = std::move(source); }
    // The file system the file is written through; tests hand in one that fails on purpose.
    void setFileSystem(FileSystem *fs) { m_fs = fs; }

    // The save button: checks the name, writes the file, tells the outcome and hides the
    // window on success. True when the file was written.
    bool save();

    static const QString NoNameMessage;
    static const QString SavedMessage;
    static const QString NoRulesMessage;

private:
    ErrorReporter &m_errors;
    QLineEdit *m_name;
    std::function<RuleTable()> m_rules;
    FileSystem *m_fs = nullptr;
};

// frmLoadRules: replaces the rules with those of the selected rules file.
class LoadRulesWindow : public RulesFileWindow {
    Q_OBJECT
public:
    explicit LoadRulesWindow(ErrorReporter &errors, QWidget *parent = nullptr);

    // The load button: checks the choice, reads the file, hands its rules on, tells the outcome
    // and hides the window on success. True when the rules were loaded.
    bool load();

    static const QString NoFilesMessage;
    static const QString NoNameMessage;
    static const QString WrongTypeMessage;
    static const QString LoadedMessage;

Q_SIGNALS:
    // The rules read from the file, to replace the current ones.
    void rulesLoaded(const tallowin::RuleTable &rules);

private:
    ErrorReporter &m_errors;
};

} // namespace tallowin::ui
