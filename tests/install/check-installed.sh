#!/usr/bin/env bash
# Runs the installed programs from the unpacked package in ROOT, as a user would: the
# versions, the help, both manual pages, the icons, the program's start-up under the
# offscreen platform finding its installed help pages and making its rules folder, and a
# rename the test switches cannot touch.
# Usage: check-installed.sh ROOT SOURCE VERSION   (ROOT: the unpacked package, or / after dpkg -i)
set -euo pipefail
root="$(realpath "$1")" source="$(realpath "$2")" version="$3"
prefix="${root%/}/usr" # ROOT may be / for a package installed with dpkg -i
fail() { echo "FAIL: $*" >&2; exit 1; }

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
mkdir -m 700 "$home/runtime"
export XDG_RUNTIME_DIR="$home/runtime" XDG_STATE_HOME="$home/state" TALLOWIN_SITE=http://127.0.0.1:9 QT_QPA_PLATFORM=offscreen
unset TALLOWIN_HOME
cd "$home"

[ "$("$prefix/bin/tallowin-cli" --version)" = "tallowin-cli $version" ] || fail "cli --version"
[ "$("$prefix/bin/tallowin" --version)" = "tallowin $version" ] || fail "tallowin --version"
"$prefix/bin/tallowin-cli" --help | grep -q '^Usage:' || fail "cli --help"
help="$("$prefix/bin/tallowin" --help)"
grep -q '^Usage: tallowin ' <<<"$help" || fail "tallowin --help"
# The help names the help folder of the installed layout, not one beside the program.
grep -qF "Help pages: $prefix/share/tallowin/help" <<<"$help" || fail "help folder in: $help"

for page in tallowin tallowin-cli; do
    file="$prefix/share/man/man1/$page.1.gz"
    [ -f "$file" ] || fail "no $file"
    # groff's warnings (bad requests, unknown escapes) go to stderr: a clean page has none.
    out="$(MANWIDTH=80 MANPAGER=cat man --warnings -l "$file" 2>"$home/man.err")"
    [ ! -s "$home/man.err" ] || fail "man $page: $(cat "$home/man.err")"
    grep -q "$page" <<<"$out" || fail "man $page shows nothing"
done

icons="$prefix/share/icons/hicolor"
[ -f "$icons/scalable/apps/example.tallowin.Tallowin.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    png="$icons/${size}x$size/apps/example.tallowin.Tallowin.png"
    [ -f "$png" ] || fail "no $png"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    dims="$(od -An -tu4 --endian=big -j16 -N8 "$png" | xargs)"
    [ "$dims" = "$size $size" ] || fail "$png is not ${size}x$size: $dims"
done

# The start-up runs whole (splash, main window) and reports what it found.
status=0
out="$("$prefix/bin/tallowin" --check-install "$home")" || status=$?
echo "$out"
data="$prefix/share/tallowin"
grep -qxF "program folder: $data" <<<"$out" || fail "program folder"
# The package's folders are the package manager's: rules go to the user's data folder.
grep -qxF "rules: $XDG_DATA_HOME/tallowin/rules" <<<"$out" || fail "rules folder"
[ -d "$XDG_DATA_HOME/tallowin/rules" ] || fail "rules folder not made"
[ ! -e "$data/rules" ] || fail "rules folder made inside the installed data folder"
if [ -f "$source/help/index.html" ]; then
    grep -qxF "help pages: $data/help" <<<"$out" || fail "help pages not found"
    [ "$status" -eq 0 ] || fail "tallowin --check-install exit status $status"
else
    # Until help pages are in the sources the check must say they are missing.
    [ "$status" -eq 1 ] || fail "missing help pages not told (status $status)"
fi
# The switches of the tests' own build (kill -9 after N renames or in a step, no journal) do nothing to the
# packaged command line: the rename completes and its journal is written, so it can be undone.
mkdir "$home/files"
touch "$home/files/a.txt" "$home/files/b.txt"
status=0
out="$(TALLOWIN_TEST_KILL_AFTER=1 TALLOWIN_TEST_KILL_IN_TEMPORARY=1 TALLOWIN_BENCH_NO_JOURNAL=1 \
    "$prefix/bin/tallowin-cli" rename --rule 'STANDARDINSERT|x|Start|||||' "$home/files")" ||
    status=$?
[ "$status" -eq 0 ] || fail "rename with the test switches set: exit status $status"
[ "$(printf '%s\n' "$out" | grep -c '^ok')" -eq 2 ] || fail "rename with the test switches: $out"
[ -f "$home/files/xa.txt" ] && [ -f "$home/files/xb.txt" ] || fail "files not renamed"
[ -n "$(ls -A "$XDG_STATE_HOME/tallowin/journal" 2>/dev/null)" ] || fail "no journal written"
"$prefix/bin/tallowin-cli" undo >/dev/null || fail "the run cannot be undone"
[ -f "$home/files/a.txt" ] && [ -f "$home/files/b.txt" ] || fail "undo did not bring back the names"

echo "installed programs work"
