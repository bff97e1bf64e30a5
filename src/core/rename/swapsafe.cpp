#include "rename/swapsafe.h"

#include "shell/filenamecodec.h"

#include <QHash>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <unistd.h>

namespace tallowin {

namespace {

constexpr char ParkingPrefix[] = ".tallowin-swap-";

QByteArray parkingPrefix() {
    return ParkingPrefix + QByteArray::number(qint64(::getpid())) + '-';
}

QByteArray temporaryName() {
    // The process and a count make the name unique among this program's runs; a file that
    // has it anyway makes that row fail, as the move never replaces.
    static std::atomic<unsigned> counter{0};
    return parkingPrefix() + QByteArray::number(counter++);
}

// A parked file to be put back: where it waits and where it came from.
struct Rescue {
    qsizetype row = -1;  // the caller's row
    qsizetype step = -1; // its parking step in the run's plan
    QByteArray parked;
    QByteArray home;
    QByteArray now; // where it went; empty while it is still parked
    bool stuck = false;
};

// The visible names a file goes to when its old name is taken: "NAME (tallowin rescue).EXT",
// then "NAME (tallowin rescue 2).EXT", ...; empty past the last one tried.
constexpr int RescueNames = 20;
QByteArray rescueName(const QByteArray &home, int attempt) {
    if (attempt > RescueNames)
        return {};
    const qsizetype dot = home.lastIndexOf('.');
    const qsizetype split = dot > 0 ? dot : home.size();
    QByteArray stem = home.left(split);
    const QByteArray ext = home.mid(split);
    const QByteArray tag = attempt == 1 ? QByteArray(" (tallowin rescue)")
                                        : " (tallowin rescue " + QByteArray::number(attempt) + ')';
    constexpr qsizetype NameMax = 255;
    const qsizetype room = NameMax - tag.size() - ext.size();
    if (room < 1)
        return {};
    if (stem.size() > room) {
        qsizetype cut = room;
        while (cut > 0 && (uchar(stem[cut]) & 0xC0) == 0x80)
            --cut; // never split a UTF-8 sequence
        stem.truncate(cut);
    }
    return stem + tag + ext;
}

// Moves each parked file home, or else to the first free rescue name; the journal learns of
// every file that did not go home, so undo finds it.
void rescue(Renamer &renamer, const QString &folder, std::vector<Rescue> &rescues) {
    RenameObserver *observer = renamer.observer();
    const bool exact = renamer.exactNewNames();
    renamer.setObserver(nullptr);   // not a run of its own: the run's journal is told below
    renamer.setExactNewNames(true); // the old name exactly, trailing dots and all
    for (int attempt = 0; attempt <= RescueNames; ++attempt) {
        std::vector<PreviewEntry> tries;
        std::vector<size_t> which;
        std::vector<QByteArray> targets;
        for (size_t k = 0; k < rescues.size(); ++k) {
            Rescue &r = rescues[k];
            if (!r.now.isEmpty() || r.stuck)
                continue;
            QByteArray target = attempt == 0 ? r.home : rescueName(r.home, attempt);
            if (target.isEmpty()) {
                r.stuck = true;
                continue;
            }
            PreviewEntry e;
            e.setOldName(nameFromBytes(r.parked));
            e.newName = nameFromBytes(target);
            e.checked = true;
            tries.push_back(std::move(e));
            which.push_back(k);
            targets.push_back(std::move(target));
        }
        if (tries.empty())
            break;
        const RenameRun back = renamer.run(folder, tries);
        for (const RenameOutcome &o : back.outcomes) {
            Rescue &r = rescues[which[size_t(o.row)]];
            if (o.ok)
                r.now = targets[size_t(o.row)];
            else if (o.errorNumber != RenameErrors::AlreadyExists)
                r.stuck = true; // not a name taken: another name would fail alike
        }
        if (!back.refusal.isEmpty() || back.cancelled)
            break;
    }
    renamer.setExactNewNames(exact);
    renamer.setObserver(observer);
    if (observer)
        for (const Rescue &r : rescues)
            if (!r.now.isEmpty() && r.now != r.home)
                observer->movedAfterRun(r.step, r.now);
}

} // namespace

bool isParkingName(const QByteArray &name) {
    return name.startsWith(ParkingPrefix);
}

SwapSafeSteps arrangeSwapSafe(const std::vector<PreviewEntry> &rows, bool exactNames) {
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
        const NewName name = targetName(row.newName, exactNames);
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
    const bool exact = renamer.exactNewNames();
    const SwapSafeSteps steps = arrangeSwapSafe(rows, exact);
    RenameRun run = renamer.run(folder, steps.rows, progress);
    RenameRun out;
    out.cancelled = run.cancelled;
    out.observerError = run.observerError;
    out.recordError = run.recordError;
    out.refusal = run.refusal;
    // Per caller's row: its parking step's outcome and its last step's.
    QHash<qsizetype, const RenameOutcome *> parkedBy, last;
    for (const RenameOutcome &o : run.outcomes) {
        const qsizetype source = steps.source[size_t(o.row)];
        (steps.parking[size_t(o.row)] ? parkedBy : last).insert(source, &o);
    }
    // Parked, then its last step failed or never ran: the file goes back to its old name or,
    // when a later step of its cycle took that name, to a visible free name beside it. No file
    // is left under a temporary name where nobody would look for it.
    std::vector<Rescue> rescues;
    for (auto it = parkedBy.constBegin(); it != parkedBy.constEnd(); ++it) {
        const RenameOutcome *arrived = last.value(it.key());
        if (!(*it)->ok || (arrived && arrived->ok))
            continue;
        rescues.push_back({it.key(),
                           (*it)->step,
                           nameToBytes(steps.rows[size_t((*it)->row)].newName),
                           rows[size_t(it.key())].oldBytes(),
                           {},
                           false});
    }
    QHash<qsizetype, const Rescue *> rescueOf;
    if (!rescues.empty()) {
        rescue(renamer, folder, rescues);
        for (const Rescue &r : rescues)
            rescueOf.insert(r.row, &r);
        if (RenameObserver *observer = renamer.observer(); observer && !out.recordError)
            out.recordError = observer->recordError();
    }
    const QString folderPath = folder.endsWith(u'/') ? folder : folder + u'/';
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
        mine.newName = targetName(row.newName, exact).written;
        if (!mine.ok && !mine.reported)
            mine.message =
                renameFailureMessage(mine.errorNumber, mine.reason, row.oldName(),
                                     mine.newName.isEmpty() ? row.newName : mine.newName);
        // Where a parked file is now, when that is not its old name.
        if (const Rescue *r = rescueOf.value(i); r && r->now != r->home)
            mine.message += strandedMessage(folderPath, r->now.isEmpty() ? r->parked : r->now);
        out.outcomes.push_back(std::move(mine));
    }
    return out;
}

} // namespace tallowin
