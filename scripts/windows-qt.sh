#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source, once, into a cache
# folder outside the source tree; later runs find it there and return at once.
#   BLENDORA_QT_WINDOWS   where the Qt goes (default: ~/.cache/blendora/qt-6.4.2-mingw-static)
# Prints the folder's path as its last line. The build takes most of an hour on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build-env.sh
toolchain=$PWD/cmake/mingw-w64.cmake

if [ -x "$qt_windows/bin/qt-cmake" ]; then
  echo "$qt_windows"
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  echo "Adding Debian's bookworm source packages to apt's list"
  $sudo tee /etc/apt/sources.list.d/blendora-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $sudo apt-get update -qq
fi

# The sources and the build stay beside the cache until the install has succeeded, so that an
# interrupted build resumes where it stopped.
work="$qt_windows.work"
mkdir -p "$work"
cd "$work"
if [ ! -d source ]; then
  rm -rf fetch && mkdir fetch
  (cd fetch && apt-get source -qq --download-only qt6-base && dpkg-source -x --no-check ./*.dsc tree)
  mv fetch/tree source
  rm -rf fetch
fi

mkdir -p build
cd build
if [ ! -f build.ninja ]; then
  # Debian's tarball has no src/3rdparty/wintab, so tablet events stay out.
  ../source/configure -prefix "$qt_windows" -release -static -xplatform win32-g++ \
    -qt-host-path /usr -nomake tests -nomake examples -no-opengl -no-dbus \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype \
    -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent \
    -no-feature-xml -no-feature-tabletevent -- \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -G Ninja
fi
cmake --build . --parallel "$(nproc)"
cmake --install .
cd /
rm -rf "$work"
echo "$qt_windows"
