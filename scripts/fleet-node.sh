#!/usr/bin/env bash
# One simulated server node of the fleet rehearsal: a Wine prefix of its own
# that looks like a real node (scripts/demo-world.sh), with the engine
# simulator as its engine, set up to end one particular way.
#
#   fleet-node.sh prepare <node dir> <kind>   kinds: success reboot-required pending-reboot up-to-date engine-failure
#   fleet-node.sh run <node dir> <switches...> starts OUpdate.exe from a Windows parent; prints "exit code: N"
#   fleet-node.sh reboot <node dir>           a simulated reboot: the node's RunOnce commands run, then are cleared
#   fleet-node.sh touched <node dir>          exit 0 if the wizard was ever put on the node
set -euo pipefail
. "$(dirname "$0")/lib.sh"

cmd=${1:?command}
node=${2:?node dir}
export WINEPREFIX=$node/prefix
wizard_dir=$WINEPREFIX/drive_c/Orvane/Update
runonce_key='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'
export KelvraHome='C:\Kelvra'
export OUE_SIM_DELAY_MS=0
[ -f "$node/env" ] && . "$node/env"

case "$cmd" in
prepare)
  kind=${3:?kind}
  mkdir -p "$node"
  bash "$ROOT/scripts/demo-world.sh"
  rm -f "$wizard_dir/OUpdate.exe"   # the playbook brings the wizard
  cp "$WIN_BUILD/bin/run-report.exe" "$WINEPREFIX/drive_c/run-report.exe"
  : > "$node/env"
  case "$kind" in
  success) ;;
  reboot-required) echo "export OUE_SIM_NEED_REBOOT=1" >> "$node/env" ;;
  pending-reboot)
    # One folder for "Support" and "support": Windows names are case-blind.
    flag=$WINEPREFIX/drive_c/Kelvra/DantorKelvra/support/patches/admin
    mkdir -p "$flag"
    echo "reboot pending" > "$flag/oueRebootCheck.txt" ;;
  up-to-date)
    "$WINE64_LOADER" reg add 'HKLM\Software\Dantor\Kelvra' /v UpdateLevel /t REG_SZ /d '3.1.0.3' /f "$REG_VIEW" >/dev/null 2>&1
    "$WINE64_LOADER" reg add 'HKLM\Software\Dantor\Kelvra\Products\Orvane' /v UpdateLevel /t REG_SZ /d '3.1.0.3' /f "$REG_VIEW" >/dev/null 2>&1 ;;
  engine-failure)
    printf '%s\n' 'line [SECTION]: Update Orvane-3.1.0.0' 'line [STATUS]: 201,Checking update package,5' \
      'line [Error]: Service OrvaneServer did not stop within 120 seconds' 'exit 1' \
      > "$WINEPREFIX/drive_c/Orvane/failure.scenario"
    echo "export OUE_SIM_SCENARIO='C:\\Orvane\\failure.scenario'" >> "$node/env" ;;
  *) echo "fleet-node: unknown kind $kind" >&2; exit 2 ;;
  esac
  "$WINESERVER" -w 2>/dev/null || true
  echo "$kind" > "$node/kind" ;;
run)
  shift 2
  "$WINE" 'C:\run-report.exe' 'C:\Orvane\Update\OUpdate.exe' "$@" 2> >(grep -v '^wine: Read access denied' >&2)
  # What the node registered for its next start, read in the same Wine
  # session: a new session would act on RunOnce by itself.
  "$WINE64_LOADER" reg query "$runonce_key" "$REG_VIEW" 2>/dev/null | tr -d '\r' |
    awk '$2 ~ /^REG_(EXPAND_)?SZ$/ { name=$1; $1=""; $2=""; sub(/^  /, ""); print name "\t" $0 }' > "$node/runonce"
  "$WINESERVER" -w 2>/dev/null || true ;;
reboot)
  # Everything stops; then each RunOnce command runs once, as at the next
  # logon, from a batch file so that its quotes and %variables% are read as
  # the logon reads them, and the entries are cleared.
  "$WINESERVER" -k 2>/dev/null || true
  touch "$node/runonce"
  while IFS=$'\t' read -r name command; do
    "$WINE64_LOADER" reg delete "$runonce_key" /v "$name" /f "$REG_VIEW" >/dev/null 2>&1 || true
    # The wizard itself is started by the logon on a real node; a fleet tool
    # runs it again here, so only the other commands are run.
    case "$command" in *OUpdate.exe*) echo "reboot: $name left to the fleet tool"; continue ;; esac
    echo "reboot: RunOnce $name: $command"
    printf '@echo off\r\n%s\r\n' "$command" > "$WINEPREFIX/drive_c/runonce.cmd"
    "$WINE64_LOADER" cmd /c 'C:\runonce.cmd' >/dev/null 2>&1 || true
  done < "$node/runonce"
  rm -f "$node/runonce" "$WINEPREFIX/drive_c/runonce.cmd"
  "$WINESERVER" -k 2>/dev/null || true ;;
touched)
  [ -f "$wizard_dir/OUpdate.exe" ] || compgen -G "$wizard_dir/*.log" >/dev/null ;;
*) echo "fleet-node: unknown command $cmd" >&2; exit 2 ;;
esac
