#include "ui/rulelist.h"

#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace tallowin::ui {

RuleListModel::RuleListModel(const RuleTable &rules, QObject *parent)
    : QAbstractListModel(parent), m_rules(rules) {}

int RuleListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_descriptions.size());
}

QVariant RuleListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return m_descriptions[index.row()];
}

QVariant RuleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0)
        return tr("Rules To Apply");
    return {};
}

void RuleListModel::reload() {
    beginResetModel();
    m_descriptions.clear();
    for (int slot = 1; slot <= m_rules.ruleCount(); ++slot)
        m_descriptions << m_rules.slot(slot)[Description];
    endResetModel();
}

RuleListBox::RuleListBox(RuleTable &rules, ErrorReporter &errors, QWidget *parent)
    : QWidget(parent), m_rules(rules), m_errors(errors) {
    setObjectName(QStringLiteral("fraRulesList"));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    auto *caption = new QLabel(tr("These Rules Have Been Added"), this);
    caption->setProperty("heading", true);
    v->addWidget(caption);
    auto *h = new QHBoxLayout;
    h->setSpacing(6);
    m_model = new RuleListModel(rules, this);
    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("lstStandardRules"));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setAlternatingRowColors(true);
    setUpItemView(m_view, tr("Rules to apply"),
                  tr("The rules in the order they are applied; Delete removes the "
                     "selected rule"));
    m_view->installEventFilter(this);
    caption->setBuddy(m_view);
    h->addWidget(m_view, 1);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    auto button = [&](const char *name, const char *theme, const char *res, const QString &tip) {
        auto *b = new PictureButton(QLatin1String(name), themedIcon(theme, res), {}, this);
        b->setToolTip(tip);
        nameControl(b, tip);
        buttons->addWidget(b);
        return b;
    };
    auto *top =
        button("cmdRuleUpAll", "go-top", "rule-top", tr("Move the selected rule to the top"));
    auto *up = button("cmdRuleUp", "go-up", "rule-up", tr("Move the selected rule up"));
    auto *down = button("cmdRuleDown", "go-down", "rule-down", tr("Move the selected rule down"));
    auto *bottom = button("cmdRuleDownAll", "go-bottom", "rule-bottom",
                          tr("Move the selected rule to the bottom"));
    buttons->addSpacing(10);
    auto *del =
        button("cmdRuleDelete", "edit-delete", "rule-delete", tr("Delete the selected rule"));
    auto *clear = button("cmdRuleClear", "edit-clear-all", "rule-clear", tr("Delete all rules"));
    buttons->addStretch(1);
    h->addLayout(buttons);
    m_delete = del;
    v->addLayout(h, 1);

    connect(up, &QAbstractButton::clicked, this,
            [this] { onSelected(2, true, [this](qint16 i) { m_rules.moveRuleUp(i, m_errors); }); });
    connect(down, &QAbstractButton::clicked, this, [this] {
        onSelected(2, true, [this](qint16 i) { m_rules.moveRuleDown(i, m_errors); });
    });
    connect(top, &QAbstractButton::clicked, this, [this] {
        onSelected(2, true, [this](qint16 i) { m_rules.moveRuleToTop(i, m_errors); });
    });
    connect(bottom, &QAbstractButton::clicked, this, [this] {
        onSelected(2, true, [this](qint16 i) { m_rules.moveRuleToBottom(i, m_errors); });
    });
    connect(del, &QAbstractButton::clicked, this, [this] {
        onSelected(1, false, [this](qint16 i) { m_rules.deleteRule(i, m_errors); });
    });
    connect(clear, &QAbstractButton::clicked, this, [this] {
        m_rules.clearRules();
        reload();
    });
}

bool RuleListBox::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_view && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        m_delete->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void RuleListBox::onSelected(int threshold, bool move, const std::function<void(qint16)> &op) {
    if (m_model->rowCount() < threshold)
        return;
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid() || !m_view->selectionModel()->isSelected(current))
        return; // nothing chosen: nothing to act on
    const int row = current.row();
    op(qint16(row + 1));
    reload();
    if (move) {
        const QModelIndex again = m_model->index(row, 0);
        if (again.isValid()) {
            m_view->setCurrentIndex(again);
            m_view->scrollTo(again);
        }
    }
}

} // namespace tallowin::ui
