// Feeds arbitrary bytes to the MP3 reader. Built with -fsanitize=fuzzer it is a libFuzzer target;
// built without, it replays the files named on its command line (a crash found by the fuzzer
// becomes a file in tests/data/mp3/hostile/, named after what it did).
#include "mp3/mp3reader.h"

#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    tallowin::MemoryByteSource source(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    tallowin::Mp3Reader reader;
    reader.read(source);
    return 0;
}

#ifndef TALLOWIN_LIBFUZZER
int main(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        QFile f(QString::fromLocal8Bit(argv[i]));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 2;
        }
        const QByteArray bytes = f.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                               size_t(bytes.size()));
        std::printf("ok %s\n", argv[i]);
    }
    return 0;
}
#endif
