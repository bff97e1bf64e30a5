#include "editing/ruledraft.h"

#include <algorithm>

namespace tallowin {

RuleSlot makeRule(const RuleKind &kind, const ParamValues &values) {
    RuleSlot r;
    r[Kind] = kind.keyword;
    for (size_t i = 0; i < kind.params.size(); ++i) {
        const RuleParam &param = kind.params[i];
        const auto it = values.constFind(param.name);
        r[Param1 + int(i)] = it != values.cend()             ? *it
                             : param.type == ValueType::Flag ? QStringLiteral("0")
                                                             : QString();
    }
    r[Description] = kind.describe(r);
    return r;
}

int addDrafts(const std::vector<RuleDraft> &drafts, RuleTable &rules) {
    // Several drafts at once (which the pages never make) keep the kinds' order, so the
    // result does not depend on the order the pages were read in.
    std::vector<const RuleDraft *> ordered;
    for (const RuleDraft &d : drafts)
        if (d.kind)
            ordered.push_back(&d);
    const RuleKind *first = ruleKinds().data();
    std::stable_sort(ordered.begin(), ordered.end(),
                     [first](const RuleDraft *a, const RuleDraft *b) {
                         return a->kind - first < b->kind - first;
                     });
    for (const RuleDraft *d : ordered)
        rules.addRule(makeRule(*d->kind, d->values));
    return int(ordered.size());
}

} // namespace tallowin
