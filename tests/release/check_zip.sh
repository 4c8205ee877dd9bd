#!/usr/bin/env bash
# The Windows release zip as a user gets it: it holds the two programs, the
# library and the guide; unpacked into a folder whose path has blanks and
# letters beyond ASCII, its binaries carry no debug sections, import only
# the system's DLLs and Mobrel.dll and hold their resources; the window
# opens, and the unpacked quenlor-cli.exe splits a file and joins it back.
# Given a build folder instead of a zip, packs that build with CPack first.
# Needs the Wine environment and an X display.
# Usage: check_zip.sh VERSION (ZIP | BUILD-FOLDER)
set -euo pipefail
version=$1 zip=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env"
tmp=$(mktemp -d /tmp/qzip.XXXXXX)
pid=
trap 'kill $pid 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "$*"; exit 1; }

if [ -d "$zip" ]; then
  (cd "$zip" && cpack --config CPackConfig.cmake -B "$tmp/cpack" >/dev/null)
  zip=$tmp/cpack/Quenlor-$version-win64.zip
fi
top=Quenlor-$version-win64
entries=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$entries" = "$top/Mobrel.dll $top/Quenlor.exe $top/README.txt $top/quenlor-cli.exe " ] ||
  fail "the zip holds: $entries"

folder="$tmp/Téléchargés für Ünïcode 字 ok"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$zip")
app=$folder/$top
head -n 1 "$app/README.txt" | grep -qx $'Quenlor '"$version"$'\r' || fail "README.txt does not start with the version line"
for bin in "$app"/*.exe "$app"/*.dll; do
  ! x86_64-w64-mingw32-objdump -h "$bin" | grep -q ' \.debug' || fail "$(basename "$bin") keeps debug sections"
done
bash "$here/../mobrel/check_binaries.sh" "$app/Mobrel.dll" "$app/Quenlor.exe" "$app/quenlor-cli.exe"
bash "$here/../mobrel/check_resources.sh" "$version" "$app/Quenlor.exe" "$app/quenlor-cli.exe" "$app/Mobrel.dll"

wine "$app/Quenlor.exe" &
pid=$!
window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Quenlor$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || fail "the unpacked Quenlor.exe opened no window"
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
echo "the unpacked Quenlor.exe opened its window"

cli() { wine "$app/quenlor-cli.exe" "$@" </dev/null >"$tmp/out" 2>&1 || fail "quenlor-cli $*: $(cat "$tmp/out")"; }
cd "$folder"
head -c 3000000 /dev/urandom >"film ü.bin"
mkdir parts
cli split "film ü.bin" -n 3 -o parts
cli join "parts/film ü.bin.QuenlorSp2" -o "joined ü.bin"
cmp "film ü.bin" "joined ü.bin" || fail "the joined file differs from the source"
cli verify "parts/film ü.bin.QuenlorSp0"
[ "$(grep -c '^ok ' "$tmp/out")" = 3 ] || fail "verify does not find the three parts ok: $(cat "$tmp/out")"
echo "the unpacked quenlor-cli.exe split a file into three parts, verified and joined them"
