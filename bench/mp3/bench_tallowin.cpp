// Reads the tags and stream facts of every file named on standard input with Mp3Reader, ROUNDS
// times; prints the best and median round in milliseconds and a checksum of what was read.
// With a second argument, also writes one line per file of what was read, for comparing.
#include "mp3/mp3reader.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    QStringList files;
    QTextStream in(stdin);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.isEmpty())
            files << line;
    }
    tallowin::Mp3Reader reader;
    std::vector<double> times;
    long long checksum = 0;
    for (int r = 0; r < rounds; ++r) {
        checksum = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const QString &f : files) {
            reader.read(f);
            const auto &m = reader.info();
            checksum += m.songName.size() + m.artist.size() + m.album.size() + m.year.size() +
                        m.track.size() + m.genre.size() + m.comment.size() + m.bitRate.toInt() +
                        m.frequency.toInt() + m.mode.size() + m.duration.size();
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (argc > 2) {
        QFile dump(QString::fromLocal8Bit(argv[2]));
        if (!dump.open(QIODevice::WriteOnly))
            return 2;
        for (const QString &f : files) {
            reader.read(f);
            const auto &m = reader.info();
            dump.write((QStringList{m.songName, m.artist, m.album, m.year,
                                    m.track.section(u'/', 0, 0), m.genre, m.frequency}
                            .join(u'\t') +
                        u'\n')
                           .toUtf8());
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("%.2f %.2f %lld\n", times.front(), times[times.size() / 2], checksum);
}
