#!/usr/bin/env bash
# A rehearsal of the fleet update: N simulated nodes (default 9), each a Wine
# prefix of its own set up to end one particular way, updated by the
# production playbook (deploy/ansible) through ansible-playbook, one after
# another, exactly as a site would run it. Prints the per-node table and a
# summary; exits non-zero when any node ends otherwise than its set-up says.
#
#   bash scripts/fleet-rehearsal.sh [N] [--check]
#
# With --check the playbook runs in Ansible's check mode: every node is asked
# at once with "OUpdate.exe /check" and nothing changes on any of them.
#
# With --check the rehearsal also reads each node's files and registry before
# and after, and any difference fails it.
#
# Rolling order of the nodes, what each must end with, how often the wizard
# runs on it and how often it is rebooted:
#   node1  success              0                  1 run
#   node2  reboot-required      3010               1 run, 1 reboot, updates in "D:\Orvane Updates\"
#   node3  pending-reboot       0 (after 350)      2 runs, 1 reboot (no logon: the boot deletes the flag)
#   node4  up-to-date           2                  1 run
#   node5  busy                 0                  2 runs (busy at first, asked again)
#   node6  reboot-twice         3010 (after 350)   2 runs, 2 reboots
#   node7  engine-failure       1603: the rolling update stops here
#   node8+ (after the failure)  never touched
set -euo pipefail
. "$(dirname "$0")/lib.sh"

count=8 check=
for arg in "$@"; do
  case "$arg" in
  --check) check=yes ;;
  *[!0-9]* | '') echo "usage: fleet-rehearsal.sh [N] [--check]" >&2; exit 2 ;;
  *) count=$arg ;;
  esac
done
bash "$ROOT/scripts/setup.sh" >/dev/null
select_test_build
announce_test_bed "fleet rehearsal runs"
# The test command has just built everything.
[ -n "${OUPDATE_BUILT:-}" ] || bash "$ROOT/scripts/build.sh" >/dev/null

kinds=(success reboot-required pending-reboot up-to-date busy reboot-twice engine-failure)
expects=(0 3010 "0 (after 350)" 2 0 "3010 (after 350)" 1603)
runs=(1 1 2 1 2 2 1)
reboots=(0 1 1 0 0 2 0)
if [ -n "$check" ]; then
  # What /check answers: the engine's later fate is unknown to it.
  expects=(0 0 350 2 0 350 0)
  runs=(1 1 1 1 2 1 1)
  reboots=(0 0 0 0 0 0 0)
fi
# A node's log begins with the line that names its exit code; the second
# line begins with what the operator would have seen, by exit code: the
# catalogue's English text that decides the run (a ready node's line goes on
# with the snapshot drive and its free space).
first_line() {
  case "$1${check:+ check}" in
  "0" | "3010") echo "Congratulations!" ;;
  "2" | "2 check") echo "No applicable updates for 3.1.0.3 available in the selected folder." ;;
  "1603") echo "Error!  Please call the Dantor Response Center." ;;
  "0 check") echo "This server is ready for the update from 3.0.3.2 to 3.1.0.3 (update files Orvane-3.1.0.0 to Orvane-3.1.0.3)." ;;
  "350 check") echo "The server was not rebooted before starting this update." ;;
  *) echo "(no first line known for exit code $1)" ;;
  esac
}

fleet=$BUILD/fleet
rm -rf "$fleet"
mkdir -p "$fleet"
ensure_display
trap 'stop_display; for n in "$fleet"/node*; do WINEPREFIX=$n/prefix "$WINESERVER" -k 2>/dev/null || true; done' EXIT

inventory=$fleet/inventory.yml
{
  echo "all:"
  echo "  vars:"
  echo "    ansible_connection: local"
  echo "    ansible_python_interpreter: /usr/bin/python3"
  echo "    oupdate_node_tasks: $ROOT/deploy/ansible/rehearsal/wine"
  echo "    oupdate_scripts_dir: $ROOT/scripts"
  echo "    oupdate_exe: $WIN_BUILD/bin/OUpdate.exe"
  echo "    oupdate_engine_dir: 'C:\\Orvane\\Update'"
  echo "    oupdate_updates: 'D:\\Updates'"
  echo "    oupdate_node_log: 'C:\\Orvane\\Update\\OUpdate.fleet.log'"
  echo "    oupdate_busy_delay: 1"
  echo "    oupdate_results_dir: $fleet/results"
  echo "    oupdate_logs_dir: $fleet/logs"
  echo "  children:"
} > "$inventory"
host() {  # host N KIND: the inventory entry of node N
  echo "        node$1:"
  echo "          oupdate_node_dir: $fleet/node$1"
  echo "          oupdate_drive_c: $fleet/node$1/prefix/drive_c"
  echo "          oupdate_engine_here: $fleet/node$1/prefix/drive_c/Orvane/Update"
  echo "          oupdate_log_here: $fleet/node$1/prefix/drive_c/Orvane/Update/OUpdate.fleet.log"
  # A folder with a blank and a trailing backslash: the playbook's command
  # line must hand it to the wizard whole.
  [ "$2" != reboot-required ] || echo "          oupdate_updates: 'D:\\Orvane Updates\\'"
}
for i in $(seq 1 "$count"); do
  kind=${kinds[$((i - 1))]:-success}
  # node1 is a success; the other nodes start as copies of it.
  bash "$ROOT/scripts/fleet-node.sh" prepare "$fleet/node$i" "$kind" $([ "$i" -gt 1 ] && echo "$fleet/node1")
  echo "fleet: node$i prepared ($kind)"
done
# node1 plays the primary node, updated first; the others follow in order.
{
  echo "    orvane_primary:"
  echo "      hosts:"
  host 1 "$(cat "$fleet/node1/kind")"
  echo "    orvane_secondary:"
  echo "      hosts:"
  for i in $(seq 2 "$count"); do host "$i" "$(cat "$fleet/node$i/kind")"; done
} >> "$inventory"

if [ -n "$check" ]; then
  for i in $(seq 1 "$count"); do bash "$ROOT/scripts/fleet-node.sh" state "$fleet/node$i" > "$fleet/node$i/before"; done
fi
echo "fleet: ansible-playbook ${check:+--check }over $count nodes"
rc=0
ansible-playbook ${check:+--check} -i "$inventory" "$ROOT/deploy/ansible/rehearsal/rehearse.yml" > "$fleet/ansible.log" 2>&1 || rc=$?
grep -E '"msg": "node[0-9]+ \|' "$fleet/ansible.log" | sed 's/^ *"msg": "/  ansible: /; s/"$//' || true
echo "fleet: ansible-playbook exited $rc (full output: $fleet/ansible.log)"

count_lines() { if [ -f "$1" ]; then wc -l < "$1"; else echo 0; fi; }
passed=0 failed=0 stopped=
printf '%-6s %-15s %-17s %-17s %-5s %-7s %-10s %s\n' node kind expected got runs reboots verdict log
for i in $(seq 1 "$count"); do
  k=$(( i - 1 ))
  node=$fleet/node$i
  kind=$(cat "$node/kind")
  line=$(cat "$fleet/results/node$i.line" 2>/dev/null || true)
  log=$fleet/logs/node$i/OUpdate.fleet.log
  done_runs=$(count_lines "$node/runs")
  done_reboots=$(count_lines "$node/reboots")
  if [ -n "$stopped" ]; then
    expect="untouched" want_runs=0 want_reboots=0
    if bash "$ROOT/scripts/fleet-node.sh" touched "$node" || [ -n "$line" ]; then got=touched; else got=untouched; fi
  else
    expect=${expects[$k]:-0} want_runs=${runs[$k]:-1} want_reboots=${reboots[$k]:-0}
    got=$(echo "$line" | awk -F' [|] ' '{print $2}')
    [ -n "$got" ] || got="(none)"
  fi
  verdict=ok
  [ "$got" = "$expect" ] && [ "$done_runs" = "$want_runs" ] && [ "$done_reboots" = "$want_reboots" ] || verdict=WRONG
  if [ "$expect" != untouched ]; then
    # The log's first two lines say what the exit code means.
    if [ ! -s "$log" ]; then verdict="$verdict,NO-LOG"
    elif [[ "$(head -n 1 "$log" | tr -d '\r')" != "Exit code ${got%% *}: "* ]] ||
      [[ "$(sed -n 2p "$log" | tr -d '\r')" != "$(first_line "${got%% *}")"* ]]; then verdict="$verdict,LOG?"; fi
  fi
  if [ -n "$check" ]; then
    bash "$ROOT/scripts/fleet-node.sh" state "$node" > "$node/after"
    diff -q "$node/before" "$node/after" >/dev/null || verdict="$verdict,CHANGED"
  fi
  [ "$verdict" = ok ] && passed=$((passed + 1)) || failed=$((failed + 1))
  printf '%-6s %-15s %-17s %-17s %-5s %-7s %-10s %s\n' "node$i" "$kind" "$expect" "$got" "$done_runs/$want_runs" \
    "$done_reboots/$want_reboots" "$verdict" "$([ -s "$log" ] && echo "${log#$ROOT/}" || echo -)"
  case "$verdict" in
  *CHANGED*) diff "$node/before" "$node/after" | head -5 | sed 's/^/    /' || true ;;
  *LOG?*) echo "    log begins: $(head -n 1 "$log")" ;;
  esac
  [ "$kind" = engine-failure ] && [ -z "$check" ] && stopped=yes
done
announce_test_bed "fleet rehearsal ran"
echo "fleet rehearsal: $passed passed, $failed failed"
[ $failed -eq 0 ]
