#!/bin/bash
# Kills `tallowin-cli rename` (SIGKILL, through the test switch of the tests' build of it,
# tallowin-cli-testing) at K random moments of a run over N files (default 100000 files, 20
# kill points), half of them plain renames and half a --swap-safe rotation of every name
# through a temporary one. After each kill, `tallowin-cli undo` must bring back every name and
# content (SHA-1 compared), losing and doubling nothing. Prints each kill point, the undo's
# time and the verdict.
# Usage: bench/undo/kill-undo.sh [N] [K]   (builds a Release tallowin-cli-testing into
# build-bench/)
set -euo pipefail
N=${1:-100000}
K=${2:-20}
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
BUILD=${TALLOWIN_BENCH_BUILD:-$ROOT/build-bench}
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLOWIN_GUI=OFF >/dev/null
cmake --build "$BUILD" -j2 --target tallowin-cli-testing >/dev/null
CLI=$BUILD/bin/tallowin-cli-testing
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tallowin-kill.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export XDG_STATE_HOME=$WORK/state
python3 "$HERE/kill_undo.py" "$CLI" "$WORK/f" "$N" "$K"
