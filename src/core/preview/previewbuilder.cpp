#include "preview/previewbuilder.h"

#include "engine/text.h"
#include "preview/foldednameset.h"

#include <limits>

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

} // namespace

template <typename Next>
PreviewResult PreviewBuilder::run(qsizetype ticked, Next &&next, Progress *progress) {
    PreviewResult result;
    m_engine.AutoNumberCounter = 0;
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
    qint64 done = 0;
    result.marker = 5;
    result.rows.reserve(size_t(ticked));
    // The new names shown so far, by clash key, so each test is one look-up.
    FoldedNameSet seen(ticked);
    for (qsizetype i = 0; i < ticked; ++i) {
        if (progress && progress->cancelled()) {
            result.outcome = PreviewOutcome::Cancelled;
            return result;
        }
        TickedFile file = next(i);
        const QString &fileName = *file.name;
        result.marker = 6;
        if (progress)
            progress->setStatus(QStringLiteral("Applying Rules To: ") + fileName);
        auto [name, ext] = text::splitAtLastDot(fileName);
        result.marker = 7;
        for (int slot = 1; slot <= ruleCount; ++slot) {
            QString joined = m_engine.ApplyStandardRuleToFile(name, ext, qint16(slot));
            result.marker = 8;
            const qsizetype dot = joined.lastIndexOf(u'.');
            if (dot < 0) {
                // A failed rule (or an unknown kind) leaves nothing to split.
                m_errors.report(Location, ErrorNumbers::InvalidProcedureCall,
                                errorText(ErrorNumbers::InvalidProcedureCall) +
                                    QStringLiteral(" Position: ") +
                                    QString::number(result.marker));
                result.outcome = PreviewOutcome::Failed;
                return result;
            }
            // Most rules leave the two parts exactly as they return them joined; then the
            // split is already done. Otherwise truncate the result in place.
            const bool asJoined = dot == name.size() && joined.size() == dot + 1 + ext.size() &&
                                  QStringView(joined).left(dot) == name &&
                                  QStringView(joined).sliced(dot + 1) == ext;
            if (!asJoined) {
                ext = joined.mid(dot + 1);
                name = std::move(joined);
                name.truncate(dot);
            }
            ++done;
            result.marker = 9;
            if (progress)
                progress->SetCompleted(total, clamp32(done));
        }
        result.marker = 10;
        PreviewEntry row;
        row.oldName = fileName;
        row.oldNative = std::move(file.native);
        row.sourceIndex = file.sourceIndex;
        // A "/" cannot stand in a file name; the row shows (and later writes) "-" instead.
        // Clashes are tested on the name as shown, since that is the name the rename writes.
        if (name.contains(u'/'))
            name.replace(u'/', u'-');
        row.newName = text::join(name, ext);
        const bool duplicate = !seen.insert(row.newName);
        result.marker = 11;
        row.checked = !duplicate && !(name.contains(u'%') && holdsMp3Placeholder(name));
        result.rows.push_back(std::move(row));
    }
    result.marker = 12;
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
