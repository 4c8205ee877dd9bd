#!/usr/bin/env bash
# Quenlor.exe started with a file on its command line: a part file opens the
# merge page listing its whole series, a name that only differs in letter
# case from a part's becomes the split source, and an empty file is refused
# with a box owned by the window, after which the source box is empty.
set -euo pipefail
exe=$1 probe=$2
source "$(dirname "$0")/../../scripts/wine-env"
source "$(dirname "$0")/probe.sh"
dir=$(mktemp -d /tmp/qcl.XXXXXX)
pid=
trap 'kill $pid 2>/dev/null || true; rm -rf "$dir"' EXIT
for i in 0 1 2; do head -c 3000 /dev/urandom >"$dir/v.bin.QuenlorSp$i"; done
head -c 100 /dev/urandom >"$dir/n.quenlorsp0"
: >"$dir/empty.bin"

start() {
  wine "$exe" "$(winepath -w "$dir/$1")" &
  pid=$!
}
stop() {
  kill $pid
  wait $pid 2>/dev/null || true
}
source_box='^Edit 34,180 '

start v.bin.QuenlorSp1
expect '^SysListView32 .* rows=3$' "a part file opens the merge page with its three parts" "$source_box"
stop

start n.quenlorsp0
expect "${source_box}.*\"$(winepath -w "$dir/n.quenlorsp0" | sed 's/\\/\\\\/g')\"" \
  "a name in other letter case becomes the split source" 'SysListView32'
stop

start empty.bin
expect '^top \S+ MobrelMessageBox .* "Quenlor" owned$' "an empty file is refused with a box owned by the window"
xdotool sleep 0.5 key Return
expect "${source_box}.*\"\"$" "the box answered, the source box is empty" 'MobrelMessageBox'
stop
