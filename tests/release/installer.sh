#!/usr/bin/env bash
# The per-user installer under Wine, in a fresh prefix of its own (on the
# display of the run):
# - a silent install puts the files in %LOCALAPPDATA%\Programs\Quenlor, the
#   Explorer commands, the uninstall entry and the two shortcuts; `wine reg
#   query` of its keys is printed;
# - the "Join with Quenlor" command line, run as Explorer runs it on a part,
#   opens the window listing the series (screenshot join-with-quenlor.png);
#   an install while Quenlor runs is refused and changes nothing;
# - a silent uninstall leaves the registry and the profile as they were
#   before the install, the remembered skin included;
# - installing over an earlier version and over itself keeps one entry,
#   and the uninstall then again leaves nothing.
# Usage: installer.sh VERSION SETUP.exe PROBE.exe SCREENS
set -euo pipefail
version=$1 setup=$(realpath "$2") probe=$(realpath "$3") screens=$4
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d /tmp/qinst.XXXXXX)
export WINEPREFIX=$tmp/prefix
source "$here/../../scripts/wine-env"
source "$here/../app/probe.sh"
pid=
trap 'kill $pid 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "$*"; exit 1; }
failure_shot=$screens/installer-failed.png

# The installer carries the version block and, as its own icon, every
# picture of the program's icon.
strings=$(wrestool -x --raw -t 16 "$setup" | iconv -f UTF-16LE -t UTF-8 | tr -c '[:print:]' '\n')
for want in "$version" Quenlor Mobrel "Quenlor-$version-win64-setup.exe"; do
  grep -qxF "$want" <<<"$strings" || fail "the installer has no \"$want\" in its version block"
done
wrestool -x --raw -t 24 "$setup" | grep -q 'level="asInvoker"' || fail "the installer asks for more rights"
python3 - "$here/../../app/Quenlor.ico" "$setup" <<'PY' || fail "the installer does not carry the program's icon"
import struct, sys
icon, setup = (open(name, "rb").read() for name in sys.argv[1:])
count = struct.unpack_from("<H", icon, 4)[0]
for i in range(count):
    size, offset = struct.unpack_from("<II", icon, 6 + 16 * i + 8)
    assert icon[offset:offset + size] in setup
PY
echo "the installer carries version $version, the program's icon and runs as the invoker"

SECONDS=0
wine_keep_server
wine cmd /c exit </dev/null >/dev/null 2>&1
echo "fresh prefix made in $SECONDS s"
wine reg add 'HKCU\Software\Mobrel\Quenlor' /v Skin /t REG_DWORD /d 2 /f >/dev/null 2>&1

profile=$(winepath -u 'C:\users')/$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
local_app=$profile/AppData/Local
roaming=$profile/AppData/Roaming/Microsoft/Windows
app_dir=$local_app/Programs/Quenlor
app_win=$(winepath -w "$app_dir")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenlor'
verbs_key='HKCU\Software\Classes\*\shell'

# What an install may change: HKEY_CURRENT_USER and the user's profile.
# Left aside: the temporary folders (the uninstaller runs from a copy of
# itself there, which it cannot remove) and Wine's own keys, which running
# any program changes.
snapshot() {
  wine reg export HKCU "$(winepath -w "$tmp/hkcu.reg")" /y >/dev/null 2>&1
  iconv -f UTF-16LE -t UTF-8 "$tmp/hkcu.reg" | tr -d '\r' | grep -v '^#time=' |
    awk '/^\[/ { wine = index($0, "[HKEY_CURRENT_USER\\Software\\Wine") == 1 } !wine' >"$tmp/$1.reg"
  (cd "$profile" && find . \( -path ./Temp -o -path ./AppData/Local/Temp \) -prune -o -print | sort) >"$tmp/$1.files"
}
# Fails with $3 unless snapshots $1 and $2 are the same.
expect_same() {
  diff "$tmp/$1.reg" "$tmp/$2.reg" >"$tmp/diff" || fail "$3: the registry differs: $(cat "$tmp/diff")"
  diff "$tmp/$1.files" "$tmp/$2.files" >"$tmp/diff" || fail "$3: the profile differs: $(cat "$tmp/diff")"
}
# Value $2 of key $1 as reg prints it; (Default) is the key's own value.
value() {
  local which=(/v "$2")
  [ "$2" = '(Default)' ] && which=(/ve)
  wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
install() {
  local rc=0
  wine "$setup" /S || rc=$?
  [ $rc = "$1" ] || fail "setup /S ended with $rc, expected $1"
}
# Runs the uninstaller as Apps & features does, silently, and waits for the
# copy of itself that it hands the work to.
uninstall() {
  wine "$app_win\\Uninstall.exe" /S
  for _ in $(seq 150); do
    [ ! -e "$app_dir" ] && ! wine reg query "$uninstall_key" >/dev/null 2>&1 && return
    sleep 0.2
  done
  fail "the uninstaller left $app_dir or the entry"
}

snapshot before
install 0
for f in Quenlor.exe Mobrel.dll quenlor-cli.exe README.txt Uninstall.exe; do
  [ -f "$app_dir/$f" ] || fail "the install lacks $f"
done
echo "silent install: the files are in $app_win"
for link in "$roaming/Start Menu/Programs/Quenlor.lnk" "$roaming/SendTo/Quenlor.lnk"; do
  [ -f "$link" ] || fail "no shortcut $link"
  strings -e l "$link" | grep -qiF 'Programs\Quenlor\Quenlor.exe' || fail "$link does not start Quenlor.exe"
done
echo "the Start menu and Send To shortcuts start Quenlor.exe"

echo "wine reg query of what the installer registered:"
wine reg query "$verbs_key" /s | tr -d '\r' | tee "$tmp/verbs"
wine reg query "$uninstall_key" | tr -d '\r' | tee "$tmp/entry"
command="\"$app_win\\Quenlor.exe\" \"%1\""
[ "$(value "$verbs_key\\Quenlor.Split" '(Default)')" = "Split with Quenlor" ] || fail "no Split verb"
[ "$(value "$verbs_key\\Quenlor.Join" '(Default)')" = "Join with Quenlor" ] || fail "no Join verb"
[ "$(value "$verbs_key\\Quenlor.Split\\command" '(Default)')" = "$command" ] || fail "Split runs another command"
[ "$(value "$verbs_key\\Quenlor.Join\\command" '(Default)')" = "$command" ] || fail "Join runs another command"
[ "$(value "$verbs_key\\Quenlor.Join" AppliesTo)" = 'System.FileExtension:~<".QuenlorSp"' ] ||
  fail "Join applies to other files"
[ "$(value "$verbs_key\\Quenlor.Split" AppliesTo)" = 'NOT System.FileExtension:~<".QuenlorSp"' ] ||
  fail "Split applies to other files"
[ "$(grep '^HKEY.*\\shell\\' "$tmp/verbs" | sed 's/.*\\shell\\//' | tr '\n' ' ')" = \
  "Quenlor.Join Quenlor.Join\\command Quenlor.Split Quenlor.Split\\command " ] ||
  fail "the verbs are not the two keys with their commands"
for pair in "DisplayName=Quenlor" "DisplayVersion=$version" "Publisher=Mobrel" \
            "DisplayIcon=$app_win\\Quenlor.exe,0" "UninstallString=\"$app_win\\Uninstall.exe\""; do
  [ "$(value "$uninstall_key" "${pair%%=*}")" = "${pair#*=}" ] || fail "the entry's ${pair%%=*} is not ${pair#*=}"
done
size=$(value "$uninstall_key" EstimatedSize)
[ $((size)) -gt 100 ] || fail "the entry gives the size $size"
echo "the verbs run $command; the entry names Quenlor $version by Mobrel, $((size)) KiB"

dir=$tmp/files
mkdir "$dir"
for i in 0 1 2; do head -c 3000 /dev/urandom >"$dir/clip.mp4.QuenlorSp$i"; done
join_command=$(value "$verbs_key\\Quenlor.Join\\command" '(Default)')
[[ $join_command =~ ^\"([^\"]+)\"\ \"%1\"$ ]] || fail "the Join command is not: \"program\" \"%1\""
wine "${BASH_REMATCH[1]}" "$(winepath -w "$dir/clip.mp4.QuenlorSp1")" &
pid=$!
expect '^SysListView32 .* rows=3$' "the Join command line on part 1 opens the window listing the series of three"
sleep 1
find_window
import -window root -crop "700x524+${X}+${Y}" +repage "$screens/join-with-quenlor.png"
snapshot running
install 2
snapshot refused
expect_same running refused "an install while Quenlor runs"
echo "an install while Quenlor runs is refused and changes nothing"
kill $pid
wait $pid 2>/dev/null || true
for _ in $(seq 50); do [ "$(windows)" = "" ] && break; sleep 0.2; done

uninstall
snapshot after-uninstall
expect_same before after-uninstall "silent uninstall"
echo "silent uninstall: the registry and the profile are as before the install"
[ "$(value 'HKCU\Software\Mobrel\Quenlor' Skin)" = 0x2 ] || fail "the remembered skin is gone"

# An earlier version, made of the installed files by the same script.
mkdir "$tmp/stage"
install 0
cp "$app_dir"/{Quenlor.exe,Mobrel.dll,quenlor-cli.exe,README.txt} "$tmp/stage/"
uninstall
makensis -V1 -DVERSION=0.9.0 -DSTAGE="$tmp/stage" -DICON="$here/../../app/Quenlor.ico" \
  -DOUTFILE="$tmp/older-setup.exe" "$here/../../installer/Quenlor.nsi"
wine "$tmp/older-setup.exe" /S
[ "$(value "$uninstall_key" DisplayVersion)" = 0.9.0 ] || fail "the earlier version did not install"
entries() { wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' | grep -c DisplayName; }
for step in "over 0.9.0" "over itself"; do
  install 0
  [ "$(entries)" = 1 ] && [ "$(value "$uninstall_key" DisplayVersion)" = "$version" ] ||
    fail "installed $step: $(entries) entries, version $(value "$uninstall_key" DisplayVersion)"
  [ "$(ls "$app_dir" | tr '\n' ' ')" = "Mobrel.dll Quenlor.exe README.txt Uninstall.exe quenlor-cli.exe " ] &&
    cmp -s "$tmp/stage/Quenlor.exe" "$app_dir/Quenlor.exe" || fail "installed $step: the files are not this version's"
  echo "installed $step: one entry, for $version"
done
uninstall
snapshot after-reinstall
expect_same before after-reinstall "uninstalled after the upgrade"
echo "uninstalled after the upgrade: the registry and the profile are as before the first install"
