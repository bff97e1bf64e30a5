#include "mp3/mp3reader.h"

#include "mp3/genretable.h"

#include <QDir>

namespace tallowin {

bool Mp3Reader::read(const QString &FileName) {
    FileByteSource source(FileName);
    return read(source);
}

bool Mp3Reader::read(ByteSource &source) {
    const QString files = m_info.Files;
    const QString subdirs = m_info.Subdirs;
    m_info = Mp3Info();
    m_info.Files = files;
    m_info.Subdirs = subdirs;
    readStreamFacts(source);
    readTag(source);
    return true;
}

QString Mp3Reader::genreName(qint16 number) {
    return tallowin::genreName(number);
}

bool Mp3Reader::searchDir(const QString &RootDir, const QString &FileType,
                          const std::function<void()> &yield) {
    if (yield)
        yield();
    m_info.Files.clear();
    m_info.Subdirs.clear();
    const QDir dir(RootDir);
    // Wildcards match regardless of letter case, and folders matching the pattern count too.
    const QDir::Filters all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    for (const QString &name : dir.entryList({FileType}, all, QDir::Unsorted))
        m_info.Files += RootDir + name + u'|';
    for (const QString &name : dir.entryList(
             QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted)) {
        m_info.Subdirs += name + u'|';
        if (yield)
            yield();
    }
    return true;
}

} // namespace tallowin
