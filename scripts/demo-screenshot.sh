#!/usr/bin/env bash
# Drives the real program under Xvfb as a pupil would (Вариант 2: 30, 200, 40, 36, Изчисли)
# and saves the window to docs/screenshot.png, then rests the mouse on the computed weight and
# saves docs/tooltip.png with its worked solution, then presses F1 and saves the screen with the
# step-by-step solution beside the window as docs/solution-window.png. Needs a build from
# ./run.sh or ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1366x768x24" "$0" "$@"
fi
build/main/app/blendora &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --name Blendora | head -n 1)
sleep 0.5
scripts/calculate-variant-2.sh "$window"
import -window "$window" docs/screenshot.png
xdotool mousemove --window "$window" 336 101  # the computed Тегло 2
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "740x150+$((X - 10))+$((Y + 40))" +repage docs/tooltip.png
xdotool key --window "$window" F1
solution=$(timeout 30 xdotool search --sync --onlyvisible --name '^Решение$' | head -n 1)
sleep 0.5  # let its first paint finish
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
eval "$(xdotool getwindowgeometry --shell "$solution")"
import -window root -crop "$((X + WIDTH - left))x${HEIGHT}+${left}+${Y}" +repage docs/solution-window.png
echo "Saved docs/screenshot.png, docs/tooltip.png and docs/solution-window.png"
