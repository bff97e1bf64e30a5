#!/usr/bin/env bash
# Fuzzes the MP3 reader with libFuzzer under ASan and UBSan for SECONDS (default 60), seeded
# with the test files; or, with "replay FILE...", reads the files once under the sanitizers.
# Needs clang. Usage: tests/core/mp3/fuzz/run.sh [SECONDS] | replay FILE...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
out=$root/build-fuzz
mkdir -p "$out/corpus"
build() { # OUTPUT EXTRA-FLAGS...
    local output=$1
    shift
    # shellcheck disable=SC2046
    clang++ -std=c++20 -g -O1 -fPIC "$@" -I"$root/src/core" -I"$root/src" \
        $(pkg-config --cflags Qt6Core) "$here/fuzz_mp3reader.cpp" "$root"/src/core/mp3/*.cpp \
        "$root/src/core/engine/numbers.cpp" $(pkg-config --libs Qt6Core) -o "$output"
}
if [ "${1:-}" = replay ]; then
    shift
    build "$out/replay_mp3reader" -fsanitize=address,undefined -fno-sanitize-recover=undefined
    exec "$out/replay_mp3reader" "$@"
fi
cp -n "$root"/tests/data/mp3/*.mp3 "$root"/tests/data/mp3/hostile/*.mp3 "$out/corpus/" \
    2>/dev/null || true
build "$out/fuzz_mp3reader" -fsanitize=fuzzer,address,undefined -DTALLOWIN_LIBFUZZER
# Inputs up to 64 KiB may never make the reader ask for more than 64 MiB at once.
"$out/fuzz_mp3reader" -max_total_time="${1:-60}" -max_len=65536 -rss_limit_mb=512 \
    -malloc_limit_mb=64 "$out/corpus"
