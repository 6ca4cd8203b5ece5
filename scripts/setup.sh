#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on Debian 12,
# including Wine's 32-bit side, then probes once whether this machine can run
# a 32-bit Windows program at all (some kernels cannot execute 32-bit code).
# The probe's answer is kept in $BUILD/wine32-probe and decides which build
# the tests, the demo and the benchmarks run (see scripts/lib.sh).
# Safe to run again: only missing packages are installed; the probe runs once
# per build folder.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
. "$(dirname "$0")/lib.sh"

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# GCC's libssp (the stack protector's and the fortified copies' runtime, linked
# statically) comes with the MinGW compilers.
pkgs=(wine wine64 fonts-wine
      g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-i686-dev mingw-w64-x86-64-dev
      cmake make g++ ccache googletest xvfb xauth x11-utils imagemagick file)
# The test command's own tools; the demo (--demo) does without them.
[ "${1:-}" = --demo ] || pkgs+=(ansible ansible-lint clang libclang-rt-14-dev clang-format clang-tidy)
need=()
for p in "${pkgs[@]}"; do installed "$p" || need+=("$p"); done

# Wine's 32-bit side runs the shipped 32-bit programs.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture for Wine's 32-bit side"
  dpkg --add-architecture i386
  need+=(wine32:i386)
elif ! installed wine32:i386; then
  need+=(wine32:i386)
fi

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  apt-get update -qq
  if ! apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null; then
    # Without the 32-bit side the tests fall back to the 64-bit build; every
    # other package is required.
    rest=()
    for p in "${need[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
    [ ${#rest[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${rest[@]}" >/dev/null
    echo "setup: WARNING: wine32:i386 could not be installed"
  fi
fi
echo "setup: toolchains, Wine and Xvfb ready"

# ---- the 32-bit probe ----
if [ ! -f "$WINE32_PROBE" ]; then
  mkdir -p "$BUILD"
  dir=$(mktemp -d)
  trap 'rm -rf "$dir"' EXIT
  verdict=
  if [ ! -x "$WINE32_LOADER" ]; then
    verdict="fail: Wine's 32-bit loader ($WINE32_LOADER) is not installed"
  else
    printf '#include <windows.h>\nint main(void){ return GetSystemMetrics(SM_CXSCREEN) >= 0 ? 32 : 1; }\n' > "$dir/probe.c"
    i686-w64-mingw32-gcc -O0 -o "$dir/probe32.exe" "$dir/probe.c"
    # A loader that cannot even be executed answers at once; only a loader
    # that starts is given a prefix of its own to run the probe in.
    out=$("$WINE32_LOADER" --version 2>&1) && rc=0 || rc=$?
    if [ $rc -ne 0 ]; then
      verdict="fail: the 32-bit loader does not start: ${out##*: } (exit $rc)"
    else
      export WINEPREFIX=$dir/prefix
      "$WINE64_LOADER" wineboot -i >/dev/null 2>&1 || true
      out=$(timeout 120 "$WINE32_LOADER" "$dir/probe32.exe" 2>&1) && rc=0 || rc=$?
      "$WINESERVER" -k 2>/dev/null || true
      if [ $rc -eq 32 ]; then verdict="pass: a 32-bit Windows program ran under $WINE32_LOADER"
      else verdict="fail: a 32-bit Windows program did not run (exit $rc) ${out:0:200}"; fi
    fi
  fi
  echo "$verdict" > "$WINE32_PROBE"
fi
echo "setup: 32-bit probe: $(cat "$WINE32_PROBE")"
