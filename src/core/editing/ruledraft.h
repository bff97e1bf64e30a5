#pragma once

#include "engine/rulekinds.h"
#include "engine/ruletable.h"

#include <QHash>
#include <QString>

#include <vector>

namespace tallowin {

// The values a rule is made from, by parameter name; a flag as a rule stores it, "1" or "0".
using ParamValues = QHash<QString, QString>;

// A rule the user asked for and has not stored yet: its kind and its parameters' values. The
// rule pages make one for each selected option; tests and tools make them directly.
struct RuleDraft {
    const RuleKind *kind = nullptr;
    ParamValues values;
};

// The rule of `kind` with `values`, described as the rules list shows it (no checks on the
// values). A parameter without a value is stored empty, a flag as "0"; a name the kind does not
// have is ignored.
RuleSlot makeRule(const RuleKind &kind, const ParamValues &values);

// Stores one rule per draft in the order of the kinds, whatever the order of the drafts;
// returns how many were offered to the table (a full table drops them silently).
int addDrafts(const std::vector<RuleDraft> &drafts, RuleTable &rules);

} // namespace tallowin
