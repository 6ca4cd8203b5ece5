#!/usr/bin/env bash
# Every check of scripts/check-ship.sh catches its own fault: a copy of the
# shipped wizard with one thing broken (a header bit, a manifest word, an
# import's name, a symbol, the version) must fail the ship check with that
# check's message, which the intact program does not give.
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
exe=$SHIP_BUILD/bin/OUpdate.exe
sim=$SHIP_BUILD/bin/oue.exe
work=$BUILD/ship-cases
rm -rf "$work"
mkdir -p "$work"

# break_copy FILE "FIELD VALUE" sets a header field; break_copy FILE s/OLD/NEW/
# replaces bytes (a regular expression; NEW keeps the length: nothing moves).
break_copy() {
  "$PYTHON" - "$@" <<'EOF'
import re, struct, sys
path, what = sys.argv[1], sys.argv[2]
data = bytearray(open(path, "rb").read())
pe = struct.unpack_from("<I", data, 0x3C)[0]
fields = {"subsystem": (pe + 92, "<H"), "characteristics": (pe + 94, "<H"), "timestamp": (pe + 8, "<I"),
          "relocations": (pe + 24 + 96 + 5 * 8 + 4, "<I")}
if not what.startswith("s/"):
    field, value = what.split()
    struct.pack_into(fields[field][1], data, fields[field][0], int(value, 0))
else:
    _, old, new, _ = what.split("/")
    size = len(data)
    data, n = re.subn(old.encode(), new.encode().replace(b"\\x00", b"\0"), bytes(data))
    assert n > 0 and len(data) == size, "cannot break " + what
open(path, "wb").write(data)
EOF
}

# check | how the copy is broken
cases=(
  "type|subsystem 3"
  "aslr|characteristics 0x100"
  "dep|characteristics 0x40"
  "relocations|relocations 0"
  "timestamp|timestamp 0x5f000000"
  "imports|s/SHELL32\.dll/SHELL33.dll/"
  "stack-protector|s/__stack_chk_fail\x00/__stack_chk_faiX\x00/"
  "fortify|s/(__[a-z]+)_chk\x00/\1_chX\x00/"
  "elevation|s/\"requireAdministrator\"/\"asInvoker\"           /"
  "common-controls|s/Common-Controls/Common-Kontrols/"
  "dpi|s/PerMonitorV2/UnawareXXXXX/"
  "supported-os|s/8e0f7a12-bfb3/8e0f7a13-bfb3/"
  "version|s/3\x00\.\x001\x00\.\x000\x00\.\x000\x00/3\x00.\x001\x00.\x000\x00.\x001\x00/"
)

intact=$(bash "$ROOT/scripts/check-ship.sh" "$exe" "$sim" || true)
fails=0
for entry in "${cases[@]}"; do
  check=${entry%%|*}
  copy=$work/$check/OUpdate.exe
  mkdir -p "$(dirname "$copy")"
  cp "$exe" "$copy"
  if ! break_copy "$copy" "${entry#*|}" 2>/dev/null; then
    echo "FAIL: the program has nothing to break for $check ($entry)"
    fails=$((fails + 1))
  elif out=$(bash "$ROOT/scripts/check-ship.sh" "$copy" "$sim"); then
    echo "FAIL: the copy with $check broken ($entry) passed the ship check"
    fails=$((fails + 1))
  elif ! grep -q "^FAIL \[$check\]" <<<"$out" || grep -q "^FAIL \[$check\]" <<<"$intact"; then
    echo "FAIL: the copy with $check broken ($entry) was not caught by that check; the ship check said:"
    sed 's/^/  | /' <<<"$out"
    fails=$((fails + 1))
  else
    echo "ok: $(grep "^FAIL \[$check\]" <<<"$out")"
  fi
done
echo "broken copies: $((${#cases[@]} - fails)) caught, $fails missed"
[ "$fails" -eq 0 ]
