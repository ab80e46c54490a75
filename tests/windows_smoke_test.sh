#!/usr/bin/env bash
# Installs Blendora's Windows installer silently into a fresh Wine prefix, checks what it put
# there, starts the installed program, calculates "Вариант 2" with the assignment's numbers as
# a pupil would, reads the two results back from the screen, opens the solution (F1) and the
# practice (F2) and reads the practice's problem back, and uninstalls silently.
# Usage: windows_smoke_test.sh INSTALLER [SCREENSHOT]   (runs itself under Xvfb)
set -euo pipefail
installer=$(realpath "$1")
screenshot=${2:+$(realpath -m "$2")}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$installer" ${screenshot:+"$screenshot"}
fi
wine=/usr/lib/wine/wine64
wineserver() { /usr/lib/wine/wineserver "$@"; }
version=$(basename "$installer" | sed -E "s/^blendora-(.*)-win64-setup\.exe$/\1/")
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
program_pid=""
openbox --sm-disable >/dev/null 2>&1 & # a title bar, with the program's icon
window_manager=$!
finish() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  kill "$window_manager" 2>/dev/null
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
fail() { echo "FAIL: $*"; exit 1; }
passed=0
pass() { echo "ok: $*"; passed=$((passed + 1)); }

"$wine" wineboot --init >/dev/null 2>&1
wineserver -w
# Wine has no Times New Roman; this prefix alone draws it with Liberation Serif.
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Times New Roman" /t REG_SZ \
  /d "Liberation Serif" /f >/dev/null 2>&1

"$wine" "$installer" /S
wineserver -w
folder="$WINEPREFIX/drive_c/Program Files/Blendora"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Blendora'
for file in bin/blendora.exe LICENSE.txt Uninstall.exe; do
  [ -f "$folder/$file" ] || fail "the installer left no $file"
done
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Blendora.lnk" ] ||
  fail "no Start-menu shortcut"
registered=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName    REG_SZ    Blendora" "DisplayVersion    REG_SZ    $version" \
             'DisplayIcon    REG_SZ    C:\Program Files\Blendora\bin\blendora.exe,0'; do
  grep -qF "$value" <<<"$registered" || fail "the uninstaller entry lacks \"$value\""
done
pass "installed silently, with its shortcut and its entry in Apps & features"

"$wine" "$folder/bin/blendora.exe" &
program_pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name Blendora | head -n 1)
"$(dirname "$0")/../scripts/calculate-variant-2.sh" "$window"
import -window "$window" "$work/window.png"
[ -n "$screenshot" ] && import -frame -window "$window" "$screenshot"
# Each result cell inside its frame, cut out, enlarged and read by OCR: "Тегло 2" and "Смес т." of row 2.
read_cell() {
  convert "$work/window.png" -crop "57x19+$(($1 + 4))+92" +repage -resize 400% -colorspace Gray \
    -threshold 70% "$work/cell.png"
  tesseract "$work/cell.png" - --psm 7 -c tessedit_char_whitelist=0123456789 2>/dev/null |
    tr -d '[:space:]'
}
weight2=$(read_cell 304)
mix_weight=$(read_cell 432)
[ "$weight2" = 300 ] && [ "$mix_weight" = 500 ] ||
  fail "the result cells read \"$weight2\" and \"$mix_weight\", not 300 and 500"
pass "Вариант 2 with 30, 200, 40 and 36 shows 300 and 500"
xdotool key --window "$window" F1
timeout 60 xdotool search --sync --onlyvisible --name '^Решение$' >/dev/null ||
  fail "F1 after Изчисли opened no window named Решение"
pass "F1 opens the step-by-step solution in a window of its own"
[ -n "$screenshot" ] && import -window root "${screenshot%.png}-solution.png"
# F2, from the solution's window, which has the focus: the problem is copied out of its text as a
# pupil would copy it, and is sheet 1's first of Ниво 2, pinned on every platform in
# tests/problems_test.cpp.
xdotool key F2
practice=$(timeout 60 xdotool search --sync --onlyvisible --name '^Задачи$' | head -n 1) ||
  fail "F2 opened no window named Задачи"
expected="Колко килограма сплав с 10% калай трябва да се стопят заедно с 60 кг сплав с 40% калай, за да се получи сплав с 35% калай?"
copied=""
for _ in $(seq 100); do
  xdotool key --window "$practice" ctrl+a ctrl+c
  copied=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
  [ "$copied" = "$expected" ] && break
  sleep 0.2
done
[ "$copied" = "$expected" ] || fail "the practice's problem reads \"$copied\", not \"$expected\""
pass "F2 opens the practice with the same first problem as on Linux"
[ -n "$screenshot" ] && import -window root "${screenshot%.png}-practice.png"
kill "$program_pid"
program_pid=""
wineserver -w

"$wine" "$folder/Uninstall.exe" /S
wineserver -w
# The uninstaller runs on from a copy of itself; it is done when the folder is gone.
for _ in $(seq 300); do
  [ -e "$folder" ] || break
  sleep 0.1
  wineserver -w
done
[ ! -e "$folder" ] || fail "30 s after uninstalling, the uninstaller left $(ls -R "$folder")"
"$wine" reg query "$key" >/dev/null 2>&1 && fail "the uninstaller entry stays"
pass "uninstalled silently, leaving nothing"
echo "$passed passed, 0 failed"
