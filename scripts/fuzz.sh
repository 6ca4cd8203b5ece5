#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (address and undefined-
# behaviour sanitizers) in their own tree, and runs each for the given number
# of seconds (300 by default), starting from its seed corpus in fuzz/corpus/.
# New inputs collect in build/fuzz/corpus/, crashes in build/fuzz/findings/;
# the exit code is 1 when any target found one.
#   bash scripts/fuzz.sh [seconds]
set -euo pipefail
. "$(dirname "$0")/lib.sh"

seconds=${1:-300}
case "$seconds" in ''|*[!0-9]*) echo "usage: fuzz.sh [seconds]" >&2; exit 2 ;; esac
FUZZ_BUILD=$BUILD/fuzz
cmake -S "$ROOT/fuzz" -B "$FUZZ_BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$FUZZ_BUILD" -j"$(jobs)" >/dev/null

status=0
for source in "$ROOT"/fuzz/*Fuzz.cpp; do
  name=$(basename "$source" .cpp)
  seeds=$ROOT/fuzz/corpus/$name
  corpus=$FUZZ_BUILD/corpus/$name
  findings=$FUZZ_BUILD/findings/$name
  log=$FUZZ_BUILD/$name.log
  mkdir -p "$corpus" "$findings" "$seeds"
  options=()
  # The line reader takes in at most 64 KB per read: its inputs must be able
  # to reach past that (libFuzzer otherwise keeps near the seeds' sizes).
  [ "$name" = LineReaderFuzz ] && options=(-max_len=200000)
  if "$FUZZ_BUILD/$name" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 "${options[@]}" \
       -artifact_prefix="$findings/" "$corpus" "$seeds" >"$log" 2>&1; then
    verdict=ok
  else
    verdict="FOUND A FAULT (see $log and $findings)"
    status=1
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log" | tail -1)
  printf '  %-24s %10s executions in %s s, corpus %s inputs: %s\n' "$name" "${runs:-?}" "$seconds" \
    "$(ls "$corpus" | wc -l)" "$verdict"
done
exit $status
