#!/usr/bin/env bash
# Mobrel.dll exports the eleven library functions; Quenlor.exe imports
# Mobrel.dll, and no binary needs a DLL beside the system's other than it.
# Usage: check_binaries.sh Mobrel.dll Quenlor.exe [other.exe...]
set -euo pipefail
dll=$1; shift
functions=(InitDLL GetOSInfo ShowMobrel ShowOurProducts AddForm SetSkin FormStyle ChangeSize
           VisitHomePage MessageBox GetDiskInfo)
exports=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
for f in "${functions[@]}"; do
  grep -qw "g_MobrelDLL_$f" <<<"$exports" || { echo "Mobrel.dll does not export g_MobrelDLL_$f"; exit 1; }
done
count=$(grep -c 'g_MobrelDLL_' <<<"$exports")
[ "$count" -eq 11 ] || { echo "Mobrel.dll exports $count library functions, expected 11"; exit 1; }
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
grep -qx 'Mobrel.dll' <<<"$(imports "$1")" || { echo "$(basename "$1") does not import Mobrel.dll"; exit 1; }
for bin in "$dll" "$@"; do
  dlls=$(imports "$bin")
  for d in $dlls; do
    case ${d,,} in
      mobrel.dll|kernel32.dll|user32.dll|gdi32.dll|msimg32.dll|comctl32.dll|comdlg32.dll|shell32.dll|ole32.dll|\
      uxtheme.dll|advapi32.dll|bcrypt.dll|msvcrt.dll|shlwapi.dll|oleaut32.dll|oleacc.dll|api-ms-win-*) ;;
      *) echo "$(basename "$bin") needs an unexpected DLL: $d"; exit 1 ;;
    esac
  done
  echo "$(basename "$bin") imports: $(echo $dlls)"
done
echo "Mobrel.dll exports all 11 functions"
