#!/usr/bin/env bash
# Does what a pupil does in Blendora's window on the current X display: chooses "Вариант 2",
# types 30, 200, 40 and 36 into its givens and presses "Изчисли". Returns once the results
# are drawn.
# Usage: calculate-variant-2.sh WINDOW_ID
set -euo pipefail
window=$1
# The darkest shade inside a cell of row 2, from 0 (black) to 1 (white); text darkens it.
darkest_in_cell() {
  import -window "$window" -crop "57x19+$(($1 + 4))+92" +repage -colorspace Gray \
    -format "%[fx:minima]" info: 2>/dev/null || echo 1
}
# Waits for a state of the window, drawn on the screen, rather than for a moment.
wait_until() {
  local what=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || { echo "Waited $seconds s for $what" >&2; exit 1; }
    sleep 0.2
  done
}
painted() { [ "$(import -window "$window" -format "%[pixel:p{398,77}]" info: 2>/dev/null)" = "srgb(255,192,192)" ]; }
weight_2_written() { awk -v shade="$(darkest_in_cell 304)" 'BEGIN { exit !(shade < 0.6) }'; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

wait_until "the window's first paint (a pink result cell)" 60 painted
click 30 101 # Вариант 2
for cell in "144 30" "208 200" "272 40" "400 36"; do
  read -r x text <<<"$cell"
  click "$x" 101
  xdotool type --delay 80 "$text"
done
click 48 20 # Изчисли
wait_until "the computed Тегло 2" 60 weight_2_written
