#include "preview_helper.h"

#include "rulesfile/rulesfile.h"

#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallowin::test {

RuleTable rulesFrom(const QStringList &lines) {
    RuleTable table;
    for (const QString &line : lines) {
        RuleSlot rule;
        if (!RulesFile::parseRuleLine(line, rule))
            qFatal("bad rule line in test: %s", qPrintable(line));
        table.addRule(rule);
    }
    return table;
}

std::vector<PreviewEntry> rowsFrom(const QStringList &rows) {
    std::vector<PreviewEntry> out;
    for (const QString &r : rows) {
        const QStringList f = r.split(u'|');
        PreviewEntry e;
        e.checked = f.value(0) == u"1";
        e.setOldName(f.value(1));
        e.newName = f.value(2);
        e.sourceIndex = qsizetype(out.size());
        out.push_back(e);
    }
    return out;
}

QStringList rowsText(const std::vector<PreviewEntry> &rows) {
    QStringList out;
    for (const auto &r : rows)
        out << QString::fromLatin1(r.checked ? "1|" : "0|") + r.oldName() + u'|' + r.newName;
    return out;
}

void makeFiles(const QByteArray &dir, const QList<QByteArray> &names) {
    for (const QByteArray &name : names) {
        const QByteArray path = dir + '/' + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0)
            qFatal("cannot create test file %s", path.constData());
        if (::write(fd, name.constData(), size_t(name.size())) != name.size())
            qFatal("cannot write test file %s", path.constData());
        ::close(fd);
    }
}

QMap<QByteArray, QByteArray> folderState(const QByteArray &dir) {
    QMap<QByteArray, QByteArray> state;
    DIR *d = ::opendir(dir.constData());
    if (!d)
        return state;
    while (dirent *e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = dir + '/' + name;
        struct stat st {};
        ::lstat(path.constData(), &st);
        if (S_ISDIR(st.st_mode)) {
            state.insert(name, "<dir>");
            continue;
        }
        QByteArray content;
        const int fd = ::open(path.constData(), O_RDONLY);
        char buf[4096];
        ssize_t n;
        while (fd >= 0 && (n = ::read(fd, buf, sizeof buf)) > 0)
            content.append(buf, qsizetype(n));
        if (fd >= 0)
            ::close(fd);
        state.insert(name, content);
    }
    ::closedir(d);
    return state;
}

} // namespace tallowin::test
