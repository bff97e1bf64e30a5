#pragma once

// The main of a fuzz target built as a replay program (without -fsanitize=fuzzer): feeds it
// every file named on the command line, and every file inside a named folder (a corpus),
// so the normal test run reads each committed input once. A failed invariant aborts.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace tallowin::fuzz {

inline bool replayFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = f.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           size_t(bytes.size()));
    return true;
}

} // namespace tallowin::fuzz

int main(int argc, char **argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                if (!tallowin::fuzz::replayFile(it.next()))
                    return 2;
                ++files;
            }
        } else {
            if (!tallowin::fuzz::replayFile(arg))
                return 2;
            ++files;
        }
    }
    std::printf("replayed %d inputs\n", files);
    // An empty corpus would prove nothing.
    return files > 0 ? 0 : 2;
}
