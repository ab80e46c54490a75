# Sourced by the build scripts, from the top of the source tree: where the cross-built Qt for
# Windows lives, and how the Windows and the page's build folders are configured (warnings are
# errors where BLENDORA_WERROR=ON, as ./test.sh sets it).
qt_windows=${BLENDORA_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/blendora/qt-6.4.2-mingw-static}

# configure_windows FOLDER [CMAKE OPTION…]: a Release build for 64-bit Windows with MinGW-w64.
configure_windows() {
  local build=$1
  shift
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBLENDORA_BENCH=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$qt_windows" \
    -DCMAKE_FIND_ROOT_PATH="$qt_windows" -DQT_HOST_PATH=/usr \
    -DBLENDORA_WERROR="${BLENDORA_WERROR:-OFF}" "$@" >/dev/null
}

# configure_web FOLDER [CMAKE OPTION…]: the worksheet as WebAssembly, and the page around it.
configure_web() {
  local build=$1
  shift
  # Debian's emscripten looks for its JavaScript helpers (acorn) where Debian's node keeps them.
  NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DBLENDORA_WEB=ON -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" \
    -DBLENDORA_WERROR="${BLENDORA_WERROR:-OFF}" "$@" >/dev/null
}
