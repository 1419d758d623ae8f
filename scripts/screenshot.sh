#!/usr/bin/env bash
# Runs bgdiff on a virtual X server with the built-in test scene, goes
# through one grab cycle with the mouse (start the camera, set the
# background, start the detection) and saves a PNG of the window.
# Usage: scripts/screenshot.sh [output.png]   (default docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
output="${1:-docs/screenshot.png}"
program=build/app/bgdiff
[ -x "$program" ] || { echo "Build the program first: bash scripts/run.sh" >&2; exit 1; }
source scripts/packages.sh
bash scripts/install-packages.sh "${SCREENSHOT_PACKAGES[@]}"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1100x800x24 -nolisten tcp &
xvfb=$!
trap 'kill "$program_pid" "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

BGDIFF_VIDEO_SOURCE=test QT_QPA_PLATFORM=xcb "$program" &
program_pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Form1$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "bgdiff did not open its window" >&2; exit 1; }
sleep 1

# Clicks the middle of a control given by its place in the window's client area.
click() {
  local left=$1 top=$2 width=$3 height=$4
  xdotool mousemove --window "$window" $((left + width / 2)) $((top + height / 2)) click 1
}
click 16 232 113 33   # 啟動攝影機: start the camera
sleep 2.5             # two ticks: the gray frame appears
click 16 280 65 33    # 設定背景: set the background
sleep 2               # the block moves on
click 192 280 57 33   # 開始: start the detection
sleep 1.5

mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "Saved $output"
