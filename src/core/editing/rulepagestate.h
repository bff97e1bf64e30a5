#pragma once

#include "engine/ruletable.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace tallowin {

// The inputs of the rule pages, by control name: which option buttons are selected, the text
// of every text box and the state of every check box. The windows mirror their controls into
// it; tests and the command line fill it directly.
struct RulePageState {
    QSet<QString> selectedOptions;
    QHash<QString, QString> texts;
    QHash<QString, bool> checks;

    void select(const QString &option) { selectedOptions.insert(option); }
    void setText(const QString &control, const QString &value) { texts[control] = value; }
    void setChecked(const QString &control, bool on) { checks[control] = on; }
    QString text(const QString &control) const { return texts.value(control); }
    // A check box state as a rule stores it: "1" checked, "0" not.
    QString flag(const QString &control) const {
        return checks.value(control) ? QStringLiteral("1") : QStringLiteral("0");
    }
};

// The rule one option button adds, built from the page state (no checks on the values).
RuleSlot ruleForOption(const QString &option, const RulePageState &state);

// Every option button that adds a rule, in the order they are tested.
const QStringList &ruleOptionNames();

// Stores one rule per selected option, in the fixed option order; returns how many were
// offered to the table (a full table drops them silently).
int addSelectedRules(const RulePageState &state, RuleTable &rules);

} // namespace tallowin
