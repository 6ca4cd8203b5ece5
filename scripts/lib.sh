# Shared settings of the build, test and demo scripts (sourced, not run).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${OUPDATE_BUILD:-$ROOT/build}
NATIVE_BUILD=$BUILD/native
SHIP_BUILD=$BUILD/win32     # the shipped 32-bit programs
WINE_TEMPLATE=$BUILD/wine-template
ARTIFACTS=$BUILD/artifacts
WINE32_PROBE=$BUILD/wine32-probe   # setup.sh's answer: can this machine run 32-bit programs?

# Quiet, prompt-free Wine with a stable locale (thousands separator ",",
# month names "Jan"..."Dec").
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export LANG=C.UTF-8 LC_ALL=C.UTF-8
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
# One 64-bit server for the WoW64 prefixes, whichever loader starts a program
# (Debian's wineserver script would pick the 32-bit server when it is there).
export WINESERVER=/usr/lib/wine/wineserver64
# Debian's Python, called directly: a version manager's shim in front of it
# costs half a second a call, and the ship checks call it dozens of times.
PYTHON=python3
[ -x /usr/bin/python3 ] && PYTHON=/usr/bin/python3

# Chooses the build the Windows tests, the demo and the benchmarks run, from
# the probe's answer: the shipped 32-bit build under Wine's 32-bit loader, or,
# where this machine cannot execute 32-bit programs, the same sources built
# for 64 bits under the 64-bit loader. Sets WIN_BUILD, WIN_TOOLCHAIN, WINE,
# WINELOADER, REG_VIEW (the registry view the chosen build reads) and
# TEST_BED (one line that says which build and why).
select_test_build() {
  local probe="no probe yet (setup.sh has not run)"
  [ -f "$WINE32_PROBE" ] && probe=$(cat "$WINE32_PROBE")
  if [ "${probe%%:*}" = pass ]; then
    TEST_ARCH=32
    WIN_BUILD=$SHIP_BUILD
    WIN_TOOLCHAIN=$ROOT/cmake/mingw-w64-i686.cmake
    export WINELOADER=$WINE32_LOADER
    REG_VIEW=/reg:32
    TEST_BED="the SHIPPED 32-bit build ($WIN_BUILD) under Wine's 32-bit loader"
  else
    TEST_ARCH=64
    WIN_BUILD=$BUILD/win64
    WIN_TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
    export WINELOADER=$WINE64_LOADER
    REG_VIEW=/reg:64
    TEST_BED="WARNING: the 64-bit FALLBACK build ($WIN_BUILD), NOT the shipped 32-bit program: ${probe#*: }"
  fi
  WINE=$WINELOADER
}
select_test_build

# Says loudly, once at the start and once in the summary, which build ran.
announce_test_bed() {
  local bar="================================================================"
  echo "$bar"
  echo "$1: $TEST_BED"
  echo "$bar"
}

jobs() { nproc 2>/dev/null || echo 2; }

# Compiles through ccache where it is installed: builds of other checkouts on
# this machine (CI's fresh clones among them) then share their objects. The
# objects hold no path of the checkout (the prefix maps), so paths are taken
# relative to it.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT}
fi

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

# The product version the README names ("The current version is `3.1.0.0`"):
# the version resource of OUpdate.exe must say it, and releases are named by it.
product_version() { sed -n 's/^The current version is `\([0-9.]*\)`.*/\1/p' "$ROOT/README.md" | head -1; }
