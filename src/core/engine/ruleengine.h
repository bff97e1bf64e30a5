#pragma once

#include "engine/mp3kind.h"
#include "engine/rulekinds.h"
#include "engine/ruletable.h"
#include "shell/errorreport.h"

#include <QString>

#include <array>
#include <utility>

namespace tallowin {

// Applies the rules of a rule table to file names. The engine itself holds no state of a run,
// so one engine may serve several threads, each with its own state and error reporter.
class RuleEngine {
public:
    static constexpr int MaxNumberDigits = MaxNumberPadding;

    RuleEngine(const RuleTable &rules, ErrorReporter &errors, Mp3KindContext mp3 = {});

    // Applies rule `slot` (1-based) to name part and extension; returns name part, ".",
    // extension. A failure is reported with location 183 and returns what was built so far
    // (usually ""). An unknown kind returns "" without a report.
    QString applyRule(int slot, QString &name, QString &extension, NumberingState &state) const;
    // The same without joining: name part and extension are left as splitting the joined
    // result at its last dot would give them. False when the rule failed (reported as above)
    // or its kind is unknown; the parts are then undefined.
    bool applyRuleToParts(int slot, QString &name, QString &extension, NumberingState &state) const;

    const RuleTable &rules() const { return m_rules; }
    ErrorReporter &errors() const { return m_errors; }
    const Mp3KindContext &mp3() const { return m_mp3; }
    // The same rules and MP3 context, reporting to `errors`.
    RuleEngine withErrors(ErrorReporter &errors) const { return {m_rules, errors, m_mp3}; }

private:
    const RuleTable &m_rules;
    ErrorReporter &m_errors;
    Mp3KindContext m_mp3;
    // The kind of each slot as it stood when the engine was made: a run applies every rule
    // to every file, so the keyword is looked up once, not once per file.
    std::array<const RuleKind *, MaxRules> m_kinds{};
};

} // namespace tallowin
