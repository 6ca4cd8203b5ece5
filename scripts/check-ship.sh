#!/usr/bin/env bash
# Checks the shipped programs as a security reviewer does: the wizard is a
# 32-bit Windows GUI program built with ASLR, DEP, relocations, the stack
# protector and fortified copies, carries no build time, asks for elevation in
# its manifest, loads no DLL beyond Windows' own and says the README's version.
# The simulator (oue.exe) gets the same header and import checks.
# Usage: check-ship.sh [OUpdate.exe [oue.exe]] (default: the shipped build's)
# Every failure starts with "FAIL [check]", so tests/ship/broken-copies.sh can
# tell which check caught a fault.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
exe=${1:-$SHIP_BUILD/bin/OUpdate.exe}
sim=${2:-$SHIP_BUILD/bin/oue.exe}
passed=0
failed=0
verdict() {  # verdict CHECK TRUE|FALSE OK-TEXT FAIL-TEXT
  if [ "$2" = true ]; then
    echo "ok [$1]: $3"
    passed=$((passed + 1))
  else
    echo "FAIL [$1]: $4"
    failed=$((failed + 1))
  fi
}
holds() { if "$@"; then echo true; else echo false; fi; }
fact() { sed -n "s/^$1: //p" <<<"$facts"; }

# Windows' known DLLs and the system DLLs that load from System32 only, as on
# the list of DLLs a program run by a local user without rights may import:
# none of them can be planted beside the program.
known_dlls='kernel32 user32 gdi32 advapi32 shell32 ole32 oleaut32 comdlg32 shlwapi msvcrt comctl32'

# Header, imports and stack protector: both programs.
check_program() {  # check_program FILE KIND (GUI or console)
  local file=$1 kind=$2 name dll characteristics
  name=$(basename "$file")
  facts=$("$PYTHON" "$ROOT/scripts/pe-facts.py" "$file")
  verdict type "$(holds grep -q "^PE32 executable ($kind) Intel 80386" <<<"$(file -b "$file")")" \
    "$name is a 32-bit $kind program for i386" "$name is not a PE32 $kind program for i386: $(file -b "$file")"
  characteristics=$(($(fact dll_characteristics)))
  verdict aslr "$(holds test $((characteristics & 0x40)) -ne 0)" "$name has DYNAMIC_BASE (ASLR)" \
    "$name's DllCharacteristics $(fact dll_characteristics) lack DYNAMIC_BASE (0x40): no ASLR"
  verdict dep "$(holds test $((characteristics & 0x100)) -ne 0)" "$name has NX_COMPAT (DEP)" \
    "$name's DllCharacteristics $(fact dll_characteristics) lack NX_COMPAT (0x100): no DEP"
  verdict relocations "$(holds test "$(fact relocations)" -gt 0)" "$name has relocations ($(fact relocations) bytes)" \
    "$name has no base relocations: Windows cannot move it, so ASLR does nothing"
  verdict timestamp "$(holds test "$(fact timestamp)" = 0)" "$name's header time stamp is 0" \
    "$name's header time stamp is $(fact timestamp), not 0: two builds of one commit differ"
  local imports=() unknown=()
  mapfile -t imports < <(i686-w64-mingw32-objdump -p "$file" | awk '/DLL Name:/ {print $3}')
  for dll in "${imports[@]}"; do
    grep -qw "$(tr 'A-Z' 'a-z' <<<"${dll%.*}")" <<<"$known_dlls" || unknown+=("$dll")
  done
  verdict imports "$(holds test ${#unknown[@]} -eq 0)" "$name imports only Windows' known DLLs (${imports[*]})" \
    "$name imports ${unknown[*]}: not among Windows' known DLLs ($known_dlls); a planted copy beside it would load"
  verdict stack-protector "$(holds grep -Eq ' _?__stack_chk_fail$' <<<"$(i686-w64-mingw32-nm "$file")")" \
    "$name has the stack protector (__stack_chk_fail)" \
    "$name has no reference to __stack_chk_fail: not built with -fstack-protector-strong"
}

check_program "$exe" GUI
name=$(basename "$exe")  # facts: the wizard's, from its check_program

# Where the program copies strings or memory itself, the fortified variants
# (__memcpy_chk, ...) must be linked: _FORTIFY_SOURCE picks them wherever the
# destination's size is known.
symbols=$(i686-w64-mingw32-nm "$exe")
copies=$(grep -Ec ' _?(memcpy|memmove|strcpy|strncpy|strcat|sprintf|snprintf|vsnprintf)$' <<<"$symbols" || true)
fortified=$(grep -Eo ' _?__[a-z]+_chk$' <<<"$symbols" | sed 's/^ _*//' | sort -u | tr '\n' ' ' || true)
verdict fortify "$(holds test "$copies" = 0 -o -n "$fortified")" "$name has fortified copies (${fortified% })" \
  "$name copies strings but links no fortified copy (__memcpy_chk, ...): not built with -D_FORTIFY_SOURCE=2"

manifest=$("$PYTHON" "$ROOT/scripts/pe-facts.py" --manifest "$exe" | tr -s ' \r\n\t' ' ')
in_manifest() { grep -Eq "$1" <<<"$manifest"; }
verdict elevation "$(holds in_manifest 'requestedExecutionLevel level="requireAdministrator"')" \
  "$name's manifest asks for elevation" "$name's manifest does not ask for requireAdministrator"
verdict common-controls "$(holds in_manifest 'name="Microsoft.Windows.Common-Controls" version="6\.')" \
  "$name's manifest asks for Common Controls 6" "$name's manifest does not ask for Common Controls 6"
verdict dpi "$(holds in_manifest '>true/pm</dpiAware>.*>PerMonitorV2, PerMonitor</dpiAwareness>')" \
  "$name's manifest declares per-monitor DPI awareness" \
  "$name's manifest does not declare per-monitor DPI awareness (true/pm, PerMonitorV2): Windows would stretch it"
missing=()
for os in 'Windows 7:35138b9a-5d96-4fbd-8e2d-a2440225f93a' 'Windows 8:4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38' \
  'Windows 8.1:1f676c76-80e1-4239-95bb-83d0f6d0da78' 'Windows 10 and 11:8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'; do
  in_manifest "supportedOS Id=\"\\{${os#*:}\\}\"" || missing+=("${os%%:*}")
done
verdict supported-os "$(holds test ${#missing[@]} -eq 0)" "$name's manifest lists Windows 7 to 11 as supported" \
  "$name's manifest does not list as supported: ${missing[*]}"

version=$(product_version)
verdict version "$(holds test "$(fact product_version)/$(fact product_version_text)" = "$version/$version")" \
  "$name's version resource says $version, as the README does" \
  "$name's version resource says $(fact product_version) (text $(fact product_version_text)); the README says ${version:-nothing}"

check_program "$sim" console

echo "ship check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
