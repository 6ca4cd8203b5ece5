#!/usr/bin/env bash
# Builds the portable code natively (for the tests) and the Windows programs:
# the shipped 32-bit build always, with the Windows tests in it where this
# machine runs 32-bit programs; elsewhere the tests go into a 64-bit build of
# the same sources (see select_test_build in scripts/lib.sh).
# With --demo it builds only what the demo runs: the wizard, the simulator and
# the demo's automatic operator (with the probe it loads into the wizard), in
# the build the demo runs; the test command builds everything.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

if [ "${1:-}" = --demo ]; then
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN" >/dev/null
  cmake --build "$WIN_BUILD" -j"$(jobs)" --target OUpdate oue-sim e2e_probe demo-walk
  echo "build: the demo's programs in $WIN_BUILD/bin"
  exit 0
fi

cmake -S "$ROOT" -B "$NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$NATIVE_BUILD" -j"$(jobs)"

cmake -S "$ROOT" -B "$SHIP_BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" >/dev/null
if [ "$TEST_ARCH" = 32 ]; then
  cmake --build "$SHIP_BUILD" -j"$(jobs)"
else
  cmake --build "$SHIP_BUILD" -j"$(jobs)" --target OUpdate oue-sim
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN" >/dev/null
  cmake --build "$WIN_BUILD" -j"$(jobs)"
fi
echo "build: $SHIP_BUILD/bin/OUpdate.exe (shipped, 32-bit); tests in $WIN_BUILD"
