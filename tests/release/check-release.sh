#!/usr/bin/env bash
# The release, checked by hand (two full release builds take minutes):
# clones the commit in hand into two fresh folders whose paths are long and
# hold blanks and letters beyond ASCII, runs scripts/package in each, expects
# byte-identical archives, installers and winget manifests, checks the
# manifest against its installer, and runs the Windows zip unpacked under
# Wine on a display and in a prefix of its own (check_zip.sh).
# Usage: tests/release/check-release.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(git -C "$here" rev-parse --show-toplevel)
commit=$(git -C "$root" rev-parse HEAD)
version=$(sed -n 's/^project(Quenlor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
work=$(mktemp -d /tmp/qrelease.XXXXXX)
xvfb_pid=
cleanup() {
  [ -z "$xvfb_pid" ] || { wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
deep="release check with blanks/Ünïcode 字 folder/and a name long enough that the path passes 120 characters"

for side in one two; do
  clone="$work/$side/$deep/quenlor"
  git clone -q --no-local "$root" "$clone"
  git -C "$clone" checkout -q --detach "$commit"
  echo "== scripts/package in $clone (${#clone} characters)"
  SECONDS=0
  "$clone/scripts/package"
  echo "scripts/package took $SECONDS s"
done
one="$work/one/$deep/quenlor/dist" two="$work/two/$deep/quenlor/dist"
files=$(cd "$one" && find . -type f | sort)
[ "$files" = "$(cd "$two" && find . -type f | sort)" ] || { echo "the two runs made different files"; exit 1; }
while read -r f; do
  cmp "$one/$f" "$two/$f" || { echo "$f differs between the two runs"; exit 1; }
done <<<"$files"
echo "both runs made the same bytes:"
cat "$one/SHA256SUMS"
ls "$one/winget"
python3 "$here/check_winget.py" "$version" "$one"

export WINEPREFIX=$work/prefix
source "$root/scripts/wine-env"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
wine_keep_server
bash "$here/check_zip.sh" "$version" "$one/Quenlor-$version-win64.zip"
