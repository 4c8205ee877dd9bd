#!/usr/bin/env bash
# A later start of Quenlor.exe that carries a file hands it to the running
# window and ends: of two starts at once, one with a part, one window lists
# the series; on the split page, a part opens the merge page listing its
# series and one window stays; while a merge runs, the file is not opened and
# a box owned by the window says why (its screenshot: hand-over-refused.png).
set -euo pipefail
exe=$1 probe=$2 screens=$3
source "$(dirname "$0")/../../scripts/wine-env"
source "$(dirname "$0")/probe.sh"
dir=$(mktemp -d /tmp/qho.XXXXXX)
pid= twin=
trap 'kill $pid $twin 2>/dev/null || true; rm -rf "$dir"' EXIT
failure_shot=$screens/hand-over-failed.png
for i in 0 1 2; do head -c 3000 /dev/urandom >"$dir/v.bin.QuenlorSp$i"; done
# Two sparse parts of 1 GiB: merging them takes long enough to hand a file over meanwhile.
truncate -s 1G "$dir/big.bin.QuenlorSp0" "$dir/big.bin.QuenlorSp1"
windows_shown() { xdotool search --onlyvisible --name '^Quenlor$' 2>/dev/null | wc -l; }
# Starts Quenlor.exe with a file while the first one runs; it must end, and succeed.
later_start() {
  local rc=0
  timeout 60 wine "$exe" "$(winepath -w "$1")" || rc=$?
  [ $rc = 0 ] || { echo "the later start with $(basename "$1") ended with $rc"; exit 1; }
}

# Two starts at once, one with a part: whichever comes first, one window
# lists the series.
wine "$exe" &
pid=$!
wine "$exe" "$(winepath -w "$dir/v.bin.QuenlorSp1")" &
twin=$!
for _ in $(seq 150); do kill -0 $pid 2>/dev/null && kill -0 $twin 2>/dev/null || break; sleep 0.2; done
if ! kill -0 $pid 2>/dev/null; then read -r pid twin <<<"$twin $pid"; fi
wait $twin || { echo "the start that found the other failed"; exit 1; }
expect '^SysListView32 .* rows=3$' "of two starts at once, one with a part, one lists the series" '^Edit 34,180 '
[ "$(windows_shown)" = 1 ] || { echo "two starts at once showed $(windows_shown) windows"; exit 1; }
find_window
click 70 50
expect '^Edit 34,180 .*""$' "the split page shows" 'SysListView32'

later_start "$dir/v.bin.QuenlorSp2"
expect '^SysListView32 .* rows=3$' "a later start with a part: the merge page lists its series" '^Edit 34,180 '
[ "$(windows_shown)" = 1 ] || { echo "$(windows_shown) windows show after the hand-over"; exit 1; }
echo "the later start ended and one window shows"

later_start "$dir/big.bin.QuenlorSp1"
expect '^SysListView32 .* rows=2$' "the next hand-over replaces the series"
merge_into "$dir/joined.bin"
xdotool sleep 0.5 key Return
expect '^SysListView32 .* rows=2$' "the merge runs" 'MobrelMessageBox'

later_start "$dir/v.bin.QuenlorSp0"
expect '^top \S+ MobrelMessageBox .*"Quenlor" owned$' "during the merge a box owned by the window answers the hand-over"
# The box came while the merge still ran: its end would have cleared the list.
expect '^SysListView32 .* rows=2$' "the series of the merge stays listed"
sleep 0.5
import -window root -crop "700x524+${X}+${Y}" +repage "$screens/hand-over-refused.png"
xdotool key Return
expect '^SysListView32 .* rows=2$' "the box answered, the handed file is still not opened" 'MobrelMessageBox'
