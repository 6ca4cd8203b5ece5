#!/usr/bin/env bash
# The shipped wizard is a 32-bit Windows GUI program that needs no DLL beyond
# Windows' own.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
exe=$SHIP_BUILD/bin/OUpdate.exe
sim=$SHIP_BUILD/bin/oue.exe
fail=0
desc=$(file -b "$exe")
case "$desc" in
  "PE32 executable (GUI) Intel 80386"*) echo "ok: OUpdate.exe is $desc" ;;
  *) echo "FAIL: OUpdate.exe is $desc"; fail=1 ;;
esac
case "$(file -b "$sim")" in
  "PE32 executable (console) Intel 80386"*) echo "ok: oue.exe is a 32-bit console program" ;;
  *) echo "FAIL: oue.exe is $(file -b "$sim")"; fail=1 ;;
esac
system='^(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|shell32|ole32|oleaut32|psapi|mpr|shlwapi|msimg32|msvcrt|ws2_32|version|uxtheme|oleacc)\.dll$'
for f in "$exe" "$sim"; do
  while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system"; then
      echo "FAIL: $(basename "$f") imports $dll"; fail=1
    fi
  done < <(i686-w64-mingw32-objdump -p "$f" | awk '/DLL Name:/ {print $3}')
done
[ $fail -eq 0 ] && echo "ok: only Windows' own DLLs are imported"
if [ $fail -eq 0 ]; then echo "ship check: 1 passed, 0 failed"; else echo "ship check: 0 passed, 1 failed"; fi
exit $fail
