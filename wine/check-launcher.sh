#!/usr/bin/env bash
# What the launcher does with a program that succeeds, fails, faults, hangs
# or leaves a child running, and with a prefix whose lock another run holds:
# each case of the table runs launcher_probe.exe through it once, within a
# time limit, with no standard input, and must end with its status and print
# its lines; the launcher may say nothing else (no other "wine-run.sh: " or
# "wine-prefix.sh: " line). The prefix is made before any case is timed, most
# cases run while a Wine session of the check's own is up (starting Wine and
# waiting for its processes to end are what cost), and the launcher's own
# waits are cut to a second or less.
# Usage: check-launcher.sh LAUNCHER PREFIX PROBE.exe
set -uo pipefail
launcher=$1
prefix=$2
probe=$3
with_32bit_linux=$(dirname "$launcher")/with-32bit-linux.sh
output=$(mktemp)
session_output=$(mktemp)
session=
trap 'end_session; rm -f "$output" "$session_output"' EXIT

# What runs around the case ("session": a Wine session that the check keeps
# running in the prefix, so that Wine's own processes are not the case's;
# "alone": nothing, the case starts Wine; "lock": the check holds the
# prefix's lock) | the probe's arguments | the status the run must end with
# ("killed": the check kills it, as ctest's timeout would, once its first
# line is out) | the lines its output must hold, separated by ";" (@PREFIX@
# stands for the prefix). Each case has 30 s.
cases=$(
  cat <<'CASES'
session|ok|0|the probe runs;the probe writes to standard error
session|exit 3|3|wine-run.sh: launcher_probe.exe ended with status 3
session|exit 137|137|wine-run.sh: launcher_probe.exe ended with status 137: its exit code, or signal SIGKILL to the Linux process that ran it
session|fault|29|the probe runs;wine-run.sh: launcher_probe.exe ended with status 29: an unhandled exception, 0xC000001D (illegal instruction)
session|child-fault|1|the probe runs;wine-run.sh: launcher_probe.exe ended with status 1, and another Windows process (one it started, or one of Wine's) reported an unhandled exception, 0xC000001D (illegal instruction)
session|hang|killed|the probe runs
session|child-left|0|wine-run.sh: a Windows process that launcher_probe.exe started still held its output 0.5 s after launcher_probe.exe ended, so the processes in @PREFIX@ were ended
alone|child-apart|0|wine-run.sh: Windows processes still ran in @PREFIX@ 0.5 s after launcher_probe.exe ended (ones it started, or Wine's own kept by them), so they were ended
lock|ok|1|wine-prefix.sh: waited 0.2 s for the lock @PREFIX@.lock, which another run holds
CASES
)
export QUORVANE_WINE_LOCK_SECONDS=0.2 QUORVANE_WINE_LINGER_SECONDS=0.5

# Ends whatever Wine still runs in the prefix, where 32-bit programs run.
end_wine() {
  timeout 30 "$with_32bit_linux" env WINEPREFIX="$prefix" wineserver -k 2>/dev/null
}

# Windows programs end their lines with CRLF; standard error keeps them.
output_holds() {
  tr -d '\r' <"${2:-$output}" | grep -qFx -- "$1"
}

# The session is a hung probe, which the launcher leaves running. The first
# one makes the prefix too, which may take minutes on a slow machine.
start_session() {
  QUORVANE_WINE_LINGER_SECONDS=0 QUORVANE_WINE_LOCK_SECONDS=240 "$launcher" "$prefix" "$probe" \
    hang </dev/null >"$session_output" 2>&1 &
  session=$!
  for _ in $(seq 2400); do
    output_holds "the probe runs" "$session_output" && return
    kill -0 "$session" 2>/dev/null || break
    sleep 0.1
  done
  echo "FAILED: the Wine session (launcher_probe.exe hang) did not start. Its output:"
  cat "$session_output"
  exit 1
}

end_session() {
  [ -n "$session" ] || return 0
  end_wine
  wait "$session"
  session=
}

ran=0
passed=0
seconds=30
while IFS='|' read -r around arguments expected_status expected_lines; do
  ran=$((ran + 1))
  IFS=';' read -ra lines <<<"${expected_lines//@PREFIX@/$prefix}"
  label="launcher_probe.exe $arguments"
  run=(timeout "$seconds" "$launcher" "$prefix" "$probe")
  case $around in
    session) [ -n "$session" ] || start_session ;;
    alone) end_session ;;
    lock)
      label+=", its prefix's lock held"
      run=(flock "$prefix.lock" "${run[@]}")
      ;;
  esac
  : >"$output" # emptied first: the killed case must not find the last case's line
  # shellcheck disable=SC2086 # the arguments are words
  "${run[@]}" $arguments </dev/null >"$output" 2>&1 &
  pid=$!
  if [ "$expected_status" = killed ]; then
    # timeout passes the signal on to everything the launcher runs.
    while kill -0 "$pid" 2>/dev/null && ! output_holds "${lines[0]}"; do sleep 0.1; done
    kill "$pid" 2>/dev/null
  fi
  wait "$pid"
  status=$?
  problem=
  if [ "$status" = 124 ]; then
    problem="did not end within $seconds s"
    if [ -n "$session" ]; then end_session; else end_wine; fi
  elif [ "$expected_status" != killed ] && [ "$status" != "$expected_status" ]; then
    problem="ended with status $status, not $expected_status"
  fi
  for line in "${lines[@]}"; do
    output_holds "$line" || problem="${problem:+$problem; }printed no line \"$line\""
  done
  while IFS= read -r said; do
    printf '%s\n' "${lines[@]}" | grep -qFx -- "$said" ||
      problem="${problem:+$problem; }said also \"$said\""
  done < <(grep -E '^wine-(run|prefix)\.sh: ' "$output")
  if [ -n "$problem" ]; then
    echo "FAILED: $label: $problem. Its output:"
    cat "$output"
  else
    echo "ok: $label"
    passed=$((passed + 1))
  fi
done <<<"$cases"
end_session

echo "launcher check: $passed of $(wc -l <<<"$cases") cases passed, $ran ran"
[ "$passed" = "$ran" ] && [ "$ran" = "$(wc -l <<<"$cases")" ]
