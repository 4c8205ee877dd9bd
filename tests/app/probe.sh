# Sourced by the scripts that drive the real program: what it shows, listed
# by the window probe ($probe), a wait for a line of that listing, and the
# clicks and paths that several scripts share.
windows() { wine "$probe" 2>/dev/null | tr -d '\r' || true; }
# Waits up to a minute until a line matches $1 and, when $3 is given, none
# matches $3; then says $2. Otherwise fails with the listing, saving the
# screen to $failure_shot when that is set.
expect() {
  local shown
  for _ in $(seq 120); do
    shown=$(windows)
    if grep -qE "$1" <<<"$shown" && { [ -z "${3:-}" ] || ! grep -qE "$3" <<<"$shown"; }; then
      echo "$2"
      return
    fi
    sleep 0.5
  done
  echo "$2: not seen; the program shows"$'\n'"$shown"
  if [ -n "${failure_shot:-}" ]; then import -window root "$failure_shot"; fi
  exit 1
}

# A path as the program shows it, escaped for a pattern of expect.
escaped() { winepath -w "$1" | sed 's/\\/\\\\/g'; }
# Sets X and Y to the position of the Quenlor window shown now.
find_window() {
  eval "$(xdotool search --onlyvisible --name '^Quenlor$' | head -n 1 | xargs xdotool getwindowgeometry --shell)"
}
# Clicks a point of the window found last.
click() { xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.2 click 1 sleep 0.5; }
# On the merge page with a series listed: chooses the output file $1 in the
# save dialog and presses Merge, which asks to confirm.
merge_into() {
  click 484 313
  expect '^top \S+ #32770 .* owned$' "the save dialog opens"
  xdotool type "$(winepath -w "$1")"
  xdotool sleep 0.5 key Return
  expect "^Edit 32,304 .*\"$(escaped "$1")\"" "the output file is chosen"
  click 483 462
  expect '^top \S+ MobrelMessageBox .* owned$' "Merge asks to confirm"
}
# The handle of the support library's message box shown now.
box() { windows | awk '$1 == "top" && $3 == "MobrelMessageBox" { print $2 }'; }
# The start of a split and merge: a folder of the script's own ($dir, named
# from $1, removed at the end with the program started as $pid), in it a
# sparse 1 GiB source ($source_file: zeros between two random megabytes, so
# parts in the wrong order show), and the Blue skin remembered.
begin_session() {
  dir=$(mktemp -d "/tmp/$1.XXXXXX")
  pid=
  trap 'kill $pid 2>/dev/null || true; rm -rf "$dir"' EXIT
  source_file=$dir/holiday.avi
  truncate -s 1G "$source_file"
  head -c 1M /dev/urandom | dd of="$source_file" conv=notrunc status=none
  head -c 1M /dev/urandom | dd of="$source_file" bs=1M seek=1000 conv=notrunc status=none
  wine reg add 'HKCU\Software\Mobrel\Quenlor' /v Skin /t REG_DWORD /d 1 /f >/dev/null 2>&1
}
# In the folder browser that is open: from its root down /, tmp, $dir and
# its one subfolder, $dir/parts, which becomes the output path of the split
# of $source_file in two.
choose_parts_folder() {
  xdotool key Down Right sleep 0.5 type tmp
  xdotool key Right sleep 0.5 type "$(basename "$dir")"
  xdotool key Right sleep 0.5 key Right sleep 0.5 key Return
  expect "^Edit 374,180 .*\"$(escaped "$dir/parts")\\\\\"" "the folder is the output path"
  expect '^Edit 60,254 .*"2"' "two blocks are planned"
}
