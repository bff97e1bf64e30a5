#pragma once

#include <QCoreApplication>
#include <QString>

namespace tallowin {

// The core's texts that a window shows are translated in the context "tallowin::core". Texts
// with values in them call QCoreApplication::translate where they are made. Constants are made
// before any translator is loaded, so they are only marked (QT_TRANSLATE_NOOP) and the window
// that shows one looks it up with coreText(). The command line loads no translator and prints
// every text as written.
inline QString coreText(const QString &text) {
    const QByteArray source = text.toUtf8();
    const QString translated = QCoreApplication::translate("tallowin::core", source.constData());
    // A text without a translation comes back as it was, including name bytes that are not
    // UTF-8 (which the round trip through UTF-8 would have replaced).
    return translated == QString::fromUtf8(source) ? text : translated;
}

} // namespace tallowin
