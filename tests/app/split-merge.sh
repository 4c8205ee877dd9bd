#!/usr/bin/env bash
# Quenlor.exe used as a user would, with the real mouse, keyboard and the
# system's folder and file dialogs: a 1 GiB file named on the command line is
# split in two through the split page, then the parts are merged back through
# the merge page into a file identical to the source. Saves screenshots of the
# planned split (Blue skin), the split running and the merge running.
set -euo pipefail
exe=$1 probe=$2 screens=$3
source "$(dirname "$0")/../../scripts/wine-env"
source "$(dirname "$0")/probe.sh"
begin_session qsm

failure_shot=$screens/split-merge-failed.png
# Answers the box shown now with Enter (Yes or OK) and waits for the next one.
answer_and_wait() {
  local shown
  shown=$(box)
  xdotool sleep 0.5 key Return
  sleep 0.7
  [ -n "${1:-}" ] && shot "$1"
  for _ in $(seq 120); do
    [ -n "$(box)" ] && [ "$(box)" != "$shown" ] && { echo "$2"; return; }
    sleep 0.5
  done
  echo "$2: no box came"
  exit 1
}
click() { xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.2 click 1 sleep 0.5; }
shot() { import -window root -crop "700x524+${X}+${Y}" +repage "$screens/$1.png"; }
box_line='^top \S+ MobrelMessageBox '

wine "$exe" "$(winepath -w "$source_file")" &
pid=$!
expect "^Edit 34,180 .*\"$(escaped "$source_file")\"" "the source named on the command line is shown"
eval "$(xdotool search --onlyvisible --name '^Quenlor$' | head -n 1 | xargs xdotool getwindowgeometry --shell)"

# The output folder through the folder browser (the source's own folder is refused).
mkdir "$dir/parts"
click 643 189
expect '^top \S+ #32770 .*"Browse for Folder" owned$' "the folder browser opens"
choose_parts_folder
shot split-planned

click 480 461
expect "$box_line"'.*"Quenlor"$' "Split asks to confirm"
answer_and_wait split-running-exe "the split ends with its message"
expect "$box_line"'.*"Quenlor" owned$' "which is owned by the window"
xdotool sleep 0.5 key Return
expect '^Edit 34,180 .*""$' "the page is reset"
ls "$dir/parts"
cat "$dir"/parts/holiday.avi.QuenlorSp{0,1} | cmp - "$source_file"
echo "the two parts make up the source"

# The merge page: the parts listed from part 1, the output through the save dialog.
kill $pid
wait $pid 2>/dev/null || true
wine "$exe" "$(winepath -w "$dir/parts/holiday.avi.QuenlorSp1")" &
pid=$!
expect '^SysListView32 .* rows=2$' "a part on the command line lists its series"
click 484 313
expect '^top \S+ #32770 .* owned$' "the save dialog opens"
xdotool type "$(winepath -w "$dir/joined.avi")"
xdotool sleep 0.5 key Return
expect "^Edit 32,304 .*\"$(escaped "$dir/joined.avi")\"" "the output file is chosen"
click 483 462
expect "$box_line"'.* owned$' "Merge asks to confirm"
answer_and_wait merge-running-exe "the merge ends with its message"
xdotool sleep 0.5 key Return
cmp "$dir/joined.avi" "$source_file"
echo "the merged file is identical to the source"
