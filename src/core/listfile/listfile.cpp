#include "listfile/listfile.h"

#include "shell/filenamecodec.h"

#include "files/directorylisting.h"
#include "shell/filesystem.h"
#include "shell/textcodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace tallowin::ListFile {

namespace {

// Marked here, translated where the message window shows them: translators load after these
// are made.
const QString NoFileMessage = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::core",
    "You must specify a file containing the rename information you wish to use."));
const QString NoDelimiterMessage = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::core",
    "You have indicated that your file uses a delimiter other than tab or comma, but you have "
    "not specified a delimiter, please do so."));

QString notLocatedMessage(const QString &path) {
    return QCoreApplication::translate("tallowin::core",
                                       "The rename information file you have specified: %1 "
                                       "could not be located.")
        .arg(path);
}
QString alreadyOpenMessage(const QString &path) {
    return QCoreApplication::translate("tallowin::core",
                                       "The file %1 is already open, please close the "
                                       "file in any applications already using it and "
                                       "try again.")
        .arg(path);
}
QString badNameMessage(const QString &path) {
    return QCoreApplication::translate("tallowin::core",
                                       "The file you specified %1 does not exist, "
                                       "please check the file name and try again.")
        .arg(path);
}

QString tooLargeMessage(const QString &path) {
    return QCoreApplication::translate("tallowin::core",
                                       "The rename information file you have specified: %1 "
                                       "is larger than 1 GB, please split it and try "
                                       "again.")
        .arg(path);
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

// Why a name the listing does not hold names no file to rename: looked at without following a
// link, as the listing does.
SkipReason whyNotListed(const QByteArray &folder, const QString &name) {
    if (name.contains(u'/'))
        return SkipReason::Path;
    const QByteArray bytes = name.toUtf8();
    if (bytes.contains('\0'))
        return SkipReason::NoSuchFile;
    struct statx stx {};
    const QByteArray path = folder.endsWith('/') ? folder + bytes : folder + '/' + bytes;
    if (FileSystem::system().statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW, STATX_TYPE,
                                   stx) != 0)
        return SkipReason::NoSuchFile;
    // A link to a folder is a folder to the user, as in the listing.
    struct statx target {};
    if (S_ISDIR(stx.stx_mode) ||
        (S_ISLNK(stx.stx_mode) &&
         FileSystem::system().statx(AT_FDCWD, path.constData(), 0, STATX_TYPE, target) == 0 &&
         S_ISDIR(target.stx_mode)))
        return SkipReason::Folder;
    if (name.startsWith(u'.'))
        return SkipReason::Hidden;
    if (!S_ISREG(stx.stx_mode) && !S_ISLNK(stx.stx_mode))
        return SkipReason::NotOrdinary;
    return SkipReason::System;
}

qint32 clamp32(qint64 v) {
    return qint32(std::min<qint64>(v, std::numeric_limits<qint32>::max()));
}

} // namespace

Reader::~Reader() {
    close();
}

int Reader::open(const QString &path, qint64 &size) {
    close();
    size = 0;
    int fd = -1;
    // O_NONBLOCK: a FIFO put in the file's place must not wait for a writer.
    if (const int err =
            FileSystem::system().open(AT_FDCWD, nameToBytes(path).constData(),
                                      O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0, fd))
        return err;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return EINVAL;
    }
    m_fd = fd;
    size = st.st_size;
    return 0;
}

int Reader::read(char *buffer, qsizetype n, qsizetype &got) {
    got = 0;
    for (;;) {
        const ssize_t r = ::read(m_fd, buffer, size_t(n));
        if (r >= 0) {
            got = qsizetype(r);
            return 0;
        }
        if (errno != EINTR)
            return errno;
    }
}

void Reader::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

namespace {

// Cuts a stream of blocks into lines ending at CR LF, CR or LF, each handed to `line` with its
// length before any cut (for the progress). A line holds at most MaxLineLength bytes.
class LineSplitter {
public:
    template <typename F> void feed(QByteArrayView block, F &&line) {
        qsizetype start = 0;
        const qsizetype n = block.size();
        if (m_afterCr && n > 0 && block[0] == '\n')
            start = 1; // the LF of a CR LF split between two blocks
        m_afterCr = false;
        for (qsizetype i = start; i < n; ++i) {
            const char c = block[i];
            if (c != '\r' && c != '\n')
                continue;
            keep(block.sliced(start, i - start));
            line(QByteArrayView(m_line), m_length);
            m_line.resize(0);
            m_length = 0;
            if (c == '\r') {
                if (i + 1 < n && block[i + 1] == '\n')
                    ++i;
                else if (i + 1 == n)
                    m_afterCr = true;
            }
            start = i + 1;
        }
        keep(block.sliced(start));
    }
    // The last line when it has no break.
    template <typename F> void finish(F &&line) {
        if (m_length > 0)
            line(QByteArrayView(m_line), m_length);
    }

private:
    void keep(QByteArrayView part) {
        m_length += part.size();
        const qsizetype room = MaxLineLength - m_line.size();
        if (room > 0)
            m_line.append(part.first(qMin(room, part.size())));
    }
    QByteArray m_line;
    qint64 m_length = 0;
    bool m_afterCr = false;
};

} // namespace

namespace {

bool delimiterAt(QStringView line, qsizetype at, const QString &delimiter) {
    return line.sliced(at).startsWith(delimiter);
}

// Spaces from `i` on, stopping at a delimiter that starts with a space.
qsizetype skipSpaces(QStringView line, qsizetype i, const QString &delimiter) {
    while (i < line.size() && line[i] == u' ' && !delimiterAt(line, i, delimiter))
        ++i;
    return i;
}

// The part starting at `from` when it is wholly quoted: spaces, a quote, text in which ""
// stands for one quote, a quote, spaces, then the delimiter or the end of the line. `end` is
// where the part ends.
bool quotedPart(QStringView line, qsizetype from, const QString &delimiter, QString &text,
                qsizetype &end) {
    const qsizetype n = line.size();
    qsizetype i = skipSpaces(line, from, delimiter);
    if (i >= n || line[i] != u'"')
        return false;
    text.clear();
    for (++i;; ++i) {
        const qsizetype quote = line.indexOf(u'"', i);
        if (quote < 0)
            return false; // never closed
        text += line.sliced(i, quote - i);
        i = quote;
        if (i + 1 < n && line[i + 1] == u'"') {
            text += u'"';
            ++i;
            continue;
        }
        break;
    }
    i = skipSpaces(line, i + 1, delimiter);
    if (i < n && !delimiterAt(line, i, delimiter))
        return false; // text after the closing quote: not wholly quoted
    end = i;
    return true;
}

// Quotes removed from the whole line, then split: how every line was read before quoted parts
// were understood, and still is when none is.
bool splitUnquoted(QString line, const QString &delimiter, QString &current, QString &next) {
    line.remove(u'"');
    const qsizetype at = delimiter.isEmpty() ? -1 : line.indexOf(delimiter);
    next.clear();
    if (at < 0) {
        current = trimSpaces(line);
        return false;
    }
    const qsizetype secondStart = at + delimiter.size();
    const qsizetype end = line.indexOf(delimiter, secondStart);
    current = trimSpaces(line.left(at));
    next = trimSpaces(line.mid(secondStart, end < 0 ? -1 : end - secondStart));
    return true;
}

} // namespace

bool splitLine(QString line, const QString &delimiter, QString &current, QString &next) {
    if (delimiter.isEmpty() || delimiter.contains(u'"') || !line.contains(u'"'))
        return splitUnquoted(std::move(line), delimiter, current, next);
    QString parts[2];
    int count = 0;
    bool anyQuoted = false;
    qsizetype at = 0;
    while (count < 2) {
        qsizetype end = 0;
        QString &part = parts[count++];
        if (quotedPart(line, at, delimiter, part, end)) {
            anyQuoted = true;
        } else {
            end = line.indexOf(delimiter, at);
            if (end < 0)
                end = line.size();
            part = QStringView(line).sliced(at, end - at).toString().remove(u'"');
        }
        if (end >= line.size())
            break;
        at = end + delimiter.size();
    }
    if (!anyQuoted)
        return splitUnquoted(std::move(line), delimiter, current, next);
    current = trimSpaces(parts[0]);
    next = count == 2 ? trimSpaces(parts[1]) : QString();
    return count == 2;
}

// Marked for the translators; the command line prints them in English.
QString skipReasonText(SkipReason reason) {
    switch (reason) {
    case SkipReason::NoDelimiter:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "has no delimiter"));
    case SkipReason::NoOldName:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "gives no old name"));
    case SkipReason::Path:
        return QStringLiteral(
            QT_TRANSLATE_NOOP("tallowin::core", "names a path, not a file in the folder"));
    case SkipReason::NoSuchFile:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "no such file"));
    case SkipReason::Folder:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "names a folder, not a file"));
    case SkipReason::Hidden:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "names a hidden file"));
    case SkipReason::NotOrdinary:
        return QStringLiteral(
            QT_TRANSLATE_NOOP("tallowin::core", "names something that is not an ordinary file"));
    case SkipReason::System:
        return QStringLiteral(QT_TRANSLATE_NOOP("tallowin::core", "names a hidden or system file"));
    }
    return {};
}

namespace {

// A name in a message: a very long one is cut, so the message window stays on the screen.
QString shownName(const QString &name) {
    constexpr qsizetype Longest = 80;
    return name.size() <= Longest ? name : name.left(Longest - 1) + QChar(0x2026);
}

} // namespace

QString skippedMessage(const std::vector<SkippedLine> &skipped, size_t rowsLeft, int shown) {
    if (skipped.empty())
        return {};
    QString text =
        skipped.size() == 1
            ? QCoreApplication::translate("tallowin::core", "1 line of the list file was skipped:")
            : QCoreApplication::translate("tallowin::core",
                                          "%1 lines of the list file were skipped:")
                  .arg(skipped.size());
    const size_t listed = std::min(skipped.size(), size_t(std::max(shown, 0)));
    for (size_t i = 0; i < listed; ++i) {
        const SkippedLine &s = skipped[i];
        const QString reason =
            QCoreApplication::translate("tallowin::core", qUtf8Printable(skipReasonText(s.reason)));
        text += u'\n' + QCoreApplication::translate("tallowin::core", "line %1, \"%2\": %3")
                            .arg(s.line)
                            .arg(shownName(s.oldName), reason);
    }
    if (listed < skipped.size())
        text += u'\n' + QCoreApplication::translate("tallowin::core", "and %1 more.")
                            .arg(skipped.size() - listed);
    if (rowsLeft == 0)
        text += u'\n' + QCoreApplication::translate(
                            "tallowin::core",
                            "No line names a file in the folder: there is nothing to rename.");
    return text;
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
    const QByteArray encodedPath = nameToBytes(options.path);
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
        progress->setStatus(QCoreApplication::translate("tallowin::core", "Loading Rename File"));
        progress->setCompleted(100, 1);
    }
    Reader posix;
    Reader &in = reader ? *reader : posix;
    qint64 fileSize = 0;
    if (const int e = in.open(options.path, fileSize); e != 0) {
        if (e == EBUSY || e == ETXTBSY) {
            result.message = alreadyOpenMessage(options.path);
        } else if (isBadNameError(e)) {
            result.message = badNameMessage(options.path);
        } else if (e == EINVAL) {
            result.message = notLocatedMessage(options.path); // no longer a regular file
        } else {
            errors.reportSystemAbout(options.path, PreviewLocation, e);
            result.outcome = Outcome::Failed;
        }
        return result;
    }
    if (fileSize > MaxFileSize) {
        in.close();
        result.message = tooLargeMessage(options.path);
        return result;
    }
    result.outcome = Outcome::Loaded;

    const QString delimiter = options.delimiter == Delimiter::Comma ? QStringLiteral(",")
                              : options.delimiter == Delimiter::Tab ? QStringLiteral("\t")
                                                                    : options.otherDelimiter;
    const qint32 fileLength = clamp32(fileSize);
    // The files a line may name are those a listing of the folder shows with the default
    // options: ordinary files, neither hidden nor system files.
    QSet<QByteArray> listed;
    {
        DirectoryFilter filter;
        filter.readDates = false; // only the names are wanted: no lookup per file for a date
        NullErrorReporter ignored;
        DirectoryListing listing = listDirectory(folder, filter, ignored);
        result.folder = listing.folder;
        listed.reserve(qsizetype(listing.rows.size()));
        for (size_t i = 0; i < listing.rows.size(); ++i)
            listed.insert(listing.rows.nameBytes(i).toByteArray());
    }
    const QByteArray folderBytes = QFile::encodeName(folder);
    qint64 count = 0;
    bool skipHeader = options.header;
    bool firstLine = true;
    qsizetype lineIndex = 0;
    QString current, next;
    QByteArray currentBytes;
    // The rows' old names, in one block they share.
    const auto oldNames = std::make_shared<FileRows>();
    bool stop = false;
    const auto onLine = [&](QByteArrayView line, qint64 length) {
        if (stop)
            return;
        if (progress && progress->cancelled()) {
            result.outcome = Outcome::Cancelled;
            stop = true;
            return;
        }
        // A byte order mark from an editor is not part of the first name.
        if (firstLine && line.startsWith("\xEF\xBB\xBF")) {
            line = line.sliced(3);
            length -= 3;
        }
        firstLine = false;
        count += length;
        const qsizetype index = lineIndex++;
        if (skipHeader) {
            skipHeader = false;
        } else {
            const bool split = splitLine(decodeText(line), delimiter, current, next);
            const auto skip = [&](SkipReason reason) {
                result.skipped.push_back({index + 1, current, next, reason});
            };
            if (current.isEmpty() && next.isEmpty()) {
                // a blank line, or one of empty fields: it names nothing
            } else if (!split) {
                skip(SkipReason::NoDelimiter);
            } else if (current.isEmpty()) {
                skip(SkipReason::NoOldName);
            } else if (listed.contains(currentBytes = current.toUtf8())) {
                PreviewEntry row;
                row.setOldBytes(currentBytes, oldNames);
                row.newName = next;
                row.checked = true;
                row.sourceIndex = index;
                result.rows.push_back(std::move(row));
            } else {
                skip(whyNotListed(folderBytes, current));
            }
        }
        if (progress)
            progress->setCompleted(fileLength, clamp32(count));
    };
    LineSplitter lines;
    // Blocks of 64 KiB, or less for a small file: a list of a few lines needs no more.
    std::vector<char> block(size_t(std::clamp<qint64>(fileSize + 1, 4096, qint64(1) << 16)));
    for (;;) {
        qsizetype got = 0;
        if (const int e = in.read(block.data(), qsizetype(block.size()), got); e != 0) {
            in.close();
            errors.reportSystemAbout(options.path, PreviewLocation, e);
            result.outcome = Outcome::Failed;
            result.rows.clear();
            result.skipped.clear();
            return result;
        }
        if (got == 0 || stop)
            break;
        lines.feed(QByteArrayView(block.data(), got), onLine);
    }
    if (!stop)
        lines.finish(onLine);
    in.close();
    if (result.outcome == Outcome::Cancelled) {
        result.rows.clear();
        result.skipped.clear();
    }
    return result;
}

} // namespace tallowin::ListFile
