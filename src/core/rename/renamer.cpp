#include "rename/renamer.h"

#include "shell/failurereason.h"
#include "shell/filenamecodec.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallowin {

RenameFailure classifyRenameError(int e) {
    using namespace RenameErrors;
    switch (e) {
    case EEXIST:
    case ENOTEMPTY:
        return {AlreadyExists, false};
    case ENOENT:
        return {FileNotFound, false};
    case ENAMETOOLONG:
    case EILSEQ:
        return {BadFileName, false};
    case EINVAL:
        return {InvalidArgument, false};
    case EACCES:
    case EPERM:
    case EROFS:
        return {AccessError, false};
    case EBUSY:
    case ETXTBSY:
        return {AlreadyOpen, false};
    default:
        return {e, true};
    }
}

QString renameFailureMessage(qint32 number, const QString &reason, const QString &oldName,
                             const QString &newName) {
    using namespace RenameErrors;
    switch (number) {
    case AlreadyExists:
        return QCoreApplication::translate("tallowin::core",
                                           "Unable to rename the file %1 to %2 because a "
                                           "file with that name already exist.")
            .arg(oldName, newName);
    case AlreadyOpen:
        return QCoreApplication::translate("tallowin::core",
                                           "Unable to rename the file %1 to %2, Linux says "
                                           "the file is in use.")
            .arg(oldName, newName);
    case FileNotFound:
    case BadFileName:
    case InvalidArgument:
    case AccessError:
        return QCoreApplication::translate("tallowin::core",
                                           "Unable to rename the file %1 to %2 because "
                                           "Linux says %3.")
            .arg(oldName, newName, reason);
    default:
        return {};
    }
}

bool isPlainFileName(const QByteArray &name) {
    return !name.isEmpty() && name.size() <= 255 && name != "." && name != ".." &&
           !name.contains('/') && !name.contains('\0');
}

QString writtenName(const QString &newName, bool exact) {
    if (exact)
        return newName;
    qsizetype end = newName.size();
    while (end > 0 && (newName[end - 1] == u'.' || newName[end - 1] == u' '))
        --end;
    return end == newName.size() ? newName : newName.left(end);
}

NewName prepareNewName(const QString &shown) {
    NewName n;
    n.written = writtenName(shown);
    n.bytes = nameToBytes(n.written);
    n.acceptable = isPlainFileName(n.bytes);
    return n;
}

namespace {

// Said after a failure that left the file under a temporary name.
} // namespace

NewName targetName(const QString &newName, bool exact) {
    if (!exact)
        return prepareNewName(newName);
    NewName n{newName, nameToBytes(newName), false};
    n.acceptable = isPlainFileName(n.bytes);
    return n;
}

QString strandedMessage(const QString &folderPath, const QByteArray &name) {
    return QCoreApplication::translate("tallowin::core",
                                       " The file is now named %1 in %2: its old name "
                                       "was taken meanwhile, so it could not go back.")
        .arg(nameFromBytes(name), folderPath);
}

qsizetype RenameRun::failedCount() const {
    qsizetype n = 0;
    for (const auto &o : outcomes)
        n += o.ok ? 0 : 1;
    return n;
}

Renamer::Renamer(ErrorReporter &errors, FileSystem *fs)
    : m_errors(errors), m_fs(fs ? *fs : FileSystem::system()) {}

int Renamer::moveNoReplace(int dirFd, const char *from, const char *to, bool *bothKept) {
    const int e = m_fs.renameNoReplace(dirFd, from, to);
    if (e != EINVAL && e != ENOSYS && e != EOPNOTSUPP)
        return e;
    // The file system cannot rename without replacing; a hard link can never replace either.
    const int linked = m_fs.link(dirFd, from, to);
    if (linked != 0)
        return linked;
    const int unlinked = m_fs.unlink(dirFd, from);
    if (unlinked != 0) {
        if (m_fs.unlink(dirFd, to) != 0 && bothKept)
            *bothKept = true;
        return unlinked;
    }
    return 0;
}

int Renamer::renameOne(int dirFd, const QByteArray &from, const QByteArray &to,
                       QByteArray &stranded) {
    RenameFileSystem::Identity a, b;
    if (from == to)
        return m_fs.identify(dirFd, from.constData(), a);
    const int e = moveNoReplace(dirFd, from.constData(), to.constData());
    if (e != EEXIST)
        return e;
    // The target may be the file itself under another spelling, as when only the letter case
    // changes on a file system that ignores case. Go by a temporary name so the change sticks.
    if (m_fs.identify(dirFd, from.constData(), a) != 0 ||
        m_fs.identify(dirFd, to.constData(), b) != 0 || a.device != b.device || a.inode != b.inode)
        return EEXIST;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char temp[64];
        std::snprintf(temp, sizeof temp, ".tallowin-%ld-%u.tmp", long(::getpid()), m_tempCounter++);
        bool tempKept = false;
        if (m_observer)
            m_observer->passingThrough(m_step, QByteArray(temp));
        const int away = moveNoReplace(dirFd, from.constData(), temp, &tempKept);
        if (away == EEXIST)
            continue;
        if (away != 0) {
            if (tempKept)
                stranded = temp; // a second name of the file that could not be taken away
            return away;
        }
        const int there = moveNoReplace(dirFd, temp, to.constData());
        // A temporary name never outlives a failed step: back to the old name, and when that
        // is taken meanwhile too, the caller says where the file is.
        if (there != 0 && moveNoReplace(dirFd, temp, from.constData()) != 0)
            stranded = temp;
        return there;
    }
    return EEXIST;
}

QString folderChangedMessage(const QString &folder) {
    return QCoreApplication::translate("tallowin::core",
                                       "The folder %1 changed since it was listed; list it again.")
        .arg(folder);
}

RenameRun Renamer::run(const QString &folder, const std::vector<PreviewEntry> &rows,
                       Progress *progress) {
    RenameRun out;
    const auto total = qint32(rows.size());
    if (progress) {
        progress->setStatus(
            QCoreApplication::translate("tallowin::core", "Preparing To Apply File Name Changes"));
        progress->setCompleted(total, 0);
    }
    int dirFd = -1;
    int openError = 0;
    if (m_expected.known) {
        // The listed folder or nothing: a link put in its place is not followed, and another
        // folder moved there is told by its identity.
        const int noFollow = m_expected.viaLink ? 0 : O_NOFOLLOW;
        const QByteArray path = nameToBytes(folder);
        openError = m_fs.open(AT_FDCWD, path.isEmpty() ? "." : path.constData(),
                              O_PATH | O_DIRECTORY | O_CLOEXEC | noFollow, 0, dirFd);
        FileSystem::Identity id;
        if (openError == ELOOP || openError == ENOTDIR ||
            (openError == 0 && (m_fs.identify(dirFd, "", id) != 0 ||
                                id.device != m_expected.device || id.inode != m_expected.inode))) {
            if (openError == 0)
                m_fs.close(dirFd);
            out.refusal = folderChangedMessage(folder);
            return out;
        }
    } else {
        openError = m_fs.openFolder(nameToBytes(folder), dirFd);
    }
    const QString folderPath = folder.endsWith(u'/') ? folder : folder + u'/';
    const auto targetOf = [this](const PreviewEntry &row) {
        return targetName(row.newName, m_exactNames);
    };
    // The renames a journal is told of; their target bytes are used again below, so each new
    // name is worked out once.
    std::vector<PlannedRename> plan;
    size_t planned = 0; // the next entry of `plan` the loop below reaches
    if (m_observer && openError == 0) {
        for (qsizetype i = 0; i < qsizetype(rows.size()); ++i) {
            const PreviewEntry &row = rows[size_t(i)];
            if (!row.checked)
                continue;
            NewName target = targetOf(row);
            QByteArray from = row.oldBytes();
            if (target.acceptable && isPlainFileName(from))
                plan.push_back({i, std::move(from), std::move(target.bytes)});
        }
        if (!plan.empty()) {
            if (const int e = m_observer->runStarting(dirFd, plan)) {
                out.observerError = e;
                m_fs.closeFolder(dirFd);
                return out;
            }
        }
    }
    m_step = -1;
    out.outcomes.reserve(size_t(
        std::count_if(rows.begin(), rows.end(), [](const PreviewEntry &r) { return r.checked; })));
    for (qsizetype i = 0; i < qsizetype(rows.size()); ++i) {
        const PreviewEntry &row = rows[size_t(i)];
        if (progress) {
            if (progress->cancelled()) {
                out.cancelled = true;
                break;
            }
            progress->setStatus(row.oldName() + QStringLiteral(" --> ") + row.newName);
            progress->setCompleted(total, qint32(i + 1));
        }
        if (!row.checked)
            continue;
        RenameOutcome o;
        o.row = i;
        o.oldBytes = row.oldBytes();
        NewName target;
        if (planned < plan.size() && plan[planned].row == i) {
            target.written = writtenName(row.newName, m_exactNames);
            target.bytes = std::move(plan[planned++].to);
            target.acceptable = true;
        } else {
            target = targetOf(row);
        }
        o.newName = target.written;
        RenameFailure failure;
        QByteArray stranded;
        const bool refused = !target.acceptable || !isPlainFileName(o.oldBytes);
        if (refused) {
            // Never handed to the file system: it could name something outside the folder.
            failure = {RenameErrors::BadFileName, false};
            o.reason = target.acceptable ? QStringLiteral("the old name is not a plain file name")
                                         : nameProblem(target.bytes);
        } else {
            o.step = ++m_step;
            const int e =
                openError ? openError : renameOne(dirFd, o.oldBytes, target.bytes, stranded);
            if (e == 0) {
                o.ok = true;
                if (m_observer)
                    m_observer->renamed(m_step);
            } else {
                failure = classifyRenameError(e);
                o.reason = failureReason(e);
            }
        }
        // Messages name the name tried (trimmed), not the one the preview was given; a name
        // trimmed to nothing was never tried and is named as given.
        const QString &tried = o.newName.isEmpty() ? row.newName : o.newName;
        if (!o.ok) {
            o.errorNumber = failure.number;
            if (failure.toErrorWindow) {
                o.reported = true;
                o.message = systemErrorText(failure.number) + QStringLiteral(" - ") + folderPath +
                            row.oldName() + QStringLiteral(" - ") + folderPath + tried;
                if (!stranded.isEmpty())
                    o.message += strandedMessage(folderPath, stranded);
                m_errors.reportSystemAbout(folderPath + row.oldName(), Location, failure.number,
                                           o.message);
            } else if (refused) {
                // The program refused the name, not the system.
                o.message = QCoreApplication::translate(
                                "tallowin::core", "Unable to rename the file %1 to %2 because %3.")
                                .arg(row.oldName(), tried, o.reason);
            } else {
                o.message = renameFailureMessage(failure.number, o.reason, row.oldName(), tried);
                if (!stranded.isEmpty())
                    o.message += strandedMessage(folderPath, stranded);
            }
        }
        if (m_rowDone)
            m_rowDone(o);
        out.outcomes.push_back(std::move(o));
    }
    if (m_observer && openError == 0) {
        m_observer->runEnded();
        out.recordError = m_observer->recordError();
    }
    m_fs.closeFolder(dirFd);
    return out;
}

} // namespace tallowin
