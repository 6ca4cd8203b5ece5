#!/usr/bin/env bash
# A rehearsal of the fleet update: N simulated nodes (default 6), each a Wine
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
# Rolling order of the nodes and what each must end with:
#   node1  success              0
#   node2  reboot required      3010 (the node is rebooted)
#   node3  pending reboot       350, rebooted, then 0
#   node4  already up to date   2
#   node5  engine failure       1603: the rolling update stops here
#   node6+ (after the failure)  never touched
set -euo pipefail
. "$(dirname "$0")/lib.sh"

count=6 check=
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

kinds=(success reboot-required pending-reboot up-to-date engine-failure)
expects=(0 3010 "0 (after 350)" 2 1603)
# What each node's log begins with: the line that names the exit code, then the text the operator would have seen
# (the catalogue's English texts).
firsts=("Exit code 0: .*Congratulations!" "Exit code 3010: .*Congratulations!" "Exit code 0: .*Congratulations!" "Exit code 2: .*No applicable updates for 3.1.0.3" "Exit code 1603: .*Error!  Please call the Dantor Response Center.")
if [ -n "$check" ]; then
  # What /check answers: the engine's later fate is unknown to it.
  expects=(0 0 350 2 0)
  ready="Exit code 0: .*This server is ready for the update from 3.0.3.2 to 3.1.0.3"
  firsts=("$ready" "$ready" "Exit code 350: .*The server was not rebooted before starting this update." "Exit code 2: .*No applicable updates for 3.1.0.3" "$ready")
fi

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
  echo "    oupdate_updates: 'D:\\Updates'"
  echo "    oupdate_node_log: 'C:\\Orvane\\Update\\OUpdate.fleet.log'"
  echo "    oupdate_busy_delay: 1"
  echo "    oupdate_results_dir: $fleet/results"
  echo "    oupdate_logs_dir: $fleet/logs"
  echo "  children:"
} > "$inventory"
host() {  # host N: the inventory entry of node N
  echo "        node$1:"
  echo "          oupdate_node_dir: $fleet/node$1"
  echo "          oupdate_log_source: $fleet/node$1/prefix/drive_c/Orvane/Update/OUpdate.fleet.log"
}
for i in $(seq 1 "$count"); do
  kind=${kinds[$((i - 1))]:-success}
  bash "$ROOT/scripts/fleet-node.sh" prepare "$fleet/node$i" "$kind"
  echo "fleet: node$i prepared ($kind)"
done
# node1 plays the primary node, updated first; the others follow in order.
{
  echo "    orvane_primary:"
  echo "      hosts:"
  host 1
  echo "    orvane_secondary:"
  echo "      hosts:"
  for i in $(seq 2 "$count"); do host "$i"; done
} >> "$inventory"

echo "fleet: ansible-playbook ${check:+--check }over $count nodes"
rc=0
ansible-playbook ${check:+--check} -i "$inventory" "$ROOT/deploy/ansible/rehearsal/rehearse.yml" > "$fleet/ansible.log" 2>&1 || rc=$?
grep -E '"msg": "node[0-9]+ \|' "$fleet/ansible.log" | sed 's/^ *"msg": "/  ansible: /; s/"$//' || true
echo "fleet: ansible-playbook exited $rc (full output: $fleet/ansible.log)"

passed=0 failed=0 stopped=
printf '%-6s %-16s %-14s %-14s %-7s %s\n' node kind expected got verdict log
for i in $(seq 1 "$count"); do
  k=$(( i - 1 ))
  node=$fleet/node$i
  kind=$(cat "$node/kind")
  line=$(cat "$fleet/results/node$i.line" 2>/dev/null || true)
  log=$fleet/logs/node$i/OUpdate.fleet.log
  if [ -n "$stopped" ]; then
    expect="untouched"
    if bash "$ROOT/scripts/fleet-node.sh" touched "$node" || [ -n "$line" ]; then got=touched; else got=untouched; fi
  else
    expect=${expects[$k]:-0}
    [ -n "$check" ] && [ "$kind" = success ] && expect=0
    got=$(echo "$line" | awk -F' [|] ' '{print $2}')
    [ -n "$got" ] || got="(none)"
  fi
  verdict=ok
  [ "$got" = "$expect" ] || verdict=WRONG
  if [ "$expect" != untouched ]; then
    first=${firsts[$k]:-${firsts[0]}}
    if [ ! -s "$log" ]; then verdict="$verdict,NO-LOG"
    elif [ -n "$first" ] && ! head -n 2 "$log" | tr -d '\r' | tr '\n' ' ' | grep -q "^$first"; then verdict="$verdict,LOG?"; fi
  fi
  [ "$verdict" = ok ] && passed=$((passed + 1)) || failed=$((failed + 1))
  printf '%-6s %-16s %-14s %-14s %-7s %s\n' "node$i" "$kind" "$expect" "$got" "$verdict" \
    "$([ -s "$log" ] && echo "${log#$ROOT/}" || echo -)"
  [ "$kind" = engine-failure ] && [ -z "$check" ] && stopped=yes
done
announce_test_bed "fleet rehearsal ran"
echo "fleet rehearsal: $passed passed, $failed failed"
[ $failed -eq 0 ]
