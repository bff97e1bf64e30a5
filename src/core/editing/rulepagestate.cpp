#include "editing/rulepagestate.h"

namespace tallowin {

QString RulePageState::value(const RuleControl &control) const {
    const auto it = values.constFind(&control);
    if (it != values.cend())
        return *it;
    return control.type == ControlType::CheckBox ? QStringLiteral("0") : QString();
}

RuleSlot ruleForOption(const RuleOption &option, const RulePageState &state) {
    const RuleKind &kind = kindOf(option);
    RuleSlot r;
    r[Kind] = kind.keyword;
    for (size_t i = 0; i < option.inputs.size() && i < 6; ++i)
        if (const RuleControl *c = option.inputs[i])
            r[Param1 + int(i)] = state.value(*c);
    r[Description] = kind.describe(r);
    return r;
}

int addSelectedRules(const RulePageState &state, RuleTable &rules) {
    int added = 0;
    for (const RuleKind &kind : ruleKinds()) {
        for (const RuleOption &option : kind.options) {
            if (!state.isSelected(option))
                continue;
            rules.addRule(ruleForOption(option, state));
            ++added;
        }
    }
    return added;
}

} // namespace tallowin
