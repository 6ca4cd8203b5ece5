#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the native unit tests, the
# Win32 tests and the end-to-end tests under Wine in Xvfb. Screenshots of the
# wizard end up in build/artifacts/ as PNG files. The Windows tests run the
# shipped 32-bit build wherever this machine can execute it, and say loudly
# when they fall back to the 64-bit build.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
started=$(date +%s)

bash "$ROOT/scripts/setup.sh"
select_test_build
announce_test_bed "test bed"
bash "$ROOT/scripts/build.sh"

status=0
failed=()
step() {  # step NAME COMMAND...: runs one layer, remembers a failure and its time
  local name=$1 began=$(date +%s); shift
  echo "== $name"
  if ! "$@"; then status=1; failed+=("$name"); fi
  echo "== $name: $(($(date +%s) - began)) s"
}

step "native unit tests" ctest --test-dir "$NATIVE_BUILD" --output-on-failure
step "shipped program" bash "$ROOT/scripts/check-ship.sh"
step "shipped program: each ship check catches its fault" bash "$ROOT/tests/ship/broken-copies.sh"
step "shipped program: two builds in two folders are the same bytes" bash "$ROOT/scripts/check-reproducible.sh"
step "code shape: layout, function and file length" bash -c '"$0/tools/checks/format.sh" && "$0/tools/checks/long-functions.sh"' "$ROOT"
# A short round per target keeps every fuzzer building and its corpus sound;
# long rounds are run by hand (bash scripts/fuzz.sh, 300 s per target).
step "fuzzing the portable input handling, 4 s per target" bash "$ROOT/scripts/fuzz.sh" 4

fresh_prefix "$BUILD/wine-test"
ensure_display
trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
export OUPDATE_ARTIFACTS="Z:${ARTIFACTS//\//\\}"
step "Windows tests under Wine ($TEST_ARCH-bit)" ctest --test-dir "$WIN_BUILD" --output-on-failure
"$WINESERVER" -k 2>/dev/null || true

export OUPDATE_BUILT=1
# ansible-lint loads every task file of the role and the rehearsal (a syntax
# check never reaches the dynamically included Windows tasks).
step "fleet playbook: ansible-lint" bash -c 'cd "$1" && ansible-lint --nocolor -q' lint "$ROOT/deploy/ansible"
step "fleet playbook: what a Windows node needs" "$PYTHON" -m unittest discover -s "$ROOT/tests/fleet"
step "fleet rehearsal: rolling update over 8 nodes" bash "$ROOT/scripts/fleet-rehearsal.sh" 8
# The first five kinds of node give every answer a preflight can give (ready,
# pending reboot, up to date, busy then ready); an engine failure only shows
# in a real run.
step "fleet rehearsal: preflight (--check) over 5 nodes" bash "$ROOT/scripts/fleet-rehearsal.sh" 5 --check
step "operator's guide pictures" bash "$ROOT/scripts/guide-pictures.sh" --check

shopt -s nullglob
for bmp in "$ARTIFACTS"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $ARTIFACTS ($(ls "$ARTIFACTS" | wc -l) files)"

announce_test_bed "tested"
echo "time: $(( $(date +%s) - started )) s"
if [ $status -ne 0 ]; then echo "FAILED: ${failed[*]}"; fi
exit $status
