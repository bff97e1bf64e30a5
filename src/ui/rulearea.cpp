#include "ui/rulearea.h"

#include "ui/rulelayouts.h"
#include "ui/rulelist.h"
#include "ui/rulepage.h"
#include "ui/ruleviews.h"

#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include <iterator>

namespace tallowin::ui {

RuleArea::RuleArea(RuleTable &rules, ErrorReporter &errors, QWidget *parent)
    : QWidget(parent), m_rules(rules) {
    setObjectName(QStringLiteral("fraRules"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    m_views = new QStackedWidget(this);
    m_standard = new StandardRuleView(this, m_views);
    m_mp3 = new Mp3RuleView(this, m_views);
    m_views->addWidget(m_standard);
    m_views->addWidget(m_mp3);
    m_views->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(m_views);
    m_list = new RuleListBox(rules, errors, this);
    layout->addWidget(m_list, 1);

    m_pages = m_standard->pages();
    m_pages.append(m_mp3->page());
    for (const RulePage *p : std::as_const(m_pages))
        p->addHelp(m_help);
    m_help.insert(m_list->view()->objectName(), rulePage(RulePageId::Mp3).help);

    connect(m_standard, &StandardRuleView::addClicked, this,
            [this](int page) { addSelected(page); });
    // The MP3 page is not reset after an add: a second press stores the same rule again.
    connect(m_mp3->page(), &RulePage::addClicked, this, [this] { addSelected(-1); });

    showStandardTab(FileNamePage);
    m_mp3->page()->refresh();
}

void RuleArea::displayRules() {
    m_list->reload();
}

void RuleArea::showStandardTab(int index) {
    m_standard->showTab(index);
}

int RuleArea::currentPage() const {
    return m_standard->currentTab();
}

bool RuleArea::mp3ViewShown() const {
    return m_views->currentWidget() == m_mp3;
}

void RuleArea::switchToStandardView() {
    switchView(0);
}

void RuleArea::switchToMp3View() {
    switchView(1);
}

void RuleArea::switchView(int view) {
    m_views->setCurrentIndex(view);
    m_standard->deselectAll();
    m_mp3->page()->deselectAll();
    m_mp3->page()->refresh();
    m_standard->refresh();
}

std::vector<RuleDraft> RuleArea::drafts() const {
    std::vector<RuleDraft> out;
    for (const RulePage *p : m_pages) {
        std::vector<RuleDraft> page = p->drafts();
        out.insert(out.end(), std::make_move_iterator(page.begin()),
                   std::make_move_iterator(page.end()));
    }
    return out;
}

void RuleArea::addSelected(int pageToShow) {
    addDrafts(drafts(), m_rules);
    displayRules();
    if (pageToShow >= 0)
        showStandardTab(pageToShow);
}

} // namespace tallowin::ui
