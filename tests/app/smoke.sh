#!/usr/bin/env bash
# Starts Quenlor.exe under Wine on the test display, waits for its window,
# checks its size and saves a screenshot, then ends it.
set -euo pipefail
exe=$1 screens=$2
source "$(dirname "$0")/../../scripts/wine-env"
mkdir -p "$screens"
wine "$exe" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Quenlor$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "no Quenlor window appeared"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $WIDTH x $HEIGHT at $X,$Y"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screens/main-window.png"
[ "$WIDTH" = 700 ] && [ "$HEIGHT" = 524 ] || { echo "expected a 700 x 524 window"; exit 1; }
echo "screenshot: $screens/main-window.png"
