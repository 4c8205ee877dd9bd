#!/usr/bin/env bash
# Mobrel.dll exports the eleven library functions; Quenlor.exe imports Mobrel.dll
# and no other DLL beside the system's.
set -euo pipefail
dll=$1 exe=$2
functions=(InitDLL GetOSInfo ShowMobrel ShowOurProducts AddForm SetSkin FormStyle ChangeSize
           VisitHomePage MessageBox GetDiskInfo)
exports=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
for f in "${functions[@]}"; do
  grep -qw "g_MobrelDLL_$f" <<<"$exports" || { echo "Mobrel.dll does not export g_MobrelDLL_$f"; exit 1; }
done
count=$(grep -c 'g_MobrelDLL_' <<<"$exports")
[ "$count" -eq 11 ] || { echo "Mobrel.dll exports $count library functions, expected 11"; exit 1; }
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
grep -qx 'Mobrel.dll' <<<"$dlls" || { echo "Quenlor.exe does not import Mobrel.dll"; exit 1; }
for d in $dlls; do
  case ${d,,} in
    mobrel.dll|kernel32.dll|user32.dll|gdi32.dll|msimg32.dll|comctl32.dll|comdlg32.dll|shell32.dll|ole32.dll|\
    uxtheme.dll|advapi32.dll|bcrypt.dll|msvcrt.dll|shlwapi.dll|oleaut32.dll|api-ms-win-*) ;;
    *) echo "Quenlor.exe needs an unexpected DLL: $d"; exit 1 ;;
  esac
done
echo "Mobrel.dll exports all 11 functions; Quenlor.exe imports: $(echo $dlls)"
