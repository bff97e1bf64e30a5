#include "ui/ruleviews.h"

#include "shell/coretext.h"
#include "ui/rulepage.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace tallowin::ui {

StandardRuleView::StandardRuleView(QWidget *popupHost, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pctTabs"));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto *strip = new QHBoxLayout;
    strip->setSpacing(2);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("stkStandardPages"));
    m_stack->setProperty("pageArea", true);
    for (const RulePageInfo &info : rulePages()) {
        if (info.id == RulePageId::Mp3)
            continue;
        const int i = int(m_pages.size());
        auto *tab = new CaptionLabel(QStringLiteral("lblStandardTabs(%1)").arg(i),
                                     coreText(info.caption), this);
        tab->setProperty("tab", true);
        tab->setCursor(Qt::PointingHandCursor);
        tab->setFocusPolicy(Qt::StrongFocus);
        nameControl(tab, tr("%1 rules").arg(coreText(info.caption)),
                    tr("Tab: press Space to show this page of rules"));
        tab->installEventFilter(this);
        connect(tab, &CaptionLabel::clicked, this, [this, i] { showTab(i); });
        m_tabs.append(tab);
        strip->addWidget(tab);

        auto *page = new RulePage(info, {}, popupHost, m_stack);
        connect(page, &RulePage::addClicked, this, [this, i] { Q_EMIT addClicked(i); });
        connect(page, &RulePage::optionSelected, page, &RulePage::refresh);
        m_pages.append(page);
        m_stack->addWidget(page);
    }
    strip->addStretch(1);
    v->addLayout(strip);
    v->addWidget(m_stack);

    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
    next->setContext(Qt::WidgetWithChildrenShortcut);
    connect(next, &QShortcut::activated, this,
            [this] { showTab((m_current + 1) % int(m_pages.size())); });
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
    previous->setContext(Qt::WidgetWithChildrenShortcut);
    connect(previous, &QShortcut::activated, this,
            [this] { showTab((m_current + int(m_pages.size()) - 1) % int(m_pages.size())); });
}

bool StandardRuleView::eventFilter(QObject *watched, QEvent *event) {
    const auto i = m_tabs.indexOf(static_cast<CaptionLabel *>(watched));
    if (i < 0 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        showTab(int(i));
        return true;
    case Qt::Key_Left:
        m_tabs[(i + m_tabs.size() - 1) % m_tabs.size()]->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Right:
        m_tabs[(i + 1) % m_tabs.size()]->setFocus(Qt::TabFocusReason);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void StandardRuleView::showTab(int index) {
    if (index < 0 || index >= m_pages.size())
        return;
    m_current = index;
    m_stack->setCurrentIndex(index);
    for (int i = 0; i < m_tabs.size(); ++i) {
        m_tabs[i]->setProperty("current", i == index);
        m_tabs[i]->style()->unpolish(m_tabs[i]);
        m_tabs[i]->style()->polish(m_tabs[i]);
    }
    m_pages[index]->addButton()->setFocus(Qt::OtherFocusReason);
    deselectAll();
    refresh();
}

void StandardRuleView::deselectAll() {
    for (RulePage *p : std::as_const(m_pages))
        p->deselectAll();
}

void StandardRuleView::refresh() {
    for (RulePage *p : std::as_const(m_pages))
        p->refresh();
}

Mp3RuleView::Mp3RuleView(QWidget *popupHost, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pctMP3"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_page = new Mp3RulePage(popupHost, this);
    connect(m_page, &RulePage::optionSelected, m_page, &RulePage::refresh);
    outer->addWidget(m_page);
}

} // namespace tallowin::ui
