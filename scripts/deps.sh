#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, if any is missing.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev      # compilers, and libFuzzer with the sanitizers
  libgtest-dev libbenchmark-dev                # tests and benchmarks
  qt6-base-dev fonts-liberation2               # the window, and a Times New Roman stand-in
  xvfb xauth xdotool imagemagick x11-utils libx11-dev  # running the window without a desktop
  desktop-file-utils dpkg-dev file             # the Debian package and its checks
)

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
