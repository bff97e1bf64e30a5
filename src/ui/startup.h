#pragma once

#include <QString>

namespace tallowin::ui {

class AppController;

// Runs the start-up and returns the application controller it built (owned by the
// application); the windows appear as the event loop runs. A `folder` given (from the command
// line) is shown instead of the last one; a `rulesFile` given is loaded into the rules list.
AppController *startUp(const QString &folder = {}, const QString &rulesFile = {});

} // namespace tallowin::ui
