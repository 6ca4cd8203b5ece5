#!/usr/bin/env bash
# Makes the pictures of the operator's guide (docs/images) from the real
# program: the demo's walk through every page of a successful update, and the
# result page of a failed one, in English, as small indexed-colour PNGs.
#
#   bash scripts/guide-pictures.sh           make them (needs the build; runs the demo twice)
#   bash scripts/guide-pictures.sh --list    the pictures it makes, one a line
#   bash scripts/guide-pictures.sh --check   the guide links exactly these, and each is in docs/images
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
IMAGES=$ROOT/docs/images
GUIDE=$ROOT/docs/operator-guide.md

# picture in the guide <- picture of the demo walk
pictures=(
  "page-1-welcome.png demo-1-welcome.png"
  "page-2-update-folder.png demo-2-update-folder.png"
  "page-3-update-list.png demo-3-update-list.png"
  "page-4-snapshot-drive.png demo-4-snapshot-drive.png"
  "page-5-ready-to-start.png demo-5-ready-to-start.png"
  "page-6-progress.png demo-6-progress.png"
  "page-7-result-success.png demo-7-result.png"
  "box-reboot-at-exit.png demo-8-exit.png"
)
failure_pictures=("page-7-result-failure.png demo-7-result.png")

list() { for p in "${pictures[@]}" "${failure_pictures[@]}"; do echo "${p%% *}"; done; }

case "${1:-}" in
--list) list; exit 0 ;;
--check)
  status=0
  linked=$(grep -o '](images/[^)]*)' "$GUIDE" | sed 's/^](images\///; s/)$//' | sort -u)
  made=$(list | sort -u)
  if [ "$linked" != "$made" ]; then
    echo "guide pictures: the guide links and the script makes different pictures:"
    diff <(echo "$linked") <(echo "$made") | sed 's/^</  only linked:/; s/^>/  only made:/' | grep only || true
    status=1
  fi
  for p in $made; do
    [ -s "$IMAGES/$p" ] || { echo "guide pictures: docs/images/$p is missing"; status=1; }
  done
  if [ $status -eq 0 ]; then echo "guide pictures: 1 passed, 0 failed"; else echo "guide pictures: 0 passed, 1 failed"; fi
  exit $status ;;
esac

. "$ROOT/scripts/lib.sh"
mkdir -p "$IMAGES"
shrink() {  # shrink FROM TO: indexed colours keep a page picture to a few tens of KB
  convert "$1" -dither None -colors 64 -strip "PNG8:$2"
}
# An engine that asks for a reboot, so that Exit shows the reboot message.
OUE_SIM_NEED_REBOOT=1 env -u DISPLAY bash "$ROOT/scripts/demo.sh" >/dev/null
for p in "${pictures[@]}"; do shrink "$BUILD/demo/${p#* }" "$IMAGES/${p%% *}"; done

# The same walk on a node whose engine fails in the second step.
scenario=$BUILD/guide-failure.scenario
printf '%s\n' 'line [SECTION]: Update Orvane-3.1.0.0' 'line [STATUS]: 201,Checking update package,5' \
  'line [STATUS]: 202,Stopping services,15' \
  'line [Error]: Service OrvaneServer did not stop within 120 seconds' 'exit 1' > "$scenario"
OUE_SIM_SCENARIO="Z:${scenario//\//\\}" env -u DISPLAY bash "$ROOT/scripts/demo.sh" >/dev/null || true
for p in "${failure_pictures[@]}"; do shrink "$BUILD/demo/${p#* }" "$IMAGES/${p%% *}"; done
ls -l "$IMAGES"
