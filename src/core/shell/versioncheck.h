#pragma once

#include <QString>

namespace tallowin {

// The two pages of the maker's web site the start-up's version check reads.
inline const QString VersionPagePath = QStringLiteral("/products/tallowin/version.asp");
inline const QString NewsPagePath = QStringLiteral("/products/tallowin/whatsnew.html");

// What the message window says when a newer release is offered; the site's address follows.
inline const QString NewVersionMessage = QStringLiteral(
    QT_TRANSLATE_NOOP("tallowin::core", "I would just like to let you know that there is a new "
                                        "version of this software available on our web site."));

// True when the version page's `answer` names a release newer than `running`
// ("major.minor.revision"). The answer must be exactly five characters holding a ".", and wholly
// a dotted version; the two are compared as numbers part by part, so an older or equal release
// on the server is never offered as an update.
bool offersNewerVersion(const QString &answer, const QString &running);

} // namespace tallowin
