#include "files/directorylisting.h"

#include "files/datetext.h"
#include "files/trailingnumber.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <numeric>

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
    case MSDOS_SUPER_MAGIC: return DosAttributeSource::FatIoctl;
    case 0x5346544eUL: // ntfs
    case 0x7366746eUL: // ntfs3
    case FUSE_SUPER_MAGIC: // ntfs-3g; other FUSE file systems simply lack the attribute
        return DosAttributeSource::NtfsXattr;
    case 0xFF534D42UL: // cifs
    case 0xFE534D42UL: // smb2
        return DosAttributeSource::CifsXattr;
    default: return DosAttributeSource::None;
    }
}

quint32 readDosAttributes(int dirFd, const char *name, DosAttributeSource source) {
    switch (source) {
    case DosAttributeSource::None: return 0;
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
        if (source == DosAttributeSource::NtfsXattr) {
            if (lgetxattr(path, "system.ntfs_attrib_be", v, 4) == 4)
                return quint32(v[0]) << 24 | quint32(v[1]) << 16 | quint32(v[2]) << 8 | v[3];
            return 0;
        }
        const ssize_t n = lgetxattr(path, "user.cifs.dosattrib", v, 4);
        if (n <= 0)
            return 0;
        return quint32(v[0]) | quint32(v[1]) << 8 | quint32(v[2]) << 16 | quint32(v[3]) << 24;
    }
    }
    return 0;
}

// One name read from the folder: where its bytes start in the arena, and its type.
struct Candidate {
    quint32 offset;
    quint16 length;
    unsigned char type;
};

int statxInto(int dirFd, const char *name, struct statx &stx) {
    return statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                 STATX_TYPE | STATX_BTIME | STATX_MTIME, &stx);
}

// Birth time where the file system keeps one, else modification time.
const struct statx_timestamp &createdTime(const struct statx &stx) {
    return (stx.stx_mask & STATX_BTIME) && stx.stx_btime.tv_sec != 0 ? stx.stx_btime
                                                                      : stx.stx_mtime;
}

// Text of one date, reusing the last text while files share a second (they often do).
class DateCache {
public:
    explicit DateCache(const DateText &format) : m_format(format) {}
    const QString &text(std::time_t secs) {
        if (!m_valid || secs != m_secs) {
            m_text = m_format.format(secs);
            m_secs = secs;
            m_valid = true;
        }
        return m_text;
    }

private:
    const DateText &m_format;
    std::time_t m_secs = 0;
    bool m_valid = false;
    QString m_text;
};

const DateText &systemDateText() {
    static const DateText text;
    return text;
}

bool startsWithIgnoringCase(const QString &text, const QString &prefix) {
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

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

QString GetFileDateCreated(const QString &path, ErrorReporter &errors) {
    struct statx stx {};
    if (statxInto(AT_FDCWD, QFile::encodeName(path).constData(), stx) != 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR || err == ENOSYS)
            return UnknownDateText;
        errors.report(DateCreatedErrorLocation, err);
        return {};
    }
    return systemDateText().format(std::time_t(createdTime(stx).tv_sec));
}

void sortByName(std::vector<FileEntry> &rows) {
    // Fold each name once; comparing folded keys is much cheaper than folding in every compare.
    std::vector<QString> keys;
    keys.reserve(rows.size());
    for (const FileEntry &r : rows)
        keys.push_back(r.FileName.toCaseFolded());
    std::vector<quint32> order(rows.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](quint32 a, quint32 b) {
        const int c = QStringView(keys[a]).compare(QStringView(keys[b]));
        if (c != 0)
            return c < 0;
        return rows[a].nativeName < rows[b].nativeName;
    });
    std::vector<FileEntry> sorted;
    sorted.reserve(rows.size());
    for (quint32 i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

DirectoryListing GetDirectoryFiles(const QString &folder, DirectoryFilter &filter,
                                   ErrorReporter &errors, Progress *progress) {
    DirectoryListing out;
    int step = 0; // where a failure happened, for the report
    const auto fail = [&](int err) {
        out.failed = true;
        errors.report(ListingErrorLocation, err,
                      errorText(err) + QStringLiteral(" Position: ") + QString::number(step) +
                          QStringLiteral(" - ") + searchPattern(folder, filter));
    };

    filter.nameLike = cleanFilterText(filter.nameLike);
    filter.type = cleanFilterText(filter.type);
    step = 1;
    const bool showHidden = filter.showHidden, showSystem = filter.showSystem;
    step = 2;
    const bool anyName = filter.nameLike == u"*", anyType = filter.type == u"*";

    const QByteArray folderBytes = QFile::encodeName(folder);
    const int dirFd = open(folderBytes.isEmpty() ? "." : folderBytes.constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) {
        fail(errno);
        return out;
    }
    DIR *dir = fdopendir(dirFd);
    if (!dir) {
        const int err = errno;
        close(dirFd);
        fail(err);
        return out;
    }

    // Read every name first: the count lets the progress show a bar.
    QByteArray arena;
    std::vector<Candidate> candidates;
    for (;;) {
        errno = 0;
        const dirent *e = readdir(dir);
        if (!e) {
            if (errno != 0) {
                fail(errno);
                closedir(dir);
                return out;
            }
            break;
        }
        const char *name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        switch (e->d_type) {
        case DT_DIR:
        case DT_FIFO:
        case DT_SOCK:
        case DT_CHR:
        case DT_BLK: continue;
        default: break;
        }
        if (name[0] == '.' && !showHidden)
            continue;
        const size_t len = std::strlen(name);
        candidates.push_back({quint32(arena.size()), quint16(len), e->d_type});
        arena.append(name, qsizetype(len) + 1);
    }

    const DosAttributeSource dosSource = dosAttributeSource(dirFd);
    const DateText &dates = systemDateText();
    DateCache dateCache(dates);
    bool dateErrorReported = false;
    const qint32 total = qint32(std::min<size_t>(candidates.size(), INT32_MAX));
    out.rows.reserve(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (progress) {
            if (progress->cancelled()) {
                out.cancelled = true;
                break;
            }
            if ((i & 511) == 0)
                progress->SetCompleted(total, qint32(i));
        }
        const Candidate &c = candidates[i];
        const char *name = arena.constData() + c.offset;
        struct statx stx {};
        const bool statted = statxInto(dirFd, name, stx) == 0;
        const int statError = statted ? 0 : errno;
        unsigned type = c.type;
        if (statted)
            type = IFTODT(stx.stx_mode);
        if (type == DT_LNK) {
            // A link to a folder is a folder to the user; other links are files.
            struct stat target {};
            if (fstatat(dirFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode))
                continue;
        } else if (type != DT_REG && type != DT_UNKNOWN) {
            continue;
        }
        if (dosSource != DosAttributeSource::None) {
            const quint32 attrs = readDosAttributes(dirFd, name, dosSource);
            if ((attrs & DosHidden) && !showHidden)
                continue;
            if ((attrs & DosSystem) && !showSystem)
                continue;
        }

        FileEntry row;
        row.nativeName = QByteArray(name, c.length);
        row.FileName = QString::fromUtf8(row.nativeName);
        if (!anyName && !startsWithIgnoringCase(row.FileName, filter.nameLike))
            continue;
        const qsizetype dot = row.FileName.lastIndexOf(u'.');
        if (!anyType && (dot < 0 || !startsWithIgnoringCase(row.FileName.mid(dot + 1), filter.type)))
            continue;

        step = 3;
        if (statted) {
            const auto &t = createdTime(stx);
            row.DateCreated = dateCache.text(std::time_t(t.tv_sec));
            row.created = QDateTime::fromMSecsSinceEpoch(qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000,
                                                         Qt::UTC);
        } else if (statError == ENOENT) {
            row.DateCreated = UnknownDateText; // vanished since the folder was read
        } else if (!dateErrorReported) {
            // One report per listing: a folder that refuses this fails for every file alike.
            errors.report(DateCreatedErrorLocation, statError);
            dateErrorReported = true;
        }
        step = 4;
        const QStringView base = dot < 0 ? QStringView(row.FileName)
                                         : QStringView(row.FileName).left(dot);
        step = 5;
        row.NumberAdjName = NumberAdjName(base);
        step = 6;
        row.Checked = true;
        out.rows.push_back(std::move(row));
    }
    closedir(dir);
    if (progress)
        progress->SetCompleted(total, out.cancelled ? qint32(out.rows.size()) : total);
    step = 9;
    sortByName(out.rows);
    return out;
}

} // namespace tallowin
