// The same work done with TagLib, for comparison: tags and audio properties of every file
// named on standard input, ROUNDS times; prints best and median round (ms) and a checksum.
// With a second argument, also writes one line per file of what was read, for comparing.
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    std::vector<std::string> files;
    for (std::string line; std::getline(std::cin, line);)
        if (!line.empty())
            files.push_back(line);
    std::vector<double> times;
    long long checksum = 0;
    for (int r = 0; r < rounds; ++r) {
        checksum = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const std::string &f : files) {
            TagLib::MPEG::File file(f.c_str(), true, TagLib::AudioProperties::Average);
            if (const TagLib::Tag *t = file.tag())
                checksum += t->title().size() + t->artist().size() + t->album().size() + t->year() +
                            t->track() + t->genre().size() + t->comment().size();
            if (const auto *p = file.audioProperties())
                checksum += p->bitrate() + p->sampleRate() + p->channels() + p->lengthInSeconds();
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (argc > 2) {
        std::FILE *dump = std::fopen(argv[2], "w");
        if (!dump)
            return 2;
        auto num = [](unsigned n) { return n ? std::to_string(n) : std::string(); };
        for (const std::string &f : files) {
            TagLib::MPEG::File file(f.c_str(), true, TagLib::AudioProperties::Average);
            const TagLib::Tag *t = file.tag();
            const auto *p = file.audioProperties();
            std::fprintf(dump, "%s\t%s\t%s\t%s\t%s\t%s\t%s\n", t->title().toCString(true),
                         t->artist().toCString(true), t->album().toCString(true),
                         num(t->year()).c_str(), num(t->track()).c_str(),
                         t->genre().toCString(true), p ? num(p->sampleRate()).c_str() : "");
        }
        std::fclose(dump);
    }
    std::sort(times.begin(), times.end());
    std::printf("%.2f %.2f %lld\n", times.front(), times[times.size() / 2], checksum);
}
