#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as Debian's tools and a software
# centre see it: lintian, the desktop entry, AppStream, icons and manual pages.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/blendora_*_amd64.deb)
failed=0
checks=0
check() {
  local what=$1
  shift
  checks=$((checks + 1))
  if ! "$@" >"$work/out" 2>&1; then
    echo "FAIL: $what"
    cat "$work/out"
    failed=$((failed + 1))
  fi
}

contents=$(dpkg-deb -c "$package")
has() { grep -q " ./usr/$1\$" <<<"$contents"; }
id=example.blendora.Blendora
for file in bin/blendora share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/doc/blendora/copyright share/doc/blendora/changelog.gz \
            share/man/man1/blendora.1.gz share/man/bg/man1/blendora.1.gz \
            share/icons/hicolor/32x32/apps/blendora.xpm \
            share/icons/hicolor/scalable/apps/blendora.svg; do
  check "$file is in the package" has "$file"
done
for size in 16 22 24 32 48 64 128 256; do
  check "a ${size} px icon" has "share/icons/hicolor/${size}x${size}/apps/blendora.png"
done
depends=$(dpkg-deb -f "$package" Depends)
check "Qt and its Bulgarian texts are dependencies" \
  grep -q "libqt6widgets6.*qt6-translations-l10n\|qt6-translations-l10n.*libqt6widgets6" <<<"$depends"
check "lintian finds no error or warning" lintian --fail-on error,warning "$package"

root=$work/root
dpkg-deb -x "$package" "$root"
check "desktop-file-validate accepts the entry" desktop-file-validate "$root/usr/share/applications/$id.desktop"
check "the AppStream metadata and the tree validate" appstreamcli validate-tree --no-net "$root"
icon_size() { [ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/$1/apps/blendora.png")" = "$1" ]; }
check "the 48 px icon is 48 x 48" icon_size 48x48
check "the 256 px icon is 256 x 256" icon_size 256x256
check "the manual page says what the program is for" \
  zgrep -q "mixtures, alloys and solutions" "$root/usr/share/man/man1/blendora.1.gz"
check "the Bulgarian manual page is Bulgarian" \
  zgrep -q "смеси, сплави и разтвори" "$root/usr/share/man/bg/man1/blendora.1.gz"
echo "$(basename "$package"): $((checks - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
