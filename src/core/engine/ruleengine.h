#pragma once

#include "engine/mp3kind.h"
#include "engine/ruletable.h"
#include "shell/errorreport.h"

#include <QString>

namespace tallowin {

// Applies rules of a rule table to file names. Holds the auto numbering counter, which runs on
// from file to file and from rule to rule until reset at the start of every preview.
class RuleEngine {
public:
    static constexpr qint32 Location = 183;
    // The most zeros a number is padded to; longer names could never be written.
    static constexpr int MaxNumberDigits = 255;

    RuleEngine(const RuleTable &rules, ErrorReporter &errors) : m_rules(rules), m_errors(errors) {}

    // Applies slot `Rule` to name part and extension; returns name part, ".", extension.
    // A failure is reported with location 183 and returns what was built so far (usually "").
    // An unknown kind returns "" without a report.
    QString ApplyStandardRuleToFile(QString &NewFileName, QString &Extension, qint16 Rule);

    qint16 AutoNumberCounter = 0;
    Mp3KindContext mp3;

    const RuleTable &rules() const { return m_rules; }
    ErrorReporter &errors() const { return m_errors; }

private:
    QString apply(const RuleSlot &rule, QString &n, QString &e);
    QString autoNumber(const RuleSlot &rule, QString &n, QString &e);

    const RuleTable &m_rules;
    ErrorReporter &m_errors;
};

} // namespace tallowin
