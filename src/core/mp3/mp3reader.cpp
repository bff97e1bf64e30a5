#include "mp3/mp3reader.h"

#include "mp3/genretable.h"

namespace tallowin {

bool Mp3Reader::read(const QString &fileName) {
    FileByteSource source(fileName);
    return read(source);
}

bool Mp3Reader::read(ByteSource &source) {
    m_info = Mp3Info();
    m_error = source.error();
    if (m_error == 0) {
        readStreamFacts(source);
        readTag(source);
        m_error = source.error();
    }
    // What was read before a failed read is not told as the file's tags.
    if (m_error != 0)
        m_info = Mp3Info();
    return m_error == 0;
}

QString Mp3Reader::genreName(qint16 number) {
    return tallowin::genreName(number);
}

} // namespace tallowin
