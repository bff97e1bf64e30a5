#pragma once

#include <QString>

#include <array>
#include <utility>

namespace tallowin {

// The tag and stream facts of one MP3 file. Every text is empty when the file did not yield it;
// nothing ever stands in for a missing value.
struct Mp3Info {
    QString Duration;    // "3m 25s"
    QString Frequency;   // Hz, "44100"
    QString Mode;        // "stereo", "joint stereo", "dual channel", "single channel"
    QString MpegLayer;   // "3"
    QString MpegVersion; // "1", "2" or "2.5"
    QString BitRate;     // kbit/s, "128"
    QString Songname;
    QString Artist;
    QString Album;
    QString Year;
    QString Comment; // the ID3v1 comment, cleaned
    QString Genre;   // a name from the genre table, or the tag's own genre text
    QString Track;   // as stored in an ID3v2 tag: "5" or "5/12"
    bool VBR = false;
    QString Files;   // SearchDir: paths, each followed by "|"
    QString Subdirs; // SearchDir: folder names, each followed by "|"
};

// The text fields in the order the tags command prints them, with their names.
inline std::array<std::pair<const char *, const QString *>, 13> namedFields(const Mp3Info &m) {
    return {{{"Duration", &m.Duration},
             {"Frequency", &m.Frequency},
             {"Mode", &m.Mode},
             {"MpegLayer", &m.MpegLayer},
             {"MpegVersion", &m.MpegVersion},
             {"BitRate", &m.BitRate},
             {"Songname", &m.Songname},
             {"Artist", &m.Artist},
             {"Album", &m.Album},
             {"Year", &m.Year},
             {"Comment", &m.Comment},
             {"Genre", &m.Genre},
             {"Track", &m.Track}}};
}

} // namespace tallowin
