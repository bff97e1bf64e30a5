#include "engine/mp3kind.h"

#include "engine/text.h"
#include "mp3/mp3reader.h"
#include "shell/locations.h"

namespace tallowin {

bool holdsMp3Placeholder(const QString &text) {
    for (const QString &p : Mp3Placeholders)
        if (text.contains(p, Qt::CaseInsensitive))
            return true;
    return false;
}

QString applyMp3Kind(const QString &name, const QString &extension, const QString &templ,
                     const Mp3KindContext &context) {
    QString joined;
    if (text::lower(extension) == u"mp3") {
        QString path = context.folder;
        if (!path.isEmpty() && !path.endsWith(u'/'))
            path += u'/';
        path += text::join(name, extension);
        Mp3FileTags file;
        if (context.read) {
            file = context.read(path);
        } else {
            Mp3Reader reader;
            reader.read(path);
            file = Mp3FileTags(reader.info(), reader.error());
        }
        if (context.yield)
            context.yield();
        if (file.error != 0 && context.errors)
            context.errors->reportSystemAbout(path, Locations::ApplyRule, file.error);
        const Mp3Info &info = file.info;
        // In table order, each on the text the earlier ones left; an empty field keeps its
        // placeholder so the preview leaves the row unticked.
        const std::array<const QString *, 9> values = {
            &info.album, &info.artist,   &info.bitRate, &info.comment, &info.duration,
            &info.genre, &info.songName, &info.track,   &info.year};
        QString filled = templ;
        for (size_t i = 0; i < values.size(); ++i)
            if (!values[i]->isEmpty())
                filled = text::replace(filled, Mp3Placeholders[i], *values[i]);
        joined = text::join(filled, extension);
    } else {
        joined = text::join(name, extension);
    }
    // Characters no file name may hold on the systems these names travel to.
    for (const char16_t c : {u'/', u'\\', u'?', u'*', u':', u'"', u'<', u'>', u'|'})
        joined.replace(QChar(c), u'-');
    return joined;
}

} // namespace tallowin
