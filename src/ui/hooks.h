#pragma once

#include <QString>

#include <functional>

namespace tallowin::ui {

class MainWindow;

// Entry points of windows and services that live outside the main window. The main window
// calls them at the moments the program's flow names; whoever builds a window plugs it in
// here. An empty hook does nothing, so the main window works before every window exists.
struct Hooks {
    // Opens a page of the help folder in the user's browser ("index.html", "page7.html", ...).
    std::function<void(const QString &page)> openHelpPage;
    std::function<void()> showHelpWindow;   // toolbar "Help - F1"
    std::function<void()> showWizard;       // resets the wizard and shows it
    std::function<void()> showFromFile;     // the rename-from-list window
    std::function<void()> saveRules;        // rules file save window
    std::function<void()> loadRules;        // rules file load window
    std::function<void()> checkVersion;     // new-version check at start-up
    // Loads the tip window, puts `showTips` into its "Show Tips At Startup" box and shows it
    // when the box then holds 1.
    std::function<void(bool showTips)> showTips;
    // True when a new-release notice is shown; start-up brings it to the front.
    std::function<void()> raiseNewRelease;
    // Runs a preview of the main window's ticked files with its rules.
    std::function<void(MainWindow &)> preview;
};

Hooks &hooks();

// Opens a help page through the hook; remembers the last page asked for.
void OpenHelpPage(const QString &page);
QString lastHelpPage();

} // namespace tallowin::ui
