#!/usr/bin/env bash
# Builds the Debian package: a Release build with Debian's hardening flags in build-deb/, then
# `cpack -G DEB` (dependencies from dpkg-shlibdeps), then lintian when it is installed.
# Usage: scripts/build-deb.sh [OUTPUT_FOLDER]   (default: the current folder)
# The package installs with: apt install ./tallowin_VERSION-1_ARCH.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)"
cd "$root"
. scripts/packages
# shellcheck disable=SC2086
scripts/ensure-deps $BUILD_PACKAGES dpkg-dev file
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CFLAGS="$(dpkg-buildflags --get CFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS)"
CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CFLAGS CXXFLAGS="$CXXFLAGS $CPPFLAGS" LDFLAGS
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DTALLOWIN_WERROR=OFF -DTALLOWIN_TESTS=OFF >/dev/null
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack -G DEB -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
deb="$(ls -t "$out"/tallowin_*.deb | head -n1)"
echo "$deb"
if command -v lintian >/dev/null 2>&1; then
    lintian --suppress-tags-from-file "$root/scripts/lintian-explained" "$deb"
fi
