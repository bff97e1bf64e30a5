#!/bin/bash
# Takes pictures of the main window, the rule pages and a preview under Xvfb into
# docs/screenshots/, and the pictures of the help pages into help/images/ (builds build/ first
# when needed). It fails when a window does not lie whole on the screen.
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER [HELP_PICTURES_FOLDER]]
#   TALLOWIN_SCREEN=1024x700x24 scripts/screenshots.sh /tmp/small /tmp/small-help   (a small screen)
#   QT_SCALE_FACTOR=2 TALLOWIN_SCREEN=2560x2048x24 scripts/screenshots.sh /tmp/x2 /tmp/x2-help   (200 %)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-$ROOT/docs/screenshots}
HELP_OUT=${2:-$ROOT/help/images}
BUILD=${TALLOWIN_BUILD:-$ROOT/build}
if [ ! -x "$BUILD/bin/tallowin-screenshots" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja >/dev/null
    cmake --build "$BUILD" -j2 --target tallowin-screenshots >/dev/null
fi
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian package xvfb)" >&2; exit 1; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tallowin-shots.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$OUT" "$HELP_OUT"
# Settings and rules of the run stay in the scratch folder, never in the user's home.
XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data TALLOWIN_HOME=$WORK/home \
    xvfb-run -a -s "-screen 0 ${TALLOWIN_SCREEN:-1280x1024x24} -dpi 96" "$BUILD/bin/tallowin-screenshots" "$OUT" "$HELP_OUT"
