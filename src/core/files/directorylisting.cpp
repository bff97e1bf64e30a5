#include "files/directorylisting.h"

#include "files/datetext.h"
#include "files/trailingnumber.h"
#include "shell/filenamecodec.h"
#include "shell/parallel.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tallowin {

namespace {

constexpr quint32 DosHidden = 0x2;
constexpr quint32 DosSystem = 0x4;

// File systems that keep DOS attributes, and how to read them.
enum class DosAttributeSource { None, FatIoctl, NtfsXattr, CifsXattr };

DosAttributeSource dosAttributeSource(int dirFd) {
    struct statfs fs {};
    if (fstatfs(dirFd, &fs) != 0)
        return DosAttributeSource::None;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case MSDOS_SUPER_MAGIC:
        return DosAttributeSource::FatIoctl;
    case 0x5346544eUL:     // ntfs
    case 0x7366746eUL:     // ntfs3
    case FUSE_SUPER_MAGIC: // ntfs-3g; other FUSE file systems simply lack the attribute
        return DosAttributeSource::NtfsXattr;
    case 0xFF534D42UL: // cifs
    case 0xFE534D42UL: // smb2
        return DosAttributeSource::CifsXattr;
    default:
        return DosAttributeSource::None;
    }
}

// The DOS attributes of one file; 0 when it has none. `unsupported` is set when the file
// system answers that it keeps no such attribute at all, so later files need not ask.
quint32 readDosAttributes(int dirFd, const char *name, DosAttributeSource source,
                          std::atomic<bool> &unsupported) {
    switch (source) {
    case DosAttributeSource::None:
        return 0;
    case DosAttributeSource::FatIoctl: {
        const int fd = openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return 0;
        __u32 attrs = 0;
        if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attrs) != 0)
            attrs = 0;
        close(fd);
        return attrs;
    }
    case DosAttributeSource::NtfsXattr:
    case DosAttributeSource::CifsXattr: {
        // getxattr needs a path; build it relative to /proc/self/fd so the folder is not
        // looked up again by name.
        char path[PATH_MAX];
        std::snprintf(path, sizeof path, "/proc/self/fd/%d/%s", dirFd, name);
        unsigned char v[4] = {};
        const bool ntfs = source == DosAttributeSource::NtfsXattr;
        const ssize_t n =
            lgetxattr(path, ntfs ? "system.ntfs_attrib_be" : "user.cifs.dosattrib", v, 4);
        if (n < 0 && (errno == ENOTSUP || errno == ENOSYS))
            unsupported = true;
        if (n <= 0)
            return 0;
        if (ntfs)
            return quint32(v[0]) << 24 | quint32(v[1]) << 16 | quint32(v[2]) << 8 | v[3];
        return quint32(v[0]) | quint32(v[1]) << 8 | quint32(v[2]) << 16 | quint32(v[3]) << 24;
    }
    }
    return 0;
}

// One name read from the folder: where its bytes start in the arena, its type, and what
// looking it up found.
struct Candidate {
    quint32 offset;
    quint16 length;
    unsigned char type;
    bool qualifies = false; // a file (or file link) the attribute options let through
    int error = 0;          // why its date could not be read; 0 when it could
    bool timed = false;     // secs and nsecs hold its creation time
    qint64 secs = 0;        // creation time
    quint32 nsecs = 0;
};

int statxInto(FileSystem &fs, int dirFd, const char *name, struct statx &stx) {
    return fs.statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                    STATX_TYPE | STATX_BTIME | STATX_MTIME, stx);
}

// Birth time where the file system keeps one, else modification time.
const struct statx_timestamp &createdTime(const struct statx &stx) {
    return (stx.stx_mask & STATX_BTIME) && stx.stx_btime.tv_sec != 0 ? stx.stx_btime
                                                                     : stx.stx_mtime;
}

const DateText &systemDateText() {
    static const DateText text;
    return text;
}

// Looks at the names read from the folder: first the file system (in folder order, which
// keeps its caches warm), then the row (in list order).
struct Examiner {
    FileSystem &fs;
    int dirFd;
    const char *names;
    DosAttributeSource dosSource;
    bool showHidden;
    bool showSystem;
    QString nameLike; // empty: any name
    QString type;     // empty: any type
    bool readDates;
    mutable std::atomic<bool> dosUnsupported{false};

    void lookUp(Candidate &c) const {
        const char *name = names + c.offset;
        // An ordinary file needs no lookup when its date is not wanted and no DOS attribute
        // can hide it: the folder entry already says what it is.
        if (!readDates && c.type == DT_REG && dosSource == DosAttributeSource::None) {
            c.qualifies = true;
            return;
        }
        struct statx stx {};
        c.error = statxInto(fs, dirFd, name, stx);
        const bool statted = c.error == 0;
        const unsigned kind = statted ? IFTODT(stx.stx_mode) : c.type;
        if (kind == DT_LNK) {
            // A link to a folder is a folder to the user; other links are files.
            struct statx target {};
            if (fs.statx(dirFd, name, AT_NO_AUTOMOUNT, STATX_TYPE, target) == 0 &&
                S_ISDIR(target.stx_mode))
                return;
        } else if (kind != DT_REG && kind != DT_UNKNOWN) {
            return;
        }
        if (dosSource != DosAttributeSource::None) {
            const quint32 attrs =
                dosUnsupported ? 0 : readDosAttributes(dirFd, name, dosSource, dosUnsupported);
            if (((attrs & DosHidden) && !showHidden) || ((attrs & DosSystem) && !showSystem))
                return;
        }
        if (statted && readDates) {
            c.timed = true;
            const auto &t = createdTime(stx);
            c.secs = t.tv_sec;
            c.nsecs = t.tv_nsec;
        }
        c.qualifies = true;
    }

    // False when the name filters leave the file out; else the length of its trailing number.
    bool admit(const Candidate &c, quint16 &numberLength) const {
        const QString name = nameFromBytes(names + c.offset, c.length);
        if (!nameLike.isEmpty() && !name.startsWith(nameLike, Qt::CaseInsensitive))
            return false;
        const qsizetype dot = name.lastIndexOf(u'.');
        if (!type.isEmpty() &&
            (dot < 0 || !QStringView(name).mid(dot + 1).startsWith(type, Qt::CaseInsensitive)))
            return false;
        numberLength = quint16(
            trailingNumberLength(dot < 0 ? QStringView(name) : QStringView(name).left(dot)));
        return true;
    }
};

} // namespace

void FileRows::reserve(size_t rows, qsizetype nameBytes) {
    m_rows.reserve(rows);
    m_names.reserve(nameBytes);
}

QString FileRows::name(size_t i) const {
    const QByteArrayView bytes = nameBytes(i);
    return nameFromBytes(bytes.data(), bytes.size());
}

bool FileRows::createdSecs(size_t i, std::time_t &secs) const {
    const qint64 ms = m_rows[i].created;
    if (ms == NoDate || ms == Vanished)
        return false;
    // Whole seconds, rounded down also before 1970.
    secs = std::time_t(ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000));
    return true;
}

QString FileRows::dateText(size_t i) const {
    std::time_t secs;
    if (createdSecs(i, secs))
        return systemDateText().format(secs);
    return vanished(i) ? UnknownDateText : QString();
}

QDateTime FileRows::created(size_t i) const {
    std::time_t secs;
    if (!createdSecs(i, secs))
        return {};
    return QDateTime::fromMSecsSinceEpoch(m_rows[i].created, Qt::UTC);
}

QString FileRows::numberText(size_t i) const {
    const Row &r = m_rows[i];
    if (r.numberLength == 0)
        return m_numbersAsValues ? QString() : QStringLiteral("0");
    // The number ends the base name: it stops at the name's last dot, or at its end.
    const QByteArrayView bytes = nameBytes(i);
    const qsizetype dot = bytes.lastIndexOf('.');
    const QByteArrayView base = dot < 0 ? bytes : bytes.first(dot);
    const QString text = QString::fromLatin1(base.last(r.numberLength));
    if (!m_numbersAsValues)
        return text;
    return canonicalDecimal(text).value_or(text);
}

FileEntry FileRows::operator[](size_t i) const {
    FileEntry e;
    e.nativeName = nameBytes(i).toByteArray();
    e.fileName = nameFromBytes(e.nativeName);
    e.DateCreated = dateText(i);
    e.created = created(i);
    e.numberAdjName = numberText(i);
    e.checked = true;
    return e;
}

std::vector<FileEntry> FileRows::entries() const {
    std::vector<FileEntry> out;
    out.reserve(size());
    for (size_t i = 0; i < size(); ++i)
        out.push_back((*this)[i]);
    return out;
}

bool FileRows::append(QByteArrayView nameBytes, bool timed, qint64 createdMSecs, bool vanished,
                      qsizetype numberLength) {
    if (nameBytes.size() > 0xFFFF || numberLength < 0 || numberLength > nameBytes.size() ||
        qint64(m_names.size()) + nameBytes.size() > MaxNameBytes)
        return false;
    const qint64 created = timed ? qMax(createdMSecs, Vanished + 1) : vanished ? Vanished : NoDate;
    m_rows.push_back(
        {quint32(m_names.size()), quint16(nameBytes.size()), quint16(numberLength), created});
    m_names.append(nameBytes);
    return true;
}

bool FileRows::append(const FileEntry &row) {
    const QByteArray bytes = row.nameBytes();
    const QString name = nameFromBytes(bytes);
    const qsizetype dot = name.lastIndexOf(u'.');
    return append(bytes, row.created.isValid(), row.created.toMSecsSinceEpoch(),
                  row.DateCreated == UnknownDateText,
                  trailingNumberLength(dot < 0 ? QStringView(name) : QStringView(name).left(dot)));
}

void FileRows::reorder(const std::vector<quint32> &order) {
    std::vector<Row> sorted;
    sorted.reserve(order.size());
    for (quint32 i : order)
        sorted.push_back(m_rows[i]);
    m_rows = std::move(sorted);
}

TickedRows tickedRowsOf(const std::vector<FileEntry> &rows) {
    TickedRows out;
    auto store = std::make_shared<FileRows>();
    for (size_t i = 0; i < rows.size(); ++i) {
        // A row that cannot be held keeps its place, nameless and never ticked, so indexes
        // into `rows` stay right.
        if (store->appendInPlace(rows[i]) && rows[i].checked)
            out.ticked.push_back(quint32(i));
    }
    out.rows = std::move(store);
    return out;
}

QString cleanFilterText(const QString &text) {
    QString out = text;
    for (const QChar c : {u'/', u'\\', u'?', u'*', u':', u'"', u'<', u'>', u'|'})
        out.remove(c);
    return out.isEmpty() ? QStringLiteral("*") : out;
}

QString searchPattern(const QString &folder, const DirectoryFilter &filter) {
    QString p = folder;
    if (!p.endsWith(u'/'))
        p += u'/';
    return p + filter.nameLike + QStringLiteral("*.") + filter.type + u'*';
}

QString fileDateCreated(const QString &path, ErrorReporter &errors, FileSystem &fs) {
    struct statx stx {};
    if (const int err = statxInto(fs, AT_FDCWD, nameToBytes(path).constData(), stx)) {
        if (err == ENOENT || err == ENOTDIR || err == ENOSYS)
            return UnknownDateText;
        errors.reportSystemAbout(path, DateCreatedErrorLocation, err);
        return {};
    }
    return systemDateText().format(std::time_t(createdTime(stx).tv_sec));
}

namespace {

// The order of n names (new position i holds name order[i]): ignoring case, names equal but
// for case by their bytes. Each name is folded once into UTF-8 bytes (code point order) and the
// sort compares those with memcmp; folding or comparing QStrings inside the sort costs several
// times more, and 100,000 names must sort in a blink.
template <class BytesOf> std::vector<quint32> orderByName(size_t n, BytesOf bytesOf) {
    QByteArray arena;
    qsizetype bytes = 0;
    for (size_t i = 0; i < n; ++i)
        bytes += bytesOf(i).size();
    arena.reserve(bytes + 64);
    std::vector<std::pair<quint32, quint32>> spans; // offset, length of each key in the arena
    spans.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const QByteArrayView bytes = bytesOf(i);
        const auto offset = quint32(arena.size());
        bool ascii = true;
        for (char c : bytes)
            if (static_cast<unsigned char>(c) >= 0x80) {
                ascii = false;
                break;
            }
        if (ascii) {
            arena.append(bytes);
            for (char *p = arena.data() + offset, *end = arena.data() + arena.size(); p != end; ++p)
                if (*p >= 'A' && *p <= 'Z')
                    *p = char(*p + ('a' - 'A'));
        } else {
            arena.append(QString::fromUtf8(bytes).toCaseFolded().toUtf8());
        }
        spans.emplace_back(offset, quint32(arena.size()) - offset);
    }
    // Names in one folder often share a start ("IMG_", "track "); the eight bytes after the
    // common start decide most compares without touching the arena.
    size_t common = n == 0 ? 0 : spans[0].second;
    const char *first = arena.constData() + (n == 0 ? 0 : spans[0].first);
    for (size_t i = 1; i < n && common > 0; ++i) {
        const char *p = arena.constData() + spans[i].first;
        size_t k = 0;
        const size_t limit = std::min<size_t>(common, spans[i].second);
        while (k < limit && p[k] == first[k])
            ++k;
        common = k;
    }
    struct Key {
        quint64 prefix; // eight bytes after the common start, big-endian
        const char *bytes;
        quint32 length;
        quint32 index;
    };
    std::vector<Key> keys;
    keys.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const char *p = arena.constData() + spans[i].first;
        const quint32 len = spans[i].second;
        quint64 prefix = 0;
        for (size_t k = common; k < common + 8; ++k)
            prefix = prefix << 8 | (k < len ? static_cast<unsigned char>(p[k]) : 0u);
        keys.push_back({prefix, p, len, quint32(i)});
    }
    std::sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int c = std::memcmp(a.bytes, b.bytes, std::min(a.length, b.length));
        if (c != 0)
            return c < 0;
        if (a.length != b.length)
            return a.length < b.length;
        return bytesOf(a.index).compare(bytesOf(b.index)) < 0;
    });
    std::vector<quint32> order;
    order.reserve(n);
    for (const Key &k : keys)
        order.push_back(k.index);
    return order;
}

} // namespace

DirectoryListing listDirectory(const QString &folder, DirectoryFilter &filter,
                               ErrorReporter &errors, Progress *progress, FileSystem &fs) {
    DirectoryListing out;
    int step = 0; // where a failure happened, for the report
    const auto fail = [&](int err) {
        out.failed = true;
        errors.reportSystemAbout(folder, ListingErrorLocation, err,
                                 systemErrorText(err) + QStringLiteral(" Position: ") +
                                     QString::number(step) + QStringLiteral(" - ") +
                                     searchPattern(folder, filter));
    };

    filter.nameLike = cleanFilterText(filter.nameLike);
    filter.type = cleanFilterText(filter.type);
    step = 1;
    const bool showHidden = filter.showHidden, showSystem = filter.showSystem;
    step = 2;
    const bool anyName = filter.nameLike == u"*", anyType = filter.type == u"*";

    const QByteArray folderBytes = nameToBytes(folder);
    int dirFd = -1;
    if (const int err = fs.open(AT_FDCWD, folderBytes.isEmpty() ? "." : folderBytes.constData(),
                                O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0, dirFd)) {
        fail(err);
        return out;
    }
    // The folder read, from its descriptor; and whether the path named it through a link.
    FileSystem::Identity opened, named;
    if (fs.identify(dirFd, "", opened) == 0) {
        out.folder = {opened.device, opened.inode, true, false};
        out.folder.viaLink =
            fs.identify(AT_FDCWD, folderBytes.isEmpty() ? "." : folderBytes.constData(), named) !=
                0 ||
            named.device != opened.device || named.inode != opened.inode;
    }
    DIR *dir = nullptr;
    if (const int err = fs.openFolderStream(dirFd, dir)) {
        fail(err);
        return out;
    }

    // Read every name first: the count lets the progress show a bar.
    // The folder's size hints at the number of names (most file systems use some tens of bytes
    // per entry), which saves growing these step by step in large folders.
    QByteArray arena;
    std::vector<Candidate> candidates;
    struct statx folderStat {};
    if (fs.statx(dirFd, "", AT_EMPTY_PATH, STATX_SIZE, folderStat) == 0 &&
        (folderStat.stx_mask & STATX_SIZE) && folderStat.stx_size > 0) {
        const auto hint = std::min<qint64>(qint64(folderStat.stx_size), qint64(64) << 20);
        arena.reserve(qsizetype(hint));
        candidates.reserve(size_t(hint / 32));
    }
    for (;;) {
        const dirent *e = nullptr;
        if (const int err = fs.readFolder(dir, e)) {
            fail(err);
            fs.closeFolderStream(dir);
            return out;
        }
        if (!e)
            break;
        const char *name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        switch (e->d_type) {
        case DT_DIR:
        case DT_FIFO:
        case DT_SOCK:
        case DT_CHR:
        case DT_BLK:
            continue;
        default:
            break;
        }
        if (name[0] == '.' && !showHidden)
            continue;
        const size_t len = std::strlen(name);
        candidates.push_back({quint32(arena.size()), quint16(len), e->d_type});
        arena.append(name, qsizetype(len) + 1);
    }

    // Looking each file up is most of the work (one statx per file); on a machine with several
    // cores, or on a network file system, lookups run well side by side.
    const Examiner examiner{fs,
                            dirFd,
                            arena.constData(),
                            dosAttributeSource(dirFd),
                            showHidden,
                            showSystem,
                            anyName ? QString() : filter.nameLike,
                            anyType ? QString() : filter.type,
                            filter.readDates};
    const size_t n = candidates.size();
    const qint32 total = qint32(std::min<size_t>(n, INT32_MAX));
    if (progress)
        progress->setCompleted(total, 0);
    ParallelOptions lookUpOptions;
    lookUpOptions.progress = progress;
    const ParallelOutcome lookedUp =
        ParallelRun(qsizetype(n), lookUpOptions).run([&](const ParallelBlock &block) {
            for (qsizetype i = block.begin; i < block.end; ++i) {
                // A lookup on a network file system may take long: cancel between files.
                if (progress && progress->cancelled())
                    return ParallelRun::Stopped;
                examiner.lookUp(candidates[size_t(i)]);
            }
            return block.end;
        });
    fs.closeFolderStream(dir);
    // Files not looked up by then do not qualify, so are not listed.
    out.cancelled = lookedUp.cancelled;

    // The files in list order; rows are made in that order and never move.
    std::vector<Candidate> files;
    {
        const std::vector<quint32> order = orderByName(candidates.size(), [&](size_t i) {
            return QByteArrayView(arena.constData() + candidates[i].offset, candidates[i].length);
        });
        files.reserve(n);
        for (quint32 i : order)
            if (candidates[i].qualifies)
                files.push_back(candidates[i]);
    }
    // Which files the name filters let through, and their numbers: each name decoded once,
    // side by side; the rows then take only their bytes, dates and number lengths.
    std::vector<char> keep(files.size(), 0);
    std::vector<quint16> numbers(files.size(), 0);
    ParallelRun(qsizetype(files.size()), {}).run([&](const ParallelBlock &block) {
        for (qsizetype i = block.begin; i < block.end; ++i)
            keep[size_t(i)] = examiner.admit(files[size_t(i)], numbers[size_t(i)]);
        return block.end;
    });
    step = 6;
    int dateError = 0;
    qsizetype nameBytes = 0;
    size_t kept = 0;
    for (size_t i = 0; i < files.size(); ++i)
        if (keep[i]) {
            nameBytes += files[i].length;
            ++kept;
        }
    if (nameBytes > FileRows::MaxNameBytes) {
        // More names than one listing can point into; no row may name the wrong file.
        fail(EOVERFLOW);
        return out;
    }
    out.rows.reserve(kept, nameBytes);
    for (size_t i = 0; i < files.size(); ++i) {
        if (!keep[i])
            continue;
        const Candidate &c = files[i];
        if (dateError == 0 && c.error != 0 && c.error != ENOENT)
            dateError = c.error;
        out.rows.append(QByteArrayView(arena.constData() + c.offset, c.length), c.timed,
                        c.secs * 1000 + c.nsecs / 1000000, !c.timed && c.error == ENOENT,
                        numbers[i]);
    }
    if (dateError != 0)
        // One report per listing: a folder that refuses this fails for every file alike.
        errors.reportSystemAbout(folder, DateCreatedErrorLocation, dateError);
    if (progress)
        progress->setCompleted(
            total, out.cancelled ? qint32(std::min<qsizetype>(lookedUp.done, INT32_MAX)) : total);
    step = 9; // sorted above
    return out;
}

} // namespace tallowin
