#!/usr/bin/env bash
# Builds what the benchmarks need (when it is not built yet) and runs them
# under Wine in Xvfb. They print their figures as ratios measured in one run;
# the exit code says only whether each run was complete: every line the
# engine wrote interpreted, and the run successful.
#   bash scripts/bench.sh [--lines N]     (without: 100,000 and 1,000,000 lines)
set -euo pipefail
. "$(dirname "$0")/lib.sh"

bash "$ROOT/scripts/setup.sh"
if [ ! -f "$WIN_BUILD/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$WIN_BUILD" -j"$(jobs)" --target bench_engine_run

fresh_prefix "$BUILD/wine-bench"
ensure_display
trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT

echo "== engine throughput with the wizard attached"
if [ $# -gt 0 ]; then
  "$WINE" "$WIN_BUILD/bin/bench_engine_run.exe" "$@"
else
  status=0
  for lines in 100000 1000000; do
    "$WINE" "$WIN_BUILD/bin/bench_engine_run.exe" --lines "$lines" || status=$?
  done
  exit $status
fi
