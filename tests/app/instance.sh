#!/usr/bin/env bash
# Quenlor.exe under Wine, started twice: the second start brings back the
# first window and ends without showing one of its own.
set -euo pipefail
exe=$1
source "$(dirname "$0")/../../scripts/wine-env"
windows() { xdotool search --onlyvisible --name '^Quenlor$' 2>/dev/null | wc -l; }
wine "$exe" &
first=$!
trap 'kill $first 2>/dev/null || true' EXIT
for _ in $(seq 150); do [ "$(windows)" -ge 1 ] && break; sleep 0.2; done
[ "$(windows)" = 1 ] || { echo "the first start shows no window"; exit 1; }

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
[ "$most" = 1 ] || { echo "the second start showed a window"; exit 1; }
kill -0 $first 2>/dev/null || { echo "the first instance ended"; exit 1; }
[ "$(windows)" = 1 ] || { echo "the first window is not shown"; exit 1; }
echo "second start ended; one window shown"
