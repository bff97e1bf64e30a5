#include "preview/previewbuilder.h"

#include "engine/text.h"
#include "preview/foldednameset.h"

#include <algorithm>
#include <limits>
#include <thread>

namespace tallowin {

qsizetype PreviewResult::tickedCount() const {
    qsizetype n = 0;
    for (const auto &r : rows)
        n += r.checked ? 1 : 0;
    return n;
}

namespace {

qint32 clamp32(qint64 v) {
    return qint32(std::min<qint64>(v, std::numeric_limits<qint32>::max()));
}

// One ticked file as the run needs it.
struct TickedFile {
    const QString *name = nullptr;
    qsizetype sourceIndex = -1;
    QByteArray native;
};

// Applies every rule to one file name. Fills the row's new name (with "/" shown as "-") and
// ticks it unless an MP3 placeholder is left; false when a rule failed. `afterRule` runs after
// every rule that succeeded.
template <typename AfterRule>
bool applyRules(const RuleEngine &engine, NumberingState &state, int ruleCount,
                const QString &fileName, PreviewEntry &row, int &marker, AfterRule &&afterRule) {
    auto [name, ext] = text::splitAtLastDot(fileName);
    marker = 7;
    for (int slot = 1; slot <= ruleCount; ++slot) {
        QString joined = engine.applyRule(slot, name, ext, state);
        marker = 8;
        const qsizetype dot = joined.lastIndexOf(u'.');
        if (dot < 0)
            return false; // a failed rule (or an unknown kind) leaves nothing to split
        // Most rules leave the two parts exactly as they return them joined; then the split
        // is already done. Otherwise truncate the result in place.
        const bool asJoined = dot == name.size() && joined.size() == dot + 1 + ext.size() &&
                              QStringView(joined).left(dot) == name &&
                              QStringView(joined).sliced(dot + 1) == ext;
        if (!asJoined) {
            ext = joined.mid(dot + 1);
            name = std::move(joined);
            name.truncate(dot);
        }
        marker = 9;
        afterRule();
    }
    marker = 10;
    row.oldName = fileName;
    // A "/" cannot stand in a file name; the row shows (and later writes) "-" instead.
    if (name.contains(u'/'))
        name.replace(u'/', u'-');
    row.newName = text::join(name, ext);
    row.checked = !(name.contains(u'%') && holdsMp3Placeholder(name));
    return true;
}

bool isAutoNumber(const QString &keyword) {
    const RuleKind *kind = findRuleKind(keyword);
    return kind && kind->countsNumbers;
}

// The MP3 kind reads the files and may hand control to other work: files one after the other.
bool readsFiles(const RuleTable &rules, int ruleCount) {
    for (int slot = 1; slot <= ruleCount; ++slot)
        if (const RuleKind *kind = findRuleKind(rules.slot(slot)[Kind]); kind && kind->readsFiles)
            return true;
    return false;
}

// The auto numbering counter as it stands before file `file`: the counter moves the same way
// whatever the names are, so running only the numbering rules on a stand-in name gives it.
NumberingState counterBefore(const RuleTable &rules, int ruleCount, qsizetype file) {
    std::vector<int> autoSlots;
    for (int slot = 1; slot <= ruleCount; ++slot)
        if (isAutoNumber(rules.slot(slot)[Kind]))
            autoSlots.push_back(slot);
    NullErrorReporter ignored;
    const RuleEngine engine(rules, ignored);
    NumberingState state;
    for (qsizetype i = 0; !autoSlots.empty() && i < file; ++i) {
        for (int slot : autoSlots) {
            QString name = QStringLiteral("x"), ext;
            engine.applyRule(slot, name, ext, state);
        }
    }
    return state;
}

// A table whose texts share no memory with `rules`: threads that each use their own never
// write to the same reference counts.
RuleTable privateCopy(const RuleTable &rules, int ruleCount) {
    RuleTable copy;
    for (int slot = 1; slot <= ruleCount; ++slot) {
        RuleSlot rule = rules.slot(slot);
        for (QString &field : rule.fields)
            field = QString(field.constData(), field.size());
        copy.addRule(rule);
    }
    return copy;
}

// Below this many files a second thread costs more than it saves.
constexpr qsizetype ParallelFrom = 4096;

} // namespace

template <typename Next>
PreviewResult PreviewBuilder::run(qsizetype ticked, Next &&next, Progress *progress) {
    PreviewResult result;
    NumberingState state;
    result.marker = 1;
    const RuleTable &rules = m_engine.rules();
    if (rules.slot(1).isFree()) {
        result.outcome = PreviewOutcome::NoRules;
        return result;
    }
    result.marker = 2;
    const int ruleCount = rules.ruleCount();
    result.marker = 3;
    const qint32 total = clamp32(qint64(ticked) * ruleCount);
    result.marker = 4;
    if (progress) {
        progress->setStatus(PreparingPreviewCaption);
        progress->SetCompleted(total, 0);
    }
    result.marker = 5;
    const auto failed = [&] {
        m_errors.report(Location, ErrorNumbers::InvalidProcedureCall,
                        errorText(ErrorNumbers::InvalidProcedureCall) +
                            QStringLiteral(" Position: ") + QString::number(result.marker));
        result.outcome = PreviewOutcome::Failed;
    };
    // The clash test and the ticks, in list order: a row repeating an earlier new name
    // (ignoring case) starts unticked.
    FoldedNameSet seen(ticked);
    const auto tickUnlessRepeated = [&](PreviewEntry &row) {
        if (!seen.insert(row.newName))
            row.checked = false;
    };

    const unsigned threads = std::min(4u, std::max(1u, std::thread::hardware_concurrency()));
    if (!progress && threads > 1 && ticked >= ParallelFrom && !readsFiles(rules, ruleCount)) {
        // Without a window to follow the run, the files are shared out among threads, each with
        // its own engine and its own counter started where a run file by file would have it.
        // The reports, the clash test and the failure (the first in list order) are then
        // settled in order, as one thread would.
        result.rows.resize(size_t(ticked));
        std::vector<qsizetype> starts;
        for (unsigned t = 0; t < threads; ++t)
            starts.push_back(ticked * t / threads);
        std::vector<CollectingErrorReporter> reports(threads);
        std::vector<qsizetype> firstFailure(threads, ticked);
        std::vector<NumberingState> lastCounter(threads);
        const auto work = [&](unsigned t) {
            const RuleTable ownRules = privateCopy(rules, ruleCount);
            const RuleEngine engine(ownRules, reports[t], m_engine.mp3());
            // Each thread finds its own starting counter while the first one already works.
            NumberingState own = counterBefore(ownRules, ruleCount, starts[t]);
            const qsizetype begin = starts[t], end = ticked * (t + 1) / threads;
            int marker = 0;
            for (qsizetype i = begin; i < end; ++i) {
                TickedFile file = next(i);
                PreviewEntry &row = result.rows[size_t(i)];
                if (!applyRules(engine, own, ruleCount, *file.name, row, marker, [] {})) {
                    firstFailure[t] = i;
                    lastCounter[t] = own;
                    return;
                }
                row.oldNative = std::move(file.native);
                row.sourceIndex = file.sourceIndex;
            }
            lastCounter[t] = own;
        };
        std::vector<std::thread> helpers;
        for (unsigned t = 1; t < threads; ++t)
            helpers.emplace_back(work, t);
        work(0);
        for (auto &h : helpers)
            h.join();
        qsizetype end = ticked;
        for (unsigned t = 0; t < threads && end == ticked; ++t) {
            for (const ErrorReport &r : reports[t].reports)
                m_errors.report(r);
            end = firstFailure[t];
            // The counter as a run file by file leaves it.
            result.numbering = lastCounter[t];
        }
        result.rows.resize(size_t(end));
        for (PreviewEntry &row : result.rows)
            tickUnlessRepeated(row);
        if (end < ticked) {
            result.marker = 8;
            failed();
            return result;
        }
        result.marker = 14;
        return result;
    }

    qint64 done = 0;
    result.rows.reserve(size_t(ticked));
    for (qsizetype i = 0; i < ticked; ++i) {
        if (progress && progress->cancelled()) {
            result.outcome = PreviewOutcome::Cancelled;
            result.numbering = state;
            return result;
        }
        TickedFile file = next(i);
        result.marker = 6;
        if (progress)
            progress->setStatus(QStringLiteral("Applying Rules To: ") + *file.name);
        PreviewEntry row;
        const bool applied =
            applyRules(m_engine, state, ruleCount, *file.name, row, result.marker, [&] {
            ++done;
            if (progress)
                progress->SetCompleted(total, clamp32(done));
        });
        if (!applied) {
            result.numbering = state;
            failed();
            return result;
        }
        row.oldNative = std::move(file.native);
        row.sourceIndex = file.sourceIndex;
        // Clashes are tested on the name as shown, since that is the name the rename writes.
        tickUnlessRepeated(row);
        result.marker = 11;
        result.rows.push_back(std::move(row));
    }
    result.marker = 12;
    result.numbering = state;
    result.marker = 14;
    return result;
}

PreviewResult PreviewBuilder::build(const std::vector<FileEntry> &files, Progress *progress) {
    std::vector<qsizetype> tickedRows;
    for (size_t i = 0; i < files.size(); ++i)
        if (files[i].Checked)
            tickedRows.push_back(qsizetype(i));
    return run(
        qsizetype(tickedRows.size()),
        [&](qsizetype i) {
            const qsizetype at = tickedRows[size_t(i)];
            const FileEntry &f = files[size_t(at)];
            return TickedFile{&f.FileName, at, f.nativeName};
        },
        progress);
}

PreviewResult PreviewBuilder::build(const QStringList &tickedNames, Progress *progress,
                                    const std::vector<qsizetype> &sourceIndexes) {
    return run(
        tickedNames.size(),
        [&](qsizetype i) {
            const qsizetype at =
                i < qsizetype(sourceIndexes.size()) ? sourceIndexes[size_t(i)] : i;
            return TickedFile{&tickedNames[i], at, {}};
        },
        progress);
}

} // namespace tallowin
