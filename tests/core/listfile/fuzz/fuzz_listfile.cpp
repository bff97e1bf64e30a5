// Feeds arbitrary bytes to the rename-list-file reader. The first byte picks the delimiter, the
// header option and the size of the blocks the file arrives in; the rest is the file. The rows
// must be those a reading of the whole file at once gives. Built with -fsanitize=fuzzer it is a
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
    QByteArrayView text = content;
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    qsizetype index = 0;
    bool header = options.header;
    forEachLine(text, [&](QByteArrayView line) {
        const qsizetype at = index++;
        QString current, next;
        if (header)
            header = false;
        else if (ListFile::splitLine(decodeText(line), delimiter, current, next) &&
                 folder().names.contains(current.toUtf8()))
            expected.push_back({current, next, at});
        return true;
    });
    FUZZ_CHECK(result.rows.size() == expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const PreviewEntry &row = result.rows[i];
        FUZZ_CHECK(row.oldName() == expected[i].oldName && row.newName == expected[i].newName);
        FUZZ_CHECK(row.sourceIndex == expected[i].sourceIndex && row.checked);
        // Every old name is a plain name of the folder; no line break gets into a new name.
        FUZZ_CHECK(isPlainFileName(row.oldBytes()));
        FUZZ_CHECK(!row.newName.contains(u'\n') && !row.newName.contains(u'\r'));
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
