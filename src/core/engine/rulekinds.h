#pragma once

#include "engine/mp3kind.h"
#include "engine/ruletable.h"
#include "shell/errorreport.h"
#include "shell/locations.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace tallowin {

// What a run carries from file to file and from rule to rule: the counter of the numbering
// kinds. A counter at 0 (re)starts from the next numbering rule's start count; every preview
// run begins with a fresh state.
struct NumberingState {
    qint16 counter = 0;
    friend bool operator==(const NumberingState &, const NumberingState &) = default;
};

// What an apply function may use besides the rule and the name: the run's counter, the MP3
// context, and where to report a failure that still lets the rule return its name.
struct RuleRun {
    NumberingState &numbering;
    const Mp3KindContext &mp3;
    ErrorReporter &errors;
};

// The most zeros a number is padded to; longer names could never be written.
inline constexpr int MaxNumberPadding = 255;

// Thrown by an apply function when the rule fails; the engine reports the number with
// Locations::ApplyRule.
struct RuleFailure {
    qint32 number;
};

// What a parameter holds, as the engine reads it.
enum class ValueType {
    Text,
    Number,   // read leniently or strictly by the kind
    Flag,     // "1" or "0"
    Position, // one of the parameter's choices, in any letter case
};

struct RuleParam {
    QString name;    // the parameter's name in C++ style, e.g. "search"
    QString meaning; // one line for a reader of a rules file
    ValueType type = ValueType::Text;
    QStringList choices; // the words a position offers
};

// A kind's parameter as its apply and describe functions name it: the rule field it is
// stored in. Only declaring the parameter makes one, so a function cannot read a field its
// kind does not store, and the type says which readings of RuleArgs it allows.
template <ValueType Type> struct ParamRef { RuleField field; };
using TextParam = ParamRef<ValueType::Text>;
using NumberParam = ParamRef<ValueType::Number>;
using FlagParam = ParamRef<ValueType::Flag>;
using PositionParam = ParamRef<ValueType::Position>;

// One rule's parameters as its kind's functions read them.
class RuleArgs {
public:
    // Implicit: a rule slot is read through its arguments wherever a kind's function is called.
    RuleArgs(const RuleSlot &rule) : m_rule(rule) {}

    // The parameter as stored.
    template <ValueType Type> const QString &operator[](ParamRef<Type> p) const {
        return m_rule[p.field];
    }
    // A flag read as a number, any value but 0 setting it; not a number throws
    // RuleFailure (type mismatch).
    bool flag(FlagParam p) const;
    // A flag as the rules list tells it: set only when stored as exactly "1".
    bool ticked(FlagParam p) const { return m_rule[p.field] == u"1"; }
    // True for "Start" or "Before" in any letter case; any other word means end or after.
    bool atStartOrBefore(PositionParam p) const;

private:
    const RuleSlot &m_rule;
};

// One rule kind: how it is stored, what it does and how it reads in the rules list. The
// pages that add it are the windows' business.
struct RuleKind {
    QString keyword;
    std::vector<RuleParam> params; // P1..P6 in order
    // Applies the rule to name part and extension in place (both may change); the engine
    // splits an extension left holding a dot again. Throws RuleFailure.
    std::function<void(const RuleArgs &, QString &name, QString &ext, RuleRun &)> apply;
    // The rules-list text of a rule with these parameters.
    std::function<QString(const RuleArgs &)> describe;
    bool countsNumbers = false; // draws from the run's numbering counter
    bool readsFiles = false;    // reads the files it names

    // The field the parameter called `name` is stored in, or nullopt when the kind has none.
    std::optional<RuleField> fieldOf(QStringView name) const;
};

// Every kind, in the order added rules are stored when several are added at once.
const std::vector<RuleKind> &ruleKinds();
// The kind stored under `keyword` (exact letter case), or nullptr.
const RuleKind *findRuleKind(const QString &keyword);

} // namespace tallowin
