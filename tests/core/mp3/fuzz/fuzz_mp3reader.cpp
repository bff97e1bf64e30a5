// Feeds arbitrary bytes to the MP3 reader. Built with -fsanitize=fuzzer it is a libFuzzer target;
// built without, it replays the files and folders named on its command line (the committed
// corpus, and tests/data/mp3 where each hostile file is named after what it once did).
#include "mp3/mp3reader.h"

#include "fuzz/fuzz_check.h"

#include <cstdint>

namespace {

void checkText(const QString &field) {
    // Texts end at their terminator and v1 padding goes: no NUL is ever left in a field.
    FUZZ_CHECK(!field.contains(QChar(0)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    tallowin::MemoryByteSource source(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    tallowin::Mp3Reader reader;
    reader.read(source);
    const tallowin::Mp3Info first = reader.info();
    for (const QString *f : {&first.songName, &first.artist, &first.album, &first.year,
                             &first.comment, &first.genre, &first.track})
        checkText(*f);
    // A second read of the same bytes by the same reader starts afresh and finds the same.
    reader.read(source);
    const tallowin::Mp3Info &again = reader.info();
    FUZZ_CHECK(again.songName == first.songName && again.artist == first.artist &&
               again.album == first.album && again.year == first.year &&
               again.comment == first.comment && again.genre == first.genre &&
               again.track == first.track && again.duration == first.duration &&
               again.bitRate == first.bitRate && again.vbr == first.vbr);
    return 0;
}

#ifndef TALLOWIN_LIBFUZZER
#include "fuzz/replay_main.h"
#endif
