#pragma once

#include "engine/mp3kind.h"
#include "engine/ruletable.h"
#include "shell/errorreport.h"
#include "shell/locations.h"

#include <QString>
#include <QStringList>

#include <functional>
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

// The pages rules are added from: the five tabs of the Standard view, then the MP3 view.
enum class RulePageId { FileName, Extension, AutoNumber, Letters, Misc, Mp3 };

// What a parameter holds, as the engine reads it.
enum class ValueType {
    Text,
    Number,   // read leniently or strictly by the kind
    Flag,     // "1" or "0" from a check box
    Position, // one of the parameter's choices, in any letter case
};

struct RuleParam {
    QString name;    // the parameter's name in C++ style, e.g. "search"
    QString meaning; // one line for a reader of a rules file
    ValueType type = ValueType::Text;
    QStringList choices; // the words a position offers
};

enum class ControlType { LineEdit, CheckBox, Picker };

// What a page refresh puts into a control.
enum class ResetTo {
    Empty,                   // no text, or unchecked
    FirstChoice,             // a picker's first entry
    Initial,                 // the control's initial text
    Keep,                    // the last value stays
    FirstChoiceWhenSelected, // the first entry while its option is selected, else empty
};

// One control of a page that edits a parameter. A picker is three widgets: the read-only box
// (`name`), the button opening its list ("cmb" + the rest of the name) and the list ("lst" + the
// rest).
struct RuleControl {
    QString name;
    ControlType type = ControlType::LineEdit;
    QString caption;     // a check box's text
    QString tooltip;     // its own hover text; empty takes the row's
    int chars = 10;      // width in average characters
    bool wide = false;   // grows with the page
    QStringList choices; // a picker's entries
    ResetTo reset = ResetTo::Empty;
    QString initial; // the text a control starts with (and Initial resets to)
    QString placeholder;
    bool boxHelp = true; // F1 in the box opens the page's help (a picker's list always does)
    // Focus after a pick and when the button closes the list; nullptr means the add button.
    const RuleControl *focusAfterPick = nullptr;
    const RuleControl *focusOnClose = nullptr;

    QString pickerButton() const { return QStringLiteral("cmb") + name.mid(3); }
    QString pickerList() const { return QStringLiteral("lst") + name.mid(3); }
};

// One piece of a row: fixed words, or a control.
struct RowPart {
    QString words;
    const RuleControl *control = nullptr;
    bool note = false; // the words are a remark, shown as a hint
    QString tooltip;   // the words' own hover text
};
using Row = std::vector<RowPart>;

// An option button that adds its kind's rule.
struct RuleOption {
    QString name;
    QString caption;
    QString tooltip; // also on every part of its row without a hover text of its own
    RulePageId page = RulePageId::FileName;
    int screenRow = 0; // its place on the page, top to bottom
    // The control each parameter is read from, P1 onwards; nullptr leaves it empty.
    std::vector<const RuleControl *> inputs;
    // What follows the option button, as it reads. Its controls are enabled only while the
    // option is selected; inputs outside it (shared by the page) are always enabled.
    Row row;
};

// One rule kind: how it is stored, what it does, how it reads in the rules list and where the
// user adds it.
struct RuleKind {
    QString keyword;
    std::vector<RuleParam> params; // P1..P6 in order
    // Applies the rule to name part and extension in place (both may change); the engine
    // splits an extension left holding a dot again. Throws RuleFailure.
    std::function<void(const RuleSlot &, QString &name, QString &ext, RuleRun &)> apply;
    // The rules-list text of a rule with these parameters.
    std::function<QString(const RuleSlot &)> describe;
    bool countsNumbers = false; // draws from the run's numbering counter
    bool readsFiles = false;    // reads the files it names
    std::vector<RuleOption> options;
};

// One page that adds rules.
struct RulePageInfo {
    RulePageId id = RulePageId::FileName;
    QString caption;   // its tab's caption
    QString frame;     // the page widget's objectName
    QString addButton; // objectName of its add button
    QString addTip;
    bool addFocusLook = false;   // the add button shows it has the focus
    QString help;                // the page F1 opens
    std::vector<Row> sharedRows; // controls every option of the page reads, below the options
    Row besideAdd;               // ditto, left of the add button
    std::vector<const RuleOption *> options; // top to bottom
};

// Every kind, in the order adding tests their options.
const std::vector<RuleKind> &ruleKinds();
// The kind stored under `keyword` (exact letter case), or nullptr.
const RuleKind *findRuleKind(const QString &keyword);
// Every page, in RulePageId order.
const std::vector<RulePageInfo> &rulePages();
const RulePageInfo &rulePage(RulePageId page);
// Lookups by objectName, for tests and tools; nullptr when there is none.
const RuleOption *findRuleOption(const QString &name);
const RuleControl *findRuleControl(const QString &name);
// The kind an option belongs to.
const RuleKind &kindOf(const RuleOption &option);

} // namespace tallowin
