#!/usr/bin/env bash
# Installs what is missing, builds Blendora and starts it.
#   ./run.sh                     opens the window on this desktop
#   ./run.sh --screenshot FILE   renders the window under Xvfb into a PNG instead
#   ./run.sh --web               builds the page and serves it on http://127.0.0.1:8080/
#                                (or the next free port)
set -euo pipefail
screenshot=""
if [ "${1:-}" = "--screenshot" ]; then
  screenshot=$(realpath -m "${2:?--screenshot needs a file name}")
fi
cd "$(dirname "$0")"
if [ "${1:-}" = "--web" ]; then
  scripts/web.sh
  exec node scripts/serve-site.mjs build/web/site 8080
fi
scripts/deps.sh
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/main -j "$(nproc)" --target blendora >/dev/null
program=build/main/app/blendora

if [ -n "$screenshot" ]; then
  xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshot.sh "$program" "$screenshot"
  echo "Saved a picture of the window to $screenshot"
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open the window on: start ./run.sh from a desktop session, or run ./run.sh --screenshot shot.png to render the window under Xvfb." >&2
  exit 1
fi
exec "$program"
