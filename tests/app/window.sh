#!/usr/bin/env bash
# Quenlor.exe under Wine driven with the real mouse: of two started at the
# same moment one ends and one window shows; dragging by the background and
# by the caption moves the window, the corner resizes it, the left edge
# cannot make it narrower than 700, double clicks maximise and restore it, a
# second start while it is minimised brings it back and ends without a
# window of its own, and closing asks whether to exit.
set -euo pipefail
exe=$1
source "$(dirname "$0")/../../scripts/wine-env"
windows() { xdotool search --onlyvisible --name '^Quenlor$' 2>/dev/null | wc -l; }
wine "$exe" &
pid=$!
wine "$exe" &
twin=$!
trap 'kill $pid $twin 2>/dev/null || true' EXIT
for _ in $(seq 150); do kill -0 $pid 2>/dev/null && kill -0 $twin 2>/dev/null || break; sleep 0.2; done
if ! kill -0 $pid 2>/dev/null; then read -r pid twin <<<"$twin $pid"; fi
kill -0 $twin 2>/dev/null && { echo "both starts kept running"; exit 1; }
wait $twin || { echo "the start that found the other failed"; exit 1; }
for _ in $(seq 150); do [ "$(windows)" -ge 1 ] && break; sleep 0.2; done
[ "$(windows)" = 1 ] || { echo "two starts at once showed $(windows) windows"; exit 1; }
echo "of two starts at once one ended, one window shows"
window=$(xdotool search --onlyvisible --name '^Quenlor$' | head -n 1)
[ -n "$window" ] || { echo "no Quenlor window appeared"; exit 1; }
sleep 0.5
geometry() { eval "$(xdotool getwindowgeometry --shell "$window")"; }
# Presses at a point of the window, moves by dx,dy in steps and releases.
drag() {
  local x=$1 y=$2 dx=$3 dy=$4
  geometry
  xdotool mousemove $((X + x)) $((Y + y)) sleep 0.2 mousedown 1 sleep 0.2
  for i in 1 2 3 4; do xdotool mousemove $((X + x + dx * i / 4)) $((Y + y + dy * i / 4)) sleep 0.1; done
  xdotool mouseup 1 sleep 0.5
}
expect() {
  geometry
  [ "$X,$Y,$WIDTH,$HEIGHT" = "$1" ] || { echo "$2: window at $X,$Y size $WIDTH x $HEIGHT, expected $1"; exit 1; }
  echo "$2: $1"
}
geometry
x0=$X y0=$Y
drag 300 28 50 40
expect "$((x0 + 50)),$((y0 + 40)),700,524" "dragged by the background"
drag 100 15 -30 20
expect "$((x0 + 20)),$((y0 + 60)),700,524" "dragged by the caption"
drag 698 522 40 30
expect "$((x0 + 20)),$((y0 + 60)),740,554" "resized at the bottom-right corner"
drag 2 200 100 0
geometry
# The right edge stays; Wine's sizing loop may stop one pixel short of the minimum.
[ $((X + WIDTH)) = $((x0 + 760)) ] && [ "$WIDTH" -ge 700 ] && [ "$WIDTH" -le 701 ] ||
  { echo "narrowing from the left edge: window at $X,$Y size $WIDTH x $HEIGHT"; exit 1; }
echo "narrowed from the left edge to the minimum: $WIDTH x $HEIGHT"
narrowed="$X,$Y,$WIDTH,$HEIGHT"

# A double click on the caption maximises (its first press runs the move
# loop), one on the background restores.
xdotool mousemove $((X + 100)) $((Y + 15)) sleep 0.2 click --repeat 2 --delay 80 1 sleep 0.5
geometry
[ "$X,$Y" = "-2,-2" ] || { echo "a double click on the caption did not maximise: at $X,$Y"; exit 1; }
xdotool mousemove $((X + 300)) $((Y + 28)) sleep 0.2 click --repeat 2 --delay 80 1 sleep 0.5
expect "$narrowed" "maximised and restored by double clicks"

# The minimise button iconifies the window (Wine shows an unmanaged one as
# a small bar); a second start brings it back.
xdotool mousemove $((X + WIDTH - 98 + 12)) $((Y + 9)) sleep 0.2 click 1 sleep 0.5
geometry
[ "$WIDTH" -lt 700 ] || { echo "the window did not minimise"; exit 1; }
wine "$exe" &
second=$!
most=0
for _ in $(seq 150); do
  n=$(windows)
  [ "$n" -gt "$most" ] && most=$n
  kill -0 $second 2>/dev/null || break
  sleep 0.1
done
kill -0 $second 2>/dev/null && { echo "the second start did not end"; kill $second; exit 1; }
wait $second || { echo "the second start failed"; exit 1; }
[ "$most" = 1 ] || { echo "the second start showed a window of its own"; exit 1; }
expect "$narrowed" "restored by a second start"

# Closing asks whether to exit (the box is titled "Quenlor" too): N keeps the
# window, Y ends the program.
until_windows() {
  for _ in $(seq 50); do [ "$(windows)" = "$1" ] && return; sleep 0.2; done
  echo "$2"
  exit 1
}
close_button() { xdotool mousemove $((X + WIDTH - 28)) $((Y + 9)) sleep 0.2 click 1; }
# Answers as a person would, a moment after the box appears.
answer() { xdotool sleep 0.5 key "$1"; }
close_button
until_windows 2 "closing asked nothing"
answer n
until_windows 1 "No did not close the box"
kill -0 $pid || { echo "No ended the program"; exit 1; }
echo "closing asks; No keeps the window"
close_button
until_windows 2 "closing again asked nothing"
answer y
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
kill -0 $pid 2>/dev/null && { echo "Yes did not end the program"; exit 1; }
wait $pid || { echo "the program ended with an error"; exit 1; }
echo "Yes ends the program"
