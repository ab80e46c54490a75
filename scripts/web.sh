#!/usr/bin/env bash
# Builds the worksheet as WebAssembly with Debian's emscripten, runs its tests under Node, and
# lays out the page in build/web/site/: static files that any web server can serve.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh web
source scripts/build-env.sh
build=build/web
configure_web "$build"
# Debian's emscripten looks for its JavaScript helpers (acorn) where Debian's node keeps them.
NODE_PATH=/usr/share/nodejs cmake --build "$build" -j "$(nproc)"
echo "== Worksheet tests as WebAssembly under Node"
(cd "$build" && ctest --output-on-failure --no-tests=error)
echo "The page: $PWD/$build/site/index.html"
