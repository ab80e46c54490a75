#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, if any is missing.
#   scripts/deps.sh           the Linux program, its tests and its package
#   scripts/deps.sh windows   the Windows program, its installer and Wine to test them
#   scripts/deps.sh web       the WebAssembly build, and Chromium, Firefox and WebKit for the
#                             page's tests
#   scripts/deps.sh stress    the load that scripts/stress-tests.sh puts on the machine
#   scripts/deps.sh release   packing a release, and showing where two releases differ
set -euo pipefail

linux=(
  cmake make g++ clang libclang-rt-14-dev      # compilers, and libFuzzer with the sanitizers
  libgtest-dev libbenchmark-dev                # tests and benchmarks
  qt6-base-dev fonts-liberation2               # the window, and a Times New Roman stand-in
  qt6-base-private-dev                         # the window tests' stand-in screen reader
  qt6-translations-l10n                        # Qt's own texts in Bulgarian
  xvfb xauth xdotool imagemagick x11-utils libx11-dev  # running the window without a desktop
  desktop-file-utils dpkg-dev file lintian     # the Debian package and its checks
  poppler-utils                                # reading the teacher's sheet back from its PDF
  appstream librsvg2-bin reuse                 # software centres, icons, licences
  python3-pyatspi at-spi2-core dbus openbox    # what a screen reader reads, on a small desktop
  orca speech-dispatcher speech-dispatcher-espeak-ng  # ... and what it says
  xclip                                        # ... and a problem pasted into the page
)
windows=(
  g++-mingw-w64-x86-64-posix ninja-build qt6-base-dev-tools dpkg-dev  # Qt and Blendora for Windows
  googletest qt6-translations-l10n icoutils imagemagick nsis  # tests, texts, icon, installer
  wine64 xvfb xauth xdotool x11-utils fonts-liberation2 tesseract-ocr  # running them under Wine
  xclip                                        # ... and reading a text back from the program
)
web=(
  emscripten googletest                        # the worksheet as WebAssembly, and its tests
  librsvg2-bin pngquant zopfli                 # the installed page's icons, the modules gzipped
  node-terser                                  # the page's scripts as small as they go
  chromium fonts-liberation2                   # the page in a real browser ...
  firefox-esr webkit2gtk-driver xvfb xauth     # ... in Firefox's and Safari's engines too,
  locales                                      # ... and WebKit in the language it is given
  poppler-utils                                # reading the page's print back as text
)
if [ "${1:-}" = windows ]; then
  packages=("${windows[@]}")
elif [ "${1:-}" = web ]; then
  packages=("${web[@]}")
elif [ "${1:-}" = stress ]; then
  packages=(stress-ng)
elif [ "${1:-}" = release ]; then
  packages=(git zip diffoscope-minimal)
else
  packages=("${linux[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
