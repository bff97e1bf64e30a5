#pragma once

#include "engine/rulekinds.h"
#include "engine/ruletable.h"

#include <QHash>
#include <QSet>
#include <QString>

namespace tallowin {

// The inputs of the rule pages, by their descriptions: which option buttons are selected and
// the value of every control (a check box's as a rule stores it, "1" or "0"). The windows
// mirror their controls into it; tests and tools fill it directly.
struct RulePageState {
    QSet<const RuleOption *> selected;
    QHash<const RuleControl *, QString> values;

    void select(const RuleOption &option) { selected.insert(&option); }
    bool isSelected(const RuleOption &option) const { return selected.contains(&option); }
    void setText(const RuleControl &control, const QString &text) { values[&control] = text; }
    void setChecked(const RuleControl &control, bool on) {
        values[&control] = on ? QStringLiteral("1") : QStringLiteral("0");
    }
    // The control's value; an unset check box reads "0", an unset box "".
    QString value(const RuleControl &control) const;
};

// The rule an option adds, built from the page state (no checks on the values).
RuleSlot ruleForOption(const RuleOption &option, const RulePageState &state);

// Stores one rule per selected option, in the order of the kinds and their options; returns
// how many were offered to the table (a full table drops them silently).
int addSelectedRules(const RulePageState &state, RuleTable &rules);

} // namespace tallowin
