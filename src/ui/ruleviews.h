#pragma once

#include <QList>
#include <QWidget>

class QStackedWidget;

namespace tallowin::ui {

class CaptionLabel;
class Mp3RulePage;
class RulePage;

// The Standard view: a strip of five tabs over the File Name, Extension, Auto Number, Letters
// and Misc pages, one shown at a time.
class StandardRuleView : public QWidget {
    Q_OBJECT
public:
    StandardRuleView(QWidget *popupHost, QWidget *parent);

    // Shows page `index`, gives its add button the focus, deselects every option and resets
    // the pages.
    void showTab(int index);
    int currentTab() const { return m_current; }
    const QList<RulePage *> &pages() const { return m_pages; }
    void deselectAll();
    void refresh();

Q_SIGNALS:
    // The add button of page `index` was pressed.
    void addClicked(int index);

protected:
    // The tabs by keyboard: Space or Enter shows a tab's page, Left and Right move between
    // the tabs; Ctrl+Page Up and Ctrl+Page Down anywhere in the view show the page beside.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_current = 0;
    QStackedWidget *m_stack = nullptr;
    QList<CaptionLabel *> m_tabs;
    QList<RulePage *> m_pages;
};

// The MP3 view: the MP3 page alone.
class Mp3RuleView : public QWidget {
    Q_OBJECT
public:
    Mp3RuleView(QWidget *popupHost, QWidget *parent);
    Mp3RulePage *page() const { return m_page; }

private:
    Mp3RulePage *m_page = nullptr;
};

} // namespace tallowin::ui
