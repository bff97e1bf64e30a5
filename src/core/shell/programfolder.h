#pragma once

#include <QString>

namespace tallowin {

// The folder that holds the program's `rules` and `help` folders: TALLOWIN_HOME when set,
// otherwise the folder of the running executable.
QString programFolder();

struct RulesFolderResult {
    QString path;   // where rules files live
    bool ok = true; // false when no usable folder could be made
    QString error;  // the reason, when not ok
};

// Makes sure something named `rules` exists in `programDir`; an existing file of that name
// is left alone. When the program folder cannot be written, the rules live in
// $XDG_DATA_HOME/tallowin/rules instead (made when missing).
RulesFolderResult ensureRulesFolder(const QString &programDir);

} // namespace tallowin
