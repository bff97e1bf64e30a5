#pragma once

#include "editing/ruledraft.h"
#include "engine/ruletable.h"
#include "shell/errorreport.h"

#include <QHash>
#include <QList>
#include <QWidget>

#include <vector>

class QStackedWidget;

namespace tallowin::ui {

class Mp3RuleView;
class RuleListBox;
class RulePage;
class StandardRuleView;

// The rule side of the main window: the Standard view with its five tabbed pages, the MP3 view,
// and the rules list with its ordering buttons. It edits the main window's rule table.
class RuleArea : public QWidget {
    Q_OBJECT
public:
    enum Page { FileNamePage = 0, ExtensionPage, AutoNumberPage, LettersPage, MiscPage };

    RuleArea(RuleTable &rules, ErrorReporter &errors, QWidget *parent);

    // Shows the rule table in the rules list.
    void displayRules();
    // Shows Standard page `index`, deselecting every option and resetting the pages.
    void showStandardTab(int index);
    void switchToStandardView();
    void switchToMp3View();
    int currentPage() const;
    bool mp3ViewShown() const;

    // The rules the selected options ask for, with their controls' values.
    std::vector<RuleDraft> drafts() const;
    // Help page of every control whose F1 opens one.
    const QHash<QString, QString> &helpPages() const { return m_help; }

private:
    void switchView(int view);
    // Stores the selected options' rules; shows Standard page `pageToShow` again when >= 0.
    void addSelected(int pageToShow);

    RuleTable &m_rules;
    QStackedWidget *m_views = nullptr;
    StandardRuleView *m_standard = nullptr;
    Mp3RuleView *m_mp3 = nullptr;
    RuleListBox *m_list = nullptr;
    QList<RulePage *> m_pages; // every page, the MP3 page last
    QHash<QString, QString> m_help;
};

} // namespace tallowin::ui
