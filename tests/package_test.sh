#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it holds.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/blendora_*_amd64.deb)
fail() { echo "FAIL: $*"; exit 1; }

contents=$(dpkg-deb -c "$package")
for file in ./usr/bin/blendora ./usr/share/applications/blendora.desktop \
            ./usr/share/icons/hicolor/32x32/apps/blendora.xpm; do
  grep -q " $file\$" <<<"$contents" || fail "$file is missing from $(basename "$package")"
done
[ "$(dpkg-deb -f "$package" Package)" = blendora ] || fail "wrong package name"
dpkg-deb -f "$package" Depends | grep -q libqt6widgets6 || fail "Qt is not among the dependencies"

dpkg-deb -x "$package" "$work/root"
desktop="$work/root/usr/share/applications/blendora.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
grep -q '^Categories=Education;Math;$' "$desktop" || fail "categories"
grep -q '^Comment\[bg\]=.*смеси' "$desktop" || fail "no Bulgarian comment"
head -c 200 "$work/root/usr/share/icons/hicolor/32x32/apps/blendora.xpm" | grep -q '"32 32 ' ||
  fail "the icon is not a 32 x 32 picture"
file "$work/root/usr/bin/blendora" | grep -q ELF || fail "the program is not an executable"
echo "$(basename "$package"): 1 passed, 0 failed"
