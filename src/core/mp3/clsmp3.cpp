#include "mp3/clsmp3.h"

#include "mp3/genretable.h"

#include <QDir>

namespace tallowin {

bool clsMP3::ReadMP3(const QString &FileName) {
    FileByteSource source(FileName);
    return ReadMP3(source);
}

bool clsMP3::ReadMP3(ByteSource &source) {
    const QString files = m_info.Files;
    const QString subdirs = m_info.Subdirs;
    m_info = Mp3Info();
    m_info.Files = files;
    m_info.Subdirs = subdirs;
    ReadStreamFacts(source);
    ReadTag(source);
    return true;
}

QString clsMP3::GenreName(qint16 number) {
    return genreName(number);
}

bool clsMP3::SearchDir(const QString &RootDir, const QString &FileType,
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
