#pragma once

#include "editing/ruledraft.h"
#include "ui/rulelayouts.h"

#include <QHash>
#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QToolButton;
class QHBoxLayout;
class QVBoxLayout;

namespace tallowin::ui {

class PictureButton;

// One page that adds rules, laid out from its description: an option button per option with
// its row of controls, the controls the options share, and the add button. It reads its
// controls into a page state and resets them as the description says.
class RulePage : public QWidget {
    Q_OBJECT
public:
    // `popupHost` holds the pickers' lists, so a list may reach beyond the page. `intro` is
    // the text above the rows.
    RulePage(const RulePageInfo &page, const QString &intro, QWidget *popupHost, QWidget *parent);

    const RulePageInfo &info() const { return m_page; }
    PictureButton *addButton() const { return m_add; }
    // Enables each option's controls while it is selected and resets every control.
    void refresh();
    void deselectAll();
    // The rule of each selected option of this page, with its controls' values.
    std::vector<RuleDraft> drafts() const;
    // The help page of every control whose F1 opens one, by objectName.
    void addHelp(QHash<QString, QString> &help) const;

Q_SIGNALS:
    void addClicked();
    // An option became selected.
    void optionSelected();

protected:
    // Where a page adds widgets of its own, below the rows.
    QVBoxLayout *body() const { return m_body; }

private:
    // The widgets made for one control; a picker has the box, its button and its list.
    struct Widgets {
        QLineEdit *box = nullptr;
        QCheckBox *check = nullptr;
        QToolButton *button = nullptr;
        QListWidget *list = nullptr;
    };

    // Makes the widgets of `c` and appends those its row shows.
    void controlWidgets(const RuleControl &c, const QString &rowTip, QList<QWidget *> &into);
    void makePicker(const RuleControl &c, Widgets &w, const QString &tip);
    void togglePicker(const RuleControl &c);
    void pick(const RuleControl &c, const QString &entry);
    QWidget *focusTarget(const RuleControl *c) const;
    QString controlName(const RuleControl &c) const;
    void nameWidgets(const RuleControl &c, const Widgets &w);
    QHBoxLayout *rowLayout(const Row &row, const QString &tip);
    void reset(const RuleControl &c, bool selected);
    void setEnabled(const RuleControl &c, bool on);

    const RulePageInfo &m_page;
    QWidget *m_popupHost;
    QVBoxLayout *m_body = nullptr;
    PictureButton *m_add = nullptr;
    QHash<const RuleOption *, QRadioButton *> m_options;
    QHash<const RuleControl *, Widgets> m_widgets;
};

// The MP3 page: the generic page and the legend of the tags a template may hold.
class Mp3RulePage : public RulePage {
    Q_OBJECT
public:
    Mp3RulePage(QWidget *popupHost, QWidget *parent);
};

} // namespace tallowin::ui
