#!/usr/bin/env bash
# Starts the program on the current X display, waits for its window and saves it as a PNG.
# Usage: screenshot.sh PROGRAM FILE
set -euo pipefail
"$1" &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --name Blendora | head -n 1)
sleep 0.5  # let the first paint finish
import -window "$window" "$2"
