#!/usr/bin/env bash
# Does what a pupil does in Blendora's window on the current X display: chooses "Вариант 2",
# types 30, 200, 40 and 36 into its givens and presses "Изчисли".
# Usage: calculate-variant-2.sh WINDOW_ID
set -euo pipefail
window=$1
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
click 30 101 # Вариант 2
for cell in "144 30" "208 200" "272 40" "400 36"; do
  read -r x text <<<"$cell"
  click "$x" 101
  xdotool type --delay 80 "$text"
done
click 48 20 # Изчисли
sleep 1
