#!/usr/bin/env bash
# Starts Blendora under Xvfb with a session bus and the AT-SPI bus, types the assignment's
# numbers into "Вариант 1", calculates, and reads the cells back over AT-SPI.
# Needs python3-pyatspi, dbus-x11 and at-spi2-core, and a build from ./run.sh or ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 build/main/app/blendora &
program=$!
trap 'kill "$program" "$bus" 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --name Blendora | head -n 1)
sleep 0.5
for cell in "144 30" "208 200" "272 40" "336 300"; do
  read -r x text <<<"$cell"
  xdotool mousemove --window "$window" "$x" 77 click 1
  xdotool type --delay 30 "$text"
done
xdotool mousemove --window "$window" 48 20 click 1
sleep 1
/usr/bin/python3 scripts/atspi_check.py
