#pragma once

#include "editing/ruledraft.h"
#include "engine/rulekinds.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tallowin::ui {

// The pages rules are added from: the five tabs of the Standard view, then the MP3 view.
enum class RulePageId { FileName, Extension, AutoNumber, Letters, Misc, Mp3 };

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

// Which parameter of the option's kind a control fills, by the parameter's name.
struct RuleInput {
    QString param;
    const RuleControl *control = nullptr;
};

// An option button that adds its kind's rule.
struct RuleOption {
    QString name;
    QString caption;
    QString tooltip; // also on every part of its row without a hover text of its own
    RulePageId page = RulePageId::FileName;
    int screenRow = 0; // its place on the page, top to bottom
    const RuleKind *kind = nullptr;
    // The controls the rule's parameters are read from; a parameter left out is stored empty.
    std::vector<RuleInput> inputs;
    // What follows the option button, as it reads. Its controls are enabled only while the
    // option is selected; inputs outside it (shared by the page) are always enabled.
    Row row;
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

// Every page, in RulePageId order.
const std::vector<RulePageInfo> &rulePages();
const RulePageInfo &rulePage(RulePageId page);
// The options that add `kind`, in the order they were described; empty for a kind no page adds.
std::vector<const RuleOption *> optionsOf(const RuleKind &kind);
// Lookups by objectName, for tests and tools; nullptr when there is none.
const RuleOption *findRuleOption(const QString &name);
const RuleControl *findRuleControl(const QString &name);

// The rule `option` asks for, with each control's value as `valueOf` reads it (a check box's
// as "1" or "0").
RuleDraft draftOf(const RuleOption &option,
                  const std::function<QString(const RuleControl &)> &valueOf);

} // namespace tallowin::ui
