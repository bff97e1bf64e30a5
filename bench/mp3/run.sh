#!/usr/bin/env bash
# Reads the tags and stream facts of 2,000 MP3 files with our reader and with TagLib, warm
# cache, best and median of ROUNDS rounds each, and prints the ratio.
# Usage: bench/mp3/run.sh [ROUNDS]   (needs lame, python3-mutagen, libtag1-dev)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
rounds=${1:-7}
out=$root/build-bench
corpus=$out/mp3-corpus
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3

cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLOWIN_GUI=OFF >/dev/null
cmake --build "$out" -j2 --target tallowin-core >/dev/null
flags="-O2 -std=c++20 -fPIC -DNDEBUG"
# shellcheck disable=SC2086,SC2046
g++ $flags -I"$root/src/core" -I"$root/src" $(pkg-config --cflags Qt6Core) \
    "$root/bench/mp3/bench_tallowin.cpp" "$out/lib/libtallowin-core.a" \
    $(pkg-config --libs Qt6Core) -o "$out/bench_mp3_tallowin"
# shellcheck disable=SC2086,SC2046
g++ $flags $(pkg-config --cflags taglib) "$root/bench/mp3/bench_taglib.cpp" \
    $(pkg-config --libs taglib) -o "$out/bench_mp3_taglib"

if [ ! -f "$corpus/01999.mp3" ]; then
    echo "making 2000 MP3 files in $corpus ..."
    "$PY" "$root/bench/mp3/make-corpus.py" "$corpus" 2000
fi
list=$(find "$corpus" -name '*.mp3' | sort)
count=$(echo "$list" | wc -l)
size=$(du -sh "$corpus" | cut -f1)

read -r ours_best ours_median _ < <(echo "$list" |
    "$out/bench_mp3_tallowin" "$rounds" "$out/mp3-tallowin.tsv")
read -r tl_best tl_median _ < <(echo "$list" | "$out/bench_mp3_taglib" "$rounds" "$out/mp3-taglib.tsv")
# Title, artist, album, year, track number, genre and frequency per file, side by side. Our
# reader never takes a track number from ID3v1, so an empty track of ours is not compared.
differ=$(paste -d '\n' "$out/mp3-tallowin.tsv" "$out/mp3-taglib.tsv" | paste - - |
    awk -F'\t' '{ for (i = 1; i <= 7; i++) if ($i != $(i + 7) && !(i == 5 && $i == "")) { n++; break } } END { print n + 0 }')
echo "$count files ($size), $rounds rounds, warm cache"
printf '%-10s best %8.1f ms   median %8.1f ms\n' tallowin "$ours_best" "$ours_median" \
    TagLib "$tl_best" "$tl_median"
awk -v a="$tl_best" -v b="$ours_best" -v c="$tl_median" -v d="$ours_median" \
    'BEGIN { printf "TagLib time / our time: best %.2fx, median %.2fx\n", a / b, c / d }'
echo "files where the two readers disagree on a tag value or the frequency: $differ"
