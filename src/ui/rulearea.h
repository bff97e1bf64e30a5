#pragma once

#include "editing/rulepagestate.h"
#include "engine/ruletable.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QStackedWidget;
class QToolButton;
class QTreeWidget;

namespace tallowin::ui {

class CaptionLabel;
class PictureButton;

// The rule side of the main window: the Standard view with its five tabbed pages, the MP3 view,
// and the rules list with its ordering buttons. It edits the main window's rule table.
class RuleArea : public QWidget {
    Q_OBJECT
public:
    enum Page { FileNamePage = 0, ExtensionPage, AutoNumberPage, LettersPage, MiscPage };

    RuleArea(RuleTable &rules, ErrorReporter &errors, QWidget *parent);

    // Rebuilds the rules list from the table.
    void DisplayRules();
    // Shows Standard page `index`, deselecting every option and resetting the pages.
    void lblStandardTabs_Click(int index);
    void switchToStandardView();
    void switchToMp3View();
    int currentPage() const { return m_currentPage; }
    bool mp3ViewShown() const;

    // The page inputs as the add routine reads them.
    RulePageState pageState() const;
    // Help page of every control whose F1 opens one.
    const QHash<QString, QString> &helpPages() const { return m_help; }

private:
    struct Picker {
        QLineEdit *box = nullptr;
        QToolButton *button = nullptr;
        QListWidget *list = nullptr;
        QPointer<QWidget> focusAfterPick;
        QPointer<QWidget> focusOnClose;
    };
    struct OptionInputs {
        QRadioButton *option = nullptr;
        QList<QWidget *> inputs;
        std::function<void()> reset;
    };

    QWidget *buildStandardView();
    QWidget *buildFileNamePage();
    QWidget *buildExtensionPage();
    QWidget *buildAutoNumberPage();
    QWidget *buildLettersPage();
    QWidget *buildMiscPage();
    QWidget *buildMp3View();
    QWidget *buildRulesList();

    QRadioButton *option(QWidget *page, const QString &name, const QString &caption,
                         const QString &tip = {});
    QLineEdit *edit(QWidget *page, const QString &name, const QString &tip = {}, int chars = 10);
    QCheckBox *check(QWidget *page, const QString &name, const QString &caption,
                     const QString &tip = {});
    Picker &picker(QWidget *page, const QString &box, const QString &button, const QString &list,
                   const QStringList &entries, const QString &tip = {});
    PictureButton *addButton(QWidget *page, const QString &name, const QString &tip);
    void togglePicker(Picker &p);
    void pick(Picker &p, const QString &entry);

    void refresh(const QList<OptionInputs> &rows);
    // Counts the rows' options among the Standard options and refreshes the page when one is
    // selected.
    void watchOptions(const QList<OptionInputs> &rows, void (RuleArea::*refresh)());
    // The three pages whose inputs follow the selected option.
    void refreshInputPages();
    void RefreshFileNamePage() { refresh(m_fileNameRows); }
    void RefreshExtensionPage() { refresh(m_extensionRows); }
    void RefreshAutoNumberPage();
    void RefreshMp3Page();
    void deselectAllOptions(bool withMp3);
    void addSelected(int pageToShow);
    void ruleButton(int threshold, bool move,
                    const std::function<void(qint16, ErrorReporter &)> &op);
    void help(const QStringList &controls, const QString &page);

    RuleTable &m_rules;
    ErrorReporter &m_errors;
    int m_currentPage = 0;
    QStackedWidget *m_views = nullptr;
    QStackedWidget *m_pages = nullptr;
    QList<CaptionLabel *> m_tabs;
    QTreeWidget *m_list = nullptr;
    std::map<QString, Picker> m_pickers; // by box name; references stay valid
    QList<OptionInputs> m_fileNameRows;
    QList<OptionInputs> m_extensionRows;
    QList<OptionInputs> m_autoRows;
    QList<QRadioButton *> m_standardOptions;
    QList<QRadioButton *> m_mp3Options;
    QHash<QString, QString> m_help;
};

} // namespace tallowin::ui
