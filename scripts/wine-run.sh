#!/usr/bin/env bash
# Runs a Windows test program under Wine for CTest (the toolchains' emulator):
#   wine-run.sh <loader> <program> [arguments...]
# The program's output goes through a file. Wine starts a console host for a
# program without a terminal, and that host can outlive the program while
# holding its output; on CTest's pipe it would keep CTest waiting for ever.
loader=$1
shift
out=$(mktemp)
trap 'rm -f "$out"' EXIT
rc=0
"$loader" "$@" > "$out" 2>&1 < /dev/null || rc=$?
cat "$out"
exit $rc
