#pragma once

#include <QtGlobal>

// Every error location the program reports. A location names the procedure that failed; it
// tells the reader of a report where to look and nothing else, so two procedures may share one
// (the error window's buttons do). The numbers are fixed: reports already sent carry them.
namespace tallowin::Locations {

// Error window
constexpr qint32 ErrorWindowButton = 2; // Send and Cancel

// Load-rules window
constexpr qint32 LoadRules = 19; // reading the chosen rules file

// Main window
constexpr qint32 ListFolder = 26;      // listDirectory
constexpr qint32 ShowHiddenFiles = 27; // the "show hidden files" box
constexpr qint32 ShowSystemFiles = 29; // the "show system files" box
constexpr qint32 BuildPreview = 50;    // the preview of the rule table
constexpr qint32 FolderChange = 87;    // the folder picker's change
constexpr qint32 LoadMainWindow = 92;  // the main window starting up
constexpr qint32 ApplyRule = 183;      // one rule applied to one name

// Preview window
constexpr qint32 PreviewCancel = 215;
constexpr qint32 PreviewRename = 216; // the rename run
constexpr qint32 PreviewKeyDown = 217;
constexpr qint32 PreviewItemCheck = 218;
constexpr qint32 PreviewHeaderBar = 219;
constexpr qint32 PreviewLoad = 220;

// Save-rules window
constexpr qint32 SaveRules = 237; // writing the rules file

// General module
constexpr qint32 RulesFolder = 275; // making the rules folder at start-up
constexpr qint32 ScratchFile = 276; // the scratch file

// Rule table
constexpr qint32 AddRule = 280;
constexpr qint32 DeleteRule = 281;
constexpr qint32 MoveRuleUp = 282;
constexpr qint32 MoveRuleDown = 283;
constexpr qint32 MoveRuleToTop = 284;
constexpr qint32 MoveRuleToBottom = 285;
constexpr qint32 ClearRules = 286;

// Tag reader
constexpr qint32 ReadTags = 600; // reading one file's tags for the tags command

// Drive functions
constexpr qint32 FileDateCreated = 9060; // the creation date of one file

// List sorting
constexpr qint32 ApplyListSort = 12109;

// Rename-from-list window
constexpr qint32 ListFilePreview = 89329831; // loading the list file

} // namespace tallowin::Locations
