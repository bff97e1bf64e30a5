#pragma once

#include "mp3/bytesource.h"
#include "mp3/mp3info.h"

#include <QString>

namespace tallowin {

// Reads the ID3 tags and the MPEG stream facts of one MP3 file at a time. Only reads; never
// reports: whatever the file does not hold stays empty. One instance serves a whole run.
class Mp3Reader {
public:
    const Mp3Info &info() const { return m_info; }

    // Empties the fields, then reads the stream facts and the tags of `fileName`. True when the
    // file was read, with tags or without; false when it could not be opened or read (error()
    // tells why), which is not the same as a file without tags. Anything but a regular file (a
    // folder, a FIFO) reads as an empty file.
    bool read(const QString &fileName);
    // The same over bytes from any source (tests, fuzzing).
    bool read(ByteSource &source);
    // The errno of the last read when it failed, 0 when it succeeded.
    int error() const { return m_error; }

    static QString genreName(qint16 number);

private:
    void readTag(ByteSource &source);
    void readStreamFacts(ByteSource &source);

    Mp3Info m_info;
    int m_error = 0;
};

// Where the audio starts: just after an ID3v2 tag at the start of the source, else 0.
qint64 id3v2TagEnd(ByteSource &source);

} // namespace tallowin
