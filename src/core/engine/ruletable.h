#pragma once

#include "shell/errorreport.h"

#include <QString>

#include <array>
#include <vector>

namespace tallowin {

// The number of rule slots; every loop over the table runs to it.
inline constexpr qint16 MaxRules = 100;

// Field numbers of a rule slot, as rules files store them.
enum RuleField : int {
    Kind = 0,
    Param1 = 1,
    Param2 = 2,
    Param3 = 3,
    Param4 = 4,
    Param5 = 5,
    Param6 = 6,
    Description = 7,
    RuleFieldCount = 8
};

// One rule: eight text fields; an empty Kind marks a free slot.
struct RuleSlot {
    std::array<QString, RuleFieldCount> fields;

    const QString &operator[](int f) const { return fields[f]; }
    QString &operator[](int f) { return fields[f]; }
    bool isFree() const { return fields[Kind].isEmpty(); }
    friend bool operator==(const RuleSlot &, const RuleSlot &) = default;
};

// The keywords of the kinds tests and tools name in C++; each is defined beside its kind
// (engine/rulekinds.cpp), the one place a keyword is spelled.
namespace RuleKinds {
extern const QString Replace;
extern const QString BeforeAfter;
extern const QString Insert;
extern const QString Remove;
extern const QString Clear;
extern const QString SetTo;
extern const QString ExtBeforeAfter;
extern const QString ExtClear;
extern const QString ExtInsert;
extern const QString ExtRemove;
extern const QString ExtReplace;
extern const QString ExtSetTo;
extern const QString AutoStartEnd;
extern const QString AutoBeforeAfter;
extern const QString LetterFirstCap;
extern const QString LetterFirstLow;
extern const QString LetterOtherCap;
extern const QString LetterOtherLow;
extern const QString LetterUpperCase;
extern const QString LetterLowerCase;
extern const QString MiscAddSpaces;
extern const QString MiscReplaceSpaces;
extern const QString MiscRemoveMultiSpace;
extern const QString MiscTrim;
extern const QString MiscForceAlpha;
extern const QString Mp3;
} // namespace RuleKinds

// The ordered rules. Filled slots are always 1..n without a gap; slot order is execution order.
// Slot numbers are 1-based. A slot number outside 1..MaxRules is reported with the operation's
// location code and leaves the table unchanged.
class RuleTable {
public:
    RuleTable();

    // Stores the rule in the first free slot; a full table stores nothing and reports nothing.
    void addRule(const QString &kind, const QString &p1 = {}, const QString &p2 = {},
                 const QString &p3 = {}, const QString &p4 = {}, const QString &p5 = {},
                 const QString &p6 = {}, const QString &description = {});
    void addRule(const RuleSlot &rule);
    void deleteRule(qint16 slot, ErrorReporter &errors);
    void moveRuleUp(qint16 slot, ErrorReporter &errors);
    void moveRuleDown(qint16 slot, ErrorReporter &errors);
    void moveRuleToTop(qint16 slot, ErrorReporter &errors);
    void moveRuleToBottom(qint16 slot, ErrorReporter &errors);
    void clearRules();

    // Rules from slot 1 up to the first free slot.
    int ruleCount() const;
    bool isValidSlot(int slot) const { return slot >= 1 && slot <= MaxRules; }
    // Slot by number, 1..MaxRules.
    const RuleSlot &slot(int slot) const { return m_slots[slot - 1]; }
    RuleSlot &slot(int slot) { return m_slots[slot - 1]; }

    friend bool operator==(const RuleTable &, const RuleTable &) = default;

private:
    bool checkSlot(qint16 slot, qint32 location, ErrorReporter &errors) const;
    // Refills the table from the given rules in order, emptying every other slot.
    void rebuild(const std::vector<RuleSlot> &rules);

    std::vector<RuleSlot> m_slots;
};

} // namespace tallowin
