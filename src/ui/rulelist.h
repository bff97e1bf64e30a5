#pragma once

#include "engine/ruletable.h"
#include "shell/errorreport.h"

#include <QAbstractListModel>
#include <QStringList>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QTreeView;

namespace tallowin::ui {

// The rules of a rule table, one row per filled slot, showing its description. It shows the
// table as it stood at the last reload: the table is no QObject and may be gone before the
// view is.
class RuleListModel : public QAbstractListModel {
    Q_OBJECT
public:
    RuleListModel(const RuleTable &rules, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Shows the table as it stands now.
    void reload();

private:
    const RuleTable &m_rules;
    QStringList m_descriptions;
};

// The rules list with its ordering and delete buttons.
class RuleListBox : public QWidget {
    Q_OBJECT
public:
    RuleListBox(RuleTable &rules, ErrorReporter &errors, QWidget *parent);

    void reload() { m_model->reload(); }
    QTreeView *view() const { return m_view; }

protected:
    // Delete in the list deletes the selected rule.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Runs `op` on the selected rule when the list holds at least `threshold` rules; a move
    // keeps the highlight on the same place in the list.
    void onSelected(int threshold, bool move, const std::function<void(qint16)> &op);

    RuleTable &m_rules;
    ErrorReporter &m_errors;
    RuleListModel *m_model = nullptr;
    QTreeView *m_view = nullptr;
    QAbstractButton *m_delete = nullptr;
};

} // namespace tallowin::ui
