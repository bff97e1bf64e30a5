#include "engine/ruletable.h"

#include "shell/locations.h"

#include <utility>

namespace tallowin {

RuleTable::RuleTable() : m_slots(MaxRules) {}

void RuleTable::addRule(const QString &kind, const QString &p1, const QString &p2,
                        const QString &p3, const QString &p4, const QString &p5, const QString &p6,
                        const QString &description) {
    addRule(RuleSlot{{kind, p1, p2, p3, p4, p5, p6, description}});
}

void RuleTable::addRule(const RuleSlot &rule) {
    for (auto &s : m_slots) {
        if (s.isFree()) {
            s = rule;
            return;
        }
    }
}

bool RuleTable::checkSlot(qint16 slot, qint32 location, ErrorReporter &errors) const {
    if (isValidSlot(slot))
        return true;
    errors.report(location, ErrorNumbers::SubscriptOutOfRange);
    return false;
}

void RuleTable::rebuild(const std::vector<RuleSlot> &rules) {
    for (int i = 0; i < MaxRules; ++i)
        m_slots[i] = i < int(rules.size()) ? rules[i] : RuleSlot{};
}

void RuleTable::deleteRule(qint16 slot, ErrorReporter &errors) {
    if (!checkSlot(slot, Locations::DeleteRule, errors))
        return;
    m_slots[slot - 1] = RuleSlot{};
    std::vector<RuleSlot> kept;
    for (const auto &s : m_slots)
        if (!s.isFree())
            kept.push_back(s);
    rebuild(kept);
}

void RuleTable::moveRuleUp(qint16 slot, ErrorReporter &errors) {
    if (slot < 2)
        return;
    if (!checkSlot(slot, Locations::MoveRuleUp, errors))
        return;
    // Lifting a free slot would open a gap in front of it.
    if (m_slots[slot - 1].isFree())
        return;
    std::swap(m_slots[slot - 1], m_slots[slot - 2]);
}

void RuleTable::moveRuleDown(qint16 slot, ErrorReporter &errors) {
    if (!checkSlot(slot, Locations::MoveRuleDown, errors))
        return;
    if (slot < MaxRules && !m_slots[slot].isFree())
        std::swap(m_slots[slot - 1], m_slots[slot]);
}

void RuleTable::moveRuleToTop(qint16 slot, ErrorReporter &errors) {
    if (!checkSlot(slot, Locations::MoveRuleToTop, errors))
        return;
    if (m_slots[slot - 1].isFree())
        return;
    std::vector<RuleSlot> order{m_slots[slot - 1]};
    for (int i = 0; i < MaxRules; ++i)
        if (i != slot - 1 && !m_slots[i].isFree())
            order.push_back(m_slots[i]);
    rebuild(order);
}

void RuleTable::moveRuleToBottom(qint16 slot, ErrorReporter &errors) {
    if (!checkSlot(slot, Locations::MoveRuleToBottom, errors))
        return;
    if (m_slots[slot - 1].isFree())
        return;
    std::vector<RuleSlot> order;
    for (int i = 0; i < MaxRules; ++i)
        if (i != slot - 1 && !m_slots[i].isFree())
            order.push_back(m_slots[i]);
    order.push_back(m_slots[slot - 1]);
    rebuild(order);
}

void RuleTable::clearRules() {
    for (auto &s : m_slots)
        s = RuleSlot{};
}

int RuleTable::ruleCount() const {
    int n = 0;
    while (n < MaxRules && !m_slots[n].isFree())
        ++n;
    return n;
}

} // namespace tallowin
