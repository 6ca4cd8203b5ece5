#!/usr/bin/env bash
# One simulated server node of the fleet rehearsal: a Wine prefix of its own
# that looks like a real node (scripts/demo-world.sh), with the engine
# simulator as its engine, set up to end one particular way.
#
#   fleet-node.sh prepare <node dir> <kind> [<success node>]
#                                             kinds: success reboot-required pending-reboot up-to-date
#                                             busy reboot-twice engine-failure; a node prepared
#                                             as a success may be copied instead of made anew
#   fleet-node.sh run <node dir> <wizard> <switches...>
#                                             starts the wizard from a Windows parent; prints "exit code: N"
#   fleet-node.sh reboot <node dir>           a simulated reboot at which nobody logs on
#   fleet-node.sh touched <node dir>          exit 0 if the wizard was ever put on the node
#   fleet-node.sh state <node dir>            prints what a check must leave unchanged: files and registry
#
# A new Wine session acts as a boot with a logon: it carries out pending file
# operations and runs the RunOnce commands. So nothing here starts a session
# between a run and the reboot that follows it, and the reboot takes the
# RunOnce values away while no session runs.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

cmd=${1:?command}
node=${2:?node dir}
export WINEPREFIX=$node/prefix
wizard_dir=$WINEPREFIX/drive_c/Orvane/Update
export KelvraHome='C:\Kelvra'
export OUE_SIM_DELAY_MS=0
[ -f "$node/env" ] && . "$node/env"

case "$cmd" in
prepare)
  kind=${3:?kind}
  base=${4:-}
  mkdir -p "$node"
  if [ -n "$base" ]; then
    # A copy of a node prepared before, as a success, is the same world.
    rm -rf "$WINEPREFIX"
    cp -a "$base/prefix" "$WINEPREFIX"
  else
    bash "$ROOT/scripts/demo-world.sh"
    rm -f "$wizard_dir/OUpdate.exe"   # the playbook brings the wizard
    cp "$WIN_BUILD/bin/run-report.exe" "$WINEPREFIX/drive_c/run-report.exe"
  fi
  : > "$node/env"
  case "$kind" in
  success) ;;
  reboot-required)
    echo "export OUE_SIM_NEED_REBOOT=1" >> "$node/env"
    # The update folder is "D:\Orvane Updates\" (the rehearsal's inventory).
    mv "$WINEPREFIX/drives/fixed/Updates" "$WINEPREFIX/drives/fixed/Orvane Updates" ;;
  pending-reboot | reboot-twice)
    # One folder for "Support" and "support": Windows names are case-blind.
    flag=$WINEPREFIX/drive_c/Kelvra/DantorKelvra/support/patches/admin
    mkdir -p "$flag"
    echo "reboot pending" > "$flag/oueRebootCheck.txt"
    # After the reboot the update itself asks for another one.
    [ "$kind" = pending-reboot ] || echo "export OUE_SIM_NEED_REBOOT=1" >> "$node/env" ;;
  up-to-date)
    # The wizard rolled out stays from before: a check runs it where it is.
    cp "$WIN_BUILD/bin/OUpdate.exe" "$wizard_dir/OUpdate.exe"
    "$WINE64_LOADER" reg add 'HKLM\Software\Dantor\Kelvra' /v UpdateLevel /t REG_SZ /d '3.1.0.3' /f "$REG_VIEW" >/dev/null 2>&1
    "$WINE64_LOADER" reg add 'HKLM\Software\Dantor\Kelvra\Products\Orvane' /v UpdateLevel /t REG_SZ /d '3.1.0.3' /f "$REG_VIEW" >/dev/null 2>&1 ;;
  busy)
    # Another engine is at work when the wizard is first started; it ends
    # when that start is over (fleet-node.sh run).
    printf '%s\n' 'line busy' 'readline' 'exit 0' > "$WINEPREFIX/drive_c/Orvane/busy.scenario"
    touch "$node/busy" ;;
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
  wizard=${3:?wizard}
  shift 3
  echo >> "$node/runs"
  engine=
  if [ -f "$node/busy" ]; then
    # The other engine, started first and seen running before the wizard
    # starts; it reads one line and ends.
    rm -f "$node/busy" "$node/busy.fifo"
    mkfifo "$node/busy.fifo"
    OUE_SIM_SCENARIO='C:\Orvane\busy.scenario' "$WINE" 'C:\Orvane\Update\oue.exe' -ouegui -product orvane \
      -nosnapshot -dir 'D:\Updates' < "$node/busy.fifo" > "$node/busy.out" 2>/dev/null &
    engine=$!
    exec 3> "$node/busy.fifo"
    until grep -q busy "$node/busy.out" 2>/dev/null; do
      kill -0 "$engine" 2>/dev/null || { echo "fleet-node: the busy engine ended early" >&2; exit 1; }
      sleep 0.2
    done
  fi
  "$WINE" 'C:\run-report.exe' "$wizard" "$@" 2> >(grep -v '^wine: Read access denied' >&2)
  if [ -n "$engine" ]; then echo done >&3; exec 3>&-; wait "$engine" || true; rm -f "$node/busy.fifo"; fi
  "$WINESERVER" -w 2>/dev/null || true ;;
reboot)
  # Everything stops. Nobody logs on afterwards, so the RunOnce commands are
  # taken away unrun (from the saved registry: a session would run them);
  # then the boot carries out the pending file operations.
  "$WINESERVER" -k 2>/dev/null || true
  echo >> "$node/reboots"
  "$PYTHON" - "$WINEPREFIX/system.reg" <<'PY'
import re, sys
path = sys.argv[1]
with open(path, encoding="utf-8", errors="surrogateescape") as f:
    lines = f.readlines()
kept, inside, continued = [], False, False
for line in lines:
    if line.startswith("["):
        inside = re.match(r"\[Software\\\\(Wow6432Node\\\\)?Microsoft\\\\Windows\\\\CurrentVersion\\\\RunOnce\]", line, re.I)
        continued = False
    elif inside and (line.startswith('"') or line.startswith("@") or continued):
        if not continued:
            print("reboot: RunOnce " + line.split("=", 1)[0] + " not run: nobody logs on")
        continued = line.rstrip("\n").endswith("\\")
        continue
    kept.append(line)
with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
    f.writelines(kept)
PY
  "$WINE64_LOADER" wineboot -r >/dev/null 2>&1 || true
  "$WINESERVER" -k 2>/dev/null || true ;;
state)
  # Every file with its size and time of change (a write changes the time),
  # every folder by name (a temporary folder made and removed again leaves
  # its parent's time changed, not its content), the registry without what
  # every boot rewrites: key times and the display driver's date.
  "$WINESERVER" -w 2>/dev/null || true
  (cd "$WINEPREFIX" && find drive_c drives \( -type d -printf '%p %y\n' \) -o -printf '%p %y %s %T@\n' | sort)
  sed -E 's/^(\[.*\]) [0-9]+$/\1/; /^#time=/d; /^"DriverDateData"=/d' "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" |
    sha1sum | sed 's/-$/registry/' ;;
touched)
  [ -f "$wizard_dir/OUpdate.exe" ] || compgen -G "$wizard_dir/*.log" >/dev/null ;;
*) echo "fleet-node: unknown command $cmd" >&2; exit 2 ;;
esac
