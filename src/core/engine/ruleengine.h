#pragma once

#include "engine/mp3kind.h"
#include "engine/ruletable.h"
#include "shell/errorreport.h"

#include <QString>

#include <utility>

namespace tallowin {

// What a run carries from file to file and from rule to rule: the counter of the numbering
// kinds. A counter at 0 (re)starts from the next numbering rule's start count; every preview
// run begins with a fresh state.
struct NumberingState {
    qint16 counter = 0;
    friend bool operator==(const NumberingState &, const NumberingState &) = default;
};

// Applies the rules of a rule table to file names. The engine itself holds no state of a run,
// so one engine may serve several threads, each with its own state and error reporter.
class RuleEngine {
public:
    static constexpr qint32 Location = 183;
    // The most zeros a number is padded to; longer names could never be written.
    static constexpr int MaxNumberDigits = 255;

    RuleEngine(const RuleTable &rules, ErrorReporter &errors, Mp3KindContext mp3 = {})
        : m_rules(rules), m_errors(errors), m_mp3(std::move(mp3)) {}

    // Applies rule `slot` (1-based) to name part and extension; returns name part, ".",
    // extension. A failure is reported with location 183 and returns what was built so far
    // (usually ""). An unknown kind returns "" without a report.
    QString applyRule(int slot, QString &name, QString &extension, NumberingState &state) const;

    const RuleTable &rules() const { return m_rules; }
    ErrorReporter &errors() const { return m_errors; }
    const Mp3KindContext &mp3() const { return m_mp3; }
    // The same rules and MP3 context, reporting to `errors`.
    RuleEngine withErrors(ErrorReporter &errors) const { return {m_rules, errors, m_mp3}; }

private:
    QString apply(const RuleSlot &rule, QString &n, QString &e, NumberingState &state) const;
    QString autoNumber(const RuleSlot &rule, QString &n, QString &e, NumberingState &state) const;

    const RuleTable &m_rules;
    ErrorReporter &m_errors;
    Mp3KindContext m_mp3;
};

} // namespace tallowin
