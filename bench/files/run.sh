#!/bin/bash
# Times tallowin-cli list, preview (10 rules) and rename on a folder of N files (default
# 100000) beside C floors: one readdir+statx pass for listing, one renameat2 loop for renaming.
# Prints the best wall time and the best CPU time (user + system) of several runs, and ratios;
# on a busy machine the CPU ratios are the steadier ones.
# Rename with its journal is compared with the same rename without it (alternated, medians),
# and with mmv and perl rename (alternated with the bare loop, medians; goals: at most 1.3x the
# loop, ahead of mmv, piped output within 1.1x of output to /dev/null).
# Usage: bench/files/run.sh [N] [RUNS]     (builds a Release tallowin-cli into build-bench/)
set -euo pipefail
N=${1:-100000}
RUNS=${2:-5}
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
BUILD=${TALLOWIN_BENCH_BUILD:-$ROOT/build-bench}

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLOWIN_GUI=OFF >/dev/null
cmake --build "$BUILD" -j2 --target tallowin-cli tallowin-cli-testing >/dev/null
CLI=$BUILD/bin/tallowin-cli
# The same program with the test switches, for the rename without a journal.
TESTING_CLI=$BUILD/bin/tallowin-cli-testing

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tallowin-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cc -O2 -o "$WORK/listfloor" "$HERE/listfloor.c"
cc -O2 -o "$WORK/renamefloor" "$HERE/renamefloor.c"
TIMEIT="python3 $HERE/timeit.py"

# A folder of N empty files named file_000001.txt ... (the kind of names a camera or a
# download leaves), created in shuffled order so the folder is not already in name order.
cat >"$WORK/make_folder.py" <<'PY'
import os, random, shutil, sys
folder, n = sys.argv[1], int(sys.argv[2])
shutil.rmtree(folder, ignore_errors=True)
os.makedirs(folder)
numbers = list(range(1, n + 1))
random.Random(7).shuffle(numbers)
for i in numbers:
    os.close(os.open(os.path.join(folder, "file_%06d.txt" % i), os.O_CREAT | os.O_WRONLY, 0o644))
PY
make_folder() { python3 "$WORK/make_folder.py" "$1" "$N"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# Prints one result line: label, wall, cpu, and the ratios to a reference wall/cpu pair.
report() { # label "wall cpu" ["refwall refcpu" refname goal]
    local label=$1 w c rw rc
    read -r w c <<<"$2"
    if [ $# -gt 2 ]; then
        read -r rw rc <<<"$3"
        printf '%-36s %8ss %8ss   %5sx %5sx  of %s (goal %s)\n' "$label" "$w" "$c" \
            "$(ratio "$w" "$rw")" "$(ratio "$c" "$rc")" "$4" "$5"
    else
        printf '%-36s %8ss %8ss\n' "$label" "$w" "$c"
    fi
}

. "$HERE/../rules.sh"
RENAME_RULE='STANDARDREPLACE|file_|doc_|1||||'

# A command counts as built when it succeeds on a small folder.
mkdir -p "$WORK/probe" && touch "$WORK/probe/file_1.txt"
have() { "$CLI" "$@" "$WORK/probe" >/dev/null 2>&1; }

echo "tallowin-cli at $CLI"
echo "$N files; best of $RUNS runs (rename: of 3, each on a fresh folder); $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-36s %9s %9s   %6s %6s\n' "" "wall" "cpu" "wall" "cpu"
make_folder "$WORK/f"
count=$("$CLI" list "$WORK/f" | wc -l)
[ "$count" -eq "$N" ] || { echo "list gave $count rows, expected $N" >&2; exit 1; }

"$WORK/listfloor" "$WORK/f" >/dev/null # warm the caches
floor_list=$($TIMEIT "$RUNS" "$WORK/listfloor" "$WORK/f")
list=$($TIMEIT "$RUNS" "$CLI" list "$WORK/f")
report "floor: readdir+statx" "$floor_list"
report "tallowin-cli list" "$list" "$floor_list" floor "<= 1.5x"
for by in date number; do
    report "tallowin-cli list --sort $by" "$($TIMEIT "$RUNS" "$CLI" list --sort "$by" "$WORK/f")" \
        "$list" list "-"
done

if have preview "${BENCH_RULES[@]}"; then
    report "tallowin-cli preview (10 rules)" "$($TIMEIT "$RUNS" "$CLI" preview "${BENCH_RULES[@]}" "$WORK/f")" \
        "$list" list "< 2x"
else
    echo "tallowin-cli preview: not available in this build"
fi

if have rename --rule "$RENAME_RULE"; then
    floor_rename=$($TIMEIT --setup "python3 $WORK/make_folder.py $WORK/r $N && sync" 3 \
        "$WORK/renamefloor" "$WORK/r" file_ doc_)
    rename=$($TIMEIT --setup "python3 $WORK/make_folder.py $WORK/r $N && sync" 3 \
        "$CLI" rename --rule "$RENAME_RULE" "$WORK/r")
    [ "$(ls "$WORK/r" | grep -c '^doc_')" -eq "$N" ] || { echo "rename missed files" >&2; exit 1; }
    report "floor: renameat2 loop" "$floor_rename"
    report "tallowin-cli rename (1 rule)" "$rename" "$floor_rename" floor "<= 1.3x"
    # The rename journal: the same rename without it (a switch for this measurement only)
    # and with it, alternated, medians. Each run starts on a fresh, synced folder, so the
    # journal's sync waits for nothing of the run before.
    read -r nw nc jw jc rw rc <<<"$(XDG_STATE_HOME="$WORK/state" python3 "$HERE/abtime.py" \
        "$RUNS" "python3 $WORK/make_folder.py $WORK/r $N && sync" \
        -- env TALLOWIN_BENCH_NO_JOURNAL=1 "$TESTING_CLI" rename --rule "$RENAME_RULE" "$WORK/r" \
        -- "$CLI" rename --rule "$RENAME_RULE" "$WORK/r")"
    printf '%-36s %8ss %8ss   (median of %s, alternated)\n' "rename without journal" "$nw" "$nc" "$RUNS"
    printf '%-36s %8ss %8ss   %5sx %5sx  of without (goal <= 1.15x)\n' "rename with journal" \
        "$jw" "$jc" "$rw" "$rc"
    # Peers, side by side in one alternated run: the bare loop, tallowin-cli (journalled) with
    # its output to /dev/null and piped, mmv and perl rename, each printing a line per file.
    scripts_dir="$ROOT/scripts"
    "$scripts_dir/ensure-deps" mmv rename
    echo "rename peers (each on a fresh, synced folder):"
    XDG_STATE_HOME="$WORK/state" python3 "$HERE/peers.py" "$RUNS" \
        "python3 $WORK/make_folder.py $WORK/r $N && sync" \
        "floor: renameat2 loop=$WORK/renamefloor $WORK/r file_ doc_" \
        "tallowin-cli rename=$CLI rename --rule '$RENAME_RULE' $WORK/r" \
        "tallowin-cli rename | cat=$CLI rename --rule '$RENAME_RULE' $WORK/r | cat" \
        "mmv -v=cd $WORK/r && mmv -v 'file_*' 'doc_#1'" \
        "perl rename -v=cd $WORK/r && find . -maxdepth 1 -name 'file_*' -printf '%f\\0' | rename -0 -v 's/^file_/doc_/'"
else
    echo "tallowin-cli rename: not available in this build"
fi
