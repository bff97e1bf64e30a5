#include "listfile/listfile.h"

#include "files/directorylisting.h"
#include "shell/filesystem.h"
#include "shell/textcodec.h"

#include <QFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <limits>
#include <sys/stat.h>

namespace tallowin::ListFile {

namespace {

const QString NoFileMessage =
    QStringLiteral("You must specify a file containing the rename information you wish to use.");
const QString NoDelimiterMessage = QStringLiteral(
    "You have indicated that your file uses a delimiter other than tab or comma, but you have "
    "not specified a delimiter, please do so.");

QString notLocatedMessage(const QString &path) {
    return QStringLiteral("The rename information file you have specified: ") + path +
           QStringLiteral(" could not be located.");
}
QString alreadyOpenMessage(const QString &path) {
    return QStringLiteral("The file ") + path +
           QStringLiteral(" is already open, please close the file in any applications already "
                          "using it and try again.");
}
QString badNameMessage(const QString &path) {
    return QStringLiteral("The file you specified ") + path +
           QStringLiteral(" does not exist, please check the file name and try again.");
}

bool isBadNameError(int e) {
    return e == ENAMETOOLONG || e == EILSEQ;
}

// Spaces only, as the names are trimmed; a tab or other blank stays part of a name.
QString trimSpaces(const QString &s) {
    qsizetype from = 0, to = s.size();
    while (from < to && s[from] == u' ')
        ++from;
    while (to > from && s[to - 1] == u' ')
        --to;
    return s.sliced(from, to - from);
}

qint32 clamp32(qint64 v) {
    return qint32(std::min<qint64>(v, std::numeric_limits<qint32>::max()));
}

} // namespace

int Reader::readAll(const QString &path, QByteArray &bytes) {
    return FileSystem::system().readFile(QFile::encodeName(path), bytes);
}

bool splitLine(QString line, const QString &delimiter, QString &current, QString &next) {
    line.remove(u'"');
    const qsizetype at = delimiter.isEmpty() ? -1 : line.indexOf(delimiter);
    if (at < 0)
        return false;
    const qsizetype secondStart = at + delimiter.size();
    const qsizetype end = line.indexOf(delimiter, secondStart);
    current = trimSpaces(line.left(at));
    next = trimSpaces(line.mid(secondStart, end < 0 ? -1 : end - secondStart));
    return true;
}

Result load(const Options &options, const QString &folder, ErrorReporter &errors,
            Progress *progress, Reader *reader) {
    Result result;
    result.outcome = Outcome::Message;
    if (options.path.isEmpty()) {
        result.message = NoFileMessage;
        return result;
    }
    if (options.delimiter == Delimiter::Other && options.otherDelimiter.isEmpty()) {
        result.message = NoDelimiterMessage;
        return result;
    }
    const QByteArray encodedPath = QFile::encodeName(options.path);
    struct stat st {};
    if (encodedPath.contains('\0')) {
        result.message = badNameMessage(options.path);
        return result;
    }
    const int statError = ::stat(encodedPath.constData(), &st) == 0 ? 0 : errno;
    if (statError != 0 || !S_ISREG(st.st_mode)) {
        result.message = isBadNameError(statError) ? badNameMessage(options.path)
                                                   : notLocatedMessage(options.path);
        return result;
    }
    if (progress) {
        progress->setStatus(QStringLiteral("Loading Rename File"));
        progress->setCompleted(100, 1);
    }
    Reader posix;
    QByteArray bytes;
    if (const int e = (reader ? *reader : posix).readAll(options.path, bytes); e != 0) {
        if (e == EBUSY || e == ETXTBSY) {
            result.message = alreadyOpenMessage(options.path);
        } else if (isBadNameError(e)) {
            result.message = badNameMessage(options.path);
        } else {
            errors.reportSystem(PreviewLocation, e);
            result.outcome = Outcome::Failed;
        }
        return result;
    }
    result.outcome = Outcome::Loaded;

    const QString delimiter = options.delimiter == Delimiter::Comma ? QStringLiteral(",")
                              : options.delimiter == Delimiter::Tab ? QStringLiteral("\t")
                                                                    : options.otherDelimiter;
    QByteArrayView text(bytes);
    // A byte order mark from an editor is not part of the first name.
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    const bool utf8 = isValidUtf8(text);
    const qint32 fileLength = clamp32(bytes.size());
    // The files a line may name are those a listing of the folder shows with the default
    // options: ordinary files, neither hidden nor system files.
    QSet<QByteArray> listed;
    {
        DirectoryFilter filter;
        NullErrorReporter ignored;
        const DirectoryListing listing = listDirectory(folder, filter, ignored);
        listed.reserve(qsizetype(listing.rows.size()));
        for (const FileEntry &f : listing.rows)
            listed.insert(f.nativeName);
    }
    qint64 count = 0;
    bool skipHeader = options.header;
    qsizetype lineIndex = 0;
    QString current, next;
    forEachLine(text, [&](QByteArrayView line) {
        if (progress && progress->cancelled()) {
            result.outcome = Outcome::Cancelled;
            return false;
        }
        count += line.size();
        const qsizetype index = lineIndex++;
        if (skipHeader) {
            skipHeader = false;
        } else if (splitLine(utf8 ? QString::fromUtf8(line) : fromWindows1252(line), delimiter,
                             current, next) &&
                   listed.contains(current.toUtf8())) {
            PreviewEntry row;
            row.oldName = current;
            row.newName = next;
            row.checked = true;
            row.sourceIndex = index;
            result.rows.push_back(std::move(row));
        }
        if (progress)
            progress->setCompleted(fileLength, clamp32(count));
        return true;
    });
    if (result.outcome == Outcome::Cancelled)
        result.rows.clear();
    return result;
}

} // namespace tallowin::ListFile
