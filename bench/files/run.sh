#!/bin/bash
# Times tallowin-cli list, preview (10 rules) and rename on a folder of N files (default
# 100000) beside C floors: one readdir+statx pass for listing, one renameat2 loop for renaming.
# Usage: bench/files/run.sh [N] [RUNS]     (builds a Release tallowin-cli into build-bench/)
set -euo pipefail
N=${1:-100000}
RUNS=${2:-5}
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
BUILD=${TALLOWIN_BENCH_BUILD:-$ROOT/build-bench}

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLOWIN_GUI=OFF >/dev/null
cmake --build "$BUILD" -j2 --target tallowin-cli >/dev/null
CLI=$BUILD/bin/tallowin-cli

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tallowin-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cc -O2 -o "$WORK/listfloor" "$HERE/listfloor.c"
cc -O2 -o "$WORK/renamefloor" "$HERE/renamefloor.c"

# A folder of N empty files named file_000001.txt ... (the kind of names a camera or a
# download leaves), created in shuffled order so the folder is not already in name order.
make_folder() {
    python3 - "$1" "$N" <<'PY'
import os, random, sys
folder, n = sys.argv[1], int(sys.argv[2])
os.makedirs(folder)
numbers = list(range(1, n + 1))
random.Random(7).shuffle(numbers)
for i in numbers:
    os.close(os.open(os.path.join(folder, "file_%06d.txt" % i), os.O_CREAT | os.O_WRONLY, 0o644))
PY
}

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", b - a }'; }
min() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Best wall time of RUNS runs of a read-only command (one warm-up run first).
best_of() {
    local best="" t0 t1
    "$@" >/dev/null 2>&1 || true
    for ((i = 0; i < RUNS; i++)); do
        t0=$(now)
        "$@" >/dev/null
        t1=$(now)
        best=$(min "$best" "$(elapsed "$t0" "$t1")")
    done
    echo "$best"
}

# Best wall time of a renaming command, each run on a fresh folder.
best_rename() {
    local best="" t0 t1 k
    for ((k = 0; k < 3; k++)); do
        rm -rf "$WORK/r"
        make_folder "$WORK/r"
        sync
        t0=$(now)
        "$@" >/dev/null
        t1=$(now)
        best=$(min "$best" "$(elapsed "$t0" "$t1")")
    done
    echo "$best"
}

RULES=(
    --rule 'STANDARDREPLACE|file|doc|1|||||replace'
    --rule 'STANDARDINSERT|new_|Start|||||insert'
    --rule 'STANDARDAUTOSTARTEND|End|5|1|1|||auto number'
    --rule 'STANDARDLETTERUPPERCASE|0||||||upper case'
    --rule 'STANDARDMISCTRIM|||||||trim'
    --rule 'STANDARDBEFOREAFTER|-x|After|DOC|1||||before after'
    --rule 'STANDARDEXTREPLACE|txt|dat|||||ext replace'
    --rule 'STANDARDMISCREPLACESPACES|||||||spaces'
    --rule 'STANDARDLETTERFIRSTCAP|0||||||first cap'
    --rule 'STANDARDEXTINSERT|v|End|||||ext insert'
)

# A command counts as built when it succeeds on a small folder.
mkdir -p "$WORK/probe" && touch "$WORK/probe/file_1.txt"
have() { "$CLI" "$@" "$WORK/probe" >/dev/null 2>&1; }

echo "tallowin-cli at $CLI; $N files; best of $RUNS (rename: best of 3, fresh folder each)"
make_folder "$WORK/f"
count=$("$CLI" list "$WORK/f" | wc -l)
[ "$count" -eq "$N" ] || { echo "list gave $count rows, expected $N" >&2; exit 1; }

floor_list=$(best_of "$WORK/listfloor" "$WORK/f")
list=$(best_of "$CLI" list "$WORK/f")
printf '%-34s %8ss\n' "floor: readdir+statx" "$floor_list"
printf '%-34s %8ss   %sx floor (goal <= 1.5x)\n' "tallowin-cli list" "$list" "$(ratio "$list" "$floor_list")"

if have preview "${RULES[@]}"; then
    preview=$(best_of "$CLI" preview "${RULES[@]}" "$WORK/f")
    printf '%-34s %8ss   %sx list (goal < 2x)\n' "tallowin-cli preview (10 rules)" "$preview" \
        "$(ratio "$preview" "$list")"
else
    echo "tallowin-cli preview: not available in this build"
fi

if have rename --rule 'STANDARDREPLACE|file_|doc_|1|||||' ; then
    floor_rename=$(best_rename "$WORK/renamefloor" "$WORK/r" file_ doc_)
    rename=$(best_rename "$CLI" rename --rule 'STANDARDREPLACE|file_|doc_|1|||||' "$WORK/r")
    [ "$(ls "$WORK/r" | grep -c '^doc_')" -eq "$N" ] || { echo "rename missed files" >&2; exit 1; }
    printf '%-34s %8ss\n' "floor: renameat2 loop" "$floor_rename"
    printf '%-34s %8ss   %sx floor (goal <= 1.3x)\n' "tallowin-cli rename (1 rule)" "$rename" \
        "$(ratio "$rename" "$floor_rename")"
else
    echo "tallowin-cli rename: not available in this build"
fi
