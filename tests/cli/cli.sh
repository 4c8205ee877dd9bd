#!/usr/bin/env bash
# quenlor-cli run as a user runs it, natively or (with "wine") as the
# Windows build: only its files, its output and its exit status are read.
# With "wine" the program is the Windows build; with "native+wine" it is
# native and the batch scripts it writes are also run under Wine.
# Usage: cli.sh VERSION PROGRAM [wine|native+wine]
set -uo pipefail
version=$1; shift
exe=$(realpath "$1")
mode=${2:-native}
runner=()
if [ "$mode" != native ]; then
  source "$(dirname "$0")/../../scripts/wine-env"
  # The prefix's services start here, apart from every output the test reads.
  wine cmd /c exit </dev/null >/dev/null 2>&1
fi
[ "$mode" = wine ] && runner=(wine)
dir=$(mktemp -d /tmp/qcli.XXXXXX)
drive=
trap 'rm -rf "$dir"; [ -z "$drive" ] || rm -f "$WINEPREFIX/dosdevices/$drive"' EXIT
cd "$dir"
failures=0 passes=0

# Runs the program; its status in $status, its output in out and err.
q() {
  "${runner[@]}" "$exe" "$@" >out 2>err </dev/null
  status=$?
  # Wine's own notices (a volume it cannot read the label of) are not the program's.
  [ ${#runner[@]} -eq 0 ] || sed -i '/^wine: /d' err
}
pass() { passes=$((passes + 1)); }
fail() {
  echo "FAIL: $*" >&2
  echo "  stdout: $(head -c 600 out 2>/dev/null)" >&2
  echo "  stderr: $(head -c 600 err 2>/dev/null)" >&2
  failures=$((failures + 1))
}
check() {  # description, then a test command
  local what=$1; shift
  if "$@"; then pass; else fail "$what"; fi
}
same() { cmp -s "$1" "$2"; }
# Every file below the folder with its digest, to see that nothing changed.
snapshot() { find bad -type f -print0 | sort -z | xargs -0 -r sha256sum; }

make_file() {  # name bytes: a pattern that is never the same at two offsets
  head -c "$2" /dev/urandom >"$1"
}

# ------------------------------------------------------------ round trips
# name | size | split arguments | copy path the plan names
round_trips=(
  "small.bin|1000000|-s 300K|buffered"
  "count.bin|1000001|-n 7|buffered"
  "large.bin|27262976|-n 2|unbuffered"
  "tail.bin|23068677|-s 10M|unbuffered"
  "a b%&é字.bin|5000|-s 1KB|buffered"
)
for row in "${round_trips[@]}"; do
  IFS='|' read -r name size args path <<<"$row"
  rm -rf rt && mkdir rt
  make_file "rt/$name" "$size"
  q plan "rt/$name" $args
  check "$name: plan names the $path path" grep -q "^copy path: $path$" out
  q split "rt/$name" $args -o rt
  check "$name: split exits 0" [ "$status" = 0 ]
  check "$name: no progress line when stderr is not a terminal" [ ! -s err ]
  parts=$(grep -c 'QuenlorSp' out)
  check "$name: split prints the parts it wrote" [ "$parts" -ge 2 ]
  files=()
  for ((i = 0; i < parts; i++)); do files+=("rt/$name.QuenlorSp$i"); done
  check "$name: cat of the parts equals the source" same <(cat "${files[@]}") "rt/$name"
  check "$name: the rejoin script is beside the parts" [ -s "rt/$name.bat" ]
  q join "rt/$name.QuenlorSp1" -o "rt/joined $name"
  check "$name: join exits 0" [ "$status" = 0 ]
  check "$name: the joined file equals the source" same "rt/joined $name" "rt/$name"
  mv "rt/$name" "rt/source"
  q join "rt/$name.QuenlorSp0"
  check "$name: join writes the series' base beside the parts by default" same "rt/$name" rt/source
done

# ------------------------------------------------------------ plan
truncate -s 104857600 hundred.bin
q plan hundred.bin -n 3 --json
check "plan --json" grep -qxF '{"block_size": 34955264, "part_count": 3, "parts": [34955264, 34955264, 34947072], "unbuffered": true, "fits_fat": true, "fits_fat32": true}' out
truncate -s 10000000000 ten-gb.bin
q plan ten-gb.bin -s fat32
check "a fat32 block fits FAT32 but not FAT" grep -qz 'parts: 3.*fits FAT: no.fits FAT32: yes' out
q plan ten-gb.bin -s 5G --json
check "a block over 4 GiB fits neither" grep -q '"fits_fat": false, "fits_fat32": false' out
# Every preset is pinned to its byte count.
truncate -s 30000000000 thirty-gb.bin
presets=("fat32|4294967295" "fat|2147483647" "cd|734003200" "dvd|4700372992" "dvd-dl|8543666176" "bd|25025314816")
for row in "${presets[@]}"; do
  IFS='|' read -r name bytes <<<"$row"
  q plan thirty-gb.bin -s "$name" --json
  check "preset $name is $bytes bytes" grep -qF "\"block_size\": $bytes," out
done
rm hundred.bin ten-gb.bin thirty-gb.bin
q --version
check "--version names the project version" grep -qxF "quenlor-cli $version" out
q split --help
check "split --help exits 0 and names the options" grep -q -- '--force' out

# ------------------------------------------------------------ refusals
mkdir -p bad/folder bad/out
make_file bad/src.bin 2000
: >bad/empty.bin
make_file bad/old.bin 3000
make_file bad/old.bin.QuenlorSp0 10
make_file bad/stale.bin 3000
make_file bad/stale.bin.QuenlorSp2 10
make_file bad/p.bin 3000
make_file bad/ten.bin 10
make_file bad/gap.bin.QuenlorSp1 10
"${runner[@]}" "$exe" split bad/p.bin -s 1K -o bad/out >/dev/null 2>&1
long=bad/$(printf 'd%.0s' {1..120})/$(printf 'e%.0s' {1..120})
mkdir -p "$long"
# arguments | what the one error line says
refusals=(
  "bogus|bogus"
  "split|SOURCE is required"
  "split bad/src.bin|give -n COUNT or -s SIZE"
  "split bad/src.bin -n 2 --bogus|--bogus"
  "split bad/none.bin -n 2|no such file: \"bad/none.bin\""
  "split bad/folder -n 2|\"bad/folder\" is a folder, not a file"
  "split bad/empty.bin -n 2|is empty"
  "split bad/src.bin -n 1|--count"
  "split bad/src.bin -n 1000|--count"
  "split bad/src.bin -n x|--count"
  "split bad/src.bin -s 0|--size: a block size of 0"
  "split bad/src.bin -s 12Q|--size: not a block size: 12Q"
  "split bad/src.bin -s -5|--size"
  "split bad/src.bin -s 99999999999G|--size: not a block size"
  "split bad/src.bin -s 99999999999999999999|--size: not a block size"
  "split bad/ten.bin -n 20|a file of 10 bytes can have at most 10 parts"
  "split bad/ten.bin -n 6|make 5 parts of this file, not 6"
  "split bad/src.bin -n 2 -s 1K|excludes"
  "split bad/src.bin -s 2000|--size: a block of 2000 bytes is not smaller than the source"
  "split bad/src.bin -s 2|at most 999"
  "split bad/src.bin -n 2 -o bad/nowhere|--output: no such folder"
  "split bad/old.bin -n 2 -o bad|old.bin.QuenlorSp0\" exists (--force replaces it)"
  "split bad/stale.bin -n 2 -o bad --force|stale.bin.QuenlorSp2\" exists and would join with the new parts"
  "split bad/src.bin -n 2 -o $long|reach 260 characters"
  "plan bad/src.bin -n 1000|--count"
  "join|PART is required"
  "join bad/none.bin|no such file"
  "join bad/src.bin|is not a part of a quenlor series"
  "join bad/gap.bin.QuenlorSp1|gap.bin.QuenlorSp0\" is missing"
  "join bad/out/p.bin.QuenlorSp0 -o bad/p.bin|\"bad/p.bin\" exists (--force replaces it)"
  "join bad/out/p.bin.QuenlorSp0 -o bad/out/p.bin.QuenlorSp1 --force|is one of the parts"
  "join bad/out/p.bin.QuenlorSp0 --series other|--series"
  "join bad/out/p.bin.QuenlorSp0 -o bad/out/p.bin.sha256 --force|is the record or a rejoin script"
  "join bad/out/p.bin.QuenlorSp0 -o bad/out/p.bin.bat --force|is the record or a rejoin script"
)
before=$(snapshot)
for row in "${refusals[@]}"; do
  IFS='|' read -r args message <<<"$row"
  # shellcheck disable=SC2086
  q $args
  check "'$args' exits 2" [ "$status" = 2 ]
  check "'$args' says: $message" grep -qF -- "$message" err
  check "'$args' writes one line on stderr and nothing on stdout" \
    bash -c '[ "$(wc -l <err)" = 1 ] && [ ! -s out ] && grep -q "^quenlor-cli: " err'
done
check "no refused command changed a file" [ "$(snapshot)" = "$before" ]
q join bad/gap.bin.QuenlorSp1
check "a series without part 0 names part 0 as missing" grep -q '^quenlor-cli: part 0 ".*gap.bin.QuenlorSp0" is missing$' err

q split bad/old.bin -n 2 -o bad --force
check "--force replaces the parts of the same name" [ "$status" = 0 ]
check "--force: the new parts make the source" same <(cat bad/old.bin.QuenlorSp0 bad/old.bin.QuenlorSp1) bad/old.bin

# ------------------------------------------------------------ record and other namings
mkdir rec
make_file rec/r.bin 50000
q split rec/r.bin -s 16K -o rec
check "the split prints its record" grep -q 'r.bin.sha256$' out
check "sha256sum -c accepts the record" bash -c 'cd rec && sha256sum -c --quiet r.bin.sha256'
printf 'X' | dd of=rec/r.bin.QuenlorSp1 bs=1 seek=100 conv=notrunc status=none
q join rec/r.bin.QuenlorSp0 -o rec/joined
check "join of a changed part exits 1" [ "$status" = 1 ]
check "join names the changed part" grep -q 'join failed: part 1 ".*r.bin.QuenlorSp1" is not the part that was split' err
rm -f rec/r.bin.QuenlorSp3 rec/joined
q join rec/r.bin.QuenlorSp0 -o rec/joined
check "a part missing at the end refuses the join" [ "$status" = 2 ]
check "the refusal names the missing part" grep -q 'r.bin.QuenlorSp3" is missing' err
check "the refused join writes no output" [ ! -e rec/joined ]
split -b 7000 rec/r.bin rec/x
q join rec/xab --series letters -o rec/from-letters
check "a letters series made by split joins" same rec/from-letters rec/r.bin
split -b 7000 -d -a 3 --numeric-suffixes=1 rec/r.bin rec/n.bin.
q join rec/n.bin.002 --series numbered
check "a numbered series joins beside its parts" same rec/n.bin rec/r.bin

# --remove-parts: the series goes only after a join checked against its record.
mkdir rm
make_file rm/r.bin 40000
"${runner[@]}" "$exe" split rm/r.bin -s 16K -o rm >/dev/null 2>&1
mv rm/r.bin rm/source
cp rm/r.bin.QuenlorSp1 kept-part
printf 'X' | dd of=rm/r.bin.QuenlorSp1 bs=1 seek=3 conv=notrunc status=none
q join rm/r.bin.QuenlorSp0 --remove-parts
check "--remove-parts: a join that fails its check exits 1" [ "$status" = 1 ]
check "--remove-parts: a failed check keeps every file" [ "$(ls rm | wc -l)" = 7 ]
cp kept-part rm/r.bin.QuenlorSp1
mv rm/r.bin.sha256 kept-record
q join rm/r.bin.QuenlorSp0 --remove-parts
check "--remove-parts: refused without a record" [ "$status" = 2 ]
check "--remove-parts: the refusal says why" grep -q "without a record" err
mv kept-record rm/r.bin.sha256
q join rm/r.bin.QuenlorSp0 -o rm/joined --remove-parts
check "--remove-parts: a checked join exits 0" [ "$status" = 0 ]
check "--remove-parts: the joined file is the source" same rm/joined rm/source
check "--remove-parts: it says what it removed" [ "$(grep -c '^removed ' out)" = 6 ]
check "--remove-parts: only the source and the joined file stay" [ "$(ls rm | tr '\n' ' ')" = "joined source " ]

# ------------------------------------------------------------ verify
mkdir ver
make_file ver/v.bin 50000
"${runner[@]}" "$exe" split ver/v.bin -s 16K -o ver >/dev/null 2>&1
# each row changes the series further @ a line verify then prints @ its exit status
verifies=(
  ":@^ok +.*v.bin.QuenlorSp3\$@0"
  ":@^ok +.*v.bin \(whole file\)\$@0"
  "cp ver/v.bin ver/good && printf X | dd of=ver/v.bin bs=1 seek=5 conv=notrunc status=none@^changed +.*v.bin \(whole file\)\$@1"
  "mv ver/good ver/v.bin@^ok +.*v.bin \(whole file\)\$@0"
  "mv ver/v.bin ver/source@^not checked +.*v.bin \(whole file\)\$@0"
  "printf X | dd of=ver/v.bin.QuenlorSp1 bs=1 seek=9 conv=notrunc status=none@^changed +.*v.bin.QuenlorSp1\$@1"
  "mv ver/v.bin.QuenlorSp2 ver/away@^missing +.*v.bin.QuenlorSp2\$@1"
  "cp ver/away ver/v.bin.QuenlorSp4@^extra +.*v.bin.QuenlorSp4\$@1"
  "rm ver/v.bin.sha256@^quenlor-cli: no record .*v.bin.sha256@2"
)
for row in "${verifies[@]}"; do
  IFS='@' read -r change line code <<<"$row"
  eval "$change"
  q verify ver/v.bin.QuenlorSp0
  check "after '$change' verify exits $code" [ "$status" = "$code" ]
  check "after '$change' verify prints $line" grep -qE "$line" out err
done

# A pipe under the record's name is never opened: verify and join refuse at once.
if [ ${#runner[@]} -eq 0 ]; then
  mkdir fifo && make_file fifo/f.bin 3000
  q split fifo/f.bin -n 2 -o fifo
  rm fifo/f.bin.sha256 && mkfifo fifo/f.bin.sha256
  for command in "verify" "join -o fifo/joined"; do
    # shellcheck disable=SC2086
    timeout 20 "$exe" $command fifo/f.bin.QuenlorSp0 >out 2>err </dev/null
    status=$?
    check "$command refuses a record that is a pipe" [ "$status" = 2 ]
    check "$command says the record cannot be read" grep -q 'f.bin.sha256" cannot be read' err
  done
  rm -rf fifo
fi

# ------------------------------------------------------------ reasons
# A job that fails says what it was doing, on which file, and the system's
# reason with its code. A small file system of the machine's own (natively,
# where this run may mount one) runs out of inodes as the record is written.
if [ ${#runner[@]} -eq 0 ] && mkdir -p small && mount -t tmpfs -o size=4m,nr_inodes=5 tmpfs small 2>/dev/null; then
  make_file s.bin 100000
  q split s.bin -n 2 -o small
  check "a record that cannot be made fails the split" [ "$status" = 1 ]
  check "the failure names the record and the system's reason" \
    grep -qE '^quenlor-cli: split failed: writing the record ".*small/s.bin.sha256": no space left on device \(28\)$' err
  umount small
else
  echo "skipped: the small file system (no mount here)"
fi
# A name that is not UTF-8 is found and kept byte for byte, in the record too.
if [ ${#runner[@]} -eq 0 ]; then
  mkdir latin && make_file "latin/caf$(printf '\351').bin" 30000
  q split "latin/caf$(printf '\351').bin" -n 3 -o latin
  check "a Latin-1 name splits" [ "$status" = 0 ]
  check "its record holds the name's bytes" grep -qaF "caf$(printf '\351').bin.QuenlorSp2" "latin/caf$(printf '\351').bin.sha256"
  q join "latin/caf$(printf '\351').bin.QuenlorSp0" -o latin/joined
  check "a Latin-1 series joins" same latin/joined "latin/caf$(printf '\351').bin"
fi

# ------------------------------------------------------------ rejoin scripts
# The scripts beside the parts, run as a recipient runs them: with the
# folder moved elsewhere and started from another folder.
mkdir -p rj/elsewhere
folder="rj/moved/deeper folder"
# Splits rj/split/NAME into 12 parts (their order runs past 10), keeps the
# source as rj/source and moves the parts' folder to $folder.
split_and_move() {
  rm -rf rj/split rj/moved rj/elsewhere/* && mkdir rj/split
  make_file "rj/split/$1" 300007
  q split "rj/split/$1" -n 12 -o rj/split
  mv "rj/split/$1" rj/source
  mkdir -p rj/moved && mv rj/split "$folder"
}
run_sh() {  # shell, script name: started from rj/elsewhere
  (cd rj/elsewhere && $1 "../../$folder/$2" >../../out 2>../../err)
  status=$?
}
flip() { printf 'X' | dd of="$1" bs=1 seek=7 conv=notrunc status=none; }

# Names that the system of the program can hold.
names=("plain.bin" "it's \$HOME & (1) 100% é字.bin")
[ "$mode" = wine ] || names+=("quote\" back\\slash
line feed.bin")
for name in "${names[@]}"; do
  split_and_move "$name"
  check "$name: split lists the shell script" grep -qF "$name.sh" out
  if [ "$mode" != wine ]; then
    (cd rj/elsewhere && "../../$folder/$name.sh" >../../out 2>../../err)
    check "$name: the shell script runs by itself" same "$folder/$name" rj/source
    rm -f "$folder/$name"
  fi
  for sh in dash bash "busybox sh" "zsh --emulate sh"; do
    what="$name, $sh"
    run_sh "$sh" "$name.sh"
    check "$what: joins and checks, exit 0" [ "$status" = 0 ]
    check "$what: says it checked" grep -qF "checked against $name.sha256" out
    check "$what: the joined file, beside the parts, is the source" same "$folder/$name" rj/source
    run_sh "$sh" "$name.sh"
    check "$what: an existing file is refused with exit 1" [ "$status" = 1 ]
    check "$what: the refusal names it" grep -qF "$name exists and is not replaced" err
    check "$what: the existing file stays" same "$folder/$name" rj/source
    rm "$folder/$name"
    cp "$folder/$name.QuenlorSp10" rj/kept
    flip "$folder/$name.QuenlorSp10"
    run_sh "$sh" "$name.sh"
    check "$what: a changed part fails with exit 1" [ "$status" = 1 ]
    check "$what: the changed part is named" grep -qF "$name.QuenlorSp10 has changed" err
    # 12 parts, 2 scripts and the record
    check "$what: nothing is left of the join" [ "$(find "$folder" -mindepth 1 -printf x | wc -c)" = 15 ]
    mv rj/kept "$folder/$name.QuenlorSp10"
    mv "$folder/$name.QuenlorSp11" rj/kept
    run_sh "$sh" "$name.sh"
    check "$what: a missing part fails with exit 1" [ "$status" = 1 ]
    check "$what: the missing part is named" grep -qF "$name.QuenlorSp11 is missing" err
    check "$what: nothing is joined without it" [ ! -e "$folder/$name" ]
    mv rj/kept "$folder/$name.QuenlorSp11"
  done
done

# Where sha256sum is missing, shasum checks; where both are, the join is
# said to be unchecked.
mkdir rj/tools
for tool in cat mv rm tr shasum; do ln -s "$(command -v "$tool")" "rj/tools/$tool"; done
checker_only=(env "PATH=$dir/rj/tools" /usr/bin/dash)
run_sh "${checker_only[*]}" "$name.sh"
check "shasum alone: checks" grep -qF "checked against $name.sha256" out
check "shasum alone: the joined file is the source" same "$folder/$name" rj/source
rm "$folder/$name"
cp "$folder/$name.QuenlorSp3" rj/kept
flip "$folder/$name.QuenlorSp3"
run_sh "${checker_only[*]}" "$name.sh"
check "shasum alone: a changed part fails with exit 1" [ "$status" = 1 ]
check "shasum alone: the changed part is named" grep -qF "$name.QuenlorSp3 has changed" err
mv rj/kept "$folder/$name.QuenlorSp3"
rm rj/tools/shasum
run_sh "${checker_only[*]}" "$name.sh"
check "no checker: joins, exit 0" [ "$status" = 0 ]
check "no checker: says so" grep -qF "not checked: neither sha256sum nor shasum was found" out
check "no checker: the joined file is the source" same "$folder/$name" rj/source

# A name need not be UTF-8: the same script for other bytes, in a UTF-8 locale.
if [ "$mode" != wine ]; then
  split_and_move odd.bin
  odd=$(printf 'odd \377\376.bin')
  for f in "$folder"/odd.bin*; do mv "$f" "$folder/$odd${f##*/odd.bin}"; done
  LC_ALL=C sed -i "s/odd\.bin/$odd/g" "$folder/$odd.sh" "$folder/$odd.sha256"
  for sh in dash bash; do
    run_sh "env LC_ALL=C.UTF-8 $sh" "$odd.sh"
    check "bytes beyond UTF-8, $sh: joins and checks" grep -qF "checked against" out
    check "bytes beyond UTF-8, $sh: the joined file is the source" same "$folder/$odd" rj/source
    rm -f "$folder/$odd"
  done
fi

# The batch script under Wine's command interpreter with a console, as a
# user starts it: from another folder, where the joined file goes, from
# another drive letter, and from the Windows folder, where a script on a
# network folder starts and which puts the joined file beside the parts.
run_bat() {  # Unix folder to start in, the script's Windows path
  (cd "$1" && QUENLOR_BAT=$2 script -qec 'wine cmd /c call "$QUENLOR_BAT"' /dev/null </dev/null >"$dir/out" 2>&1)
}
if [ "$mode" != native ]; then
  for letter in m n o p q r s t u v w x y; do
    [ -e "$WINEPREFIX/dosdevices/$letter:" ] || [ -L "$WINEPREFIX/dosdevices/$letter:" ] || { drive=$letter:; break; }
  done
  ln -s "$dir/rj" "$WINEPREFIX/dosdevices/$drive"
  for name in "plain.bin" "it's & (1) é字.bin"; do
    split_and_move "$name"
    script="$drive\\moved\\deeper folder\\$name.bat"
    run_bat rj/elsewhere "$script"
    check "$name: the batch script joins into the current folder" same "rj/elsewhere/$name" rj/source
    run_bat "$WINEPREFIX/drive_c/windows" "$script"
    check "$name: started in the Windows folder, it joins beside the parts" same "$folder/$name" rj/source
    check "$name: and leaves nothing in the Windows folder" [ ! -e "$WINEPREFIX/drive_c/windows/$name" ]
  done
fi

# ------------------------------------------------------------ interrupt
# A sparse source: reading it costs nothing, writing the parts is the job.
# A signal once the job has begun cancels it: exit 128 + the signal's
# number, and nothing of the job stays under a final or a temporary name.
mkdir int
truncate -s 2G int/big.bin
interrupt() {  # the signal, the file whose appearance shows the job has begun, then the arguments
  local signal=$1 begun=$2; shift 2
  "${runner[@]}" "$exe" "$@" >out 2>err </dev/null &
  local pid=$!
  for _ in $(seq 400); do [ -e "$begun" ] && break; sleep 0.02; done
  kill "-$signal" "$pid"
  wait "$pid"
  status=$?
}
# Windows has no SIGTERM or SIGHUP that a console program can catch from Wine.
signals=("INT|130")
[ ${#runner[@]} -eq 0 ] && signals+=("TERM|143" "HUP|129")
for row in "${signals[@]}"; do
  IFS='|' read -r signal code <<<"$row"
  for block in 268435456 268435457; do
    what="SIG$signal, block $block"
    rm -f int/big.bin.*
    interrupt "$signal" int/big.bin.QuenlorSp1.partial split int/big.bin -s "$block" -o int
    check "$what: split exits $code" [ "$status" = "$code" ]
    check "$what: says the split was cancelled" grep -q "split cancelled" err
    check "$what: nothing of the split stays" [ -z "$(ls int | grep -v '^big.bin$')" ]
  done
done
"${runner[@]}" "$exe" split int/big.bin -s 256M -o int >/dev/null 2>&1
rm -f int/big.bin.sha256
for row in "${signals[@]}"; do
  IFS='|' read -r signal code <<<"$row"
  for first in 268435456 268435457; do
    what="SIG$signal, first part $first"
    # A first part that is not whole alignment units makes the merge buffered.
    truncate -s "$first" int/big.bin.QuenlorSp0
    echo "an earlier join" >int/joined
    interrupt "$signal" int/joined.partial join int/big.bin.QuenlorSp0 -o int/joined --force
    check "$what: join exits $code" [ "$status" = "$code" ]
    check "$what: the earlier output stays as it was" grep -qx "an earlier join" int/joined
    check "$what: no temporary output stays" [ ! -e int/joined.partial ]
  done
done
rm -rf int

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
