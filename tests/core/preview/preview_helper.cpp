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

} // namespace tallowin::test
