# Shared settings of the build, test and demo scripts (sourced, not run).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${OUPDATE_BUILD:-$ROOT/build}
NATIVE_BUILD=$BUILD/native
WIN_BUILD=$BUILD/win64      # test bed: runs under Wine here
SHIP_BUILD=$BUILD/win32     # the shipped 32-bit program
WINE_TEMPLATE=$BUILD/wine-template
ARTIFACTS=$BUILD/artifacts

# Quiet, prompt-free Wine with a stable locale (thousands separator ",",
# month names "Jan"..."Dec").
export WINEDEBUG=-all
# This machine's kernel cannot execute 32-bit Linux programs, so Wine's
# 32-bit loader cannot start; everything here runs under the 64-bit loader.
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
WINE=$WINELOADER
export WINEDLLOVERRIDES="mscoree=;mshtml="
export LANG=C.UTF-8 LC_ALL=C.UTF-8

jobs() { nproc 2>/dev/null || echo 2; }

# Runs "$@" with a display: the caller's own, or a private Xvfb.
XVFB_PID=
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in 99 98 97 96 95; do
    [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  done
  echo "cannot start Xvfb" >&2; return 1
}
stop_display() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; }

# Makes $1 a fresh copy of the Wine template and the prefix of what follows;
# the template is prepared first when needed.
fresh_prefix() {
  bash "$ROOT/scripts/wine-prefix.sh"
  export WINEPREFIX=$1
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  cp -a "$WINE_TEMPLATE" "$WINEPREFIX"
}
