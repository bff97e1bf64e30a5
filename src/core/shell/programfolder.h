#pragma once

#include <QString>

namespace tallowin {

// The folder that holds the program's `rules`, `help` and `translations` folders:
// TALLOWIN_HOME when set, otherwise programFolderFor() the running executable's folder.
QString programFolder();

// For an executable in `executableDir`: the installed data folder (share/tallowin seen from
// bin/) when it exists, so an installed program finds what was installed beside it under any
// prefix; otherwise `executableDir` itself, as in a build tree.
QString programFolderFor(const QString &executableDir);

// True when programFolder() is an installed program's data folder (no TALLOWIN_HOME).
bool programFolderIsInstalled();

// The help pages: `help` in the program folder.
QString helpFolder();

struct RulesFolderResult {
    QString path;        // where rules files live
    bool ok = true;      // false when no usable folder could be made
    QString error;       // the reason, when not ok
    int errorNumber = 0; // the errno of the failed mkdir, when not ok
};

// Makes sure something named `rules` exists in `programDir`; an existing file of that name
// is left alone. When the program folder cannot be written, or must not be (`mayCreate`
// false: an installed program's folders belong to the package manager), the rules live in
// $XDG_DATA_HOME/tallowin/rules instead (made when missing).
RulesFolderResult ensureRulesFolder(const QString &programDir, bool mayCreate = true);

} // namespace tallowin
