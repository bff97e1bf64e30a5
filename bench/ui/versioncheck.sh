#!/bin/bash
# The window's longest event-loop gap while the start-up's version check waits on a site that
# holds its answer DELAY ms (default 700), beside the idle noise floor, as medians of ROUNDS
# rounds (default 5). The builds take turns, their order reversed every other round, so a busy
# machine weighs on each alike; the load before and after is printed with the figures.
# Usage: bench/ui/versioncheck.sh [ROUNDS] [DELAY] [LABEL=BUILD_DIR ...]
#   Without builds, builds Release into build-bench-ui/ and measures that. A build directory
#   must hold bin/bench_versioncheck. Runs under Xvfb when xvfb-run is there, else offscreen.
set -euo pipefail
ROUNDS=${1:-5}
DELAY=${2:-700}
shift $(($# > 2 ? 2 : $#))
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
BUILDS=("$@")
if [ ${#BUILDS[@]} -eq 0 ]; then
    BUILD=${TALLOWIN_BENCH_BUILD:-$ROOT/build-bench-ui}
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD" -j2 --target bench_versioncheck >/dev/null
    BUILDS=("this=$BUILD")
fi
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tallowin-bench-vc.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
mkdir -m 700 "$WORK/runtime"
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data TALLOWIN_HOME=$WORK/home \
    XDG_RUNTIME_DIR=$WORK/runtime
RESULTS=$WORK/results.tsv
: >"$RESULTS"

one() { # label=build
    local label=${1%%=*} build=${1#*=}
    if command -v xvfb-run >/dev/null; then
        xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/bench_versioncheck" 1 "$DELAY"
    else
        QT_QPA_PLATFORM=offscreen "$build/bin/bench_versioncheck" 1 "$DELAY"
    fi | sed "s/^/$label\t/" >>"$RESULTS"
}

echo "$ROUNDS rounds, site delay $DELAY ms; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for ((r = 0; r < ROUNDS; r++)); do
    order=("${BUILDS[@]}")
    if ((r % 2)); then
        order=()
        for ((i = ${#BUILDS[@]} - 1; i >= 0; i--)); do order+=("${BUILDS[i]}"); done
    fi
    for b in "${order[@]}"; do one "$b"; done
done
echo "load at the end $(cut -d' ' -f1-3 /proc/loadavg)"

python3 - "$RESULTS" <<'PY'
import statistics, sys
rows = {}
labels = []
for line in open(sys.argv[1]):
    label, phase, ms, gap = line.rstrip("\n").split("\t")
    if label not in labels:
        labels.append(label)
    rows.setdefault(phase, {}).setdefault(label, []).append((float(ms), float(gap)))
print("medians; per build: time ms / longest event-loop gap ms (max of the rounds)")
print("%-8s" % "phase" + "".join("%-30s" % l for l in labels))
for phase in ("idle", "check"):
    cells = []
    for l in labels:
        runs = rows.get(phase, {}).get(l, [])
        if not runs:
            cells.append("-")
            continue
        cells.append("%7.0f %7.0f (%.0f)" % (statistics.median(r[0] for r in runs),
                                              statistics.median(r[1] for r in runs),
                                              max(r[1] for r in runs)))
    print("%-8s" % phase + "".join("%-30s" % c for c in cells))
PY
