#!/usr/bin/env bash
# Builds Blendora for 64-bit Windows on this Debian machine, runs its tests under Wine, makes
# the installer and tries it in a fresh Wine prefix. The first run also builds Qt for Windows
# (most of an hour on two cores, kept in a cache folder; see scripts/windows-qt.sh).
#   scripts/windows.sh [--screenshot FILE]   FILE: the window under Wine after a calculation
set -euo pipefail
cd "$(dirname "$0")/.."
screenshot=""
[ "${1:-}" = "--screenshot" ] && screenshot=$(realpath -m "${2:?--screenshot needs a file name}")
scripts/deps.sh windows
scripts/windows-qt.sh >/dev/null
source scripts/build-env.sh
build=$PWD/build/windows

configure_windows "$build"
cmake --build "$build"

echo "== Windows tests under Wine"
(cd "$build" && WINEPREFIX="$build/wine" WINEDEBUG=-all ctest --output-on-failure --no-tests=error)
(cd "$build" && cpack >/dev/null)
installer=$(ls "$build"/blendora-*-win64-setup.exe)
echo "== The installer in a fresh Wine prefix"
tests/windows_smoke_test.sh "$installer" ${screenshot:+"$screenshot"}

echo "The program, one file: $build/app/blendora.exe"
echo "Its installer:         $installer"
