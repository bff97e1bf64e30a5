#pragma once

#include <QString>

#include <array>
#include <utility>

namespace tallowin {

// The tag and stream facts of one MP3 file. Every text is empty when the file did not yield it;
// nothing ever stands in for a missing value.
struct Mp3Info {
    QString duration;    // "3m 25s"
    QString frequency;   // Hz, "44100"
    QString mode;        // "stereo", "joint stereo", "dual channel", "single channel"
    QString mpegLayer;   // "3"
    QString mpegVersion; // "1", "2" or "2.5"
    QString bitRate;     // kbit/s, "128"
    QString songName;
    QString artist;
    QString album;
    QString year;
    QString comment; // the ID3v1 comment, cleaned
    QString genre;   // a name from the genre table, or the tag's own genre text
    QString track;   // as stored in an ID3v2 tag: "5" or "5/12"
    bool vbr = false;
};

// The text fields in the order the tags command prints them, with the names it prints them by
// (scripts read these names: they stay as they are).
inline std::array<std::pair<const char *, const QString *>, 13> namedFields(const Mp3Info &m) {
    return {{{"Duration", &m.duration},
             {"Frequency", &m.frequency},
             {"Mode", &m.mode},
             {"MpegLayer", &m.mpegLayer},
             {"MpegVersion", &m.mpegVersion},
             {"BitRate", &m.bitRate},
             {"Songname", &m.songName},
             {"Artist", &m.artist},
             {"Album", &m.album},
             {"Year", &m.year},
             {"Comment", &m.comment},
             {"Genre", &m.genre},
             {"Track", &m.track}}};
}

} // namespace tallowin
