#!/usr/bin/env bash
# Prepares the Wine prefix template once per build folder: a Windows with one
# drive letter of every type, no window manager stalls, no Mono/Gecko prompts.
# Tests and the demo copy it (cp -a) instead of booting a prefix each time.
#   D: fixed disk   E: CD-ROM   F: network share   G: removable   R: RAM disk
set -euo pipefail
. "$(dirname "$0")/lib.sh"

[ -f "$WINE_TEMPLATE/.ready" ] && exit 0
rm -rf "$WINE_TEMPLATE"
mkdir -p "$WINE_TEMPLATE"
export WINEPREFIX=$WINE_TEMPLATE
"$WINE" wineboot -i >/dev/null 2>&1
"$WINESERVER" -w

drives=$WINE_TEMPLATE/drives
mkdir -p "$drives"/{fixed,cdrom,network,floppy,ram}
printf 'DATA\n' > "$drives/fixed/.windows-label"
printf 'UPDATE_CD\n' > "$drives/cdrom/.windows-label"
# Relative links, so that every copy of the template has drives of its own.
ln -sfn ../drives/fixed "$WINE_TEMPLATE/dosdevices/d:"
ln -sfn ../drives/cdrom "$WINE_TEMPLATE/dosdevices/e:"
ln -sfn ../drives/network "$WINE_TEMPLATE/dosdevices/f:"
ln -sfn ../drives/floppy "$WINE_TEMPLATE/dosdevices/g:"
ln -sfn ../drives/ram "$WINE_TEMPLATE/dosdevices/r:"

reg() { "$WINE" reg "$@" >/dev/null 2>&1; }
for d in "e: cdrom" "f: network" "g: floppy" "r: ramdisk" "d: hd"; do
  set -- $d
  reg add 'HKLM\Software\Wine\Drives' /v "$1" /t REG_SZ /d "$2" /f /reg:64
done
reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f
"$WINESERVER" -k || true
"$WINESERVER" -w || true
touch "$WINE_TEMPLATE/.ready"
echo "wine template: $WINE_TEMPLATE"
