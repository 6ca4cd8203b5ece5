#!/usr/bin/env bash
# Makes the pictures of the operator's guide (docs/images) from the real
# program: the demo's walk through every page of a successful update, and the
# result page of a failed one, in English, as small indexed-colour PNGs. The
# walk names each picture as the guide shows it; only the result page is
# made twice, as page-7-result-success.png and page-7-result-failure.png.
#
#   bash scripts/guide-pictures.sh           make them (needs the build; runs the demo twice)
#   bash scripts/guide-pictures.sh --check   run the walk once and compare: the guide links exactly
#                                            the pictures the walk made, and docs/images holds those
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
IMAGES=$ROOT/docs/images
GUIDE=$ROOT/docs/operator-guide.md
. "$ROOT/scripts/lib.sh"
DEMO=$BUILD/demo

# walk [ENV=VALUE...]: the demo's walk without a display; its pictures land in $DEMO.
walk() { env -u DISPLAY "$@" bash "$ROOT/scripts/demo.sh" >/dev/null; }
# The guide's names of the pictures the last walk made, one a line.
walked() {
  local p
  for p in "$DEMO"/*.png; do
    p=$(basename "$p")
    case "$p" in
    demo-failure.png) ;;  # the walk's own report that it broke off
    page-7-result.png) echo page-7-result-success.png; echo page-7-result-failure.png ;;
    *) echo "$p" ;;
    esac
  done | sort -u
}

if [ "${1:-}" = --check ]; then
  # An engine that asks for a reboot, so that Exit shows the reboot message.
  walk OUE_SIM_NEED_REBOOT=1 OUE_SIM_DELAY_MS=0 || { echo "guide pictures: the demo walk failed"; exit 1; }
  shopt -s nullglob
  made=$(walked)
  linked=$(grep -o '](images/[^)]*)' "$GUIDE" | sed 's/^](images\///; s/)$//' | sort -u)
  kept=$(cd "$IMAGES" && ls | sort -u)
  status=0
  if [ "$linked" != "$made" ]; then
    echo "guide pictures: the guide links other pictures than the demo walk makes:"
    diff <(echo "$linked") <(echo "$made") | sed -n 's/^</  linked, but no page makes it:/p; s/^>/  made by the walk, not in the guide:/p' || true
    status=1
  fi
  if [ "$kept" != "$made" ]; then
    echo "guide pictures: docs/images differs from what the demo walk makes (run bash scripts/guide-pictures.sh):"
    diff <(echo "$kept") <(echo "$made") | sed -n 's/^</  in docs\/images only:/p; s/^>/  missing from docs\/images:/p' || true
    status=1
  fi
  if [ $status -eq 0 ]; then echo "guide pictures: 1 passed, 0 failed"; else echo "guide pictures: 0 passed, 1 failed"; fi
  exit $status
fi

mkdir -p "$IMAGES"
shrink() {  # shrink FROM TO: indexed colours keep a page picture to a few tens of KB
  convert "$1" -dither None -colors 64 -strip "PNG8:$2"
}
walk OUE_SIM_NEED_REBOOT=1
for p in "$DEMO"/*.png; do
  name=$(basename "$p")
  [ "$name" = page-7-result.png ] && name=page-7-result-success.png
  shrink "$p" "$IMAGES/$name"
done

# The same walk on a node whose engine fails in the second step.
scenario=$BUILD/guide-failure.scenario
printf '%s\n' 'line [SECTION]: Update Orvane-3.1.0.0' 'line [STATUS]: 201,Checking update package,5' \
  'line [STATUS]: 202,Stopping services,15' \
  'line [Error]: Service OrvaneServer did not stop within 120 seconds' 'exit 1' > "$scenario"
walk OUE_SIM_SCENARIO="Z:${scenario//\//\\}" || true
shrink "$DEMO/page-7-result.png" "$IMAGES/page-7-result-failure.png"
ls -l "$IMAGES"
