#!/bin/bash
# The windows beside the command line on one folder of N files (default 100000), every
# figure the median of ROUNDS rounds (default 3). A round runs, one after the other, for each
# build: `tallowin-cli list`, `tallowin-cli preview` (10 rules), `tallowin-cli rename` beside a
# renameat2 loop, and the windows (bench_mainwindow: every action of the main window and the
# preview window, each with its longest event-loop gap and peak RSS). The builds take turns,
# their order reversed every other round, so a busy machine weighs on each alike.
# Usage: bench/ui/run.sh [N] [ROUNDS] [LABEL=BUILD_DIR ...]
#   Without builds, builds Release into build-bench-ui/ and measures that. A build directory
#   must hold bin/tallowin-cli and bin/bench_mainwindow. Runs under Xvfb when xvfb-run is
#   there, else on the offscreen platform.
#   TALLOWIN_BENCH_CLI=0 leaves out the command-line phases (at a million files they take most
#   of a round). Every round's figures, with the machine's load when the round's window run
#   began, are kept in TALLOWIN_BENCH_OUT (default: the current folder) as
#   bench-ui-N-TIME.rounds.tsv, the medians beside them as bench-ui-N-TIME.medians.txt.
set -euo pipefail
N=${1:-100000}
ROUNDS=${2:-3}
shift $(($# > 2 ? 2 : $#))
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
BUILDS=("$@")
if [ ${#BUILDS[@]} -eq 0 ]; then
    BUILD=${TALLOWIN_BENCH_BUILD:-$ROOT/build-bench-ui}
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD" -j2 --target bench_mainwindow tallowin-cli >/dev/null
    BUILDS=("this=$BUILD")
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tallowin-bench-ui.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cc -O2 -o "$WORK/renamefloor" "$HERE/../files/renamefloor.c"
python3 - "$WORK/f" "$N" <<'PY'
import os, random, sys
folder, n = sys.argv[1], int(sys.argv[2])
os.makedirs(folder)
numbers = list(range(1, n + 1))
random.Random(7).shuffle(numbers)
for i in numbers:
    os.close(os.open(os.path.join(folder, "file_%06d.txt" % i), os.O_CREAT | os.O_WRONLY, 0o644))
PY
. "$HERE/../rules.sh"
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data TALLOWIN_HOME=$WORK/home
OUT=${TALLOWIN_BENCH_OUT:-$PWD}/bench-ui-$N-$(date +%Y%m%d-%H%M%S)
RESULTS=$OUT.rounds.tsv
printf 'label\tphase\tms\tgap ms\trss MB\tui work in gap ms\tround\tload\n' >"$RESULTS"
ROUND=0

# The prefix every file has now: each rename turns it into the other.
prefix() { if [ -e "$WORK/f/file_000001.txt" ]; then echo file_; else echo doc_; fi; }
other() { if [ "$1" = file_ ]; then echo doc_; else echo file_; fi; }

# Appends "label<TAB>phase<TAB>ms<TAB>gap<TAB>rss MB<TAB>work<TAB>round<TAB>load" for one timed
# command (work: the UI thread's CPU time within the longest gap; none here).
timed() { # label phase command...
    local label=$1 phase=$2
    shift 2
    /usr/bin/time -f "%e %M" -o "$WORK/time" "$@" >/dev/null
    read -r secs kb <"$WORK/time"
    awk -v l="$label" -v p="$phase" -v s="$secs" -v k="$kb" -v r="$ROUND" -v a="$(load)" \
        'BEGIN { printf "%s\t%s\t%.1f\t-\t%.1f\t-\t%s\t%s\n", l, p, s * 1000, k / 1024, r, a }' \
        >>"$RESULTS"
}

load() { cut -d' ' -f1 /proc/loadavg; }

window() { # label build
    local tail
    tail="\t$ROUND\t$(load)"
    if command -v xvfb-run >/dev/null; then
        xvfb-run -a -s "-screen 0 1280x1024x24" "$2/bin/bench_mainwindow" "$WORK/f"
    else
        QT_QPA_PLATFORM=offscreen "$2/bin/bench_mainwindow" "$WORK/f"
    fi | sed "s/^/$1\twindow /; s/\$/$tail/" >>"$RESULTS"
}

one() { # label=build
    local label=${1%%=*} build=${1#*=} from
    local cli=$build/bin/tallowin-cli
    if [ "${TALLOWIN_BENCH_CLI:-1}" = 0 ]; then
        window "$label" "$build"
        return
    fi
    timed "$label" "cli list" "$cli" list "$WORK/f"
    timed "$label" "cli preview" "$cli" preview "${BENCH_RULES[@]}" "$WORK/f"
    from=$(prefix)
    sync
    timed "$label" "floor rename" "$WORK/renamefloor" "$WORK/f" "$from" "$(other "$from")"
    from=$(prefix)
    sync
    timed "$label" "cli rename" "$cli" rename --rule "STANDARDREPLACE|$from|$(other "$from")|1||||" \
        "$WORK/f"
    window "$label" "$build"
}

"${BUILDS[0]#*=}/bin/tallowin-cli" list "$WORK/f" >/dev/null # warm the caches
echo "$N files, $ROUNDS rounds; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)" |
    tee "$OUT.medians.txt"
for ((r = 0; r < ROUNDS; r++)); do
    ROUND=$((r + 1))
    order=("${BUILDS[@]}")
    if ((r % 2)); then
        order=()
        for ((i = ${#BUILDS[@]} - 1; i >= 0; i--)); do order+=("${BUILDS[i]}"); done
    fi
    for b in "${order[@]}"; do one "$b"; done
done
echo "load at the end $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$OUT.medians.txt"

python3 - "$RESULTS" <<'PY' | tee -a "$OUT.medians.txt"
import statistics, sys
from collections import OrderedDict
rows = OrderedDict()
labels = []
for line in list(open(sys.argv[1]))[1:]:
    label, phase, ms, gap, rss, work, _round, _load = line.rstrip("\n").split("\t")
    if label not in labels:
        labels.append(label)
    rows.setdefault(phase, {}).setdefault(label, []).append((ms, gap, rss, work))
def med(values):
    values = [float(v) for v in values if v != "-"]
    return statistics.median(values) if values else None
def fmt(v, f):
    return "-" if v is None else f % v
print("medians; per build: time ms / longest event-loop gap ms / the UI thread's CPU ms in")
print("that gap (near the gap: the program's own work; near 0: a wait for the machine) / peak RSS MB")
print("%-22s" % "phase" + "".join("%-32s" % l for l in labels))
for phase, by in rows.items():
    cells = []
    for l in labels:
        runs = by.get(l, [])
        cells.append("%9s %6s %6s %7s" % (fmt(med(r[0] for r in runs), "%.0f"),
                                          fmt(med(r[1] for r in runs), "%.0f"),
                                          fmt(med(r[3] for r in runs), "%.0f"),
                                          fmt(med(r[2] for r in runs), "%.0f")))
    print("%-22s" % phase + "".join("%-32s" % c for c in cells))
PY
echo "every round: $RESULTS"
