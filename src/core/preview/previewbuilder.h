#pragma once

#include "base/progress.h"
#include "engine/ruleengine.h"
#include "files/directorylisting.h"
#include "shell/filenamecodec.h"
#include "shell/locations.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace tallowin {

// One row of the preview: the name as listed, the new name, and whether it will be renamed.
// The old name is not copied into the row: it stays in the rows it came from (the listing's own,
// shared, or a block the rows made together share), so a row costs little beyond its new name.
struct PreviewEntry {
    QString newName;
    // Where the old name's exact bytes are: row `nameRow` of `names`. No names: an empty name.
    SharedRows names;
    // Index of the file in the list the preview was built from.
    qsizetype sourceIndex = -1;
    quint32 nameRow = 0;
    bool checked = false;

    // The exact bytes of the old name on disk; renames use these, never the text shown.
    QByteArrayView oldBytesView() const {
        return names ? names->nameBytes(nameRow) : QByteArrayView();
    }
    QByteArray oldBytes() const { return oldBytesView().toByteArray(); }
    // The old name as text (bytes that are not UTF-8 kept as escapes); made on each call.
    QString oldName() const { return names ? names->name(nameRow) : QString(); }

    // Gives the row the old name `bytes`, added to `block`, which rows made together share.
    // A name FileRows cannot hold (over 65,535 bytes: no file has one) leaves the row nameless.
    void setOldBytes(QByteArrayView bytes, const std::shared_ptr<FileRows> &block);
    // The same in a block of its own, for a row made alone.
    void setOldBytes(QByteArrayView bytes) { setOldBytes(bytes, std::make_shared<FileRows>()); }
    void setOldName(QStringView text) { setOldBytes(nameToBytes(text)); }
};
// A preview may hold a million rows: each stays well under 80 bytes beside its new name's text.
static_assert(sizeof(PreviewEntry) <= 56);

// The key two new names clash on: equal keys differ at most in letter case.
inline QString previewNameKey(const QString &name) {
    return name.toCaseFolded();
}

enum class PreviewOutcome { Done, NoRules, Failed, Cancelled };

struct PreviewResult {
    PreviewOutcome outcome = PreviewOutcome::Done;
    std::vector<PreviewEntry> rows;
    // The numbering counter as the run left it.
    NumberingState numbering;
    qsizetype tickedCount() const;
};

inline const QString NoRulesMessage = QStringLiteral(QT_TRANSLATE_NOOP(
    "tallowin::core",
    "You have not selected any rules to apply to these files, thus I am unable to preview any "
    "changes.  Please add some rules before previewing."));

// Builds the preview rows of the ticked files (in list order): starts the numbering counter
// afresh, applies every rule in slot order to each name, and ticks each row unless its new
// name repeats an earlier one (ignoring case) or still holds an MP3 placeholder.
// A rule failure ends the run, reported with location 50 and the step it was in.
// Every caller runs the same code: large runs share the files among threads (unless the rules
// read the files), with the same rows, reports and counter as a run file by file. A Progress,
// when given, gets the caption and counts and may cancel between blocks of files; a cancelled
// run keeps the rows finished before the first file left undone.
class PreviewBuilder {
public:
    static constexpr qint32 Location = Locations::BuildPreview;

    PreviewBuilder(const RuleEngine &engine, ErrorReporter &errors)
        : m_engine(engine), m_errors(errors) {}

    // The ticked rows of a file list; each row keeps its file's index and name bytes.
    PreviewResult build(const std::vector<FileEntry> &files, Progress *progress = nullptr);
    // The rows `files.ticked` names, in that order; each row keeps its index into the rows.
    PreviewResult build(const TickedRows &files, Progress *progress = nullptr);
    // Every row of a listing.
    PreviewResult build(SharedRows files, Progress *progress = nullptr);

    // `tickedNames` are the ticked files' names in list order; `sourceIndexes`, when given,
    // names each one's row in the caller's list.
    PreviewResult build(const QStringList &tickedNames, Progress *progress = nullptr,
                        const std::vector<qsizetype> &sourceIndexes = {});

private:
    template <typename Next>
    PreviewResult run(qsizetype ticked, const SharedRows &names, Next &&next, Progress *progress);

    const RuleEngine &m_engine;
    ErrorReporter &m_errors;
};

} // namespace tallowin
