#include "ui/rulepage.h"

#include "shell/coretext.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace tallowin::ui {

namespace {

// Hides a picker list when it loses the focus; passes the keys on.
class HideOnFocusOut : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        // Only a move of the focus inside the program closes it, not a switch of windows.
        if (e->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent *>(e)->reason() != Qt::ActiveWindowFocusReason)
            static_cast<QWidget *>(o)->hide();
        return QObject::eventFilter(o, e);
    }
};

// Opens a picker from its box by keyboard (Alt+Down, F4 or Space), as a drop-down list does.
class OpenFromKeyboard : public QObject {
public:
    OpenFromKeyboard(QObject *parent, std::function<void()> open)
        : QObject(parent), m_open(std::move(open)) {}

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::KeyPress) {
            auto *k = static_cast<QKeyEvent *>(e);
            if ((k->key() == Qt::Key_Down && (k->modifiers() & Qt::AltModifier)) ||
                k->key() == Qt::Key_F4 || k->key() == Qt::Key_Space) {
                m_open();
                return true;
            }
        }
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> m_open;
};

// Marked here, translated where shown: translators load after this is made.
const char *const Hint = QT_TRANSLATE_NOOP(
    "tallowin::ui::RulePage",
    "Please select a rule to add, for details hold your mouse over the rule for a couple of "
    "seconds.");

// Auto-exclusive radio buttons refuse to be unticked directly.
void deselect(QRadioButton *b) {
    if (!b->isChecked())
        return;
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

void sizeBox(QLineEdit *e, const RuleControl &c) {
    const int avg = e->fontMetrics().averageCharWidth();
    e->setMinimumWidth(avg * c.chars + 12);
    e->setMaximumWidth(c.wide ? QWIDGETSIZE_MAX : avg * c.chars * 2 + 12);
}

} // namespace

RulePage::RulePage(const RulePageInfo &page, const QString &intro, QWidget *popupHost,
                   QWidget *parent)
    : QWidget(parent), m_page(page), m_popupHost(popupHost) {
    setObjectName(page.frame);
    m_body = new QVBoxLayout(this);
    m_body->setContentsMargins(12, 10, 12, 10);
    m_body->setSpacing(8);
    auto *top = new QLabel(intro.isEmpty() ? tr(Hint) : intro, this);
    top->setWordWrap(true);
    top->setProperty("hint", intro.isEmpty());
    m_body->addWidget(top);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    for (const RuleOption *o : page.options) {
        auto *b = new QRadioButton(coreText(o->caption), this);
        b->setObjectName(o->name);
        if (!o->tooltip.isEmpty())
            b->setToolTip(coreText(o->tooltip));
        m_options.insert(o, b);
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Q_EMIT optionSelected();
        });
        const int r = grid->rowCount();
        if (o->row.empty()) {
            grid->addWidget(b, r, 0, 1, 2);
        } else {
            grid->addWidget(b, r, 0);
            grid->addLayout(rowLayout(o->row, coreText(o->tooltip)), r, 1);
        }
    }
    for (const Row &row : page.sharedRows)
        grid->addLayout(rowLayout(row, {}), grid->rowCount(), 0, 1, 2);
    m_body->addLayout(grid);
    m_body->addStretch(1);

    auto *bottom = new QHBoxLayout;
    if (!page.besideAdd.empty())
        bottom->addLayout(rowLayout(page.besideAdd, {}));
    // Made after the page's controls, so Tab reaches it after them.
    m_add = new PictureButton(page.addButton, themedIcon("list-add", "add"), tr("A&dd Rule"), this);
    if (!page.addTip.isEmpty())
        m_add->setToolTip(coreText(page.addTip));
    nameControl(m_add, tr("Add Rule"));
    m_add->setFocusLook(page.addFocusLook);
    connect(m_add, &QAbstractButton::clicked, this, &RulePage::addClicked);
    bottom->addStretch(1);
    bottom->addWidget(m_add);
    m_body->addLayout(bottom);

    for (auto it = m_widgets.cbegin(); it != m_widgets.cend(); ++it)
        nameWidgets(*it.key(), *it);
}

// A box is named by what it holds for its option ("Replace: the text to find"); a box every
// option shares by the words before it ("Start count at").
QString RulePage::controlName(const RuleControl &c) const {
    for (const RuleOption *o : m_page.options) {
        const bool inRow = std::any_of(o->row.begin(), o->row.end(),
                                       [&c](const RowPart &p) { return p.control == &c; });
        if (!inRow)
            continue;
        for (const RuleInput &input : o->inputs) {
            if (input.control != &c)
                continue;
            for (const RuleParam &param : o->kind->params)
                if (param.name == input.param)
                    return tr("%1: %2").arg(coreText(o->caption), coreText(param.meaning));
        }
        return coreText(o->caption);
    }
    std::vector<const Row *> shared{&m_page.besideAdd};
    for (const Row &row : m_page.sharedRows)
        shared.push_back(&row);
    for (const Row *row : shared) {
        QString before;
        for (const RowPart &p : *row) {
            if (p.control == &c)
                return before.isEmpty() ? coreText(c.tooltip) : coreText(before);
            if (!p.control && !p.note)
                before = p.words;
        }
    }
    return coreText(c.tooltip);
}

void RulePage::nameWidgets(const RuleControl &c, const Widgets &w) {
    if (w.check)
        return; // its caption names it
    const QString name = controlName(c);
    nameControl(w.box, name);
    if (w.button)
        nameControl(w.button, tr("%1, choices").arg(name));
    if (w.list)
        nameControl(w.list, tr("%1, choices").arg(name));
}

// One row reads as a sentence: words and controls, then space.
QHBoxLayout *RulePage::rowLayout(const Row &row, const QString &tip) {
    auto *line = new QHBoxLayout;
    line->setSpacing(6);
    for (const RowPart &part : row) {
        QList<QWidget *> parts;
        if (part.control) {
            controlWidgets(*part.control, tip, parts);
        } else {
            auto *l = new QLabel(coreText(part.words), this);
            if (part.note)
                l->setProperty("hint", true);
            l->setToolTip(part.tooltip.isEmpty() ? tip : coreText(part.tooltip));
            parts << l;
        }
        for (QWidget *w : std::as_const(parts))
            line->addWidget(w);
    }
    line->addStretch(1);
    return line;
}

void RulePage::controlWidgets(const RuleControl &c, const QString &rowTip, QList<QWidget *> &into) {
    Widgets &w = m_widgets[&c];
    const QString tip = c.tooltip.isEmpty() ? rowTip : coreText(c.tooltip);
    switch (c.type) {
    case ControlType::CheckBox:
        w.check = new QCheckBox(coreText(c.caption), this);
        w.check->setObjectName(c.name);
        w.check->setToolTip(tip);
        into << w.check;
        return;
    case ControlType::LineEdit:
        w.box = new QLineEdit(this);
        w.box->setObjectName(c.name);
        w.box->setToolTip(tip);
        w.box->setText(c.initial);
        w.box->setPlaceholderText(c.placeholder);
        sizeBox(w.box, c);
        // Enter in a box adds the rule, as the add button does.
        connect(w.box, &QLineEdit::returnPressed, this, &RulePage::addClicked);
        into << w.box;
        return;
    case ControlType::Picker:
        makePicker(c, w, tip);
        into << w.box << w.button;
        return;
    }
}

void RulePage::makePicker(const RuleControl &c, Widgets &w, const QString &tip) {
    w.box = new QLineEdit(this);
    w.box->setObjectName(c.name);
    w.box->setReadOnly(true);
    w.box->setText(c.initial);
    w.box->setToolTip(tip);
    sizeBox(w.box, c);
    // Wide enough for its longest entry, so none is cut off.
    int widest = 0;
    for (const QString &choice : c.choices)
        widest = std::max(widest, w.box->fontMetrics().horizontalAdvance(choice));
    w.box->setMinimumWidth(std::max(w.box->minimumWidth(), widest + 16));
    w.box->setMaximumWidth(std::max(w.box->maximumWidth(), w.box->minimumWidth()));
    connect(w.box, &QLineEdit::returnPressed, this, &RulePage::addClicked);
    w.button = new QToolButton(this);
    w.button->setObjectName(c.pickerButton());
    w.button->setIcon(themedIcon("go-down", "picker"));
    w.button->setFocusPolicy(Qt::NoFocus);
    w.button->setToolTip(tip);
    w.list = new QListWidget(m_popupHost);
    w.list->setObjectName(c.pickerList());
    w.list->addItems(c.choices);
    w.list->hide();
    w.list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.list->setToolTip(tip);
    w.list->installEventFilter(new HideOnFocusOut(w.list));
    const RuleControl *pc = &c;
    QToolButton *button = w.button;
    w.box->installEventFilter(new OpenFromKeyboard(w.box, [this, pc, button] {
        if (button->isEnabled())
            togglePicker(*pc);
    }));
    connect(w.button, &QToolButton::clicked, this, [this, pc] { togglePicker(*pc); });
    connect(w.list, &QListWidget::itemClicked, this,
            [this, pc](QListWidgetItem *item) { pick(*pc, item->text()); });
    connect(w.list, &QListWidget::itemActivated, this,
            [this, pc](QListWidgetItem *item) { pick(*pc, item->text()); });
}

QWidget *RulePage::focusTarget(const RuleControl *c) const {
    if (!c)
        return m_add;
    const Widgets w = m_widgets.value(c);
    return w.box ? static_cast<QWidget *>(w.box) : w.check;
}

void RulePage::togglePicker(const RuleControl &c) {
    const Widgets w = m_widgets.value(&c);
    if (w.list->isVisible()) {
        w.list->hide();
        if (QWidget *f = focusTarget(c.focusOnClose))
            f->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QPoint at = w.box->mapTo(m_popupHost, QPoint(0, w.box->height()));
    const int rowHeight =
        w.list->sizeHintForRow(0) > 0 ? w.list->sizeHintForRow(0) : w.box->height();
    const int width = std::max(w.box->width() + w.button->width(),
                               w.list->sizeHintForColumn(0) + 2 * w.list->frameWidth() + 8);
    w.list->setGeometry(at.x(), at.y(), width,
                        rowHeight * w.list->count() + 2 * w.list->frameWidth() + 2);
    w.list->show();
    w.list->raise();
    w.list->setFocus(Qt::PopupFocusReason);
}

void RulePage::pick(const RuleControl &c, const QString &entry) {
    const Widgets w = m_widgets.value(&c);
    w.box->setText(entry);
    w.list->hide();
    if (QWidget *f = focusTarget(c.focusAfterPick))
        f->setFocus(Qt::OtherFocusReason);
}

void RulePage::setEnabled(const RuleControl &c, bool on) {
    const Widgets w = m_widgets.value(&c);
    for (QWidget *x : {static_cast<QWidget *>(w.box), static_cast<QWidget *>(w.check),
                       static_cast<QWidget *>(w.button)})
        if (x)
            x->setEnabled(on);
}

void RulePage::reset(const RuleControl &c, bool selected) {
    const Widgets w = m_widgets.value(&c);
    switch (c.reset) {
    case ResetTo::Keep:
        return;
    case ResetTo::Empty:
        if (w.box)
            w.box->clear();
        if (w.check)
            w.check->setChecked(false);
        return;
    case ResetTo::FirstChoice:
        w.box->setText(c.choices.value(0));
        return;
    case ResetTo::Initial:
        w.box->setText(c.initial);
        return;
    case ResetTo::FirstChoiceWhenSelected:
        w.box->setText(selected ? c.choices.value(0) : QString());
        return;
    }
}

void RulePage::refresh() {
    for (const RuleOption *o : m_page.options) {
        const bool on = m_options.value(o)->isChecked();
        for (const RowPart &part : o->row) {
            if (!part.control)
                continue;
            setEnabled(*part.control, on);
            reset(*part.control, on);
        }
    }
    for (const Row &row : m_page.sharedRows)
        for (const RowPart &part : row)
            if (part.control)
                reset(*part.control, false);
    for (const RowPart &part : m_page.besideAdd)
        if (part.control)
            reset(*part.control, false);
}

void RulePage::deselectAll() {
    for (QRadioButton *b : std::as_const(m_options))
        deselect(b);
}

std::vector<RuleDraft> RulePage::drafts() const {
    std::vector<RuleDraft> drafts;
    for (const RuleOption *o : m_page.options) {
        if (!m_options.value(o)->isChecked())
            continue;
        drafts.push_back(draftOf(*o, [this](const RuleControl &c) {
            const Widgets w = m_widgets.value(&c);
            if (w.check)
                return w.check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
            return w.box ? w.box->text() : QString();
        }));
    }
    return drafts;
}

void RulePage::addHelp(QHash<QString, QString> &help) const {
    for (const RuleOption *o : m_page.options)
        help.insert(o->name, m_page.help);
    for (auto it = m_widgets.cbegin(); it != m_widgets.cend(); ++it) {
        const RuleControl &c = *it.key();
        if (c.boxHelp)
            help.insert(c.name, m_page.help);
        if (c.type == ControlType::Picker)
            help.insert(c.pickerList(), m_page.help);
    }
}

Mp3RulePage::Mp3RulePage(QWidget *popupHost, QWidget *parent)
    : RulePage(rulePage(RulePageId::Mp3),
               tr("Some MP3 files contain special coding called ID3 tags these tags "
                  "contain information about the auther, album, length, genre, etc. "
                  "of the file in question.  Using this information we can "
                  "automatically change your file name."),
               popupHost, parent) {
    setProperty("pageArea", true);
    // The legend goes where the stretch is, which moves below it.
    const int at = body()->count() - 2;
    auto *legendTitle = new QLabel(tr("Valid MP3 Tags"), this);
    legendTitle->setProperty("heading", true);
    body()->insertWidget(at, legendTitle);
    auto *legend = new QGridLayout;
    legend->setHorizontalSpacing(18);
    const QStringList tags = {"%Album%",     "%Artist%", "%BitRate%",  "%Comment%", "%Duration%",
                              "%Frequency%", "%Genre%",  "%SongName%", "%Track%",   "%Year%"};
    for (int i = 0; i < tags.size(); ++i) {
        auto *l = new QLabel(tags[i], this);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        legend->addWidget(l, i / 5, i % 5);
    }
    body()->insertLayout(at + 1, legend);
}

} // namespace tallowin::ui
