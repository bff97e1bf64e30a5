#include "rulesfile/rulesfile.h"

#include "shell/textcodec.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace tallowin::RulesFile {

QString joinFolder(const QString &folder, const QString &fileName) {
    return folder.endsWith(u'/') ? folder + fileName : folder + u'/' + fileName;
}

QString savePath(const QString &folder, const QString &baseName) {
    return joinFolder(folder, baseName) + QStringLiteral(".rul");
}

QString ruleLine(const RuleSlot &rule) {
    QStringList fields;
    for (const QString &f : rule.fields)
        fields << f;
    return fields.join(u'|');
}

bool parseRuleLine(const QString &line, RuleSlot &rule) {
    if (line.count(u'|') != RuleFieldCount - 1)
        return false;
    const QStringList parts = line.split(u'|');
    for (int i = 0; i < RuleFieldCount; ++i)
        rule[i] = parts[i];
    return true;
}

namespace {

bool isInUse(int err) {
    return err == EACCES || err == EPERM || err == EROFS || err == EBUSY || err == ETXTBSY;
}

} // namespace

WriteResult write(const QString &folder, const QString &baseName, const RuleTable &rules,
                  ErrorReporter &errors, FileSystem &fs) {
    const QString path = savePath(folder, baseName);
    QByteArray data;
    for (int i = 1; i <= MaxRules; ++i) {
        if (rules.slot(i).isFree())
            continue;
        data += ruleLine(rules.slot(i)).toUtf8();
        data += "\r\n";
    }

    auto fail = [&](int err) {
        if (isInUse(err)) {
            return WriteResult{WriteOutcome::InUse,
                               QStringLiteral("Unable to save rules to the file ") +
                                   joinFolder(folder, baseName) +
                                   QStringLiteral(".rul, Linux says the file is in use, please "
                                                  "try a different file name.")};
        }
        errors.reportSystem(WriteLocation, err);
        return WriteResult{WriteOutcome::Failed, {}};
    };

    const QByteArray target = QFile::encodeName(path);
    // An existing file we may not write to is refused, as writing it in place would be.
    if (fs.access(target.constData(), F_OK) == 0) {
        if (const int err = fs.access(target.constData(), W_OK))
            return fail(err);
    }
    // Written beside the target and moved over it, so a full disk never leaves half a file.
    if (const int err = replaceFile(fs, target, data))
        return fail(err);
    return {};
}

void readBytes(QByteArrayView bytes, RuleTable &rules) {
    rules.clearRules();
    int loaded = 0;
    forEachLine(bytes, [&](QByteArrayView line) {
        RuleSlot rule;
        if (parseRuleLine(decodeText(line), rule)) {
            rules.addRule(rule);
            ++loaded;
        }
        // Once the table is full every further line would be dropped anyway.
        return loaded < MaxRules;
    });
}

bool read(const QString &path, RuleTable &rules, ErrorReporter &errors, FileSystem &fs) {
    rules.clearRules();
    QByteArray bytes;
    if (const int err = fs.readFile(QFile::encodeName(path), bytes)) {
        errors.reportSystem(ReadLocation, err);
        return false;
    }
    readBytes(bytes, rules);
    return true;
}

} // namespace tallowin::RulesFile
