#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the native unit tests, the
# Win32 tests and the end-to-end tests under Wine in Xvfb. Screenshots of the
# wizard end up in build/artifacts/ as PNG files.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/build.sh"

status=0
echo "== native unit tests"
ctest --test-dir "$NATIVE_BUILD" --output-on-failure || status=1

echo "== fuzzing the portable input handling, 20 s per target"
bash "$ROOT/scripts/fuzz.sh" 20 || status=1

echo "== shipped program"
bash "$ROOT/scripts/check-ship.sh" || status=1

echo "== Windows tests under Wine"
fresh_prefix "$BUILD/wine-test"
ensure_display
trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
export OUPDATE_ARTIFACTS="Z:${ARTIFACTS//\//\\}"
ctest --test-dir "$WIN_BUILD" --output-on-failure || status=1
"$WINESERVER" -k 2>/dev/null || true

shopt -s nullglob
for bmp in "$ARTIFACTS"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $ARTIFACTS ($(ls "$ARTIFACTS" | wc -l) files)"
exit $status
