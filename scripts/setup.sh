#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on Debian 12.
# Safe to run again: only missing packages are installed.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

pkgs=(wine wine64 fonts-wine
      g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-i686-dev mingw-w64-x86-64-dev
      cmake make g++ googletest xvfb xauth x11-utils imagemagick file
      clang libclang-rt-14-dev)
need=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
echo "setup: toolchains, Wine and Xvfb ready"
