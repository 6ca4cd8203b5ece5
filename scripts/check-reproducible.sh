#!/usr/bin/env bash
# Two builds of the same sources, in two folders of different names and at two
# different times, must give byte-identical shipped programs (OUpdate.exe and
# the simulator's oue.exe): then anyone can rebuild a release and compare its
# hashes. Only the shipped targets are built, without ccache (a cached object
# would hide a difference), from copies of the working tree's files. The
# shipped build the test command made a few minutes earlier in build/win32
# serves as the first of the two when it is there (pass --twice for two fresh
# builds), which keeps the test command's time in bounds.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
work=$BUILD/reproducible
rm -rf "$work"

build_copy() {  # build_copy FOLDER: copies the sources there and builds the shipped programs
  mkdir -p "$1"
  (cd "$ROOT" && git ls-files -z --cached --others --exclude-standard | tar --null -T - --ignore-failed-read -cf -) |
    tar -x -C "$1"
  echo "reproducible: building in $1 at $(date -u +%T)"
  CCACHE_DISABLE=1 cmake -S "$1" -B "$1/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-w64-i686.cmake" >/dev/null
  CCACHE_DISABLE=1 cmake --build "$1/build" -j"$(jobs)" --target OUpdate oue-sim >/dev/null
}

first=$SHIP_BUILD/bin
if [ "${1:-}" = --twice ] || [ ! -f "$first/OUpdate.exe" ] || [ ! -f "$first/oue.exe" ]; then
  build_copy "$work/first"
  first=$work/first/build/bin
fi
# The clock moves on between the builds (they take minutes); a new second is
# all a time stamp needs to show.
build_copy "$work/second-folder/of-another-length"

fail=0
for program in OUpdate.exe oue.exe; do
  a=$first/$program
  b=$work/second-folder/of-another-length/build/bin/$program
  if cmp -s "$a" "$b"; then
    echo "ok: $program is the same in both builds ($(sha256sum <"$a" | cut -c1-16)...)"
  else
    echo "FAIL: $program differs between the two builds; first differing bytes:"
    cmp -l "$a" "$b" | head -5 | sed 's/^/  /'
    fail=1
  fi
done
[ $fail -eq 0 ] && rm -rf "$work"
exit $fail
