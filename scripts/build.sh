#!/usr/bin/env bash
# Builds the portable code natively (for the tests) and the Windows programs.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

cmake -S "$ROOT" -B "$NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$NATIVE_BUILD" -j"$(jobs)"

cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$WIN_BUILD" -j"$(jobs)"

cmake -S "$ROOT" -B "$SHIP_BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$SHIP_BUILD" -j"$(jobs)" --target OUpdate oue-sim
echo "build: $SHIP_BUILD/OUpdate.exe (shipped, 32-bit), $WIN_BUILD (test bed)"
