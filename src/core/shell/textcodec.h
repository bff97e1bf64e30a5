#pragma once

#include <QByteArray>
#include <QString>

namespace tallowin {

// Text files from other systems: UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString decodeText(QByteArrayView bytes);
bool isValidUtf8(QByteArrayView bytes);
QString fromWindows1252(QByteArrayView bytes);

// Calls `line(QByteArrayView)` for each line; lines end at CR LF, CR or LF. A final line
// without a break counts, an empty tail does not. `line` returns false to stop early.
template <typename F> void forEachLine(QByteArrayView bytes, F &&line) {
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        if (!line(bytes.sliced(start, i - start)))
            return;
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        line(bytes.sliced(start));
}

} // namespace tallowin
