#pragma once

#include "mp3/bytesource.h"
#include "mp3/mp3info.h"

#include <QString>

#include <functional>

namespace tallowin {

// Reads the ID3 tags and the MPEG stream facts of one MP3 file at a time. Only reads; never
// reports: whatever cannot be read stays empty. One instance serves a whole run.
class clsMP3 {
public:
    const QString &Duration() const { return m_info.Duration; }
    const QString &Frequency() const { return m_info.Frequency; }
    const QString &Mode() const { return m_info.Mode; }
    const QString &MpegLayer() const { return m_info.MpegLayer; }
    const QString &MpegVersion() const { return m_info.MpegVersion; }
    const QString &BitRate() const { return m_info.BitRate; }
    const QString &Songname() const { return m_info.Songname; }
    const QString &Artist() const { return m_info.Artist; }
    const QString &Album() const { return m_info.Album; }
    const QString &Year() const { return m_info.Year; }
    const QString &Comment() const { return m_info.Comment; }
    const QString &Genre() const { return m_info.Genre; }
    const QString &Track() const { return m_info.Track; }
    bool VBR() const { return m_info.VBR; }
    const QString &Files() const { return m_info.Files; }
    const QString &Subdirs() const { return m_info.Subdirs; }
    const Mp3Info &info() const { return m_info; }

    // Lists `RootDir` (ending with "/"): entries matching the wildcard `FileType` into Files,
    // sub-folders into Subdirs, each followed by "|". `yield` lets other work run meanwhile.
    bool SearchDir(const QString &RootDir, const QString &FileType,
                   const std::function<void()> &yield = {});

    // Empties the fields, then reads the stream facts and the tags of `FileName`. Always true,
    // also for a file that is missing or is not a file: callers test the fields.
    bool ReadMP3(const QString &FileName);
    // The same over bytes from any source (tests, fuzzing).
    bool ReadMP3(ByteSource &source);

    static QString GenreName(qint16 number);

private:
    void ReadTag(ByteSource &source);
    void ReadStreamFacts(ByteSource &source);

    Mp3Info m_info;
};

// Where the audio starts: just after an ID3v2 tag at the start of the source, else 0.
qint64 id3v2TagEnd(ByteSource &source);

} // namespace tallowin
