#include "shell/versioncheck.h"

#include <QVersionNumber>

namespace tallowin {

namespace {

// Digits and dots only, no empty part: "1.2.8", "12.34"; not "1..2", ".123" or "1.2a".
QVersionNumber parseWhole(const QString &text) {
    for (const QChar c : text)
        if ((c < u'0' || c > u'9') && c != u'.')
            return {};
    qsizetype suffix = 0;
    const QVersionNumber v = QVersionNumber::fromString(text, &suffix);
    if (v.isNull() || suffix != text.size() || text.contains(QLatin1String("..")) ||
        text.endsWith(u'.'))
        return {};
    return v;
}

} // namespace

bool offersNewerVersion(const QString &answer, const QString &running) {
    if (answer.size() != 5 || !answer.contains(u'.'))
        return false;
    const QVersionNumber offered = parseWhole(answer);
    const QVersionNumber current = QVersionNumber::fromString(running);
    return !offered.isNull() && !current.isNull() && QVersionNumber::compare(offered, current) > 0;
}

} // namespace tallowin
