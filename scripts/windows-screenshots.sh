#!/usr/bin/env bash
# Pages 1 and 4 of the Windows build under Wine, after a run driven by
# xdotool: the faculty chosen by its code on page 1, the scores and GPA/PR
# taken over from an entries file left by an earlier run, Next to page 4.
# The copy runs from a folder whose name is Thai, and its saves on the way
# must land there. Needs the portable folder of scripts/windows-build.sh --package.
# Writes docs/screenshot-windows-page1.png and docs/screenshot-windows-page4.png.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
version=$(sed -n 's/^project(Tamrik VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
source=$ROOT/dist/tamrik-$version-win64
work=$ROOT/build-win/screenshots
[[ -x $source/tamrik.exe ]] || { echo "no $source: run scripts/windows-build.sh --package first" >&2; exit 1; }
export TAMRIK_WINEPREFIX=${TAMRIK_WINEPREFIX:-$HOME/.cache/tamrik-win64-work/wine}

if [[ ${1:-} != --drive ]]; then
  rm -rf "$work" && mkdir -p "$work"
  cp -r "$source" "$work/ตำหรับ"
# Every subject 72, GPA 3.25, PR 88.50, as an earlier run leaves them.
  { for _ in $(seq 51); do printf '72\r\n'; done; printf '325\r\n8850\r\n'; } > "$work/ตำหรับ/TamrikTemp.tmp"
  touch -d "1 minute ago" "$work/ตำหรับ/TamrikTemp.tmp"
fi

# Runs on the virtual screen: $1 the program, $2 the folder for the shots.
drive() {
  local exe=$1 out=$2 window='' pid
  openbox >/dev/null 2>&1 &
  "$ROOT/cmake/wine-run.sh" "$exe" &
  pid=$!
  for _ in $(seq 60); do
    window=$(xdotool search --name 'คำนวณคะแนน' 2>/dev/null | head -n 1) && [[ -n $window ]] && break
    sleep 1
  done
  [[ -n $window ]] || { echo "the window did not come up" >&2; return 1; }
  sleep 6  # the splash closes by itself
  # Clicks at places inside the window, which has a fixed size.
  click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep "${3:-1}"; }
  shot() { xdotool mousemove 0 0; sleep 1; import -window root "$out/$1.png"; }
  shot start
  click 253 210        # ใช้รหัสคณะ
  click 138 345        # the code box
  xdotool type --delay 100 0001; sleep 1
  click 247 345        # ใช้รหัสนี้
  shot page1
  click 687 523 4      # หน้าต่อไป: page 2 with the scores taken over
  shot page2
  click 687 523 3      # page 3, GPA and PR taken over
  shot page3
  click 687 523 3      # page 4
  shot page4
  xwininfo -id "$window" > "$out/window.txt"
  kill "$pid" 2>/dev/null || true
}
if [[ ${1:-} == --drive ]]; then
  drive "$2" "$3"
  exit
fi
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --drive "$work/ตำหรับ/tamrik.exe" "$work"
WINEPREFIX=$TAMRIK_WINEPREFIX wineserver -k 2>/dev/null || true
# Pages 2 and 3 write the entries file as they are left.
[[ $(find "$work/ตำหรับ/TamrikTemp.tmp" -newermt "30 seconds ago") ]] \
  || { echo "the run did not save the entries file in $work/ตำหรับ (see $work/page*.png)" >&2; exit 1; }

# The window with the window manager's frame: 1 pixel at the sides and the
# foot, the 20-pixel title bar above.
read -r x y w h < <(awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                         /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}' "$work/window.txt")
for page in page1 page4; do
  convert "$work/$page.png" -crop "$((w + 2))x$((h + 22))+$((x - 1))+$((y - 20))" +repage \
    "$ROOT/docs/screenshot-windows-$page.png"
  echo "docs/screenshot-windows-$page.png"
done
