#!/bin/bash
# Compares two tallowin-cli builds byte for byte: stdout, stderr and exit status of list,
# preview (the 10 rules of bench/files/run.sh, numbering rules whose counter overflows, a rule
# that fails midway), apply and rename, on the benchmark folder of N files (default 100000) and
# on a folder of awkward names (case clashes, bytes that are not UTF-8, no dots, hidden files).
# Meant for changes that must not change output, such as how work is shared among threads.
# Usage: bench/compare-cli-output.sh OLD_BIN NEW_BIN [N]
# Exit status: 0 when every output is identical, 1 when one differs, 2 on bad usage.
set -euo pipefail
if [ $# -lt 2 ] || [ ! -x "$1" ] || [ ! -x "$2" ]; then
    echo "usage: $0 OLD_BIN NEW_BIN [N]   (two tallowin-cli executables)" >&2
    exit 2
fi
OLD=$(realpath "$1")
NEW=$(realpath "$2")
N=${3:-100000}

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tallowin-compare.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data TALLOWIN_HOME=$WORK/home
export HOME=$WORK/home
mkdir -p "$HOME"

# The benchmark folder (as bench/files/run.sh and bench/ui/run.sh make it) and the awkward one.
cat >"$WORK/make_folders.py" <<'PY'
import os, random, shutil, sys
kind, folder, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
shutil.rmtree(folder, ignore_errors=True)
os.makedirs(folder)
def touch(name):
    path = os.path.join(folder.encode(), name if isinstance(name, bytes) else name.encode())
    os.close(os.open(path, os.O_CREAT | os.O_WRONLY, 0o644))
if kind == "bench":
    numbers = list(range(1, n + 1))
    random.Random(7).shuffle(numbers)
    for i in numbers:
        touch("file_%06d.txt" % i)
else:
    rng = random.Random(11)
    stems = ["IMG_", "Track ", "photo", "Report-final", "a", "\u00c4rger ", "\u03a3\u03c2 "]
    exts = [".jpg", ".JPG", ".txt", ".tar.gz", "", ".mp3", "."]
    names = set()
    while len(names) < n:
        stem = rng.choice(stems)
        name = "%s%d%s" % (stem, rng.randrange(n // 3 + 1), rng.choice(exts))
        if rng.random() < 0.05:
            name = name.upper()
        if rng.random() < 0.01:
            name = "." + name
        names.add(name.encode())
        if rng.random() < 0.005:
            names.add(b"caf\xe9 %d.txt" % rng.randrange(1000))
    for name in names:
        touch(name)
    os.makedirs(os.path.join(folder, "a folder.txt"))
PY

. "$(dirname "$0")/rules.sh"
# A counter that two numbering rules move on (3 per file) until it would pass 32767, which is
# then told for every file; and one that counts down to 0 and starts again.
NUMBERING=(
    --rule 'STANDARDAUTOSTARTEND|End|3|1|1|||count'
    --rule 'STANDARDAUTOBEFOREAFTER|_|After|2|2|9||count on'
    --rule 'STANDARDLETTERLOWERCASE|0||||||lower'
)
COUNTDOWN=(--rule 'STANDARDAUTOSTARTEND|Start|2|-1|7|||count down')

same=0
different=0
# Runs one command with both builds (the same arguments; DIR in them is the folder) and
# compares what they print and how they end.
compare() { # label command args...
    local label=$1
    shift
    local status_old=0 status_new=0
    "$OLD" "$@" >"$WORK/old.out" 2>"$WORK/old.err" || status_old=$?
    "$NEW" "$@" >"$WORK/new.out" 2>"$WORK/new.err" || status_new=$?
    if [ "$status_old" = "$status_new" ] && cmp -s "$WORK/old.out" "$WORK/new.out" &&
        cmp -s "$WORK/old.err" "$WORK/new.err"; then
        same=$((same + 1))
        printf 'same       %-44s exit %s, %s lines out, %s lines err\n' "$label" "$status_new" \
            "$(wc -l <"$WORK/new.out")" "$(wc -l <"$WORK/new.err")"
    else
        different=$((different + 1))
        printf 'DIFFERENT  %-44s exit %s vs %s\n' "$label" "$status_old" "$status_new"
        diff <(head -c 100000 "$WORK/old.out") <(head -c 100000 "$WORK/new.out") | head -5 || true
        diff <(head -c 100000 "$WORK/old.err") <(head -c 100000 "$WORK/new.err") | head -5 || true
    fi
}

# Renames a fresh copy of the folder with each build; compares the output and the names left.
compare_rename() { # label folder-kind args...
    local label=$1 kind=$2
    shift 2
    local status_old=0 status_new=0
    python3 "$WORK/make_folders.py" "$kind" "$WORK/r_old" "$N"
    python3 "$WORK/make_folders.py" "$kind" "$WORK/r_new" "$N"
    (cd "$WORK" && "$OLD" rename "$@" r_old >old.out 2>old.err) || status_old=$?
    (cd "$WORK" && "$NEW" rename "$@" r_new >new.out 2>new.err) || status_new=$?
    sed -i 's/r_old/FOLDER/g' "$WORK/old.out" "$WORK/old.err"
    sed -i 's/r_new/FOLDER/g' "$WORK/new.out" "$WORK/new.err"
    (cd "$WORK/r_old" && ls -A | LC_ALL=C sort) >"$WORK/old.names"
    (cd "$WORK/r_new" && ls -A | LC_ALL=C sort) >"$WORK/new.names"
    if [ "$status_old" = "$status_new" ] && cmp -s "$WORK/old.out" "$WORK/new.out" &&
        cmp -s "$WORK/old.err" "$WORK/new.err" && cmp -s "$WORK/old.names" "$WORK/new.names"; then
        same=$((same + 1))
        printf 'same       %-44s exit %s, %s names after\n' "$label" "$status_new" \
            "$(wc -l <"$WORK/new.names")"
    else
        different=$((different + 1))
        printf 'DIFFERENT  %-44s exit %s vs %s\n' "$label" "$status_old" "$status_new"
    fi
    rm -rf "$WORK/r_old" "$WORK/r_new"
}

echo "old: $OLD"
echo "new: $NEW"
echo "$N files per folder"
for kind in bench awkward; do
    DIR=$WORK/$kind
    python3 "$WORK/make_folders.py" "$kind" "$DIR" "$N"
    compare "$kind: list" list "$DIR"
    compare "$kind: list --json" list --json "$DIR"
    compare "$kind: list --hidden --sort number" list --hidden --sort number "$DIR"
    compare "$kind: list --sort date --descending" list --sort date --descending "$DIR"
    compare "$kind: list --name-like IMG --type jp" list --name-like IMG --type jp "$DIR"
    compare "$kind: preview (10 rules)" preview "${BENCH_RULES[@]}" "$DIR"
    compare "$kind: preview --json (10 rules)" preview --json "${BENCH_RULES[@]}" "$DIR"
    compare "$kind: preview --hidden (numbering)" preview --hidden "${NUMBERING[@]}" "$DIR"
    compare "$kind: preview (count down)" preview "${COUNTDOWN[@]}" "$DIR"
    # apply takes names on the command line: as many as fit comfortably.
    mapfile -t names < <("$NEW" list "$DIR" | cut -f1 | head -n 40000)
    # A rule that empties the name part of the file in the middle of those, then one that
    # fails on an empty name part: the run fails there, after many blocks of files.
    middle=${names[$(( (${#names[@]} - 1) / 2 ))]}
    FAILING=(--rule "STANDARDREPLACE|${middle%.*}||1||||empty one" \
        --rule 'STANDARDREMOVE|1|Start|||||remove')
    compare "$kind: preview (failing rule)" preview "${FAILING[@]}" "$DIR"
    compare "$kind: apply (10 rules, ${#names[@]} names)" apply "${BENCH_RULES[@]}" --dir "$DIR" -- \
        "${names[@]}"
    compare "$kind: apply (numbering, ${#names[@]} names)" apply "${NUMBERING[@]}" --dir "$DIR" \
        -- "${names[@]}"
    compare "$kind: apply (failing rule)" apply "${FAILING[@]}" --dir "$DIR" -- "${names[@]}"
done
compare_rename "bench: rename (10 rules)" bench "${BENCH_RULES[@]}"
compare_rename "awkward: rename (numbering)" awkward "${NUMBERING[@]}"

echo "$same identical, $different different"
[ "$different" -eq 0 ]
