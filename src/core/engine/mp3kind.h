#pragma once

#include "mp3/mp3info.h"
#include "shell/errorreport.h"

#include <QString>

#include <array>
#include <functional>
#include <utility>

namespace tallowin {

// One file as the MP3 kind reads it: its tags, or the errno of why it could not be read.
struct Mp3FileTags {
    Mp3FileTags(Mp3Info tags = {}, int errnoValue = 0) : info(std::move(tags)), error(errnoValue) {}
    Mp3Info info;
    int error = 0;
};

// What the MP3 kind needs from outside: the folder the files are in, and a way to let other
// work run while it reads many files.
struct Mp3KindContext {
    QString folder;
    std::function<void()> yield;
    // Reads one file's tags; when unset the files are read with Mp3Reader.
    std::function<Mp3FileTags(const QString &path)> read;
    // Where a file that cannot be read is reported. The engine running the kind sets it to its
    // own reporter; without one such a file is only left unfilled.
    ErrorReporter *errors = nullptr;
};

// The nine placeholders the MP3 kind fills, in the order it fills them.
inline const std::array<QString, 9> Mp3Placeholders = {
    QStringLiteral("%album%"),    QStringLiteral("%artist%"),   QStringLiteral("%bitrate%"),
    QStringLiteral("%comment%"),  QStringLiteral("%duration%"), QStringLiteral("%genre%"),
    QStringLiteral("%songname%"), QStringLiteral("%track%"),    QStringLiteral("%year%")};

// True when `text` still holds one of the nine placeholders, in any letter case.
bool holdsMp3Placeholder(const QString &text);

// The MP3 rule kind: fills the tag template of `templ` for name part `name` and extension
// `extension`; returns the joined name. A file that cannot be read (EACCES, EIO, gone) is
// reported as the system's failure naming the file, and its placeholders stay unfilled.
QString applyMp3Kind(const QString &name, const QString &extension, const QString &templ,
                     const Mp3KindContext &context);

} // namespace tallowin
