#!/usr/bin/env bash
# Builds what the benchmarks need (when it is not built yet) and runs them
# under Wine in Xvfb. They print their figures as ratios measured in one run;
# the exit code says only whether each run was complete: every line the
# engine wrote interpreted, and the run successful.
#   bash scripts/bench.sh [--lines N]
set -euo pipefail
. "$(dirname "$0")/lib.sh"

bash "$ROOT/scripts/setup.sh"
select_test_build
announce_test_bed "benchmarks run"
if [ ! -f "$WIN_BUILD/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN" >/dev/null
fi
cmake --build "$WIN_BUILD" -j"$(jobs)" --target bench_engine_run

fresh_prefix "$BUILD/wine-bench"
ensure_display
trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT

echo "== engine throughput with the wizard attached"
rc=0
"$WINE" "$WIN_BUILD/bin/bench_engine_run.exe" "$@" || rc=$?
announce_test_bed "benchmarks ran"
exit $rc
