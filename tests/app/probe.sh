# Sourced by the scripts that drive the real program: what it shows, listed
# by the window probe ($probe), and a wait for a line of that listing.
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
# The handle of the support library's message box shown now.
box() { windows | awk '$1 == "top" && $3 == "MobrelMessageBox" { print $2 }'; }
# A path as the probe prints it, escaped for a pattern.
escaped() { winepath -w "$1" | sed 's/\\/\\\\/g'; }
# A sparse 1 GiB file at $1: zeros between two random megabytes, so parts
# in the wrong order show.
make_source() {
  truncate -s 1G "$1"
  head -c 1M /dev/urandom | dd of="$1" conv=notrunc status=none
  head -c 1M /dev/urandom | dd of="$1" bs=1M seek=1000 conv=notrunc status=none
}
