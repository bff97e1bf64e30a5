#include "ui/rulelayouts.h"

#include <QHash>

#include <algorithm>
#include <deque>

namespace tallowin::ui {

namespace {

// The texts here keep the translation context they have always had ("tallowin::core", read
// with coreText), so translations already made still apply.

const QStringList StartEnd = {QStringLiteral("Start"), QStringLiteral("End")};
const QStringList BeforeAfterWords = {QStringLiteral("Before"), QStringLiteral("After")};

const QString AddTip = QStringLiteral(
    QT_TRANSLATE_NOOP("tallowin::core", "Click here to add this rule to your rules list."));

RowPart words(const char *w, const QString &tooltip = {}) {
    return {QString::fromUtf8(w), nullptr, false, tooltip};
}
RowPart note(const char *w) {
    return {QString::fromUtf8(w), nullptr, true, {}};
}
RowPart at(const RuleControl *c) {
    return {{}, c, false, {}};
}
RuleInput fills(const char *param, const RuleControl *control) {
    return {QLatin1String(param), control};
}

struct Layouts {
    std::deque<RuleControl> controls; // stable addresses
    std::deque<RuleOption> options;
    std::vector<RulePageInfo> pages;
    QHash<QString, const RuleOption *> optionsByName;
    QHash<QString, const RuleControl *> controlsByName;

    RuleControl *box(const char *name, int chars = 10, const QString &tooltip = {}) {
        RuleControl c;
        c.name = QLatin1String(name);
        c.chars = chars;
        c.tooltip = tooltip;
        return &controls.emplace_back(std::move(c));
    }
    RuleControl *check(const char *name, const char *caption, const QString &tooltip = {}) {
        RuleControl c;
        c.name = QLatin1String(name);
        c.type = ControlType::CheckBox;
        c.caption = QLatin1String(caption);
        c.tooltip = tooltip;
        return &controls.emplace_back(std::move(c));
    }
    // A picker; focus targets default to the add button.
    RuleControl *picker(const char *name, const QStringList &choices, ResetTo reset, bool boxHelp) {
        RuleControl c;
        c.name = QLatin1String(name);
        c.type = ControlType::Picker;
        c.chars = 6;
        c.choices = choices;
        c.initial = choices.value(0);
        c.reset = reset;
        c.boxHelp = boxHelp;
        return &controls.emplace_back(std::move(c));
    }
    RuleControl *shared(const char *name, int chars, const char *initial, const QString &tip) {
        RuleControl c;
        c.name = QLatin1String(name);
        c.chars = chars;
        c.tooltip = tip;
        c.initial = QLatin1String(initial);
        c.reset = ResetTo::Initial;
        return &controls.emplace_back(std::move(c));
    }

    void option(const QString &keyword, RulePageId page, int screenRow, const char *name,
                const char *caption, std::vector<RuleInput> inputs, Row row = {},
                const QString &tooltip = {}) {
        RuleOption o;
        o.name = QLatin1String(name);
        o.caption = QString::fromUtf8(caption);
        o.tooltip = tooltip;
        o.page = page;
        o.screenRow = screenRow;
        o.kind = findRuleKind(keyword);
        Q_ASSERT(o.kind);
        o.inputs = std::move(inputs);
        o.row = std::move(row);
        options.push_back(std::move(o));
    }

    Layouts();
    void addNamePage();
    void addExtensionPage();
    void addNumberingPage();
    void addLettersPage();
    void addMiscPage();
    void addMp3Page();
    void index();
};

// ---------------------------------------------------------------------------------------------
// The File Name page. Its controls have no hover texts.

void Layouts::addNamePage() {
    constexpr RulePageId P = RulePageId::FileName;
    {
        auto *search = box("txtStandardReplaceThis");
        auto *with = box("txtStandardReplaceWith");
        auto *first =
            check("chkStandardReplaceFirstOnly", QT_TRANSLATE_NOOP("tallowin::core", "First Only"));
        option(
            RuleKinds::Replace, P, 0, "optStandardReplace",
            QT_TRANSLATE_NOOP("tallowin::core", "Replace"),
            {fills("search", search), fills("replacement", with), fills("firstOnly", first)},
            {at(search), words(QT_TRANSLATE_NOOP("tallowin::core", "with")), at(with), at(first)});
    }
    {
        auto *insertion = box("txtStandardBeforeAfterText");
        auto *where =
            picker("txtStandardBeforeAfter", BeforeAfterWords, ResetTo::FirstChoice, false);
        auto *anchor = box("txtStandardBeforeAfterCriteria");
        auto *first = check("chkStandardBeforeAfterFirstOnly",
                            QT_TRANSLATE_NOOP("tallowin::core", "First Only"));
        where->focusAfterPick = anchor;
        where->focusOnClose = insertion;
        option(RuleKinds::BeforeAfter, P, 1, "optStandardBeforeAfter",
               QT_TRANSLATE_NOOP("tallowin::core", "Insert"),
               {fills("insertion", insertion), fills("where", where), fills("anchor", anchor),
                fills("firstOnly", first)},
               {at(insertion), at(where), at(anchor), at(first)});
    }
    {
        auto *insertion = box("txtStandardInsertText");
        auto *where = picker("txtStandardInsert", StartEnd, ResetTo::FirstChoice, true);
        option(RuleKinds::Insert, P, 2, "optStandardInsert",
               QT_TRANSLATE_NOOP("tallowin::core", "Insert"),
               {fills("insertion", insertion), fills("where", where)},
               {at(insertion), words(QT_TRANSLATE_NOOP("tallowin::core", "at the")), at(where),
                words(QT_TRANSLATE_NOOP("tallowin::core", "of the file name"))});
    }
    {
        auto *count = box("txtStandardRemoveCharacters", 4);
        auto *where = picker("txtStandardRemove", StartEnd, ResetTo::FirstChoice, true);
        option(RuleKinds::Remove, P, 3, "optStandardRemove",
               QT_TRANSLATE_NOOP("tallowin::core", "Remove"),
               {fills("count", count), fills("where", where)},
               {at(count), words(QT_TRANSLATE_NOOP("tallowin::core", "characters from the")),
                at(where), words(QT_TRANSLATE_NOOP("tallowin::core", "of the file name"))});
    }
    {
        auto *from = box("txtStandardClearFrom");
        auto *to = box("txtStandardClearTo");
        auto *leave = check("chkStandardClearLeaveText",
                            QT_TRANSLATE_NOOP("tallowin::core", "Leave Search Text"));
        option(RuleKinds::Clear, P, 4, "optStandardClear",
               QT_TRANSLATE_NOOP("tallowin::core", "Clear text between"),
               {fills("from", from), fills("to", to), fills("leaveMarkers", leave)},
               {at(from), words(QT_TRANSLATE_NOOP("tallowin::core", "and")), at(to), at(leave)});
    }
    {
        auto *name = box("txtStandardSetTo", 16);
        option(RuleKinds::SetTo, P, 5, "optStandardSetTo",
               QT_TRANSLATE_NOOP("tallowin::core", "Set file name to"), {fills("name", name)},
               {at(name),
                note(QT_TRANSLATE_NOOP("tallowin::core", "* Must be first file name rule"))});
    }
}

// ---------------------------------------------------------------------------------------------
// The Extension page.

void Layouts::addExtensionPage() {
    constexpr RulePageId P = RulePageId::Extension;
    {
        auto *insertion = box("txtStandardExtBeforeAfterThis");
        auto *where =
            picker("txtStandardExtBeforeAfter", BeforeAfterWords, ResetTo::FirstChoice, false);
        auto *anchor = box("txtStandardExtBeforeAfterThat");
        where->focusAfterPick = where->focusOnClose = anchor;
        option(RuleKinds::ExtBeforeAfter, P, 1, "optStandardExtBeforeAfter",
               QT_TRANSLATE_NOOP("tallowin::core", "Insert"),
               {fills("insertion", insertion), fills("anchor", anchor), fills("where", where)},
               {at(insertion), at(where), at(anchor)},
               QStringLiteral(QT_TRANSLATE_NOOP(
                   "tallowin::core", "Insert this string before or after the following string.")));
    }
    {
        // The picker keeps its last choice.
        auto *side = picker("txtStandardExtClear", BeforeAfterWords, ResetTo::Keep, false);
        auto *search = box("txtStandardExtClearThis");
        auto *leave = check(
            "chkStandardExtLeaveSearch", QT_TRANSLATE_NOOP("tallowin::core", "Leave Search Text"),
            QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core",
                                             "Check this box if you wish to leave the search text, "
                                             "otherwise it will be cleared as well.")));
        option(
            RuleKinds::ExtClear, P, 4, "optStandardExtClear",
            QT_TRANSLATE_NOOP("tallowin::core", "Clear all text"),
            {fills("search", search), fills("side", side), fills("leaveSearch", leave)},
            {at(side), words(QT_TRANSLATE_NOOP("tallowin::core", "this")), at(search), at(leave)},
            QStringLiteral(QT_TRANSLATE_NOOP(
                "tallowin::core", "Remove all text that comes before or after this string.")));
    }
    {
        auto *insertion = box("txtStandardExtInsertText");
        auto *where = picker("txtStandardExtInsert", StartEnd, ResetTo::FirstChoice, true);
        option(
            RuleKinds::ExtInsert, P, 2, "optStandardExtInsert",
            QT_TRANSLATE_NOOP("tallowin::core", "Insert"),
            {fills("insertion", insertion), fills("where", where)},
            {at(insertion), words(QT_TRANSLATE_NOOP("tallowin::core", "at the")), at(where),
             words(QT_TRANSLATE_NOOP("tallowin::core", "of the extension"))},
            QStringLiteral(QT_TRANSLATE_NOOP(
                "tallowin::core", "Insert this string at the beginning or end of the extension.")));
    }
    {
        auto *count = box("txtStandardExtRemoveCharacters", 4);
        auto *where = picker("txtStandardExtRemove", StartEnd, ResetTo::FirstChoice, false);
        option(RuleKinds::ExtRemove, P, 3, "optStandardExtRemove",
               QT_TRANSLATE_NOOP("tallowin::core", "Remove"),
               {fills("count", count), fills("where", where)},
               {at(count), words(QT_TRANSLATE_NOOP("tallowin::core", "characters from the")),
                at(where), words(QT_TRANSLATE_NOOP("tallowin::core", "of the extension"))},
               QStringLiteral(
                   "Remove this many characters from the beginning or end of the extension."));
    }
    {
        auto *search = box("txtStandardExtReplaceThis");
        auto *with = box("txtStandardExtReplaceThat");
        option(RuleKinds::ExtReplace, P, 0, "optStandardExtReplace",
               QT_TRANSLATE_NOOP("tallowin::core", "Replace"),
               {fills("search", search), fills("replacement", with)},
               {at(search), words(QT_TRANSLATE_NOOP("tallowin::core", "with")), at(with)},
               QStringLiteral(
                   QT_TRANSLATE_NOOP("tallowin::core", "Replace this string with a new string.")));
    }
    {
        auto *ext = box("txtStandardExtSetTo", 8);
        option(
            RuleKinds::ExtSetTo, P, 5, "optStandardExtSetTo",
            QT_TRANSLATE_NOOP("tallowin::core", "Set the extension to "), {fills("extension", ext)},
            {at(ext), note(QT_TRANSLATE_NOOP("tallowin::core", "* Must be first extension rule"))},
            QStringLiteral(QT_TRANSLATE_NOOP(
                "tallowin::core",
                "Set the extension to this text exactly.  This must be the first rule "
                "applied to extensions or it will overwrite any previous rules.")));
    }
}

// ---------------------------------------------------------------------------------------------
// The Auto Number page: its two options share the counting boxes.

void Layouts::addNumberingPage() {
    constexpr RulePageId P = RulePageId::AutoNumber;
    const QString startTip = QStringLiteral(
        QT_TRANSLATE_NOOP("tallowin::core", "Start the self counting number with this number"));
    const QString incTip = QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Add this number to the starting number for each file, for example starting with 1 and "
        "incrementing 1 will result in 1, 2, 3, 4, 5  starting with 1 and incrementing by 2 "
        "will result in 1,3,5,7,9."));
    const QString fmtTip = QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Format your number to contain a certain number of characters.  This eliminates the "
        "issue of windows sorting files like myfile1, myfile10, myfile2 by adding extra 0's "
        "such as myfile001,myfile002,myfile010"));
    auto *start = shared("txtStandardAutoStartCount", 4, "1", startTip);
    auto *inc = shared("txtStandardAutoIncrement", 4, "1", incTip);
    auto *fmt = shared("txtStandardAutoFormat", 3, "4", fmtTip);
    pages[int(P)].sharedRows = {
        {words(QT_TRANSLATE_NOOP("tallowin::core", "Start count at"), startTip), at(start),
         words(QT_TRANSLATE_NOOP("tallowin::core", "and increment by"), incTip), at(inc)},
        {words(QT_TRANSLATE_NOOP("tallowin::core", "Format number to "), fmtTip), at(fmt),
         words(QT_TRANSLATE_NOOP("tallowin::core", "digits minimum.  (0001,0002, etc)"), fmtTip)}};
    {
        // Both pickers keep their last choice.
        auto *where = picker("txtStandardAutoStartEnd", StartEnd, ResetTo::Keep, false);
        option(RuleKinds::AutoStartEnd, P, 0, "optStandardAutoStartEnd",
               QT_TRANSLATE_NOOP("tallowin::core", "Insert numbers at the"),
               {fills("where", where), fills("digits", fmt), fills("increment", inc),
                fills("start", start)},
               {at(where), words(QT_TRANSLATE_NOOP("tallowin::core", "of the file name"))},
               QStringLiteral(QT_TRANSLATE_NOOP(
                   "tallowin::core",
                   "Insert self counting numbers at the beginning or end of the file "
                   "name, such as 01myfile, 02myfile, etc.")));
    }
    {
        auto *where = picker("txtStandardAutoBeforeAfter", BeforeAfterWords, ResetTo::Keep, false);
        auto *anchor = box("txtStandardAutoBeforeAfterThis");
        where->focusAfterPick = anchor;
        option(RuleKinds::AutoBeforeAfter, P, 1, "optStandardAutoBeforeAfter",
               QT_TRANSLATE_NOOP("tallowin::core", "Insert numbers"),
               {fills("anchor", anchor), fills("where", where), fills("digits", fmt),
                fills("increment", inc), fills("start", start)},
               {at(where), words(QT_TRANSLATE_NOOP("tallowin::core", "this")), at(anchor)},
               QStringLiteral(QT_TRANSLATE_NOOP(
                   "tallowin::core",
                   "Insert self counting number before or after this piece of text in the "
                   "file name.")));
    }
}

// ---------------------------------------------------------------------------------------------
// The Letters page: six options sharing one check box.

void Layouts::addLettersPage() {
    constexpr RulePageId P = RulePageId::Letters;
    RuleControl *toExt =
        check("chkStandardLettersApplyToExt",
              QT_TRANSLATE_NOOP("tallowin::core", "Apply Rule To Extension"),
              QStringLiteral(QT_TRANSLATE_NOOP(
                  "tallowin::core", "Apply this rule to the extension as well as the file name.")));
    toExt->reset = ResetTo::Keep;
    pages[int(P)].besideAdd = {at(toExt)};
    const struct {
        const QString &keyword;
        int screenRow;
        const char *option, *caption, *tip;
    } letters[] = {
        {RuleKinds::LetterFirstCap, 0, "optStandardLettersFirstCap",
         QT_TRANSLATE_NOOP("tallowin::core", "Make First Of Each Word Upper"),
         QT_TRANSLATE_NOOP("tallowin::core", "Make The First Of Each Word Upper Case")},
        {RuleKinds::LetterFirstLow, 1, "optStandardLettersFirstLow",
         QT_TRANSLATE_NOOP("tallowin::core", "mAKE fIRST oF eACH wORD lOWER"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "Make the first of each word lower case and the rest of the word upper case.")},
        {RuleKinds::LetterLowerCase, 5, "optStandardLettersLowerCase",
         QT_TRANSLATE_NOOP("tallowin::core", "Make all lower case"),
         QT_TRANSLATE_NOOP("tallowin::core", "Make the file name lower case.")},
        {RuleKinds::LetterOtherCap, 2, "optStandardLettersOtherCap",
         QT_TRANSLATE_NOOP("tallowin::core", "MaKe EvErY OtHeR LeTtEr UpPeR"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "Make every other letter upper case starting with the first letter of each word.")},
        {RuleKinds::LetterOtherLow, 3, "optStandardLettersOtherLow",
         QT_TRANSLATE_NOOP("tallowin::core", "mAkE eVeRy oThEr lEtTeR lOwEr"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "Make every other letter lower case starting with the first letter of each word.")},
        {RuleKinds::LetterUpperCase, 4, "optStandardLettersUpperCase",
         QT_TRANSLATE_NOOP("tallowin::core", "Make all UPPER case"),
         QT_TRANSLATE_NOOP("tallowin::core", "Make the file name UPPER case.")},
    };
    for (const auto &l : letters)
        option(l.keyword, P, l.screenRow, l.option, l.caption, {fills("withExtension", toExt)}, {},
               QString::fromUtf8(l.tip));
}

// ---------------------------------------------------------------------------------------------
// The Misc page: five options without controls.

void Layouts::addMiscPage() {
    constexpr RulePageId P = RulePageId::Misc;
    const struct {
        const QString &keyword;
        int screenRow;
        const char *option, *caption, *tip;
    } misc[] = {
        {RuleKinds::MiscAddSpaces, 1, "optStandardMiscAddSpaces",
         QT_TRANSLATE_NOOP("tallowin::core", "Replace _ with space"),
         QT_TRANSLATE_NOOP("tallowin::core", "Replaces all _ underscores with spaces")},
        {RuleKinds::MiscForceAlpha, 4, "optStandardMiscForceAlphaNumeric",
         QT_TRANSLATE_NOOP("tallowin::core",
                           "Remove special characters forcing Alpha Numeric (i.e. abc123)"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "This will limit your file name to being Letters and Numbers only, !@#$%^&&*() etc.")},
        {RuleKinds::MiscRemoveMultiSpace, 3, "optStandardMiscRemoveMultiSpace",
         QT_TRANSLATE_NOOP("tallowin::core", "Convert multiple spaces to one"),
         QT_TRANSLATE_NOOP(
             "tallowin::core",
             "If you have a file name with    extra spaces it will remove them and make it only a "
             "single space.")},
        {RuleKinds::MiscTrim, 2, "optStandardMiscRemoveSpaces",
         QT_TRANSLATE_NOOP("tallowin::core", "Remove Extra Spaces"),
         QT_TRANSLATE_NOOP("tallowin::core",
                           "Removes any spaces from the beginning or end of the file name.")},
        {RuleKinds::MiscReplaceSpaces, 0, "optStandardMiscReplaceSpaces",
         QT_TRANSLATE_NOOP("tallowin::core", "Replace spaces with _"),
         QT_TRANSLATE_NOOP("tallowin::core", "Replaces all spaces with _ underscores")},
    };
    for (const auto &m : misc)
        option(m.keyword, P, m.screenRow, m.option, m.caption, {}, {}, QString::fromUtf8(m.tip));
}

// ---------------------------------------------------------------------------------------------
// The MP3 view: one kind, added from a predefined or a custom template.

void Layouts::addMp3Page() {
    constexpr RulePageId P = RulePageId::Mp3;
    auto *predefined = picker("txtPredefinedMP3",
                              {QStringLiteral("%Artist% - %SongName%"),
                               QStringLiteral("%Genre% - %Artist% - %SongName%"),
                               QStringLiteral("%Artist% - %Album% - %SongName%"),
                               QStringLiteral("%Artist% - %Album% - %Track% - %SongName%"),
                               QStringLiteral("%Album% - %Track% - %SongName%")},
                              ResetTo::FirstChoiceWhenSelected, true);
    predefined->chars = 34;
    predefined->wide = true;
    predefined->initial.clear();
    RuleControl *custom = box("txtCustomMP3", 34);
    custom->wide = true;
    custom->placeholder = QStringLiteral("%Year% - %Album% - %Track%");
    option(RuleKinds::Mp3, P, 0, "optMP3Predefined",
           QT_TRANSLATE_NOOP("tallowin::core", "Predefined"), {fills("template", predefined)},
           {at(predefined)},
           QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core",
                                            "Set the file name of an MP3 file to a predefined "
                                            "format based on ID3 tags in the MP3 file.")));
    option(RuleKinds::Mp3, P, 1, "optMP3Custom", QT_TRANSLATE_NOOP("tallowin::core", "Custom"),
           {fills("template", custom)}, {at(custom)},
           QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core",
                                            "Set the file name of an MP3 file to a custom "
                                            "defined format based on ID3 tags in the MP3 "
                                            "file.")));
}

Layouts::Layouts() {
    const auto page = [](RulePageId id, const char *caption, const char *frame,
                         const char *addButton, const QString &addTip, bool focusLook,
                         const char *help) {
        RulePageInfo p;
        p.id = id;
        p.caption = QLatin1String(caption);
        p.frame = QLatin1String(frame);
        p.addButton = QLatin1String(addButton);
        p.addTip = addTip;
        p.addFocusLook = focusLook;
        p.help = QLatin1String(help);
        return p;
    };
    pages = {
        page(RulePageId::FileName, QT_TRANSLATE_NOOP("tallowin::core", "File Name"),
             "fraStandardFileName", "cmdStandardFileNameAddNewRule", {}, true, "page7.html"),
        page(RulePageId::Extension, QT_TRANSLATE_NOOP("tallowin::core", "Extension"),
             "fraStandardExtensions", "cmdStandardExtensionAddNewRule", {}, false, "page8.html"),
        page(RulePageId::AutoNumber, QT_TRANSLATE_NOOP("tallowin::core", "Auto Number"),
             "fraStandardAutoNumber", "cmdStandardAutoAddRule", AddTip, false, "page9.html"),
        page(RulePageId::Letters, QT_TRANSLATE_NOOP("tallowin::core", "Letters"),
             "fraStandardLetters", "cmdStandardLettersAddRule", AddTip, false, "page10.html"),
        page(RulePageId::Misc, QT_TRANSLATE_NOOP("tallowin::core", "Misc"), "fraStandardMisc",
             "cmdStandardMiscAddRule", AddTip, false, "page11.html"),
        page(RulePageId::Mp3, QT_TRANSLATE_NOOP("tallowin::core", "MP3 Music"), "frmMP3Rules",
             "cmdStandardMP3AddNewRule", AddTip, false, "page12.html"),
    };
    addNamePage();
    addExtensionPage();
    addNumberingPage();
    addLettersPage();
    addMiscPage();
    addMp3Page();
    index();
}

void Layouts::index() {
    for (const RuleOption &o : options) {
        optionsByName.insert(o.name, &o);
        pages[int(o.page)].options.push_back(&o);
    }
    for (RulePageInfo &p : pages)
        std::stable_sort(
            p.options.begin(), p.options.end(),
            [](const RuleOption *a, const RuleOption *b) { return a->screenRow < b->screenRow; });
    for (const RuleControl &c : controls)
        controlsByName.insert(c.name, &c);
}

const Layouts &layouts() {
    static const Layouts l;
    return l;
}

} // namespace

const std::vector<RulePageInfo> &rulePages() {
    return layouts().pages;
}

const RulePageInfo &rulePage(RulePageId page) {
    return layouts().pages[size_t(page)];
}

std::vector<const RuleOption *> optionsOf(const RuleKind &kind) {
    std::vector<const RuleOption *> out;
    for (const RuleOption &o : layouts().options)
        if (o.kind == &kind)
            out.push_back(&o);
    return out;
}

const RuleOption *findRuleOption(const QString &name) {
    return layouts().optionsByName.value(name);
}

const RuleControl *findRuleControl(const QString &name) {
    return layouts().controlsByName.value(name);
}

RuleDraft draftOf(const RuleOption &option,
                  const std::function<QString(const RuleControl &)> &valueOf) {
    RuleDraft draft{option.kind, {}};
    for (const RuleInput &input : option.inputs)
        draft.values.insert(input.param, valueOf(*input.control));
    return draft;
}

} // namespace tallowin::ui
