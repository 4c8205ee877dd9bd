#!/usr/bin/env bash
# Kills quenlor-cli at spread-out moments of a split and of a join, with
# SIGKILL and SIGTERM, on both copy paths, and looks at what is left: every
# series that lists from part 0 joins into exactly the source or is refused,
# and no file under the output's final name differs from the source.
# Usage: kill.sh PROGRAM [wine]
set -uo pipefail
exe=$(realpath "$1")
runner=()
if [ "${2:-}" = wine ]; then
  source "$(dirname "$0")/../../scripts/wine-env"
  runner=(wine)
fi
dir=$(mktemp -d /tmp/qkill.XXXXXX)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
failures=0 passes=0
moments=20
[ ${#runner[@]} -gt 0 ] && moments=10

check() {
  local what=$1; shift
  if "$@"; then passes=$((passes + 1)); else echo "FAIL: $what" >&2; failures=$((failures + 1)); fi
}

head -c 50000000 /dev/urandom >source.bin

# Seconds (with fractions) that the command takes when it is left alone.
duration() {
  local start end
  start=$(date +%s.%N)
  "${runner[@]}" "$exe" "$@" >/dev/null 2>&1 </dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

# Starts the command, kills it with the signal after the delay, waits.
kill_after() {
  local signal=$1 delay=$2; shift 2
  "${runner[@]}" "$exe" "$@" >/dev/null 2>&1 </dev/null &
  local pid=$!
  sleep "$delay"
  kill "-$signal" "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}

# A series left in folder that lists from part 0 joins into exactly the
# source, or the join is refused and leaves no output.
series_is_whole_or_refused() {
  local folder=$1
  [ -e "$folder/source.bin.QuenlorSp0" ] || return 0
  rm -f "$folder/joined"
  if "${runner[@]}" "$exe" join "$folder/source.bin.QuenlorSp0" -o "$folder/joined" >/dev/null 2>&1 </dev/null; then
    cmp -s "$folder/joined" source.bin
  else
    [ ! -e "$folder/joined" ]
  fi
}

for block in 10M 10000001; do  # the unbuffered and the buffered copy path
  full=$(duration split source.bin -s "$block" -o .)
  rm -f source.bin.*
  for signal in KILL TERM; do
    for ((i = 0; i < moments; i++)); do
      rm -rf s && mkdir s
      # The last moments fall among the renames at the very end of the job.
      delay=$(awk -v t="$full" -v i="$i" -v n="$moments" 'BEGIN { printf "%.3f", t * (i + 0.5) / n }')
      kill_after "$signal" "$delay" split source.bin -s "$block" -o s
      check "split -s $block, SIG$signal after $delay s: what lists from part 0 is whole or refused" \
        series_is_whole_or_refused s
    done
  done

  rm -rf j && mkdir j && "${runner[@]}" "$exe" split source.bin -s "$block" -o j >/dev/null 2>&1 </dev/null
  full=$(duration join j/source.bin.QuenlorSp0 -o j/out)
  for signal in KILL TERM; do
    for ((i = 0; i < moments; i++)); do
      rm -f j/out j/out.partial
      delay=$(awk -v t="$full" -v i="$i" -v n="$moments" 'BEGIN { printf "%.3f", t * (i + 0.5) / n }')
      kill_after "$signal" "$delay" join j/source.bin.QuenlorSp0 -o j/out
      check "join of -s $block parts, SIG$signal after $delay s: no output, or the source" \
        bash -c '[ ! -e j/out ] || cmp -s j/out source.bin'
    done
  done
done

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
