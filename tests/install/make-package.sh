#!/usr/bin/env bash
# Builds the .deb from the finished build in BUILD (cpack, dependencies from dpkg-shlibdeps)
# and unpacks it into WORK/root, a fresh tree the other install tests run the programs from.
# Usage: make-package.sh BUILD WORK
set -euo pipefail
build="$(realpath "$1")" work="$(realpath -m "$2")"
rm -rf "$work"
mkdir -p "$work"
(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log" >&2
    exit 1
}
rm -rf "$work/_CPack_Packages"
debs=("$work"/tallowin_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single .deb in $work" >&2; exit 1; }
mv "${debs[0]}" "$work/tallowin.deb"
dpkg-deb -x "$work/tallowin.deb" "$work/root"

# The libraries the programs link come from dpkg-shlibdeps; the SVG plugin is named by hand.
depends="$(dpkg-deb -f "$work/tallowin.deb" Depends)"
echo "Depends: $depends"
for lib in libqt6core6 libqt6widgets6 libqt6gui6 libqt6network6 libc6 libstdc++6 libqt6svg6; do
    case ", $depends," in
    *", $lib "* | *", $lib,"*) ;;
    *) echo "Depends lacks $lib" >&2; exit 1 ;;
    esac
done
