#!/usr/bin/env bash
# The Windows binaries carry what Explorer and the loader read: a version
# block with the project version, and in the programs a manifest that runs
# them as the invoker on Windows 7 to 11, and the program's icon group.
# Usage: check_resources.sh VERSION exe-or-dll...
set -euo pipefail
version=$1; shift
fail() { echo "$*"; exit 1; }
for bin in "$@"; do
  name=$(basename "$bin")
  resources=$(wrestool -l "$bin")
  # The version block holds its strings in UTF-16.
  strings=$(wrestool -x --raw -t 16 "$bin" | iconv -f UTF-16LE -t UTF-8 | tr -c '[:print:]' '\n')
  for want in "$version" "Quenlor" "Mobrel" "$name"; do
    grep -qxF "$want" <<<"$strings" || fail "$name: no \"$want\" in its version block"
  done
  case $name in *.dll) continue ;; esac
  grep -q "name='MAINICON'.*type=group_icon" <<<"$resources" || fail "$name: no icon group MAINICON"
  manifest=$(wrestool -x --raw -t 24 -n 1 "$bin")
  grep -q 'level="asInvoker"' <<<"$manifest" || fail "$name: manifest without asInvoker"
  [ "$(grep -c '<supportedOS' <<<"$manifest")" -eq 4 ] || fail "$name: manifest without the four supportedOS"
  grep -q '<gdiScaling[^>]*>true<' <<<"$manifest" || fail "$name: manifest without GDI scaling"
done
echo "version $version, manifest and icon in: $*"
