#include "rulesfile/rulesfile.h"

#include "shell/textcodec.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
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

bool writeAll(int fd, const QByteArray &data) {
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

WriteResult write(const QString &folder, const QString &baseName, const RuleTable &rules,
                  ErrorReporter &errors) {
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
        errors.report(WriteLocation, err);
        return WriteResult{WriteOutcome::Failed, {}};
    };

    const QByteArray target = QFile::encodeName(path);
    // An existing file we may not write to is refused, as writing it in place would be.
    if (::access(target.constData(), F_OK) == 0 && ::access(target.constData(), W_OK) != 0)
        return fail(errno);

    // Write beside the target and move it over, so a full disk never leaves half a file.
    const QByteArray temp = target + ".tmp-" + QByteArray::number(::getpid());
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(errno);
    const bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    const int writeErr = errno;
    if (::close(fd) != 0 || !ok) {
        const int err = ok ? errno : writeErr;
        ::unlink(temp.constData());
        return fail(err);
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        return fail(err);
    }
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

bool read(const QString &path, RuleTable &rules, ErrorReporter &errors) {
    rules.clearRules();
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        errors.report(ReadLocation, EISDIR);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        errors.report(ReadLocation, errno ? errno : ENOENT);
        return false;
    }
    if (file.size() == 0)
        return true;
    // Mapping keeps a large file out of memory; a pipe or special file is read instead.
    if (uchar *map = file.map(0, file.size())) {
        readBytes(QByteArrayView(reinterpret_cast<const char *>(map), file.size()), rules);
        file.unmap(map);
    } else {
        const QByteArray all = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            errors.report(ReadLocation, EIO, file.errorString());
            return false;
        }
        readBytes(all, rules);
    }
    return true;
}

} // namespace tallowin::RulesFile
