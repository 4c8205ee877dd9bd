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
# The drive letter the moved parts show under goes at the end too.
drive=
trap 'kill $pid 2>/dev/null || true; rm -rf "$dir"; [ -z "$drive" ] || rm -f "$WINEPREFIX/dosdevices/$drive"' EXIT

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
shot() { import -window root -crop "700x524+${X}+${Y}" +repage "$screens/$1.png"; }
box_line='^top \S+ MobrelMessageBox '

wine "$exe" "$(winepath -w "$source_file")" &
pid=$!
expect "^Edit 34,180 .*\"$(escaped "$source_file")\"" "the source named on the command line is shown"
find_window

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

# The merge page: the parts listed from part 1, the output through the save
# dialog, the merge confirmed. Ends with the box that ends the merge shown.
merge() {
  kill $pid
  wait $pid 2>/dev/null || true
  wine "$exe" "$(winepath -w "$dir/parts/holiday.avi.QuenlorSp1")" &
  pid=$!
  expect '^SysListView32 .* rows=2$' "a part on the command line lists its series"
  find_window
  merge_into "$dir/joined.avi"
  answer_and_wait "$1" "the merge ends with its message"
}
flip() { printf "$(printf '\\%03o' $((255 - $(od -An -tu1 -j5 -N1 "$1"))))" | dd of="$1" bs=1 seek=5 conv=notrunc status=none; }

# A part changed since the split: the merge fails on the record's check and
# leaves no output, under its name or a temporary one.
flip "$dir/parts/holiday.avi.QuenlorSp1"
merge ""
expect "$box_line"'.* owned$' "the merge ends with its failure"
xdotool sleep 0.5 key Return
if [ -e "$dir/joined.avi" ] || [ -e "$dir/joined.avi.partial" ]; then
  echo "the failed merge left an output"
  exit 1
fi
echo "the failed merge left no output"
flip "$dir/parts/holiday.avi.QuenlorSp1"

merge merge-running-exe
xdotool sleep 0.5 key Return
cmp "$dir/joined.avi" "$source_file"
echo "the merged file is identical to the source"

# The parts travel: their folder moves and shows under another drive letter.
# There its batch script joins under Wine's command interpreter with a
# console, started from another folder, and its shell script under dash;
# both results check against the record.
kill $pid
wait $pid 2>/dev/null || true
mkdir -p "$dir/moved" "$dir/elsewhere"
mv "$dir/parts" "$dir/moved/holiday parts"
for letter in m n o p q r s t u v w x y; do
  [ -e "$WINEPREFIX/dosdevices/$letter:" ] || [ -L "$WINEPREFIX/dosdevices/$letter:" ] || { drive=$letter:; break; }
done
ln -s "$dir/moved" "$WINEPREFIX/dosdevices/$drive"
(cd "$dir/elsewhere" && QUENLOR_BAT="$drive\\holiday parts\\holiday.avi.bat" \
  script -qec 'wine cmd /c call "$QUENLOR_BAT"' /dev/null </dev/null >/dev/null 2>&1)
record="$dir/moved/holiday parts/holiday.avi.sha256"
grep -qxF "$(sha256sum <"$dir/elsewhere/holiday.avi" | cut -c1-64) *holiday.avi" "$record"
cmp "$dir/elsewhere/holiday.avi" "$source_file"
echo "the moved batch script joins from another drive letter, as the record says"
(cd "$dir/elsewhere" && dash "../moved/holiday parts/holiday.avi.sh") |
  grep -qF "holiday.avi joined, checked against holiday.avi.sha256"
cmp "$dir/moved/holiday parts/holiday.avi" "$source_file"
echo "the moved shell script joins beside the parts under dash and checks against the record"

# A split cancelled through the page leaves no file of the job.
mkdir "$dir/parts"
wine "$exe" "$(winepath -w "$source_file")" &
pid=$!
expect "^Edit 34,180 .*\"$(escaped "$source_file")\"" "the source is shown again"
find_window
click 643 189
expect '^top \S+ #32770 .*"Browse for Folder" owned$' "the folder browser opens"
xdotool key Down Right sleep 0.5 type tmp
xdotool key Right sleep 0.5 type "$(basename "$dir")"
xdotool key Right sleep 0.5 type parts
xdotool sleep 0.5 key Return
expect "^Edit 374,180 .*\"$(escaped "$dir/parts")\\\\\"" "the folder is the output path again"
click 480 461
expect "$box_line"'.*"Quenlor"$' "Split asks to confirm"
xdotool sleep 0.5 key Return
for _ in $(seq 100); do compgen -G "$dir/parts/*.partial" >/dev/null && break; sleep 0.1; done
click 610 461
expect "$box_line"'.* owned$' "Cancel asks whether to stop"
xdotool sleep 0.5 key Return
expect '^Edit 34,180 .*""$' "the page is reset after the cancel"
[ -z "$(ls -A "$dir/parts")" ] || { ls -la "$dir/parts"; exit 1; }
echo "the cancelled split left no file"
