#!/usr/bin/env bash
# What the launcher says of a program that fails: one that faults ends at
# once, with what it printed, a non-zero status and a line that names the
# exception; one that exits non-zero without a word leaves a line that names
# it and its status. Each run is given 30 s: a program that waits for a
# debugger fails the check instead of holding the suite.
# Usage: check-launcher.sh LAUNCHER PREFIX PROBE.exe
set -uo pipefail
launcher=$1
prefix=$2
probe=$3
output=$(mktemp)
trap 'rm -f "$output"' EXIT
failed=0

# Arguments | status | the lines the output must hold, separated by ";".
while IFS='|' read -r arguments expected_status expected_lines; do
  # shellcheck disable=SC2086 # the arguments are words
  timeout 30 "$launcher" "$prefix" "$probe" $arguments >"$output" 2>&1
  status=$?
  problem=
  if [ "$status" = 124 ]; then
    problem="did not end within 30 s"
    WINEPREFIX=$prefix wineserver -k 2>/dev/null
  elif [ "$status" != "$expected_status" ]; then
    problem="ended with status $status, not $expected_status"
  fi
  IFS=';' read -ra lines <<<"$expected_lines"
  for line in "${lines[@]}"; do
    grep -qFx -- "$line" "$output" || problem="${problem:+$problem; }printed no line \"$line\""
  done
  if [ -n "$problem" ]; then
    echo "FAILED: launcher_probe.exe $arguments $problem. Its output:"
    cat "$output"
    failed=1
  else
    echo "ok: launcher_probe.exe $arguments"
  fi
done <<'CASES'
fault|29|the probe runs;wine-run.sh: launcher_probe.exe ended with status 29: an unhandled exception, 0xC000001D (illegal instruction)
exit 3|3|wine-run.sh: launcher_probe.exe ended with status 3
CASES
exit "$failed"
