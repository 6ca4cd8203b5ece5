#!/bin/bash
# Checks that local variables and parameters follow the project's casing
# (.clang-tidy): clang-tidy over every translation unit of the native build
# and of the 64-bit Windows build, each from a compile database of its own
# under build/. With --fix the renames are applied to the tree.
#   tools/checks/naming.sh [--fix]
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$ROOT"
cmake -S . -B build/naming-native -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake -S . -B build/naming-win -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
# clang reads the MinGW headers but not g++'s own library folders.
win_args=(-extra-arg=--target=x86_64-w64-mingw32)
gxx_include=$(echo | x86_64-w64-mingw32-g++-posix -xc++ -E -v - 2>&1 | sed -n '/search starts here:/,/End of search/p' |
  grep '/include/c++')
for dir in $gxx_include; do win_args+=("-extra-arg=-isystem$dir"); done
ours="^$ROOT/(src|tests|tools|bench|testing|fuzz)/"
fixes=build/naming-fixes
rm -rf "$fixes"; mkdir -p "$fixes"
run-clang-tidy-14 -quiet -j2 -p build/naming-native -header-filter="$ours" -export-fixes="$fixes/native.yaml" \
  "$ours" >build/naming-native.log 2>&1
# The language tables are compiled for code page 1252, which clang does not know; they hold no locals.
run-clang-tidy-14 -quiet -j2 -p build/naming-win "${win_args[@]}" -header-filter="$ours" \
  -export-fixes="$fixes/win.yaml" "^$ROOT/(src|tests|tools|bench|testing)/(?!text/LangTable)" \
  >build/naming-win.log 2>&1
found=$(cat build/naming-native.log build/naming-win.log | sed 's/\x1b\[[0-9;]*m//g' | grep 'readability-identifier-naming' |
  sort -u)
if [ -z "$found" ]; then echo "naming: every local and parameter follows the casing"; exit 0; fi
echo "$found" | sed "s|^$ROOT/||"
echo "naming: $(echo "$found" | wc -l) names to change"
if [ "${1:-}" = --fix ]; then clang-apply-replacements-14 "$fixes" && echo "naming: renamed"; fi
exit 1
