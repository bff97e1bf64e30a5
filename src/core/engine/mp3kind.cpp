#include "engine/mp3kind.h"

#include "engine/text.h"

namespace tallowin {

bool holdsMp3Placeholder(const QString &text) {
    for (const QString &p : Mp3Placeholders)
        if (text.contains(p, Qt::CaseInsensitive))
            return true;
    return false;
}

// Until the tag reader lands the template is not filled: the name passes unchanged.
QString applyMp3Kind(const QString &name, const QString &extension, const QString &,
                     const Mp3KindContext &) {
    return text::join(name, extension);
}

} // namespace tallowin
