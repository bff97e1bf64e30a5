#include "rename/swapsafe.h"

#include "files/filenamecodec.h"

#include <QHash>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <unistd.h>

namespace tallowin {

namespace {

QByteArray temporaryName() {
    // The process and a count make the name unique among this program's runs; a file that
    // has it anyway makes that row fail, as the move never replaces.
    static std::atomic<unsigned> counter{0};
    char name[64];
    std::snprintf(name, sizeof name, ".tallowin-swap-%ld-%u", long(::getpid()), counter++);
    return QByteArray(name);
}

} // namespace

SwapSafeSteps arrangeSwapSafe(const std::vector<PreviewEntry> &rows) {
    const auto n = qsizetype(rows.size());
    // Rows that will be handed to the file system, and where each one's target is.
    std::vector<QByteArray> target(static_cast<size_t>(n));
    std::vector<bool> moving(size_t(n), false);
    QHash<QByteArray, qsizetype> byOldName;
    byOldName.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const PreviewEntry &row = rows[size_t(i)];
        if (!row.checked)
            continue;
        const NewName name = prepareNewName(row.newName);
        const QByteArray old = row.oldBytes();
        if (!name.acceptable || !isPlainFileName(old))
            continue;
        moving[size_t(i)] = true;
        target[size_t(i)] = name.bytes;
        byOldName.insert(old, i);
    }
    // next[i]: the row that must move out of row i's way first.
    std::vector<qsizetype> next(size_t(n), -1);
    for (qsizetype i = 0; i < n; ++i) {
        if (!moving[size_t(i)])
            continue;
        const auto it = byOldName.constFind(target[size_t(i)]);
        if (it != byOldName.constEnd() && *it != i)
            next[size_t(i)] = *it;
    }

    SwapSafeSteps out;
    out.rows.reserve(size_t(n));
    const auto add = [&out](PreviewEntry row, qsizetype source, bool parking) {
        out.rows.push_back(std::move(row));
        out.source.push_back(source);
        out.parking.push_back(parking);
    };
    enum : char { Unvisited, OnPath, Done };
    std::vector<char> state(size_t(n), Unvisited);
    std::vector<QByteArray> parked(static_cast<size_t>(n));
    // The parking names, one block for all the steps that name them.
    const auto parkNames = std::make_shared<FileRows>();
    std::vector<qsizetype> path;
    for (qsizetype start = 0; start < n; ++start) {
        if (!moving[size_t(start)]) {
            add(rows[size_t(start)], start, false);
            continue;
        }
        if (state[size_t(start)] == Done)
            continue;
        // Follow the rows in each other's way; each has at most one, so this is a chain that
        // may end in a cycle.
        path.clear();
        qsizetype x = start;
        while (x >= 0 && state[size_t(x)] == Unvisited) {
            state[size_t(x)] = OnPath;
            path.push_back(x);
            x = next[size_t(x)];
        }
        if (x >= 0 && state[size_t(x)] == OnPath) {
            // A cycle: park its first file so the one before it in the cycle can move in.
            const PreviewEntry &row = rows[size_t(x)];
            PreviewEntry park;
            park.names = row.names;
            park.nameRow = row.nameRow;
            parked[size_t(x)] = temporaryName();
            park.newName = nameFromBytes(parked[size_t(x)]);
            park.checked = true;
            park.sourceIndex = row.sourceIndex;
            add(std::move(park), x, true);
        }
        for (auto k = path.rbegin(); k != path.rend(); ++k) {
            PreviewEntry row = rows[size_t(*k)];
            if (!parked[size_t(*k)].isEmpty())
                row.setOldBytes(parked[size_t(*k)], parkNames);
            add(std::move(row), *k, false);
            state[size_t(*k)] = Done;
        }
    }
    return out;
}

RenameRun runSwapSafe(Renamer &renamer, const QString &folder,
                      const std::vector<PreviewEntry> &rows, Progress *progress) {
    const SwapSafeSteps steps = arrangeSwapSafe(rows);
    RenameRun run = renamer.run(folder, steps.rows, progress);
    RenameRun out;
    out.cancelled = run.cancelled;
    out.observerError = run.observerError;
    out.refusal = run.refusal;
    // Per caller's row: its parking step's outcome and its last step's.
    QHash<qsizetype, const RenameOutcome *> parkedBy, last;
    for (const RenameOutcome &o : run.outcomes) {
        const qsizetype source = steps.source[size_t(o.row)];
        (steps.parking[size_t(o.row)] ? parkedBy : last).insert(source, &o);
    }
    std::vector<PreviewEntry> rescue;
    for (auto it = parkedBy.constBegin(); it != parkedBy.constEnd(); ++it) {
        const RenameOutcome *arrived = last.value(it.key());
        if (!(*it)->ok || (arrived && arrived->ok))
            continue;
        // Parked, then its last step failed or never ran: no temporary name is left behind.
        const PreviewEntry &row = rows[size_t(it.key())];
        PreviewEntry back;
        back.setOldName(steps.rows[size_t((*it)->row)].newName);
        back.newName = nameFromBytes(row.oldBytes());
        back.checked = true;
        rescue.push_back(std::move(back));
    }
    if (!rescue.empty()) {
        // Not journalled as a run of its own: the run's journal already shows both names.
        RenameObserver *observer = renamer.observer();
        renamer.setObserver(nullptr);
        renamer.setExactNewNames(true); // the old name exactly, trailing dots and all
        renamer.run(folder, rescue);
        renamer.setExactNewNames(false);
        renamer.setObserver(observer);
    }
    for (qsizetype i = 0; i < qsizetype(rows.size()); ++i) {
        const RenameOutcome *parkedStep = parkedBy.value(i);
        const RenameOutcome *o = parkedStep && !parkedStep->ok ? parkedStep : last.value(i);
        // Not ticked, or cancelled before its last step (and moved back above).
        if (!o)
            continue;
        RenameOutcome mine = *o;
        const PreviewEntry &row = rows[size_t(i)];
        mine.row = i;
        mine.oldBytes = row.oldBytes();
        mine.newName = prepareNewName(row.newName).written;
        if (!mine.ok && !mine.reported)
            mine.message =
                renameFailureMessage(mine.errorNumber, mine.reason, row.oldName(), row.newName);
        out.outcomes.push_back(std::move(mine));
    }
    return out;
}

} // namespace tallowin
