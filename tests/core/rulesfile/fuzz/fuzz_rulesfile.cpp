// Feeds arbitrary bytes to the rules-file reader as a rules file, writes the rules back and
// reads them again, then previews a few awkward names with them. Built with -fsanitize=fuzzer
// it is a libFuzzer target; built without, it replays the files and folders it is given.
#include "engine/ruleengine.h"
#include "preview/previewbuilder.h"
#include "rename/renamer.h"
#include "rulesfile/rulesfile.h"

#include "fuzz/fuzz_check.h"

#include <cstdint>

using namespace tallowin;

namespace {

// The names of a folder the rules are tried on: every one a plain name, some hostile.
const QStringList &names() {
    static const QStringList list = {QStringLiteral("a.txt"),
                                     QStringLiteral("noext"),
                                     QStringLiteral(".hidden"),
                                     QStringLiteral("a.b.c"),
                                     QStringLiteral("%artist%.mp3"),
                                     QStringLiteral("caf\u00e9 \u00c9T\u00c9.MP3"),
                                     QStringLiteral("tab\there"),
                                     QStringLiteral("trail. "),
                                     QStringLiteral("x"),
                                     QStringLiteral("12 - track 007.mp3")};
    return list;
}

// Tags that would carry a path or a dot name into a new name if nothing stopped them.
Mp3Info hostileTags(const QString &) {
    Mp3Info m;
    m.songName = QStringLiteral("../up");
    m.artist = QStringLiteral("a/b");
    m.album = QStringLiteral("..");
    m.track = QStringLiteral(".");
    m.year = QStringLiteral("/");
    m.genre = QStringLiteral("%artist%");
    return m;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    RuleTable rules;
    const int lines = RulesFile::readBytes(bytes, rules);
    FUZZ_CHECK(rules.ruleCount() <= MaxRules && rules.ruleCount() <= lines);

    // A rule written back reads back the same, line by line and as a whole file.
    QByteArray file;
    for (int slot = 1; slot <= rules.ruleCount(); ++slot) {
        const RuleSlot &rule = rules.slot(slot);
        const QString line = RulesFile::ruleLine(rule);
        RuleSlot back;
        FUZZ_CHECK(RulesFile::parseRuleLine(line, back));
        FUZZ_CHECK(back == rule);
        file += line.toUtf8() + "\r\n";
    }
    RuleTable again;
    RulesFile::readBytes(file, again);
    FUZZ_CHECK(again.ruleCount() == rules.ruleCount());
    for (int slot = 1; slot <= rules.ruleCount(); ++slot)
        FUZZ_CHECK(again.slot(slot) == rules.slot(slot));

    NullErrorReporter errors;
    const RuleEngine engine(rules, errors,
                            Mp3KindContext{QStringLiteral("/nonexistent"), {}, hostileTags});
    const PreviewResult preview = PreviewBuilder(engine, errors).build(names());
    FUZZ_CHECK(preview.rows.size() <= size_t(names().size()));
    for (const PreviewEntry &row : preview.rows) {
        FUZZ_CHECK(row.sourceIndex >= 0 && row.sourceIndex < names().size());
        FUZZ_CHECK(row.oldName() == names()[row.sourceIndex]);
        // Every old name is a plain name of the folder.
        FUZZ_CHECK(isPlainFileName(row.oldBytes()));
        // No new name the rename would accept reaches outside the folder.
        const NewName target = prepareNewName(row.newName);
        if (target.acceptable) {
            FUZZ_CHECK(!target.bytes.contains('/') && !target.bytes.contains('\0'));
            FUZZ_CHECK(target.bytes != "." && target.bytes != ".." && !target.bytes.isEmpty());
            FUZZ_CHECK(target.bytes.size() <= 255);
        }
    }
    return 0;
}

#ifndef TALLOWIN_LIBFUZZER
#include "fuzz/replay_main.h"
#endif
