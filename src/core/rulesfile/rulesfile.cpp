#include "rulesfile/rulesfile.h"

#include "engine/rulekinds.h"
#include "shell/filenamecodec.h"
#include "shell/textcodec.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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
                               QCoreApplication::translate(
                                   "tallowin::core", "Unable to save rules to the file %1.rul, "
                                                     "Linux says the file is in use, please "
                                                     "try a different file name.")
                                   .arg(joinFolder(folder, baseName))};
        }
        errors.reportSystemAbout(path, WriteLocation, err);
        return WriteResult{WriteOutcome::Failed, {}};
    };

    const QByteArray target = nameToBytes(path);
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

namespace {

// readBytes, noting the file's line number (from 1) of each rule put in the table, and the
// lines that are not rules.
int readLines(QByteArrayView bytes, RuleTable &rules, ReadInfo *info) {
    rules.clearRules();
    int lines = 0;
    int lineNumber = 0;
    forEachLine(bytes, [&](QByteArrayView line) {
        ++lineNumber;
        RuleSlot rule;
        const QString text = decodeText(line);
        if (parseRuleLine(text, rule)) {
            if (lines < MaxRules) {
                rules.addRule(rule);
                if (info)
                    info->lineNumbers.push_back(lineNumber);
            }
            ++lines;
        } else if (info && !text.trimmed().isEmpty()) {
            SkippedLine skipped;
            skipped.line = lineNumber;
            skipped.fields = int(text.count(u'|')) + 1;
            info->skipped.push_back(skipped);
        }
        return true;
    });
    return lines;
}

} // namespace

int readBytes(QByteArrayView bytes, RuleTable &rules) {
    return readLines(bytes, rules, nullptr);
}

bool read(const QString &path, RuleTable &rules, ErrorReporter &errors, FileSystem &fs,
          ReadInfo *info) {
    rules.clearRules();
    const QByteArray name = nameToBytes(path);
    // Looked at first, so a FIFO is never opened and a huge file never read.
    struct statx stx {};
    if (fs.statx(AT_FDCWD, name.constData(), 0, STATX_TYPE | STATX_SIZE, stx) == 0) {
        int err = 0;
        QString refusal;
        if (!S_ISREG(stx.stx_mode)) {
            err = S_ISDIR(stx.stx_mode) ? EISDIR : EINVAL;
            refusal = QCoreApplication::translate("tallowin::core",
                                                  "The rules file %1 is not a regular file.")
                          .arg(path);
        } else if (qint64(stx.stx_size) > MaxFileSize) {
            err = EFBIG;
            refusal = QCoreApplication::translate("tallowin::core",
                                                  "The rules file %1 is larger than 4 MB; 100 "
                                                  "rules never need that much.")
                          .arg(path);
        }
        if (err != 0) {
            if (info) {
                info->refusal = refusal;
                info->refusalError = err;
            } else
                errors.reportSystemAbout(path, ReadLocation, err, refusal);
            return false;
        }
    }
    QByteArray bytes;
    if (const int err = fs.readFile(name, bytes)) {
        errors.reportSystemAbout(path, ReadLocation, err);
        return false;
    }
    const int lines =
        readLines(QByteArrayView(bytes).first(qMin(bytes.size(), MaxFileSize)), rules, info);
    if (info)
        info->ruleLines = lines;
    return true;
}

QString skipReason(const SkippedLine &skipped) {
    if (skipped.why == SkippedLine::Why::UnknownKind)
        return QCoreApplication::translate("tallowin::core", "unknown rule kind %1")
            .arg(skipped.kind);
    return QCoreApplication::translate(
               "tallowin::core", "not a rule: a rule is eight fields separated by \"|\", this "
                                 "line has %1")
        .arg(skipped.fields);
}

void dropUnknownKinds(RuleTable &rules, ReadInfo &info) {
    RuleTable known;
    std::vector<int> knownLines;
    for (int i = 1; i <= rules.ruleCount(); ++i) {
        const RuleSlot &rule = rules.slot(i);
        const int line =
            size_t(i - 1) < info.lineNumbers.size() ? info.lineNumbers[size_t(i - 1)] : 0;
        if (findRuleKind(rule[Kind])) {
            known.addRule(rule);
            knownLines.push_back(line);
            continue;
        }
        SkippedLine skipped;
        skipped.line = line;
        skipped.why = SkippedLine::Why::UnknownKind;
        skipped.kind = rule[Kind];
        info.skipped.push_back(skipped);
        --info.ruleLines;
    }
    rules = known;
    info.lineNumbers = std::move(knownLines);
    std::stable_sort(info.skipped.begin(), info.skipped.end(),
                     [](const SkippedLine &a, const SkippedLine &b) { return a.line < b.line; });
}

bool readKnownRules(const QString &path, RuleTable &rules, ErrorReporter &errors,
                    std::vector<SkippedLine> &skipped, FileSystem &fs) {
    ReadInfo info;
    if (!read(path, rules, errors, fs, &info)) {
        if (!info.refusal.isEmpty())
            errors.reportSystemAbout(path, ReadLocation, info.refusalError, info.refusal);
        return false;
    }
    dropUnknownKinds(rules, info);
    skipped = std::move(info.skipped);
    return true;
}

QString skippedMessage(const QString &path, const std::vector<SkippedLine> &skipped, int shown) {
    if (skipped.empty())
        return {};
    QString text = QCoreApplication::translate("tallowin::core",
                                               "The rules file %1 was loaded without these lines:")
                       .arg(path);
    const size_t listed = std::min(skipped.size(), size_t(std::max(shown, 0)));
    for (size_t i = 0; i < listed; ++i)
        text += u'\n' + QCoreApplication::translate("tallowin::core", "line %1: %2")
                            .arg(skipped[i].line)
                            .arg(skipReason(skipped[i]));
    if (listed < skipped.size())
        text += u'\n' + QCoreApplication::translate("tallowin::core", "and %1 more.")
                            .arg(skipped.size() - listed);
    return text;
}

} // namespace tallowin::RulesFile
