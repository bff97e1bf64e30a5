#pragma once

#include "mp3/bytesource.h"
#include "mp3/mp3info.h"

#include <QString>

#include <functional>

namespace tallowin {

// Reads the ID3 tags and the MPEG stream facts of one MP3 file at a time. Only reads; never
// reports: whatever cannot be read stays empty. One instance serves a whole run.
class Mp3Reader {
public:
    const QString &duration() const { return m_info.Duration; }
    const QString &frequency() const { return m_info.Frequency; }
    const QString &mode() const { return m_info.Mode; }
    const QString &mpegLayer() const { return m_info.MpegLayer; }
    const QString &mpegVersion() const { return m_info.MpegVersion; }
    const QString &bitRate() const { return m_info.BitRate; }
    const QString &songName() const { return m_info.Songname; }
    const QString &artist() const { return m_info.Artist; }
    const QString &album() const { return m_info.Album; }
    const QString &year() const { return m_info.Year; }
    const QString &comment() const { return m_info.Comment; }
    const QString &genre() const { return m_info.Genre; }
    const QString &track() const { return m_info.Track; }
    bool isVbr() const { return m_info.VBR; }
    const QString &files() const { return m_info.Files; }
    const QString &subdirs() const { return m_info.Subdirs; }
    const Mp3Info &info() const { return m_info; }

    // Lists `RootDir` (ending with "/"): entries matching the wildcard `FileType` into Files,
    // sub-folders into Subdirs, each followed by "|". `yield` lets other work run meanwhile.
    bool searchDir(const QString &RootDir, const QString &FileType,
                   const std::function<void()> &yield = {});

    // Empties the fields, then reads the stream facts and the tags of `FileName`. Always true,
    // also for a file that is missing or is not a file: callers test the fields.
    bool read(const QString &FileName);
    // The same over bytes from any source (tests, fuzzing).
    bool read(ByteSource &source);

    static QString genreName(qint16 number);

private:
    void readTag(ByteSource &source);
    void readStreamFacts(ByteSource &source);

    Mp3Info m_info;
};

// Where the audio starts: just after an ID3v2 tag at the start of the source, else 0.
qint64 id3v2TagEnd(ByteSource &source);

} // namespace tallowin
