#!/usr/bin/env bash
# Quenlor.exe worked with the keyboard alone: a file named on the command
# line is split in two (the output folder chosen through the folder browser
# opened with Space, Split pressed with Enter, Esc during the job asking the
# stop question, answered N), then the parts are merged back through the
# merge page (the list cleared with Delete and filled again through the add
# button, the confirmation answered Esc, then Y) into a file identical to
# the source. Screenshots show the focus cue after Tab and none after a
# mouse click, which leaves the window's pixels as they were before any key.
set -euo pipefail
exe=$1 probe=$2 screens=$3
source "$(dirname "$0")/../../scripts/wine-env"
source "$(dirname "$0")/probe.sh"
begin_session qkb

failure_shot=$screens/keyboard-failed.png
# Waits for a message box other than the one given, and prints its handle.
next_box() {
  for _ in $(seq 120); do
    local shown
    shown=$(box)
    [ -n "$shown" ] && [ "$shown" != "${1:-}" ] && { echo "$shown"; return; }
    sleep 0.5
  done
  echo "no box came" >&2
  import -window root "$failure_shot"
  exit 1
}
keys() { xdotool key --delay 150 "$@"; sleep 0.5; }
shot() { sleep 0.5; import -window root -crop "700x524+${X}+${Y}" +repage "$screens/$1.png"; }
differing() { compare -metric AE "$screens/$1.png" "$screens/$2.png" null: 2>&1 || true; }

wine "$exe" "$(winepath -w "$source_file")" &
pid=$!
expect "^Edit 34,180 .*\"$(escaped "$source_file")\"" "the source named on the command line is shown"
eval "$(xdotool search --onlyvisible --name '^Quenlor$' | head -n 1 | xargs xdotool getwindowgeometry --shell)"
xdotool windowactivate --sync "$WINDOW" 2>/dev/null || xdotool windowfocus --sync "$WINDOW"
xdotool mousemove $((X + 350)) $((Y + 500))
shot keyboard-start

# What another program reads through the accessibility interfaces: role,
# state and name of a sample of the controls (push button 43, page tab 37,
# radio button 45, text 42, combo box 46, progress bar 48; 1 unavailable,
# 100000 focusable).
read_by_screen_reader=$(wine "$probe" accessible | tr -d '\r')
for line in '43 100000 "Browse for the source file"' '43 100000 "Blue skin"' '43 100000 "Minimize"' \
            '37 1 "Split File"' '37 100000 "Merge Files"' '45 [0-9a-f]+ "Specify number of blocks:"' \
            '42 [0-9a-f]+ "Source file"' '46 [0-9a-f]+ "Block size unit"' '48 0 "Overall progress"' \
            '43 100000 "Split"' '43 1 "Cancel"'; do
  grep -qE "^acc $line\$" <<<"$read_by_screen_reader" || { echo "not read: $line"; echo "$read_by_screen_reader"; exit 1; }
done
echo "another program reads the controls' names, roles and states"

# Ctrl+1 puts the focus on the source box, Tab on its browse button with the cue.
keys ctrl+1 Tab
shot keyboard-focus-cue
changed=$(differing keyboard-start keyboard-focus-cue)
[ "$changed" -gt 0 ] || { echo "Tab drew no focus cue"; exit 1; }
echo "Tab shows the focus cue ($changed pixels)"
# A click on the page's blank background hides it: the pixels are those before any key.
xdotool mousemove $((X + 350)) $((Y + 430)) click 1
xdotool mousemove $((X + 350)) $((Y + 500))
shot keyboard-after-click
changed=$(differing keyboard-start keyboard-after-click)
[ "$changed" -eq 0 ] || { echo "after the click $changed pixels differ from the start"; exit 1; }
echo "a mouse click leaves no focus cue"
# Alt and O, the letter of "Output path:", puts the caret in the output box;
# the mnemonics show underlined until the mouse is used.
keys alt+o
shot keyboard-mnemonics
changed=$(differing keyboard-start keyboard-mnemonics)
[ "$changed" -gt 0 ] || { echo "Alt showed no mnemonic"; exit 1; }
echo "Alt shows the mnemonics ($changed pixels)"

# The output folder: Tab to its browse button, Space opens the folder browser.
mkdir "$dir/parts"
keys ctrl+1 Tab Tab Tab space
expect '^top \S+ #32770 .*"Browse for Folder" owned$' "Space on the browse button opens the folder browser"
choose_parts_folder

# Back to the output box, where Enter presses the page's default button, Split.
keys shift+Tab Return
confirm=$(next_box)
echo "Enter presses Split, which asks to confirm"
xdotool key Return
sleep 0.3
xdotool key Escape
stop=$(next_box "$confirm")
shot keyboard-stop-question
echo "Esc during the split asks the stop question"
xdotool key n
end=$(next_box "$stop")
echo "N lets the split go on to its end"
xdotool key Return
expect '^Edit 34,180 .*""$' "the page is reset"
cat "$dir"/parts/holiday.avi.QuenlorSp{0,1} | cmp - "$source_file"
echo "the two parts make up the source"
[ -n "$end" ]

# The merge page: Ctrl+2 focuses the list, where Delete clears it; Tab and
# Space on the add button list the series again through the open dialog.
kill $pid
wait $pid 2>/dev/null || true
wine "$exe" "$(winepath -w "$dir/parts/holiday.avi.QuenlorSp1")" &
pid=$!
expect '^SysListView32 .* rows=2$' "a part on the command line lists its series"
xdotool search --onlyvisible --name '^Quenlor$' | head -n 1 | xargs -I{} xdotool windowactivate --sync {} 2>/dev/null || true
keys ctrl+2 Delete
expect '^SysListView32 .* rows=0$' "Delete in the list clears it"
keys Tab space
expect '^top \S+ #32770 .* owned$' "Space on the add button opens the open dialog"
xdotool type "$(winepath -w "$dir/parts/holiday.avi.QuenlorSp0")"
xdotool sleep 0.5 key Return
expect '^SysListView32 .* rows=2$' "the series is listed again"
# Three Tabs on from the add button: Clear, the output box, its browse button.
keys Tab Tab Tab space
expect '^top \S+ #32770 .* owned$' "Space on the browse button opens the save dialog"
xdotool type "$(winepath -w "$dir/joined.avi")"
xdotool sleep 0.5 key Return
expect "^Edit 32,304 .*\"$(escaped "$dir/joined.avi")\"" "the output file is chosen"
# The support library's boxes: Esc answers No to the confirmation, Y answers Yes.
keys shift+Tab Return
confirm=$(next_box)
echo "Enter presses Merge, which asks to confirm"
xdotool key Escape
for _ in $(seq 20); do [ -z "$(box)" ] && break; sleep 0.5; done
[ -z "$(box)" ] || { echo "Esc left the box open"; exit 1; }
[ ! -e "$dir/joined.avi" ] || { echo "Esc on the confirmation merged all the same"; exit 1; }
echo "Esc answers No: nothing is merged"
keys Return
confirm=$(next_box)
xdotool key y
end=$(next_box "$confirm")
echo "Y answers Yes: the merge runs to its end"
xdotool sleep 0.5 key Return
cmp "$dir/joined.avi" "$source_file"
echo "the merged file is identical to the source"
