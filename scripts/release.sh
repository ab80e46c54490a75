#!/usr/bin/env bash
# Makes a release of this commit in build/release/: the Debian package, the Windows installer
# and program, the page as a zip, the source archive and SHA256SUMS over them. Any machine
# that builds the same commit gets the same bytes, whatever its folder, clock, umask or time
# zone. Run it in a clean checkout, or in the unpacked source archive of a release to confirm
# that release (there the source archive is the one downloaded, and is not made again).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-env.sh

# What the builds must not take from the machine they run on.
umask 022
export TZ=UTC LC_ALL=C.UTF-8
# git archive writes the commit's time here; in a checkout, git tells it.
archived_time='$Format:%ct$'
if [ -d .git ]; then
  if [ -n "$(git status --porcelain --untracked-files=normal)" ]; then
    echo "The checkout has changes (git status): a release is made of a commit alone." >&2
    exit 1
  fi
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
else
  SOURCE_DATE_EPOCH=$archived_time
fi
export SOURCE_DATE_EPOCH
version=$(sed -n -E 's/^project\(Blendora VERSION ([0-9.]+) .*/\1/p' CMakeLists.txt)
release=$PWD/build/release
work=$PWD/build/release-work
rm -rf "$release" "$work"
mkdir -p "$release" "$work"
jobs=$(nproc)
started=$(date +%s)
# quietly NAME COMMAND…: runs the command with its output in a log, shown only if it fails.
quietly() {
  local log="$work/$1.log"
  shift
  "$@" >"$log" 2>&1 || { tail -n 60 "$log"; echo "Failed: $*" >&2; exit 1; }
}
scripts/deps.sh release

echo "== The Debian package"
scripts/deps.sh
cmake -S . -B "$work/linux" -DCMAKE_BUILD_TYPE=Release -DBLENDORA_TESTS=OFF \
  -DBLENDORA_BENCH=OFF >/dev/null
quietly linux-build cmake --build "$work/linux" -j "$jobs"
quietly linux-cpack cpack --config "$work/linux/CPackConfig.cmake" -G DEB -B "$work/deb"
cp "$work/deb/blendora_${version}_amd64.deb" "$release/"

echo "== The Windows program and its installer"
scripts/deps.sh windows
scripts/windows-qt.sh >/dev/null
configure_windows "$work/windows" -DBLENDORA_TESTS=OFF
quietly windows-build cmake --build "$work/windows"
quietly windows-cpack cpack --config "$work/windows/CPackConfig.cmake" -B "$work/windows"
cp "$work/windows/blendora-$version-win64-setup.exe" "$release/"
cp "$work/windows/app/blendora.exe" "$release/blendora-$version-win64.exe"

echo "== The page"
scripts/deps.sh web
configure_web "$work/web" -DBLENDORA_TESTS=OFF
quietly web-build env NODE_PATH=/usr/share/nodejs cmake --build "$work/web" -j "$jobs"
# Fixed times and modes, sorted names, no extra attributes: the zip holds the files' bytes alone.
site=$work/web/site
find "$site" -type f -exec chmod 644 {} + -exec touch --no-dereference -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$site" && find . -type f | LC_ALL=C sort | zip -q -X -D -@ "$release/blendora-$version-web.zip")

if [ -d .git ]; then
  echo "== The source"
  git archive --format=tar --prefix="blendora-$version/" HEAD |
    gzip -9 -n >"$release/blendora-$version.tar.gz"
fi

(cd "$release" && sha256sum -- * >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo "== Made in $(($(date +%s) - started)) s, in $release:"
(cd "$release" && ls -l --time-style=+ -- * | awk '{ print $5, $6 }' && cat SHA256SUMS)
