#!/usr/bin/env bash
# Prepares a Wine world that looks like a real node, for the demo:
#   C:\Orvane\Update\   the wizard and the engine simulator as oue.exe
#   C:\Kelvra\          the platform's install root (KelvraHome)
#   D:\Updates\         update files Orvane-3.1.0.0 to Orvane-3.1.0.3 on a fixed drive
#   the registry of the platform and the product at 3.0.3.2, this machine as the primary node
#   (Wine's computer name is the host name, upper case, at most 15 characters)
# Prints nothing but errors; the caller exports WINEPREFIX (a fresh copy of the
# template is made there) and KelvraHome.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

fresh_prefix "${WINEPREFIX:?}"

c=$WINEPREFIX/drive_c
mkdir -p "$c/Orvane/Update" "$c/Kelvra/DantorKelvra/support/bin"
cp "$WIN_BUILD/bin/OUpdate.exe" "$c/Orvane/Update/OUpdate.exe"
cp "$WIN_BUILD/bin/oue.exe" "$c/Orvane/Update/oue.exe"
# Only administrators and SYSTEM may change the wizard's folder and files, as
# the fleet playbook sets them (the wizard refuses to run what others could
# replace). Wine makes a file's access list from its mode bits: the bits of
# "others" become Everyone's entry, the owner's the account's.
chmod 755 "$c/Orvane/Update" "$c/Orvane/Update/OUpdate.exe" "$c/Orvane/Update/oue.exe"
updates=$WINEPREFIX/drives/fixed/Updates
mkdir -p "$updates"
for n in 0 1 2 3; do printf 'Orvane update 3.1.0.%s\n' "$n" > "$updates/Orvane-3.1.0.$n.oue"; done

# The view the chosen build reads: Wow6432Node for the 32-bit wizard.
reg() { "$WINE64_LOADER" reg add "$@" /f "$REG_VIEW" >/dev/null 2>&1; }
reg 'HKLM\Software\Dantor\Kelvra' /v CurrentRelease /t REG_SZ /d 'Release31'
reg 'HKLM\Software\Dantor\Kelvra' /v UpdateLevel /t REG_SZ /d '3.0.3.2'
reg 'HKLM\Software\Dantor\Kelvra\Products\Orvane' /v UpdateLevel /t REG_SZ /d '3.0.3.2'
reg 'HKLM\Software\Dantor\Kelvra\Release31\Default\System' /v PrimaryNodeName /t REG_SZ /d "$(hostname | cut -d. -f1 | tr a-z A-Z | cut -c1-15)"
reg 'HKLM\Software\Dantor\Kelvra\Release31\Default\System' /v MaintenanceMode /t REG_SZ /d 'ON'
"$WINESERVER" -w 2>/dev/null || true
