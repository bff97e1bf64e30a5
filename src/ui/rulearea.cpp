#include "ui/rulearea.h"

#include "ui/errorwindow.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tallowin::ui {

namespace {

const QString Hint = QStringLiteral(
    "Please select a rule to add, for details hold your mouse over the rule for a couple of "
    "seconds.");
const QString AddTip = QStringLiteral("Click here to add this rule to your rules list.");
const QStringList BeforeAfter = {QStringLiteral("Before"), QStringLiteral("After")};
const QStringList StartEnd = {QStringLiteral("Start"), QStringLiteral("End")};
const QString DefaultTemplate = QStringLiteral("%Artist% - %SongName%");

QLabel *word(QWidget *page, const QString &text) {
    auto *l = new QLabel(text, page);
    return l;
}

// One row reads as a sentence: the option, then its inputs and words.
void row(QGridLayout *grid, QRadioButton *opt, const QList<QWidget *> &parts,
         const QString &tip = {}) {
    const int r = grid->rowCount();
    grid->addWidget(opt, r, 0);
    auto *line = new QHBoxLayout;
    line->setSpacing(6);
    for (QWidget *w : parts) {
        line->addWidget(w);
        if (!tip.isEmpty() && w->toolTip().isEmpty())
            w->setToolTip(tip);
    }
    line->addStretch(1);
    grid->addLayout(line, r, 1);
}

void enableAll(const QList<QWidget *> &ws, bool on) {
    for (QWidget *w : ws)
        w->setEnabled(on);
}

// Auto-exclusive radio buttons refuse to be unticked directly.
void deselect(QRadioButton *b) {
    if (!b->isChecked())
        return;
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

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

} // namespace

RuleArea::RuleArea(RuleTable &rules, ErrorReporter &errors, QWidget *parent)
    : QWidget(parent), m_rules(rules), m_errors(errors) {
    setObjectName(QStringLiteral("fraRules"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    m_views = new QStackedWidget(this);
    m_views->addWidget(buildStandardView());
    m_views->addWidget(buildMp3View());
    m_views->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(m_views);
    layout->addWidget(buildRulesList(), 1);

    help({QStringLiteral("lstStandardRules")}, QStringLiteral("page12.html"));

    lblStandardTabs_Click(FileNamePage);
    RefreshMp3Page();
}

bool RuleArea::mp3ViewShown() const { return m_views->currentIndex() == 1; }

QRadioButton *RuleArea::option(QWidget *page, const QString &name, const QString &caption,
                               const QString &tip) {
    auto *b = new QRadioButton(caption, page);
    b->setObjectName(name);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

QLineEdit *RuleArea::edit(QWidget *page, const QString &name, const QString &tip, int chars) {
    auto *e = new QLineEdit(page);
    e->setObjectName(name);
    if (!tip.isEmpty())
        e->setToolTip(tip);
    e->setMinimumWidth(e->fontMetrics().averageCharWidth() * chars + 12);
    e->setMaximumWidth(e->fontMetrics().averageCharWidth() * chars * 2 + 12);
    return e;
}

QCheckBox *RuleArea::check(QWidget *page, const QString &name, const QString &caption,
                           const QString &tip) {
    auto *c = new QCheckBox(caption, page);
    c->setObjectName(name);
    if (!tip.isEmpty())
        c->setToolTip(tip);
    return c;
}

RuleArea::Picker &RuleArea::picker(QWidget *page, const QString &box, const QString &button,
                                   const QString &list, const QStringList &entries,
                                   const QString &tip) {
    Picker &p = m_pickers[box];
    p.box = edit(page, box, tip, 6);
    p.box->setReadOnly(true);
    p.box->setText(entries.value(0));
    p.button = new QToolButton(page);
    p.button->setObjectName(button);
    p.button->setIcon(themedIcon("go-down", "picker"));
    p.button->setFocusPolicy(Qt::NoFocus);
    if (!tip.isEmpty())
        p.button->setToolTip(tip);
    p.list = new QListWidget(this);
    p.list->setObjectName(list);
    p.list->addItems(entries);
    p.list->hide();
    p.list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    p.list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (!tip.isEmpty())
        p.list->setToolTip(tip);
    p.list->installEventFilter(new HideOnFocusOut(p.list));
    Picker *pp = &p;
    p.box->installEventFilter(new OpenFromKeyboard(p.box, [this, pp] {
        if (pp->button->isEnabled())
            togglePicker(*pp);
    }));
    connect(p.button, &QToolButton::clicked, this, [this, pp] { togglePicker(*pp); });
    connect(p.list, &QListWidget::itemClicked, this,
            [this, pp](QListWidgetItem *item) { pick(*pp, item->text()); });
    connect(p.list, &QListWidget::itemActivated, this,
            [this, pp](QListWidgetItem *item) { pick(*pp, item->text()); });
    return p;
}

void RuleArea::togglePicker(Picker &p) {
    if (p.list->isVisible()) {
        p.list->hide();
        if (p.focusOnClose)
            p.focusOnClose->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QPoint at = p.box->mapTo(this, QPoint(0, p.box->height()));
    const int rowHeight = p.list->sizeHintForRow(0) > 0 ? p.list->sizeHintForRow(0)
                                                        : p.box->height();
    p.list->setGeometry(at.x(), at.y(), p.box->width() + p.button->width(),
                        rowHeight * p.list->count() + 2 * p.list->frameWidth() + 2);
    p.list->show();
    p.list->raise();
    p.list->setFocus(Qt::PopupFocusReason);
}

void RuleArea::pick(Picker &p, const QString &entry) {
    p.box->setText(entry);
    p.list->hide();
    if (p.focusAfterPick)
        p.focusAfterPick->setFocus(Qt::OtherFocusReason);
}

PictureButton *RuleArea::addButton(QWidget *page, const QString &name, const QString &tip) {
    auto *b = new PictureButton(name, themedIcon("list-add", "add"), QStringLiteral("Add Rule"),
                                page);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

void RuleArea::help(const QStringList &controls, const QString &page) {
    for (const QString &c : controls)
        m_help.insert(c, page);
}

// A page frame: the hint, the rows, and the add button at the bottom right.
static QWidget *pageFrame(const QString &name, QGridLayout *&grid, QWidget *parent) {
    auto *frame = new QWidget(parent);
    frame->setObjectName(name);
    auto *v = new QVBoxLayout(frame);
    v->setContentsMargins(12, 10, 12, 10);
    v->setSpacing(8);
    auto *hint = new QLabel(Hint, frame);
    hint->setWordWrap(true);
    hint->setProperty("hint", true);
    v->addWidget(hint);
    grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    v->addLayout(grid);
    v->addStretch(1);
    return frame;
}

static void finishPage(QWidget *frame, QWidget *addButton, QWidget *extra = nullptr) {
    auto *bottom = new QHBoxLayout;
    if (extra)
        bottom->addWidget(extra);
    bottom->addStretch(1);
    bottom->addWidget(addButton);
    static_cast<QVBoxLayout *>(frame->layout())->addLayout(bottom);
}

QWidget *RuleArea::buildStandardView() {
    auto *view = new QWidget(this);
    view->setObjectName(QStringLiteral("pctTabs"));
    auto *v = new QVBoxLayout(view);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto *strip = new QHBoxLayout;
    strip->setSpacing(2);
    const QStringList captions = {QStringLiteral("File Name"), QStringLiteral("Extension"),
                                  QStringLiteral("Auto Number"), QStringLiteral("Letters"),
                                  QStringLiteral("Misc")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *tab = new CaptionLabel(QStringLiteral("lblStandardTabs(%1)").arg(i), captions[i],
                                     view);
        tab->setProperty("tab", true);
        tab->setCursor(Qt::PointingHandCursor);
        connect(tab, &CaptionLabel::clicked, this, [this, i] { lblStandardTabs_Click(i); });
        m_tabs.append(tab);
        strip->addWidget(tab);
    }
    strip->addStretch(1);
    v->addLayout(strip);

    m_pages = new QStackedWidget(view);
    m_pages->setObjectName(QStringLiteral("stkStandardPages"));
    m_pages->setProperty("pageArea", true);
    m_pages->addWidget(buildFileNamePage());
    m_pages->addWidget(buildExtensionPage());
    m_pages->addWidget(buildAutoNumberPage());
    m_pages->addWidget(buildLettersPage());
    m_pages->addWidget(buildMiscPage());
    v->addWidget(m_pages);
    return view;
}

QWidget *RuleArea::buildFileNamePage() {
    QGridLayout *g = nullptr;
    QWidget *f = pageFrame(QStringLiteral("fraStandardFileName"), g, this);
    auto *add = addButton(f, QStringLiteral("cmdStandardFileNameAddNewRule"), {});
    add->setFocusLook(true);

    auto *optReplace = option(f, QStringLiteral("optStandardReplace"), QStringLiteral("Replace"));
    auto *replaceThis = edit(f, QStringLiteral("txtStandardReplaceThis"));
    auto *replaceWith = edit(f, QStringLiteral("txtStandardReplaceWith"));
    auto *replaceFirst =
        check(f, QStringLiteral("chkStandardReplaceFirstOnly"), QStringLiteral("First Only"));
    row(g, optReplace, {replaceThis, word(f, QStringLiteral("with")), replaceWith, replaceFirst});

    auto *optBA = option(f, QStringLiteral("optStandardBeforeAfter"), QStringLiteral("Insert"));
    auto *baText = edit(f, QStringLiteral("txtStandardBeforeAfterText"));
    Picker &baPick = picker(f, QStringLiteral("txtStandardBeforeAfter"),
                            QStringLiteral("cmbStandardBeforeAfter"),
                            QStringLiteral("lstStandardBeforeAfter"), BeforeAfter);
    auto *baCriteria = edit(f, QStringLiteral("txtStandardBeforeAfterCriteria"));
    auto *baFirst =
        check(f, QStringLiteral("chkStandardBeforeAfterFirstOnly"), QStringLiteral("First Only"));
    row(g, optBA, {baText, baPick.box, baPick.button, baCriteria, baFirst});
    baPick.focusAfterPick = baCriteria;
    baPick.focusOnClose = baText;

    auto *optInsert = option(f, QStringLiteral("optStandardInsert"), QStringLiteral("Insert"));
    auto *insText = edit(f, QStringLiteral("txtStandardInsertText"));
    Picker &insPick = picker(f, QStringLiteral("txtStandardInsert"),
                             QStringLiteral("cmbStandardInsert"),
                             QStringLiteral("lstStandardInsert"), StartEnd);
    row(g, optInsert,
        {insText, word(f, QStringLiteral("at the")), insPick.box, insPick.button,
         word(f, QStringLiteral("of the file name"))});
    insPick.focusAfterPick = insPick.focusOnClose = add;

    auto *optRemove = option(f, QStringLiteral("optStandardRemove"), QStringLiteral("Remove"));
    auto *remCount = edit(f, QStringLiteral("txtStandardRemoveCharacters"), {}, 4);
    Picker &remPick = picker(f, QStringLiteral("txtStandardRemove"),
                             QStringLiteral("cmbStandardRemove"),
                             QStringLiteral("lstStandardRemove"), StartEnd);
    row(g, optRemove,
        {remCount, word(f, QStringLiteral("characters from the")), remPick.box, remPick.button,
         word(f, QStringLiteral("of the file name"))});
    remPick.focusAfterPick = remPick.focusOnClose = add;

    auto *optClear =
        option(f, QStringLiteral("optStandardClear"), QStringLiteral("Clear text between"));
    auto *clearFrom = edit(f, QStringLiteral("txtStandardClearFrom"));
    auto *clearTo = edit(f, QStringLiteral("txtStandardClearTo"));
    auto *clearLeave =
        check(f, QStringLiteral("chkStandardClearLeaveText"), QStringLiteral("Leave Search Text"));
    row(g, optClear, {clearFrom, word(f, QStringLiteral("and")), clearTo, clearLeave});

    auto *optSetTo =
        option(f, QStringLiteral("optStandardSetTo"), QStringLiteral("Set file name to"));
    auto *setTo = edit(f, QStringLiteral("txtStandardSetTo"), {}, 16);
    auto *setToNote = word(f, QStringLiteral("* Must be first file name rule"));
    setToNote->setProperty("hint", true);
    row(g, optSetTo, {setTo, setToNote});

    m_fileNameRows = {
        {optReplace, {replaceThis, replaceWith, replaceFirst},
         [=] { replaceThis->clear(); replaceWith->clear(); replaceFirst->setChecked(false); }},
        {optBA, {baText, baPick.box, baPick.button, baCriteria, baFirst},
         [=] {
             baText->clear();
             baCriteria->clear();
             baPick.box->setText(BeforeAfter[0]);
             baFirst->setChecked(false);
         }},
        {optInsert, {insText, insPick.box, insPick.button},
         [=] { insText->clear(); insPick.box->setText(StartEnd[0]); }},
        {optRemove, {remCount, remPick.box, remPick.button},
         [=] { remCount->clear(); remPick.box->setText(StartEnd[0]); }},
        {optClear, {clearFrom, clearTo, clearLeave},
         [=] { clearFrom->clear(); clearTo->clear(); clearLeave->setChecked(false); }},
        {optSetTo, {setTo}, [=] { setTo->clear(); }},
    };
    watchOptions(m_fileNameRows, &RuleArea::RefreshFileNamePage);
    connect(add, &QAbstractButton::clicked, this, [this] { addSelected(FileNamePage); });
    finishPage(f, add);

    help({QStringLiteral("optStandardReplace"), QStringLiteral("optStandardBeforeAfter"),
          QStringLiteral("optStandardInsert"), QStringLiteral("optStandardRemove"),
          QStringLiteral("optStandardClear"), QStringLiteral("optStandardSetTo"),
          QStringLiteral("txtStandardReplaceThis"), QStringLiteral("txtStandardReplaceWith"),
          QStringLiteral("txtStandardBeforeAfterText"),
          QStringLiteral("txtStandardBeforeAfterCriteria"), QStringLiteral("txtStandardInsertText"),
          QStringLiteral("txtStandardInsert"), QStringLiteral("txtStandardRemoveCharacters"),
          QStringLiteral("txtStandardRemove"), QStringLiteral("txtStandardClearFrom"),
          QStringLiteral("txtStandardClearTo"), QStringLiteral("txtStandardSetTo"),
          QStringLiteral("chkStandardReplaceFirstOnly"),
          QStringLiteral("chkStandardBeforeAfterFirstOnly"),
          QStringLiteral("chkStandardClearLeaveText"), QStringLiteral("lstStandardBeforeAfter"),
          QStringLiteral("lstStandardInsert"), QStringLiteral("lstStandardRemove")},
         QStringLiteral("page7.html"));
    return f;
}

QWidget *RuleArea::buildExtensionPage() {
    QGridLayout *g = nullptr;
    QWidget *f = pageFrame(QStringLiteral("fraStandardExtensions"), g, this);
    auto *add = addButton(f, QStringLiteral("cmdStandardExtensionAddNewRule"), {});

    const QString replaceTip = QStringLiteral("Replace this string with a new string.");
    auto *optReplace =
        option(f, QStringLiteral("optStandardExtReplace"), QStringLiteral("Replace"), replaceTip);
    auto *replaceThis = edit(f, QStringLiteral("txtStandardExtReplaceThis"));
    auto *replaceThat = edit(f, QStringLiteral("txtStandardExtReplaceThat"));
    row(g, optReplace, {replaceThis, word(f, QStringLiteral("with")), replaceThat}, replaceTip);

    const QString baTip =
        QStringLiteral("Insert this string before or after the following string.");
    auto *optBA =
        option(f, QStringLiteral("optStandardExtBeforeAfter"), QStringLiteral("Insert"), baTip);
    auto *baThis = edit(f, QStringLiteral("txtStandardExtBeforeAfterThis"));
    Picker &baPick = picker(f, QStringLiteral("txtStandardExtBeforeAfter"),
                            QStringLiteral("cmbStandardExtBeforeAfter"),
                            QStringLiteral("lstStandardExtBeforeAfter"), BeforeAfter, baTip);
    auto *baThat = edit(f, QStringLiteral("txtStandardExtBeforeAfterThat"));
    row(g, optBA, {baThis, baPick.box, baPick.button, baThat}, baTip);
    baPick.focusAfterPick = baPick.focusOnClose = baThat;

    const QString insTip =
        QStringLiteral("Insert this string at the beginning or end of the extension.");
    auto *optInsert =
        option(f, QStringLiteral("optStandardExtInsert"), QStringLiteral("Insert"), insTip);
    auto *insText = edit(f, QStringLiteral("txtStandardExtInsertText"));
    Picker &insPick = picker(f, QStringLiteral("txtStandardExtInsert"),
                             QStringLiteral("cmbStandardExtInsert"),
                             QStringLiteral("lstStandardExtInsert"), StartEnd, insTip);
    row(g, optInsert,
        {insText, word(f, QStringLiteral("at the")), insPick.box, insPick.button,
         word(f, QStringLiteral("of the extension"))},
        insTip);
    insPick.focusAfterPick = insPick.focusOnClose = add;

    const QString remTip = QStringLiteral(
        "Remove this many characters from the beginning or end of the extension.");
    auto *optRemove =
        option(f, QStringLiteral("optStandardExtRemove"), QStringLiteral("Remove"), remTip);
    auto *remCount = edit(f, QStringLiteral("txtStandardExtRemoveCharacters"), {}, 4);
    Picker &remPick = picker(f, QStringLiteral("txtStandardExtRemove"),
                             QStringLiteral("cmbStandardExtRemove"),
                             QStringLiteral("lstStandardExtRemove"), StartEnd, remTip);
    row(g, optRemove,
        {remCount, word(f, QStringLiteral("characters from the")), remPick.box, remPick.button,
         word(f, QStringLiteral("of the extension"))},
        remTip);
    remPick.focusAfterPick = remPick.focusOnClose = add;

    const QString clearTip =
        QStringLiteral("Remove all text that comes before or after this string.");
    auto *optClear =
        option(f, QStringLiteral("optStandardExtClear"), QStringLiteral("Clear all text"), clearTip);
    Picker &clearPick = picker(f, QStringLiteral("txtStandardExtClear"),
                               QStringLiteral("cmbStandardExtClear"),
                               QStringLiteral("lstStandardExtClear"), BeforeAfter, clearTip);
    auto *clearThis = edit(f, QStringLiteral("txtStandardExtClearThis"));
    auto *clearLeave = check(f, QStringLiteral("chkStandardExtLeaveSearch"),
                             QStringLiteral("Leave Search Text"),
                             QStringLiteral("Check this box if you wish to leave the search "
                                            "text, otherwise it will be cleared as well."));
    row(g, optClear,
        {clearPick.box, clearPick.button, word(f, QStringLiteral("this")), clearThis, clearLeave},
        clearTip);
    clearPick.focusAfterPick = clearPick.focusOnClose = add;

    const QString setTip = QStringLiteral(
        "Set the extension to this text exactly.  This must be the first rule applied to "
        "extensions or it will overwrite any previous rules.");
    auto *optSetTo = option(f, QStringLiteral("optStandardExtSetTo"),
                            QStringLiteral("Set the extension to "), setTip);
    auto *setTo = edit(f, QStringLiteral("txtStandardExtSetTo"), {}, 8);
    auto *setToNote = word(f, QStringLiteral("* Must be first extension rule"));
    setToNote->setProperty("hint", true);
    row(g, optSetTo, {setTo, setToNote}, setTip);

    m_extensionRows = {
        {optReplace, {replaceThis, replaceThat}, [=] { replaceThis->clear(); replaceThat->clear(); }},
        {optBA, {baThis, baPick.box, baPick.button, baThat},
         [=] { baThis->clear(); baThat->clear(); baPick.box->setText(BeforeAfter[0]); }},
        {optInsert, {insText, insPick.box, insPick.button},
         [=] { insText->clear(); insPick.box->setText(StartEnd[0]); }},
        {optRemove, {remCount, remPick.box, remPick.button},
         [=] { remCount->clear(); remPick.box->setText(StartEnd[0]); }},
        // The clear picker keeps its last choice.
        {optClear, {clearPick.box, clearPick.button, clearThis, clearLeave},
         [=] { clearThis->clear(); clearLeave->setChecked(false); }},
        {optSetTo, {setTo}, [=] { setTo->clear(); }},
    };
    watchOptions(m_extensionRows, &RuleArea::RefreshExtensionPage);
    connect(add, &QAbstractButton::clicked, this, [this] { addSelected(ExtensionPage); });
    finishPage(f, add);

    help({QStringLiteral("optStandardExtReplace"), QStringLiteral("optStandardExtBeforeAfter"),
          QStringLiteral("optStandardExtInsert"), QStringLiteral("optStandardExtRemove"),
          QStringLiteral("optStandardExtClear"), QStringLiteral("optStandardExtSetTo"),
          QStringLiteral("txtStandardExtReplaceThis"), QStringLiteral("txtStandardExtReplaceThat"),
          QStringLiteral("txtStandardExtBeforeAfterThis"),
          QStringLiteral("txtStandardExtBeforeAfterThat"),
          QStringLiteral("txtStandardExtInsertText"), QStringLiteral("txtStandardExtInsert"),
          QStringLiteral("txtStandardExtRemoveCharacters"),
          QStringLiteral("txtStandardExtClearThis"), QStringLiteral("txtStandardExtSetTo"),
          QStringLiteral("chkStandardExtLeaveSearch"), QStringLiteral("lstStandardExtBeforeAfter"),
          QStringLiteral("lstStandardExtInsert"), QStringLiteral("lstStandardExtRemove"),
          QStringLiteral("lstStandardExtClear")},
         QStringLiteral("page8.html"));
    return f;
}

QWidget *RuleArea::buildAutoNumberPage() {
    QGridLayout *g = nullptr;
    QWidget *f = pageFrame(QStringLiteral("fraStandardAutoNumber"), g, this);
    auto *add = addButton(f, QStringLiteral("cmdStandardAutoAddRule"), AddTip);

    const QString seTip = QStringLiteral(
        "Insert self counting numbers at the beginning or end of the file name, such as "
        "01myfile, 02myfile, etc.");
    auto *optSE = option(f, QStringLiteral("optStandardAutoStartEnd"),
                         QStringLiteral("Insert numbers at the"), seTip);
    Picker &sePick = picker(f, QStringLiteral("txtStandardAutoStartEnd"),
                            QStringLiteral("cmbStandardAutoStartEnd"),
                            QStringLiteral("lstStandardAutoStartEnd"), StartEnd, seTip);
    row(g, optSE, {sePick.box, sePick.button, word(f, QStringLiteral("of the file name"))}, seTip);
    sePick.focusAfterPick = sePick.focusOnClose = add;

    const QString baTip = QStringLiteral(
        "Insert self counting number before or after this piece of text in the file name.");
    auto *optBA = option(f, QStringLiteral("optStandardAutoBeforeAfter"),
                         QStringLiteral("Insert numbers"), baTip);
    Picker &baPick = picker(f, QStringLiteral("txtStandardAutoBeforeAfter"),
                            QStringLiteral("cmbStandardAutoBeforeAfter"),
                            QStringLiteral("lstStandardAutoBeforeAfter"), BeforeAfter, baTip);
    auto *baThis = edit(f, QStringLiteral("txtStandardAutoBeforeAfterThis"));
    row(g, optBA, {baPick.box, baPick.button, word(f, QStringLiteral("this")), baThis}, baTip);
    baPick.focusAfterPick = baThis;
    baPick.focusOnClose = add;

    const QString startTip = QStringLiteral("Start the self counting number with this number");
    const QString incTip = QStringLiteral(
        "Add this number to the starting number for each file, for example starting with 1 and "
        "incrementing 1 will result in 1, 2, 3, 4, 5  starting with 1 and incrementing by 2 "
        "will result in 1,3,5,7,9.");
    const QString fmtTip = QStringLiteral(
        "Format your number to contain a certain number of characters.  This eliminates the "
        "issue of windows sorting files like myfile1, myfile10, myfile2 by adding extra 0's "
        "such as myfile001,myfile002,myfile010");
    auto *start = edit(f, QStringLiteral("txtStandardAutoStartCount"), startTip, 4);
    auto *inc = edit(f, QStringLiteral("txtStandardAutoIncrement"), incTip, 4);
    auto *fmt = edit(f, QStringLiteral("txtStandardAutoFormat"), fmtTip, 3);
    auto *shared = new QGridLayout;
    shared->setHorizontalSpacing(6);
    auto *l1 = word(f, QStringLiteral("Start count at"));
    l1->setToolTip(startTip);
    auto *l2 = word(f, QStringLiteral("and increment by"));
    l2->setToolTip(incTip);
    auto *l3 = word(f, QStringLiteral("Format number to "));
    l3->setToolTip(fmtTip);
    auto *l4 = word(f, QStringLiteral("digits minimum.  (0001,0002, etc)"));
    l4->setToolTip(fmtTip);
    auto *line1 = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(l1), static_cast<QWidget *>(start),
                       static_cast<QWidget *>(l2), static_cast<QWidget *>(inc)})
        line1->addWidget(w);
    line1->addStretch(1);
    auto *line2 = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(l3), static_cast<QWidget *>(fmt),
                       static_cast<QWidget *>(l4)})
        line2->addWidget(w);
    line2->addStretch(1);
    const int r = g->rowCount();
    g->addLayout(line1, r, 0, 1, 2);
    g->addLayout(line2, r + 1, 0, 1, 2);
    delete shared;

    m_autoRows = {
        // Both pickers keep their last choice.
        {optSE, {sePick.box, sePick.button}, [] {}},
        {optBA, {baPick.box, baPick.button, baThis}, [=] { baThis->clear(); }},
        {nullptr, {}, [=] {
             start->setText(QStringLiteral("1"));
             inc->setText(QStringLiteral("1"));
             fmt->setText(QStringLiteral("4"));
         }},
    };
    watchOptions(m_autoRows, &RuleArea::RefreshAutoNumberPage);
    connect(add, &QAbstractButton::clicked, this, [this] { addSelected(AutoNumberPage); });
    finishPage(f, add);

    help({QStringLiteral("optStandardAutoStartEnd"), QStringLiteral("optStandardAutoBeforeAfter"),
          QStringLiteral("txtStandardAutoBeforeAfterThis"),
          QStringLiteral("txtStandardAutoStartCount"), QStringLiteral("txtStandardAutoIncrement"),
          QStringLiteral("txtStandardAutoFormat"), QStringLiteral("lstStandardAutoStartEnd"),
          QStringLiteral("lstStandardAutoBeforeAfter")},
         QStringLiteral("page9.html"));
    return f;
}

QWidget *RuleArea::buildLettersPage() {
    QGridLayout *g = nullptr;
    QWidget *f = pageFrame(QStringLiteral("fraStandardLetters"), g, this);
    auto *add = addButton(f, QStringLiteral("cmdStandardLettersAddRule"), AddTip);
    const struct {
        const char *name, *caption, *tip;
    } rows[] = {
        {"optStandardLettersFirstCap", "Make First Of Each Word Upper",
         "Make The First Of Each Word Upper Case"},
        {"optStandardLettersFirstLow", "mAKE fIRST oF eACH wORD lOWER",
         "Make the first of each word lower case and the rest of the word upper case."},
        {"optStandardLettersOtherCap", "MaKe EvErY OtHeR LeTtEr UpPeR",
         "Make every other letter upper case starting with the first letter of each word."},
        {"optStandardLettersOtherLow", "mAkE eVeRy oThEr lEtTeR lOwEr",
         "Make every other letter lower case starting with the first letter of each word."},
        {"optStandardLettersUpperCase", "Make all UPPER case", "Make the file name UPPER case."},
        {"optStandardLettersLowerCase", "Make all lower case", "Make the file name lower case."},
    };
    QStringList names;
    for (const auto &r : rows) {
        auto *o = option(f, QLatin1String(r.name), QString::fromUtf8(r.caption),
                         QString::fromUtf8(r.tip));
        g->addWidget(o, g->rowCount(), 0, 1, 2);
        m_standardOptions.append(o);
        names << o->objectName();
    }
    auto *ext = check(f, QStringLiteral("chkStandardLettersApplyToExt"),
                      QStringLiteral("Apply Rule To Extension"),
                      QStringLiteral("Apply this rule to the extension as well as the file name."));
    connect(add, &QAbstractButton::clicked, this, [this] { addSelected(LettersPage); });
    finishPage(f, add, ext);
    help(names << ext->objectName(), QStringLiteral("page10.html"));
    return f;
}

QWidget *RuleArea::buildMiscPage() {
    QGridLayout *g = nullptr;
    QWidget *f = pageFrame(QStringLiteral("fraStandardMisc"), g, this);
    auto *add = addButton(f, QStringLiteral("cmdStandardMiscAddRule"), AddTip);
    const struct {
        const char *name, *caption, *tip;
    } rows[] = {
        {"optStandardMiscReplaceSpaces", "Replace spaces with _",
         "Replaces all spaces with _ underscores"},
        {"optStandardMiscAddSpaces", "Replace _ with space",
         "Replaces all _ underscores with spaces"},
        {"optStandardMiscRemoveSpaces", "Remove Extra Spaces",
         "Removes any spaces from the beginning or end of the file name."},
        {"optStandardMiscRemoveMultiSpace", "Convert multiple spaces to one",
         "If you have a file name with    extra spaces it will remove them and make it only a "
         "single space."},
        {"optStandardMiscForceAlphaNumeric",
         "Remove special characters forcing Alpha Numeric (i.e. abc123)",
         "This will limit your file name to being Letters and Numbers only, !@#$%^&&*() etc."},
    };
    QStringList names;
    for (const auto &r : rows) {
        auto *o = option(f, QLatin1String(r.name), QString::fromUtf8(r.caption),
                         QString::fromUtf8(r.tip));
        g->addWidget(o, g->rowCount(), 0, 1, 2);
        m_standardOptions.append(o);
        names << o->objectName();
    }
    connect(add, &QAbstractButton::clicked, this, [this] { addSelected(MiscPage); });
    finishPage(f, add);
    help(names, QStringLiteral("page11.html"));
    return f;
}

QWidget *RuleArea::buildMp3View() {
    auto *view = new QWidget(this);
    view->setObjectName(QStringLiteral("pctMP3"));
    auto *outer = new QVBoxLayout(view);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *f = new QWidget(view);
    f->setObjectName(QStringLiteral("frmMP3Rules"));
    f->setProperty("pageArea", true);
    outer->addWidget(f);
    auto *v = new QVBoxLayout(f);
    v->setContentsMargins(12, 10, 12, 10);
    v->setSpacing(8);
    auto *explain = new QLabel(
        QStringLiteral("Some MP3 files contain special coding called ID3 tags these tags contain "
                       "information about the auther, album, length, genre, etc. of the file in "
                       "question.  Using this information we can automatically change your file "
                       "name."),
        f);
    explain->setWordWrap(true);
    explain->setProperty("hint", true);
    v->addWidget(explain);

    auto *g = new QGridLayout;
    g->setHorizontalSpacing(10);
    g->setColumnStretch(1, 1);
    const QString preTip = QStringLiteral(
        "Set the file name of an MP3 file to a predefined format based on ID3 tags in the MP3 "
        "file.");
    const QString cusTip = QStringLiteral(
        "Set the file name of an MP3 file to a custom defined format based on ID3 tags in the MP3 "
        "file.");
    auto *add = addButton(f, QStringLiteral("cmdStandardMP3AddNewRule"), AddTip);
    auto *optPre = option(f, QStringLiteral("optMP3Predefined"), QStringLiteral("Predefined"), preTip);
    Picker &pre = picker(f, QStringLiteral("txtPredefinedMP3"), QStringLiteral("cmbPredefinedMP3"),
                         QStringLiteral("lstPredefinedMP3"),
                         {DefaultTemplate, QStringLiteral("%Genre% - %Artist% - %SongName%"),
                          QStringLiteral("%Artist% - %Album% - %SongName%"),
                          QStringLiteral("%Artist% - %Album% - %Track% - %SongName%"),
                          QStringLiteral("%Album% - %Track% - %SongName%")},
                         preTip);
    pre.box->setMinimumWidth(pre.box->fontMetrics().averageCharWidth() * 34);
    pre.box->setMaximumWidth(QWIDGETSIZE_MAX);
    pre.box->clear();
    pre.focusAfterPick = pre.focusOnClose = add;
    row(g, optPre, {pre.box, pre.button});
    auto *optCus = option(f, QStringLiteral("optMP3Custom"), QStringLiteral("Custom"), cusTip);
    auto *custom = edit(f, QStringLiteral("txtCustomMP3"), cusTip, 34);
    custom->setMaximumWidth(QWIDGETSIZE_MAX);
    custom->setPlaceholderText(QStringLiteral("%Year% - %Album% - %Track%"));
    row(g, optCus, {custom});
    v->addLayout(g);

    auto *legendTitle = new QLabel(QStringLiteral("Valid MP3 Tags"), f);
    legendTitle->setProperty("heading", true);
    v->addWidget(legendTitle);
    auto *legend = new QGridLayout;
    legend->setHorizontalSpacing(18);
    const QStringList tags = {"%Album%",  "%Artist%", "%BitRate%",  "%Comment%", "%Duration%",
                              "%Frequency%", "%Genre%", "%SongName%", "%Track%", "%Year%"};
    for (int i = 0; i < tags.size(); ++i) {
        auto *l = new QLabel(tags[i], f);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        legend->addWidget(l, i / 5, i % 5);
    }
    v->addLayout(legend);
    v->addStretch(1);
    finishPage(f, add);

    m_mp3Options = {optPre, optCus};
    for (QRadioButton *o : std::as_const(m_mp3Options))
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                RefreshMp3Page();
        });
    connect(add, &QAbstractButton::clicked, this, [this] { addSelected(-1); });
    help({QStringLiteral("optMP3Predefined"), QStringLiteral("optMP3Custom"),
          QStringLiteral("txtCustomMP3"), QStringLiteral("lstPredefinedMP3"),
          QStringLiteral("txtPredefinedMP3")},
         QStringLiteral("page12.html"));
    return view;
}

QWidget *RuleArea::buildRulesList() {
    auto *box = new QWidget(this);
    box->setObjectName(QStringLiteral("fraRulesList"));
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    auto *caption = new QLabel(QStringLiteral("These Rules Have Been Added"), box);
    caption->setProperty("heading", true);
    v->addWidget(caption);
    auto *h = new QHBoxLayout;
    h->setSpacing(6);
    m_list = new QTreeWidget(box);
    m_list->setObjectName(QStringLiteral("lstStandardRules"));
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({QStringLiteral("Rules To Apply")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAlternatingRowColors(true);
    h->addWidget(m_list, 1);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    auto button = [&](const char *name, const char *theme, const char *res, const QString &tip) {
        auto *b = new PictureButton(QLatin1String(name), themedIcon(theme, res), {}, box);
        b->setToolTip(tip);
        buttons->addWidget(b);
        return b;
    };
    auto *top = button("cmdRuleUpAll", "go-top", "rule-top", QStringLiteral("Move the selected rule to the top"));
    auto *up = button("cmdRuleUp", "go-up", "rule-up", QStringLiteral("Move the selected rule up"));
    auto *down = button("cmdRuleDown", "go-down", "rule-down", QStringLiteral("Move the selected rule down"));
    auto *bottom = button("cmdRuleDownAll", "go-bottom", "rule-bottom", QStringLiteral("Move the selected rule to the bottom"));
    buttons->addSpacing(10);
    auto *del = button("cmdRuleDelete", "edit-delete", "rule-delete", QStringLiteral("Delete the selected rule"));
    auto *clear = button("cmdRuleClear", "edit-clear-all", "rule-clear", QStringLiteral("Delete all rules"));
    buttons->addStretch(1);
    h->addLayout(buttons);
    v->addLayout(h, 1);

    connect(up, &QAbstractButton::clicked, this, [this] {
        ruleButton(2, true, [this](qint16 i, ErrorReporter &e) { m_rules.moveRuleUp(i, e); });
    });
    connect(down, &QAbstractButton::clicked, this, [this] {
        ruleButton(2, true, [this](qint16 i, ErrorReporter &e) { m_rules.moveRuleDown(i, e); });
    });
    connect(top, &QAbstractButton::clicked, this, [this] {
        ruleButton(2, true, [this](qint16 i, ErrorReporter &e) { m_rules.moveRuleToTop(i, e); });
    });
    connect(bottom, &QAbstractButton::clicked, this, [this] {
        ruleButton(2, true,
                   [this](qint16 i, ErrorReporter &e) { m_rules.moveRuleToBottom(i, e); });
    });
    connect(del, &QAbstractButton::clicked, this, [this] {
        ruleButton(1, false, [this](qint16 i, ErrorReporter &e) { m_rules.deleteRule(i, e); });
    });
    connect(clear, &QAbstractButton::clicked, this, [this] {
        m_rules.clearRules();
        DisplayRules();
    });
    return box;
}

void RuleArea::ruleButton(int threshold, bool move,
                          const std::function<void(qint16, ErrorReporter &)> &op) {
    if (m_list->topLevelItemCount() < threshold)
        return;
    QTreeWidgetItem *current = m_list->currentItem();
    if (!current || !current->isSelected())
        return; // nothing chosen: nothing to act on
    const qint16 index = qint16(m_list->indexOfTopLevelItem(current) + 1);
    op(index, m_errors);
    DisplayRules();
    if (move) {
        if (QTreeWidgetItem *item = m_list->topLevelItem(index - 1)) {
            m_list->setCurrentItem(item);
            m_list->scrollToItem(item);
        }
    }
}

void RuleArea::DisplayRules() {
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    for (int i = 1; i <= MaxRules; ++i) {
        const RuleSlot &s = m_rules.slot(i);
        if (!s.isFree())
            items.append(new QTreeWidgetItem(QStringList{s[Description]}));
    }
    m_list->addTopLevelItems(items);
}

void RuleArea::refresh(const QList<OptionInputs> &rows) {
    for (const OptionInputs &o : rows) {
        if (o.option)
            enableAll(o.inputs, o.option->isChecked());
        o.reset();
    }
}

void RuleArea::RefreshAutoNumberPage() { refresh(m_autoRows); }

void RuleArea::RefreshMp3Page() {
    const Picker &pre = m_pickers.at(QStringLiteral("txtPredefinedMP3"));
    const bool predefined = m_mp3Options[0]->isChecked();
    pre.button->setEnabled(predefined);
    pre.box->setEnabled(predefined);
    pre.box->setText(predefined ? DefaultTemplate : QString());
    auto *custom = findChild<QLineEdit *>(QStringLiteral("txtCustomMP3"));
    custom->clear();
    custom->setEnabled(m_mp3Options[1]->isChecked());
}

void RuleArea::deselectAllOptions(bool withMp3) {
    for (QRadioButton *o : std::as_const(m_standardOptions))
        deselect(o);
    if (withMp3)
        for (QRadioButton *o : std::as_const(m_mp3Options))
            deselect(o);
}

void RuleArea::lblStandardTabs_Click(int index) {
    if (index < 0 || index >= m_pages->count())
        return;
    m_currentPage = index;
    m_pages->setCurrentIndex(index);
    for (int i = 0; i < m_tabs.size(); ++i) {
        m_tabs[i]->setProperty("current", i == index);
        m_tabs[i]->style()->unpolish(m_tabs[i]);
        m_tabs[i]->style()->polish(m_tabs[i]);
    }
    static const char *addButtons[] = {"cmdStandardFileNameAddNewRule",
                                       "cmdStandardExtensionAddNewRule", "cmdStandardAutoAddRule",
                                       "cmdStandardLettersAddRule", "cmdStandardMiscAddRule"};
    if (auto *b = findChild<QWidget *>(QLatin1String(addButtons[index])))
        b->setFocus(Qt::OtherFocusReason);
    deselectAllOptions(false);
    refreshInputPages();
}

void RuleArea::switchToStandardView() {
    m_views->setCurrentIndex(0);
    deselectAllOptions(true);
    RefreshMp3Page();
    refreshInputPages();
}

void RuleArea::switchToMp3View() {
    m_views->setCurrentIndex(1);
    deselectAllOptions(true);
    RefreshMp3Page();
    refreshInputPages();
}

void RuleArea::watchOptions(const QList<OptionInputs> &rows, void (RuleArea::*refresh)()) {
    for (const OptionInputs &o : rows) {
        if (!o.option)
            continue; // the row of inputs every option of the page shares
        m_standardOptions.append(o.option);
        connect(o.option, &QRadioButton::toggled, this, [this, refresh](bool on) {
            if (on)
                (this->*refresh)();
        });
    }
}

void RuleArea::refreshInputPages() {
    RefreshFileNamePage();
    RefreshExtensionPage();
    RefreshAutoNumberPage();
}

RulePageState RuleArea::pageState() const {
    RulePageState s;
    for (QRadioButton *o : findChildren<QRadioButton *>())
        if (const RuleOption *option = findRuleOption(o->objectName()); option && o->isChecked())
            s.select(*option);
    for (QLineEdit *e : findChildren<QLineEdit *>())
        if (const RuleControl *control = findRuleControl(e->objectName()))
            s.setText(*control, e->text());
    for (QCheckBox *c : findChildren<QCheckBox *>())
        if (const RuleControl *control = findRuleControl(c->objectName()))
            s.setChecked(*control, c->isChecked());
    return s;
}

void RuleArea::addSelected(int pageToShow) {
    addSelectedRules(pageState(), m_rules);
    DisplayRules();
    if (pageToShow >= 0)
        lblStandardTabs_Click(pageToShow);
}

} // namespace tallowin::ui
