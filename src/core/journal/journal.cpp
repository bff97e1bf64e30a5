#include "journal/journal.h"

#include "rename/swapsafe.h"
#include "shell/filenamecodec.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace tallowin {

namespace {

constexpr char Magic[] = "tallowin-journal 1";
// Marks are written in batches: a crash loses at most this many, which the folder's state
// then tells.
constexpr int MarksPerWrite = 64;

QByteArray number(qint64 n) {
    return QByteArray::number(n);
}

bool isPlain(unsigned char c) {
    return c > 0x20 && c < 0x7F && c != '%';
}

// The lines of `data` that end in a line end; a last line cut by a crash is dropped.
QList<QByteArray> completeLines(const QByteArray &data) {
    QList<QByteArray> lines = data.split('\n');
    lines.removeLast(); // after the last '\n': empty, or a cut line
    return lines;
}

// No line the writer makes comes near this: a step holds two names of at most 255 bytes, each
// byte at most three when escaped, and a folder path at most 4096.
constexpr qsizetype MaxLine = 64 * 1024;
// The shortest step line the writer makes: "s 0 0 0 0 a b\n".
constexpr qsizetype MinStepLine = 14;

enum class LineRead { Line, Cut, TooLong, End };

// The next line of `file` without its line end, read with bounded memory: a line longer than
// MaxLine is passed over (TooLong), a last line without its line end (cut by a crash) is Cut.
// `line` keeps its buffer from call to call.
LineRead readJournalLine(QIODevice &file, QByteArray &line) {
    line.resize(MaxLine + 2);
    qint64 n = file.readLine(line.data(), MaxLine + 2); // at most MaxLine + 1 bytes
    if (n <= 0) {
        line.truncate(0);
        return LineRead::End;
    }
    const bool whole = line[n - 1] == '\n';
    line.truncate(whole ? n - 1 : n);
    if (whole)
        return LineRead::Line;
    if (n <= MaxLine)
        return LineRead::Cut;
    // Over-long: skip to its end without keeping it.
    while (n > 0 && line[n - 1] != '\n') {
        line.resize(MaxLine + 2);
        n = file.readLine(line.data(), MaxLine + 2);
    }
    line.truncate(0);
    return LineRead::TooLong;
}

} // namespace

void appendJournalEscaped(QByteArray &out, QByteArrayView bytes) {
    static const char hex[] = "0123456789ABCDEF";
    // An empty name still takes a field.
    if (bytes.isEmpty()) {
        out += '%';
        return;
    }
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (isPlain(c)) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
}

QByteArray journalEscape(const QByteArray &bytes) {
    bool plain = true;
    for (const char c : bytes)
        plain = plain && isPlain(static_cast<unsigned char>(c));
    if (plain && !bytes.isEmpty())
        return bytes;
    QByteArray out;
    out.reserve(bytes.size() * 3 + 1);
    appendJournalEscaped(out, bytes);
    return out;
}

QByteArray journalUnescape(QByteArrayView text) {
    if (text == "%")
        return {};
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            bool ok = false;
            const int v = QByteArray(text.data() + i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(v);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool openRunFolder(FileSystem &fs, const Journal &journal, int &dirFd) {
    struct stat st {};
    if (fs.openFolder(journal.folder, dirFd) == 0 && ::fstat(dirFd, &st) == 0 &&
        st.st_dev == journal.folderId.device && st.st_ino == journal.folderId.inode)
        return true;
    fs.closeFolder(dirFd);
    dirFd = -1;
    return false;
}

bool journalFileId(FileSystem &fs, int dirFd, const QByteArray &name, JournalFileId &id) {
    struct statx stx {};
    if (fs.statx(dirFd, name.constData(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, stx) != 0)
        return false;
    id.device = (quint64(stx.stx_dev_major) << 32) | stx.stx_dev_minor;
    id.inode = stx.stx_ino;
    id.birth = (stx.stx_mask & STATX_BTIME)
                   ? qint64(stx.stx_btime.tv_sec) * 1000000000 + stx.stx_btime.tv_nsec
                   : 0;
    return true;
}

QString RunSummary::stateText() const {
    switch (state) {
    case State::Complete:
        return QStringLiteral("complete");
    case State::Interrupted:
        return QStringLiteral("interrupted");
    case State::Undone:
        return QStringLiteral("undone");
    case State::PartlyUndone:
        return QStringLiteral("partly undone");
    }
    return {};
}

namespace {

// Makes the folder `path` and those above it that are missing (mkdir -p), by bytes.
int makePath(const QByteArray &path) {
    for (qsizetype at = path.indexOf('/', 1);; at = path.indexOf('/', at + 1)) {
        const QByteArray part = at < 0 ? path : path.left(at);
        if (!part.isEmpty() && ::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return errno;
        if (at < 0)
            break;
    }
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

} // namespace

QString JournalStore::defaultFolder() {
    // Kept as names are: a folder whose bytes are not UTF-8 is still the one named.
    QString state = nameFromBytes(qgetenv("XDG_STATE_HOME"));
    if (state.isEmpty() || !state.startsWith(u'/')) {
        const QByteArray home = qgetenv("HOME");
        state = (home.isEmpty() ? QDir::homePath() : nameFromBytes(home)) +
                QStringLiteral("/.local/state");
    }
    return state + QStringLiteral("/tallowin/journal");
}

int JournalStore::defaultKeep() {
    bool ok = false;
    const int keep = qEnvironmentVariableIntValue("TALLOWIN_JOURNAL_KEEP", &ok);
    return ok ? keep : DefaultKeep;
}

JournalStore::JournalStore(QString folder, int keep, FileSystem &fs)
    : m_folder(std::move(folder)), m_keep(keep < 1 ? 1 : keep), m_fs(fs) {}

QByteArray JournalStore::path(qint64 id) const {
    char name[40];
    std::snprintf(name, sizeof name, "/run-%08lld.journal", static_cast<long long>(id));
    return nameToBytes(m_folder) + name;
}

std::vector<qint64> JournalStore::ids() const {
    std::vector<qint64> out;
    // Listed by bytes, as QDir cannot name a folder that is not UTF-8.
    const QByteArray folder = nameToBytes(m_folder);
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return out;
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name.size() <= 12 || qstrnicmp(name.constData(), "run-", 4) != 0 ||
            qstrnicmp(name.constData() + name.size() - 8, ".journal", 8) != 0)
            continue;
        struct stat st {};
        if (::stat((folder + '/' + name).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        bool ok = false;
        const qint64 id = name.mid(4, name.size() - 12).toLongLong(&ok);
        if (ok && id > 0)
            out.push_back(id);
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end());
    return out;
}

bool JournalStore::read(qint64 id, Journal &out, bool withSteps) const {
    out = Journal{};
    QFile file;
    const int fd = ::open(path(id).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    QByteArray line;
    if (readJournalLine(file, line) != LineRead::Line || line.trimmed() != Magic)
        return false;
    // The header, up to the plan. The writer makes it in one write before the first rename: a
    // file without a whole header and plan line renamed nothing and is no run.
    qsizetype planSteps = -1, planBytes = -1, files = -1;
    bool kindSeen = false;
    for (;;) {
        const LineRead got = readJournalLine(file, line);
        if (got != LineRead::Line)
            return false;
        const qsizetype space = line.indexOf(' ');
        const QByteArrayView key = QByteArrayView(line).first(space < 0 ? line.size() : space);
        const QByteArray value = space < 0 ? QByteArray() : line.mid(space + 1);
        if (key == "id") {
            out.id = value.toLongLong();
        } else if (key == "time") {
            out.time = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
        } else if (key == "kind") {
            if (value != "undo" && value != "rename")
                return false;
            out.isUndo = value == "undo";
            kindSeen = true;
        } else if (key == "undoes") {
            out.undoes = value.toLongLong();
        } else if (key == "folder") {
            out.folder = journalUnescape(value);
        } else if (key == "files") {
            bool ok = false;
            files = value.toLongLong(&ok);
            if (!ok || files < 0)
                return false;
        } else if (key == "folderid") {
            const QList<QByteArray> f = value.split(' ');
            if (f.size() == 2) {
                out.folderId.device = dev_t(f[0].toULongLong());
                out.folderId.inode = ino_t(f[1].toULongLong());
            }
        } else if (key == "plan") {
            const QList<QByteArray> f = value.split(' ');
            bool stepsOk = false, bytesOk = false;
            if (f.size() == 2) {
                planSteps = f[0].toLongLong(&stepsOk);
                planBytes = f[1].toLongLong(&bytesOk);
            }
            // Every step takes a line of its own: more steps than the bytes could hold is no
            // plan the writer made.
            if (!stepsOk || !bytesOk || planSteps < 0 || planBytes < 0 ||
                planSteps > planBytes / MinStepLine)
                return false;
            break;
        }
    }
    if (out.id != id || !out.time.isValid() || !kindSeen || files > planSteps)
        return false;
    out.stepCount = planSteps;
    // Journals older than the "files" line count steps.
    out.plannedFiles = files < 0 ? planSteps : files;
    // A plan longer than what is left of the file was cut by a crash while it was written:
    // nothing was renamed. Its size is never taken on trust.
    if (planBytes > file.size() - file.pos())
        return true;
    const qint64 planStart = file.pos();
    if (withSteps) {
        const QList<QByteArray> lines = completeLines(file.read(planBytes));
        if (lines.size() != planSteps)
            return true;
        out.steps.reserve(size_t(planSteps));
        for (const QByteArray &stepLine : lines) {
            const QList<QByteArray> f = stepLine.split(' ');
            if (stepLine.size() > MaxLine || f.size() != 7 || f[0] != "s") {
                out.steps.clear();
                return true;
            }
            JournalStep step;
            step.row = f[1].toLongLong();
            step.file.device = f[2].toULongLong();
            step.file.inode = f[3].toULongLong();
            step.file.birth = f[4].toLongLong();
            step.from = journalUnescape(f[5]);
            step.to = journalUnescape(f[6]);
            out.steps.push_back(std::move(step));
        }
    } else if (!file.seek(planStart + planBytes)) {
        return true;
    }
    if (readJournalLine(file, line) != LineRead::Line || line != "plan-end") {
        out.steps.clear();
        return true;
    }
    out.planComplete = true;
    // The records appended as the run went; a step is counted once however often it is marked.
    std::vector<bool> marked(size_t(planSteps), false);
    for (LineRead got; (got = readJournalLine(file, line)) != LineRead::End;) {
        if (got != LineRead::Line)
            continue; // cut by a crash, or no record the writer makes
        const QList<QByteArray> f = line.split(' ');
        bool numberOk = false;
        const qsizetype step = f.size() > 1 ? f[1].toLongLong(&numberOk) : -1;
        const bool inPlan = numberOk && step >= 0 && step < planSteps;
        if ((f[0] == "d" || f[0] == "t") && inPlan && f.size() == 2) {
            if (!marked[size_t(step)]) {
                marked[size_t(step)] = true;
                ++out.markedDone;
                out.markedFiles += f[0] == "d" ? 1 : 0;
            }
            if (withSteps)
                out.steps[size_t(step)].markedDone = true;
        } else if (f[0] == "p" && inPlan && f.size() == 3) {
            if (withSteps)
                out.steps[size_t(step)].temp = journalUnescape(f[2]);
        } else if (f[0] == "end" && f.size() == 1) {
            out.ended = true;
        } else if (f[0] == "undone" && f.size() == 2 && numberOk) {
            out.undoneBy.push_back(step);
        } else if (f[0] == "undone" && f.size() == 3 && f[2] == "partly" && numberOk) {
            out.partlyUndoneBy.push_back(step);
        }
    }
    return true;
}

namespace {

// The files of a run cut short that its folder shows under their new names although no mark
// says so (marks are written in batches, so a crash loses the last few). Nothing when the
// folder is no longer the run's.
qsizetype renamedButUnmarked(FileSystem &fs, const Journal &j) {
    int dirFd = -1;
    if (!openRunFolder(fs, j, dirFd))
        return 0;
    qsizetype n = 0;
    for (const JournalStep &step : j.steps) {
        if (step.markedDone || step.file.inode == 0 || isParkingName(step.to))
            continue;
        JournalFileId at;
        const auto holds = [&](const QByteArray &name) {
            return journalFileId(fs, dirFd, name, at) && at == step.file;
        };
        // Where the old name still holds the file (a hard link, or a name that differs only
        // in case on a folder that ignores it) the step did not happen.
        if (holds(step.to) && !holds(step.from))
            ++n;
    }
    fs.closeFolder(dirFd);
    return n;
}

} // namespace

std::vector<RunSummary> JournalStore::history(QList<QByteArray> *skipped,
                                              bool lookAtFolders) const {
    std::vector<RunSummary> runs;
    QHash<qint64, size_t> at;
    for (const qint64 id : ids()) {
        RunSummary run;
        if (!read(id, run.journal, false)) {
            if (skipped)
                skipped->append(path(id));
            continue;
        }
        run.renamedFiles = run.journal.markedFiles;
        at.insert(id, runs.size());
        runs.push_back(std::move(run));
    }
    // An undo records on its run how it went once it has ended. An undo that renamed and has
    // no such record (killed, or the record could not be written) took back an unknown part.
    for (const RunSummary &undo : runs) {
        const Journal &u = undo.journal;
        if (!u.isUndo || !u.planComplete)
            continue;
        const auto target = at.constFind(u.undoes);
        if (target == at.constEnd())
            continue;
        Journal &t = runs[*target].journal;
        const auto recorded = [&](const std::vector<qint64> &by) {
            return std::find(by.begin(), by.end(), u.id) != by.end();
        };
        if (!recorded(t.undoneBy) && !recorded(t.partlyUndoneBy))
            t.partlyUndoneBy.push_back(u.id);
    }
    // A run is undone when an undo of it stands, that is, is not itself undone (a redo).
    QHash<qint64, bool> undone;
    std::function<bool(qint64, int)> isUndone = [&](qint64 id, int depth) -> bool {
        const auto known = undone.constFind(id);
        if (known != undone.constEnd())
            return *known;
        const auto it = at.constFind(id);
        bool result = false;
        if (it != at.constEnd() && depth < 1000)
            for (const qint64 by : runs[*it].journal.undoneBy)
                result = result || !isUndone(by, depth + 1);
        undone.insert(id, result);
        return result;
    };
    const auto standing = [&](const std::vector<qint64> &undos) {
        return std::any_of(undos.begin(), undos.end(), [&](qint64 by) { return !isUndone(by, 0); });
    };
    for (RunSummary &run : runs) {
        if (isUndone(run.journal.id, 0))
            run.state = RunSummary::State::Undone;
        else if (standing(run.journal.partlyUndoneBy))
            run.state = RunSummary::State::PartlyUndone;
        else if (!run.journal.planComplete || !run.journal.ended)
            run.state = RunSummary::State::Interrupted;
        if (lookAtFolders && run.journal.planComplete && !run.journal.ended) {
            Journal full;
            if (read(run.journal.id, full))
                run.renamedFiles += renamedButUnmarked(m_fs, full);
        }
    }
    return runs;
}

qint64 JournalStore::lastUndoable() const {
    const std::vector<RunSummary> runs = history();
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        const Journal &j = it->journal;
        if (j.isUndo || !j.planComplete || it->state == RunSummary::State::Undone)
            continue;
        // An interrupted run may have renamed files its lost marks do not show.
        if (j.markedDone > 0 || !j.ended)
            return j.id;
    }
    return 0;
}

int JournalStore::create(const QByteArray &body, qint64 &id, int &fd, QByteArrayView more) {
    if (const int e = makePath(nameToBytes(m_folder)))
        return e;
    // Journals name files and folders: for the user's eyes only.
    ::chmod(nameToBytes(m_folder).constData(), 0700);
    const std::vector<qint64> known = ids();
    id = known.empty() ? 1 : known.back() + 1;
    for (;; ++id) {
        const int e = m_fs.open(AT_FDCWD, path(id).constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600, fd);
        if (e == 0)
            break;
        if (e != EEXIST)
            return e;
    }
    const QByteArray head = QByteArray(Magic) + "\nid " + number(id) + '\n' + body;
    int e = m_fs.write(fd, head);
    if (e == 0 && !more.isEmpty())
        e = m_fs.write(fd, more);
    if (e == 0)
        e = m_fs.sync(fd);
    if (e == 0) {
        // The new file's entry lasts once the folder is synced too.
        int dirFd = -1;
        if (m_fs.open(AT_FDCWD, nameToBytes(m_folder).constData(),
                      O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0, dirFd) == 0) {
            m_fs.sync(dirFd);
            m_fs.close(dirFd);
        }
    }
    if (e != 0) {
        m_fs.close(fd);
        fd = -1;
        m_fs.unlink(AT_FDCWD, path(id).constData());
        return e;
    }
    prune(id);
    return 0;
}

int JournalStore::append(qint64 id, const QByteArray &line) {
    int fd = -1;
    if (const int e =
            m_fs.open(AT_FDCWD, path(id).constData(), O_RDWR | O_APPEND | O_CLOEXEC, 0, fd))
        return e;
    // A record cut by a crash must not swallow this one: start on a line of its own.
    QByteArray record = line.endsWith('\n') ? line : line + '\n';
    struct stat st {};
    char last = '\n';
    if (::fstat(fd, &st) == 0 && st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 &&
        last != '\n')
        record.prepend('\n');
    int e = m_fs.write(fd, record);
    if (e == 0)
        e = m_fs.sync(fd);
    if (const int closed = m_fs.close(fd); e == 0)
        e = closed;
    return e;
}

void JournalStore::prune(qint64 newest) {
    std::vector<qint64> known = ids();
    if (qsizetype(known.size()) <= m_keep)
        return;
    for (size_t i = 0; i + size_t(m_keep) < known.size(); ++i)
        if (known[i] != newest)
            m_fs.unlink(AT_FDCWD, path(known[i]).constData());
}

JournalWriter::JournalWriter(JournalStore &store, const QString &folder, qint64 undoes)
    : m_store(store), m_folder(nameToBytes(absolutePathOf(folder))), m_undoes(undoes) {}

JournalWriter::~JournalWriter() {
    // Without "end": the run did not finish.
    if (m_fd >= 0) {
        flush();
        m_store.fileSystem().close(m_fd);
    }
}

int JournalWriter::runStarting(int dirFd, const std::vector<PlannedRename> &plan) {
    FileSystem &fs = m_store.fileSystem();
    struct stat folderStat {};
    if (::fstat(dirFd, &folderStat) != 0)
        return errno;
    // The plan is most of what a run writes before its first rename: made in one buffer,
    // reserved for the usual size, and written without another copy.
    QByteArray steps;
    qsizetype nameBytes = 0;
    for (const PlannedRename &p : plan)
        nameBytes += p.from.size() + p.to.size();
    steps.reserve(qsizetype(plan.size()) * 72 + nameBytes + 16);
    const auto putNumber = [&steps](auto n) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        steps.append(digits, end - digits);
    };
    // A step out of a temporary name of the run's own moves the file an earlier step parked
    // there (the name does not exist yet). Only such names: any other target may hold a file
    // of its own when the earlier step fails.
    QHash<QByteArray, JournalFileId> arriving;
    m_parking.assign(plan.size(), false);
    qsizetype files = 0;
    for (const PlannedRename &p : plan) {
        const bool parking = isParkingName(p.to);
        m_parking[size_t(&p - plan.data())] = parking;
        files += parking ? 0 : 1;
        JournalFileId file;
        const auto earlier = arriving.isEmpty() ? arriving.constEnd() : arriving.constFind(p.from);
        if (earlier != arriving.constEnd())
            file = *earlier;
        else
            journalFileId(fs, dirFd, p.from, file); // a missing file fails its row anyway
        if (file.inode != 0 && p.to.startsWith(".tallowin-"))
            arriving.insert(p.to, file);
        steps += "s ";
        putNumber(qint64(p.row));
        steps += ' ';
        putNumber(qint64(file.device));
        steps += ' ';
        putNumber(qint64(file.inode));
        steps += ' ';
        putNumber(file.birth);
        steps += ' ';
        appendJournalEscaped(steps, p.from);
        steps += ' ';
        appendJournalEscaped(steps, p.to);
        steps += '\n';
    }
    const qsizetype planBytes = steps.size();
    steps += "plan-end\n";
    QByteArray header = "time " +
                        QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1() +
                        "\nkind " + (m_undoes ? "undo" : "rename") + '\n';
    if (m_undoes)
        header += "undoes " + number(m_undoes) + '\n';
    header += "folder " + journalEscape(m_folder) + '\n';
    header += "folderid " + number(qint64(folderStat.st_dev)) + ' ' +
              number(qint64(folderStat.st_ino)) + '\n';
    header += "files " + number(files) + '\n';
    header += "plan " + number(qint64(plan.size())) + ' ' + number(planBytes) + '\n';
    return m_store.create(header, m_id, m_fd, steps);
}

void JournalWriter::passingThrough(qsizetype step, const QByteArray &temp) {
    // Written before the file takes the name, so a crash in between still finds it.
    m_pending += "p " + number(step) + ' ' + journalEscape(temp) + '\n';
    flush();
}

void JournalWriter::renamed(qsizetype step) {
    const bool parking = step >= 0 && size_t(step) < m_parking.size() && m_parking[size_t(step)];
    m_pending += parking ? "t " : "d ";
    m_pending += number(step);
    m_pending += '\n';
    if (++m_pendingMarks >= MarksPerWrite)
        flush();
}

void JournalWriter::movedAfterRun(qsizetype step, const QByteArray &name) {
    if (m_id != 0)
        lost(m_store.append(m_id, "p " + number(step) + ' ' + journalEscape(name)));
}

void JournalWriter::runEnded() {
    if (m_fd < 0)
        return;
    // After a lost record "end" would claim marks the journal does not hold: without it the
    // run reads as cut short, and undo goes by the folder for the unmarked steps.
    flush();
    if (!m_error) {
        m_pending += "end\n";
        flush();
    }
    // Not synced: on ext4 a sync here waits for every rename of the run to reach the disk,
    // which doubles the run's time. Marks lost to a power cut are told by the folder itself.
    m_store.fileSystem().close(m_fd);
    m_fd = -1;
}

void JournalWriter::flush() {
    if (m_fd >= 0 && !m_pending.isEmpty())
        lost(m_store.fileSystem().write(m_fd, m_pending));
    m_pending.clear();
    m_pendingMarks = 0;
}

void JournalWriter::lost(int e) {
    if (e && !m_error)
        m_error = e;
}

} // namespace tallowin
