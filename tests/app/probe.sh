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
