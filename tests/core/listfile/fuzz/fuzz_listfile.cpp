// Feeds arbitrary bytes to the rename-list-file reader. The first byte picks the delimiter, the
// header option and the size of the blocks the file arrives in; the rest is the file. The rows
// and the skipped lines must be those a reading of the whole file at once gives; a row's names
// written back as quoted CSV parts must read back the same. Built with -fsanitize=fuzzer it is a
// libFuzzer target; built without, it replays the files and folders it is given.
#include "listfile/listfile.h"
#include "rename/renamer.h"
#include "shell/textcodec.h"

#include "fuzz/fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstring>

using namespace tallowin;

namespace {

// A folder of a few files the lines may name, made once per process.
struct Folder {
    QTemporaryDir dir;
    QSet<QByteArray> names;
    Folder() {
        for (const char *name : {"a.txt", "b.txt", "c d.txt", "caf\xC3\xA9.txt", "x", ".hidden"}) {
            QFile f(dir.path() + u'/' + QString::fromUtf8(name));
            if (f.open(QIODevice::WriteOnly) && name[0] != '.')
                names.insert(name);
        }
    }
};
const Folder &folder() {
    static const Folder f;
    return f;
}

// The file from memory, handed out in blocks of a chosen size.
class MemoryReader : public ListFile::Reader {
public:
    MemoryReader(QByteArrayView bytes, qsizetype block) : m_bytes(bytes), m_block(block) {}
    int open(const QString &, qint64 &size) override {
        size = m_bytes.size();
        return 0;
    }
    int read(char *buffer, qsizetype n, qsizetype &got) override {
        got = qMin(qMin(n, m_block), m_bytes.size() - m_at);
        std::memcpy(buffer, m_bytes.data() + m_at, size_t(got));
        m_at += got;
        return 0;
    }
    void close() override {}

private:
    QByteArrayView m_bytes;
    qsizetype m_block;
    qsizetype m_at = 0;
};

// A name as one wholly quoted part: quotes doubled, the whole in quotes.
QString quoted(const QString &name) {
    QString out = name;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

// How a line was read before quoted parts were understood: quotes removed from the whole line,
// then split. A line without a quote must still read so.
bool splitWithoutQuotes(const QString &line, const QString &delimiter, QString &current,
                        QString &next) {
    const auto trim = [](QString s) {
        while (s.startsWith(u' '))
            s.remove(0, 1);
        while (s.endsWith(u' '))
            s.chop(1);
        return s;
    };
    const QStringList parts = line.split(delimiter);
    if (delimiter.isEmpty() || parts.size() < 2)
        return false;
    current = trim(parts[0]);
    next = trim(parts[1]);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const uchar choice = data[0];
    const QByteArrayView content(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    static const qsizetype blocks[] = {1, 2, 3, 7, 64, 4096, 65536, 1 << 20};
    ListFile::Options options;
    // A regular file, as the reader looks before it reads; its bytes come from `reader`.
    options.path = folder().dir.path() + QStringLiteral("/a.txt");
    options.header = choice & 0x10;
    static const char *const others[] = {"::", ";", "\xC3\xA9", " "};
    switch (choice & 3) {
    case 0:
        options.delimiter = ListFile::Delimiter::Comma;
        break;
    case 1:
        options.delimiter = ListFile::Delimiter::Tab;
        break;
    default:
        options.delimiter = ListFile::Delimiter::Other;
        options.otherDelimiter = QString::fromUtf8(others[(choice >> 2) & 3]);
        break;
    }
    const QString delimiter = options.delimiter == ListFile::Delimiter::Comma ? QStringLiteral(",")
                              : options.delimiter == ListFile::Delimiter::Tab
                                  ? QStringLiteral("\t")
                                  : options.otherDelimiter;
    MemoryReader reader(content, blocks[(choice >> 5) & 7]);
    NullErrorReporter errors;
    const ListFile::Result result =
        ListFile::load(options, folder().dir.path(), errors, nullptr, &reader);
    FUZZ_CHECK(result.outcome == ListFile::Outcome::Loaded);

    // The same file read whole, line by line, each line decoded on its own.
    struct Expected {
        QString oldName, newName;
        qsizetype sourceIndex;
    };
    std::vector<Expected> expected;
    std::vector<qsizetype> skippedLines; // from 1
    QByteArrayView text = content;
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    qsizetype index = 0;
    bool header = options.header;
    forEachLine(text, [&](QByteArrayView line) {
        const qsizetype at = index++;
        QString current, next;
        if (header) {
            header = false;
            return true;
        }
        const QString decoded = decodeText(line);
        const bool split = ListFile::splitLine(decoded, delimiter, current, next);
        if (!decoded.contains(u'"')) {
            QString plainCurrent, plainNext;
            FUZZ_CHECK(splitWithoutQuotes(decoded, delimiter, plainCurrent, plainNext) == split);
            FUZZ_CHECK(!split || (plainCurrent == current && plainNext == next));
        }
        if (split && folder().names.contains(current.toUtf8()))
            expected.push_back({current, next, at});
        else if (!current.isEmpty() || !next.isEmpty())
            skippedLines.push_back(at + 1);
        return true;
    });
    FUZZ_CHECK(result.skipped.size() == skippedLines.size());
    for (size_t i = 0; i < skippedLines.size(); ++i) {
        const ListFile::SkippedLine &s = result.skipped[i];
        FUZZ_CHECK(s.line == skippedLines[i]);
        FUZZ_CHECK(!ListFile::skipReasonText(s.reason).isEmpty());
        FUZZ_CHECK(!folder().names.contains(s.oldName.toUtf8()) || s.newName.isEmpty());
    }
    FUZZ_CHECK(result.rows.size() == expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const PreviewEntry &row = result.rows[i];
        FUZZ_CHECK(row.oldName() == expected[i].oldName && row.newName == expected[i].newName);
        FUZZ_CHECK(row.sourceIndex == expected[i].sourceIndex && row.checked);
        // Every old name is a plain name of the folder; no line break gets into a new name.
        FUZZ_CHECK(isPlainFileName(row.oldBytes()));
        FUZZ_CHECK(!row.newName.contains(u'\n') && !row.newName.contains(u'\r'));
        // Quoted, any two names come back as they were, whatever they hold.
        if (!delimiter.contains(u'"')) {
            QString current, next;
            FUZZ_CHECK(ListFile::splitLine(quoted(row.oldName()) + delimiter + quoted(row.newName),
                                           delimiter, current, next));
            FUZZ_CHECK(current == row.oldName() && next == row.newName);
        }
        const NewName target = prepareNewName(row.newName);
        if (target.acceptable) {
            FUZZ_CHECK(!target.bytes.contains('/') && !target.bytes.contains('\0'));
            FUZZ_CHECK(target.bytes != "." && target.bytes != "..");
        }
    }
    return 0;
}

#ifndef TALLOWIN_LIBFUZZER
#include "fuzz/replay_main.h"
#endif
