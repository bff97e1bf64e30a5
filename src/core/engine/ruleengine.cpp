#include "engine/ruleengine.h"

#include "engine/text.h"

namespace tallowin {

RuleEngine::RuleEngine(const RuleTable &rules, ErrorReporter &errors, Mp3KindContext mp3)
    : m_rules(rules), m_errors(errors), m_mp3(std::move(mp3)) {
    m_mp3.errors = &errors;
    for (int slot = 1; slot <= MaxRules && !rules.slot(slot).isFree(); ++slot)
        m_kinds[slot - 1] = findRuleKind(rules.slot(slot)[Kind]);
}

QString RuleEngine::applyRule(int slot, QString &name, QString &extension,
                              NumberingState &state) const {
    if (!applyRuleToParts(slot, name, extension, state))
        return {};
    return text::join(name, extension);
}

bool RuleEngine::applyRuleToParts(int slot, QString &name, QString &extension,
                                  NumberingState &state) const {
    if (!m_rules.isValidSlot(slot)) {
        m_errors.report(Locations::ApplyRule, ErrorNumbers::SubscriptOutOfRange);
        return false;
    }
    const RuleSlot &rule = m_rules.slot(slot);
    const RuleKind *kind = m_kinds[slot - 1];
    // The table may have changed since: one comparison confirms the kind looked up before.
    if (!kind || kind->keyword != rule[Kind])
        kind = findRuleKind(rule[Kind]);
    if (!kind)
        return false;
    try {
        RuleRun run{state, m_mp3, m_errors};
        kind->apply(rule, name, extension, run);
    } catch (const RuleFailure &f) {
        m_errors.report(Locations::ApplyRule, f.number);
        return false;
    }
    // Most rules leave the extension without a dot; the check is all they cost.
    text::settleSplit(name, extension);
    return true;
}

} // namespace tallowin
