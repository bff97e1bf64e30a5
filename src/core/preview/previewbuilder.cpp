#include "preview/previewbuilder.h"

#include "engine/text.h"
#include "preview/foldednameset.h"
#include "shell/parallel.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>
#include <memory>

namespace tallowin {

void PreviewEntry::setOldBytes(QByteArrayView bytes, const std::shared_ptr<FileRows> &block) {
    if (block->appendName(bytes)) {
        names = block;
        nameRow = quint32(block->size() - 1);
    } else {
        names.reset();
        nameRow = 0;
    }
}

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

// One ticked file as the run needs it: its name as text, its index in the caller's list and
// its row in the names the preview rows point at.
struct TickedFile {
    QString name;
    qsizetype sourceIndex = -1;
    size_t nameRow = 0;
};

// Applies every rule to one file name. Fills the row's new name (with "/" shown as "-") and
// ticks it unless an MP3 placeholder is left; false when a rule failed.
bool applyRules(const RuleEngine &engine, NumberingState &state, int ruleCount,
                const QString &fileName, PreviewEntry &row) {
    auto [name, ext] = text::splitAtLastDot(fileName);
    // The parts go from rule to rule as they are: no join and split between rules.
    for (int slot = 1; slot <= ruleCount; ++slot) {
        if (!engine.applyRuleToParts(slot, name, ext, state))
            return false;
    }
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

// Moves the auto numbering counter past files without working on them. The counter moves the
// same way whatever the names are, so running only the numbering rules on a stand-in name
// moves it as a file would; the step from each counter value is kept, since a run passes the
// same few values again and again.
class CounterSteps {
public:
    CounterSteps(const RuleTable &rules, int ruleCount) : m_engine(rules, m_ignored) {
        for (int slot = 1; slot <= ruleCount; ++slot)
            if (isAutoNumber(rules.slot(slot)[Kind]))
                m_slots.push_back(slot);
    }

    void skip(NumberingState &state, qsizetype files) {
        // The steps are kept by counter value, which is all the state there is.
        static_assert(sizeof(NumberingState) == sizeof(qint16));
        if (m_slots.empty() || files <= 0)
            return;
        if (m_next.empty())
            m_next.assign(size_t(1) << 16, Unknown);
        for (; files > 0; --files) {
            qint32 &next = m_next[size_t(quint16(state.counter))];
            if (next == Unknown) {
                NumberingState after = state;
                for (int slot : m_slots) {
                    QString name = QStringLiteral("x"), ext;
                    m_engine.applyRuleToParts(slot, name, ext, after);
                }
                next = after.counter;
            }
            state.counter = qint16(next);
        }
    }

private:
    static constexpr qint32 Unknown = std::numeric_limits<qint32>::min();
    NullErrorReporter m_ignored;
    const RuleEngine m_engine;
    std::vector<int> m_slots;
    std::vector<qint32> m_next;
};

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

// Hands the reports of a thread's engine to the list of the block it works on.
class BlockReporter : public ErrorReporter {
public:
    using ErrorReporter::report;
    void report(const ErrorReport &r) override { to->push_back(r); }
    std::vector<ErrorReport> *to = nullptr;
};

// What one thread keeps from block to block: its own rules and engine, and the counter as it
// stands before file `at`.
struct Worker {
    Worker(const RuleTable &shared, int ruleCount, const Mp3KindContext &mp3)
        : rules(privateCopy(shared, ruleCount)), engine(rules, reports, mp3),
          steps(rules, ruleCount) {}
    const RuleTable rules;
    BlockReporter reports;
    const RuleEngine engine;
    CounterSteps steps;
    NumberingState counter;
    qsizetype at = 0;
};

// What a block left: its reports in order and the counter after it (or after its failed file).
struct BlockRecord {
    std::vector<ErrorReport> reports;
    NumberingState counter;
};

// The step a failed preview names in its report: a rule was being applied to a file. The run
// has no other step that can fail.
constexpr int RuleStep = 8;

// Below this many files per thread a second thread costs more than it saves.
constexpr qsizetype FilesPerThread = 2048;

} // namespace

template <typename Next>
PreviewResult PreviewBuilder::run(qsizetype ticked, const SharedRows &names, Next &&next,
                                  Progress *progress) {
    PreviewResult result;
    const RuleTable &rules = m_engine.rules();
    if (rules.slot(1).isFree()) {
        result.outcome = PreviewOutcome::NoRules;
        return result;
    }
    const int ruleCount = rules.ruleCount();
    const qint32 total = clamp32(qint64(ticked) * ruleCount);
    if (progress) {
        progress->setStatus(PreparingPreviewCaption);
        progress->setCompleted(total, 0);
    }

    // The files are shared out in blocks among threads (one, when the rules read the files or
    // the run is small), each with its own engine and its own counter moved to where a run file
    // by file would have it. The reports, the clash test and the failure (the first in list
    // order) are then settled in order, as one thread would.
    const bool serial = readsFiles(rules, ruleCount);
    ParallelOptions options;
    options.itemsPerThread = FilesPerThread;
    options.serial = serial;
    if (serial)
        options.maxBlock = 1; // each file may take long: cancel and caption between files
    options.progress = progress;
    options.unitsPerItem = ruleCount;
    if (progress)
        options.starting = [&](qsizetype i) {
            progress->setStatus(
                QCoreApplication::translate("tallowin::core", "Applying Rules To: ") +
                next(i).name);
        };
    ParallelRun parallel(ticked, std::move(options));
    result.rows.resize(size_t(ticked));
    std::vector<std::unique_ptr<Worker>> workers(parallel.threads());
    std::vector<BlockRecord> blocks(size_t(parallel.blockCount()));
    const ParallelOutcome outcome = parallel.run([&](const ParallelBlock &block) {
        std::unique_ptr<Worker> &own = workers[block.worker];
        if (!own)
            own = std::make_unique<Worker>(rules, ruleCount, m_engine.mp3());
        Worker &w = *own;
        w.steps.skip(w.counter, block.begin - w.at);
        BlockRecord &record = blocks[size_t(block.index)];
        w.reports.to = &record.reports;
        for (qsizetype i = block.begin; i < block.end; ++i) {
            TickedFile file = next(i);
            PreviewEntry &row = result.rows[size_t(i)];
            if (!applyRules(w.engine, w.counter, ruleCount, file.name, row)) {
                record.counter = w.counter;
                return i;
            }
            row.sourceIndex = file.sourceIndex;
            row.nameRow = quint32(file.nameRow);
        }
        record.counter = w.counter;
        w.at = block.end;
        return block.end;
    });

    // Every block up to the end (with the failed file, if any) was worked on whole or up to
    // its failed file.
    const qsizetype end = outcome.end;
    const qsizetype lastBlock = outcome.failed ? parallel.blockOf(end)
                                : end > 0      ? parallel.blockOf(end - 1)
                                               : -1;
    for (qsizetype b = 0; b <= lastBlock; ++b)
        for (const ErrorReport &r : blocks[size_t(b)].reports)
            m_errors.report(r);
    if (lastBlock >= 0)
        result.numbering = blocks[size_t(lastBlock)].counter;
    result.rows.resize(size_t(end));
    // The clash test and the ticks, in list order: a row repeating an earlier new name
    // (ignoring case) starts unticked. Clashes are tested on the name as shown, since that is
    // the name the rename writes. The rows take their share of the names here, on one thread:
    // threads taking it together would fight over one reference count.
    FoldedNameSet seen(end);
    for (PreviewEntry &row : result.rows) {
        row.names = names;
        if (!seen.insert(row.newName))
            row.checked = false;
    }
    if (outcome.failed) {
        m_errors.report(Location, ErrorNumbers::InvalidProcedureCall,
                        errorText(ErrorNumbers::InvalidProcedureCall) +
                            QStringLiteral(" Position: ") + QString::number(RuleStep));
        result.outcome = PreviewOutcome::Failed;
        return result;
    }
    if (outcome.cancelled) {
        result.outcome = PreviewOutcome::Cancelled;
        return result;
    }
    return result;
}

PreviewResult PreviewBuilder::build(const std::vector<FileEntry> &files, Progress *progress) {
    // The ticked files' names go into one block the rows share.
    std::vector<qsizetype> tickedRows;
    auto names = std::make_shared<FileRows>();
    for (size_t i = 0; i < files.size(); ++i) {
        const FileEntry &f = files[i];
        if (!f.checked)
            continue;
        if (names->appendName(f.nameBytes()))
            tickedRows.push_back(qsizetype(i));
    }
    return run(
        qsizetype(tickedRows.size()), names,
        [&](qsizetype i) {
            const qsizetype at = tickedRows[size_t(i)];
            return TickedFile{files[size_t(at)].fileName, at, size_t(i)};
        },
        progress);
}

PreviewResult PreviewBuilder::build(const TickedRows &files, Progress *progress) {
    const SharedRows names = files.rows ? files.rows : std::make_shared<const FileRows>();
    return run(
        qsizetype(files.ticked.size()), names,
        [&](qsizetype i) {
            const size_t at = files.ticked[size_t(i)];
            return TickedFile{names->name(at), qsizetype(at), at};
        },
        progress);
}

PreviewResult PreviewBuilder::build(SharedRows files, Progress *progress) {
    if (!files)
        files = std::make_shared<const FileRows>();
    return run(
        qsizetype(files->size()), files,
        [&](qsizetype i) {
            return TickedFile{files->name(size_t(i)), i, size_t(i)};
        },
        progress);
}

PreviewResult PreviewBuilder::build(const QStringList &tickedNames, Progress *progress,
                                    const std::vector<qsizetype> &sourceIndexes) {
    // A name no file can have (over 65,535 bytes) is left out, as the listing leaves it out.
    auto names = std::make_shared<FileRows>();
    std::vector<qsizetype> kept;
    kept.reserve(size_t(tickedNames.size()));
    for (qsizetype i = 0; i < tickedNames.size(); ++i)
        if (names->appendName(nameToBytes(tickedNames[i])))
            kept.push_back(i);
    return run(
        qsizetype(kept.size()), names,
        [&](qsizetype i) {
            const qsizetype given = kept[size_t(i)];
            const qsizetype at =
                given < qsizetype(sourceIndexes.size()) ? sourceIndexes[size_t(given)] : given;
            return TickedFile{tickedNames[given], at, size_t(i)};
        },
        progress);
}

} // namespace tallowin
