#pragma once

#include <QString>

namespace tallowin {
class SettingsStore;
}

namespace tallowin::ui {

class MainWindow;

// Runs the start-up and returns; the windows appear as the event loop runs. A `folder` given
// (from the command line) is shown instead of the last one.
void startUp(const QString &folder = {});

// The store of the user's settings, shared by every window.
SettingsStore &settingsStore();
// The main window once start-up has opened it, else null.
MainWindow *mainWindow();
// Where rules files are kept (made by start-up when missing).
QString rulesFolder();

} // namespace tallowin::ui
