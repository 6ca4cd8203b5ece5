#!/usr/bin/env bash
# Builds what the benchmarks need (when it is not built yet) and runs them
# under Wine in Xvfb. They print their figures as ratios measured in one run;
# the exit code says only whether each run was complete: every line the
# engine wrote interpreted, and the run successful; every line the line
# reader was given read whole; every update file found by the scan.
#   bash scripts/bench.sh [--lines N] [--turns T]   (without --lines: 100,000 and 1,000,000 lines)
set -euo pipefail
. "$(dirname "$0")/lib.sh"

bash "$ROOT/scripts/setup.sh"
select_test_build
announce_test_bed "benchmarks run"
if [ ! -f "$WIN_BUILD/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN" >/dev/null
fi
cmake --build "$WIN_BUILD" -j"$(jobs)" --target bench_engine_run bench_update_scan bench_line_reader

fresh_prefix "$BUILD/wine-bench"
ensure_display
trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT

status=0
echo "== engine throughput with the wizard attached"
if [[ " $* " == *" --lines "* ]]; then
  "$WINE" "$WIN_BUILD/bin/bench_engine_run.exe" "$@" || status=$?
else
  for lines in 100000 1000000; do
    "$WINE" "$WIN_BUILD/bin/bench_engine_run.exe" --lines "$lines" "$@" || status=$?
  done
fi
echo "== line reader"
"$WINE" "$WIN_BUILD/bin/bench_line_reader.exe" || status=$?
echo "== update-folder scan"
# Wine creates files in a large folder slowly: fill the folders from here.
scan=$WINEPREFIX/drive_c/scan-bench
for n in 10000 100000; do
  mkdir -p "$scan/oupdate-scan-$n"
  (cd "$scan/oupdate-scan-$n" && seq 0 $((n - 1)) | sed 's/.*/Orvane-3.1.0.&.oue/' | xargs touch)
done
"$WINE" "$WIN_BUILD/bin/bench_update_scan.exe" --in 'C:\scan-bench' || status=$?
announce_test_bed "benchmarks ran"
exit $status
