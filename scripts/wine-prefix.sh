#!/usr/bin/env bash
# Prepares the Wine prefix template once per build folder: a Windows with one
# drive letter of every type, no window manager stalls, no Mono/Gecko prompts.
# Tests and the demo copy it (cp -a) instead of booting a prefix each time.
#   D: fixed disk   E: CD-ROM   F: network share   G: removable   R: RAM disk
# The prefix is a 64-bit (WoW64) one, made by the 64-bit loader, whichever
# build runs in it; it has the Marlett font, so caption buttons are drawn as
# on Windows instead of as the letters "0 1 r".
set -euo pipefail
. "$(dirname "$0")/lib.sh"

[ -f "$WINE_TEMPLATE/.ready" ] && exit 0
rm -rf "$WINE_TEMPLATE"
mkdir -p "$WINE_TEMPLATE"
export WINEPREFIX=$WINE_TEMPLATE
"$WINE64_LOADER" wineboot -i >/dev/null 2>&1
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

# Wine draws caption buttons with Marlett; Debian's fonts-wine ships one
# that a new prefix does not pick up on its own.
marlett=/usr/share/wine/fonts/marlett.ttf
if [ -f "$marlett" ]; then
  cp "$marlett" "$WINE_TEMPLATE/drive_c/windows/Fonts/marlett.ttf"
else
  echo "wine template: WARNING: $marlett missing (install fonts-wine); caption buttons will show letters" >&2
fi

reg() { "$WINE64_LOADER" reg "$@" >/dev/null 2>&1; }
for d in "e: cdrom" "f: network" "g: floppy" "r: ramdisk" "d: hd"; do
  set -- $d
  reg add 'HKLM\Software\Wine\Drives' /v "$1" /t REG_SZ /d "$2" /f /reg:64
done
reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' /t REG_SZ /d marlett.ttf /f /reg:64
reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' /t REG_SZ /d marlett.ttf /f /reg:32
reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f
"$WINESERVER" -k || true
"$WINESERVER" -w || true
touch "$WINE_TEMPLATE/.ready"
echo "wine template: $WINE_TEMPLATE"
