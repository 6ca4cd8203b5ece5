#!/usr/bin/env bash
# Sets everything up, builds, and runs the wizard on a rehearsal node under
# Wine (see scripts/demo-world.sh for what the node holds). With a display the
# operator walks through the wizard; without one it is walked automatically in
# Xvfb, a picture of every page is saved to build/demo/, and the log is shown.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

# The test command has set up and built already (the guide-pictures check walks the demo).
[ -n "${OUPDATE_BUILT:-}" ] || bash "$ROOT/scripts/setup.sh" --demo
select_test_build
announce_test_bed "demo runs"
[ -n "${OUPDATE_BUILT:-}" ] || bash "$ROOT/scripts/build.sh" --demo
export WINEPREFIX=$BUILD/wine-demo
bash "$ROOT/scripts/demo-world.sh"
export KelvraHome='C:\Kelvra'
export OUE_SIM_DELAY_MS=${OUE_SIM_DELAY_MS:-60}
wizard='C:\Orvane\Update\OUpdate.exe'
wizard_dir=$WINEPREFIX/drive_c/Orvane/Update
DEMO=$BUILD/demo
rm -rf "$DEMO"
mkdir -p "$DEMO"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "demo: the wizard opens on $DISPLAY; the update files are in D:\\Updates"
  (cd "$wizard_dir" && "$WINE" "$wizard") || true
else
  ensure_display
  trap 'stop_display; "$WINESERVER" -k 2>/dev/null || true' EXIT
  echo "demo: no display; walking the wizard in Xvfb ($DISPLAY)"
  export OUPDATE_ARTIFACTS="Z:${DEMO//\//\\}"
  "$WINE" "$WIN_BUILD/bin/demo-walk.exe" "$wizard" 'D:\Updates' 2> >(grep -v '^wine: Read access denied' >&2)
  shopt -s nullglob
  for bmp in "$DEMO"/*.bmp; do convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
  echo "demo: pictures of every page:"
  ls -1 "$DEMO"/*.png | sed 's/^/  /'
fi
"$WINESERVER" -w 2>/dev/null || true

shopt -s nullglob
logs=("$wizard_dir"/OUpdate.*.log)
if [ ${#logs[@]} -gt 0 ]; then
  log=${logs[-1]}
  cp "$log" "$DEMO/"
  echo "demo: the wizard's log is $log (copied to $DEMO/$(basename "$log")); it says:"
  tr -d '\r' < "$log" | sed 's/^/  | /'
  echo
else
  echo "demo: the wizard wrote no log (the run did not reach the result page)"
fi
announce_test_bed "demo ran"
