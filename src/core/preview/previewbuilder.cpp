#include "preview/previewbuilder.h"

#include "engine/text.h"

#include <QSet>

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
} // namespace

PreviewResult PreviewBuilder::build(const QStringList &tickedNames, Progress *progress,
                                    const std::vector<qsizetype> &sourceIndexes) {
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
    const qint64 total = qint64(tickedNames.size()) * ruleCount;
    result.marker = 4;
    if (progress) {
        progress->setStatus(QStringLiteral("Preparing To Preview File Name Changes"));
        progress->SetCompleted(clamp32(total), 0);
    }
    qint64 done = 0;
    result.marker = 5;
    result.rows.reserve(size_t(tickedNames.size()));
    // New names seen so far, folded so that a repeat differing only in case is found.
    QSet<QString> seen;
    seen.reserve(tickedNames.size());
    for (qsizetype i = 0; i < tickedNames.size(); ++i) {
        if (progress && progress->cancelled()) {
            result.outcome = PreviewOutcome::Cancelled;
            return result;
        }
        const QString &fileName = tickedNames[i];
        result.marker = 6;
        if (progress)
            progress->setStatus(QStringLiteral("Applying Rules To: ") + fileName);
        auto [name, ext] = text::splitAtLastDot(fileName);
        result.marker = 7;
        for (int slot = 1; slot <= ruleCount; ++slot) {
            const QString joined = m_engine.ApplyStandardRuleToFile(name, ext, qint16(slot));
            result.marker = 8;
            if (!joined.contains(u'.')) {
                // A failed rule (or an unknown kind) leaves nothing to split.
                m_errors.report(Location, ErrorNumbers::InvalidProcedureCall,
                                errorText(ErrorNumbers::InvalidProcedureCall) +
                                    QStringLiteral(" Position: ") +
                                    QString::number(result.marker));
                result.outcome = PreviewOutcome::Failed;
                return result;
            }
            auto split = text::splitAtLastDot(joined);
            name = std::move(split.name);
            ext = std::move(split.extension);
            ++done;
            result.marker = 9;
            if (progress)
                progress->SetCompleted(clamp32(total), clamp32(done));
        }
        result.marker = 10;
        // Earlier rows are compared as shown, this one as the rules left it.
        const bool duplicate = seen.contains(text::join(name, ext).toCaseFolded());
        PreviewEntry row;
        row.oldName = fileName;
        QString shownName = name;
        shownName.replace(u'/', u'-');
        row.newName = text::join(shownName, ext);
        row.sourceIndex = i < qsizetype(sourceIndexes.size()) ? sourceIndexes[size_t(i)] : i;
        seen.insert(row.newName.toCaseFolded());
        result.marker = 11;
        row.checked = !duplicate && !holdsMp3Placeholder(name);
        result.rows.push_back(std::move(row));
    }
    result.marker = 14;
    return result;
}

} // namespace tallowin
