#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix, making the prefix
# on first use. It is the cross-compiling emulator of the Windows tests, so
# ctest runs Windows test programs like any other; the run command and the
# benchmark start the program through it too. A program that ends with a
# non-zero status gets one line on standard error that names it and says
# what the status means. Nothing here waits without a limit: each wait that
# runs out ends the run with a line that says what it waited for, and the
# program's own status stays the run's status. With --prepare, the machine
# model's prepare_machine.exe first puts the prefix into a machine state in
# the same Wine session (scripts/run.sh, the benchmark, run_machine_tests).
# Usage: wine-run.sh PREFIX [--prepare PREPARE_MACHINE.exe [ARGS...] --] PROGRAM.exe [ARGS...]
set -Eeuo pipefail
trap 'echo "wine-run.sh: line $LINENO: an unplanned exit, status $?, from: $BASH_COMMAND" >&2' ERR
here=$(dirname "$(realpath "$0")")

# The re-execs, each once and all here: first where 32-bit Linux programs
# run, as 32-bit Wine needs for the 32-bit Windows programs here (Quorvane.exe
# is one); then, without a display, under a private X server, since Windows
# need one. QUORVANE_WINE_STAGE says which is done.
case ${QUORVANE_WINE_STAGE:-} in
  '') export QUORVANE_WINE_STAGE=32-bit && exec "$here/with-32bit-linux.sh" "$0" "$@" ;;
  32-bit) [ -n "${DISPLAY:-}" ] || QUORVANE_WINE_STAGE=own-display exec xvfb-run -a \
    -s "-screen 0 1024x768x24" "$0" "$@" ;;
  own-display) ;;
  *) echo "wine-run.sh: QUORVANE_WINE_STAGE is '$QUORVANE_WINE_STAGE'" >&2 && exit 2 ;;
esac
# With its own X server, the run must let Wine's server end before that goes.
own_display=$([ "$QUORVANE_WINE_STAGE" = own-display ] && echo true || echo false)
unset QUORVANE_WINE_STAGE
prefix=$1
shift
prepare=()
if [ "${1:-}" = --prepare ]; then
  shift
  until [ "$1" = -- ]; do prepare+=("$1") && shift; done
  shift
fi

# A 64-bit prefix, with the 32-bit programs as WoW64 processes: where they
# run under qemu, Wine's own services stay native (faster, measured in
# docs/DEVELOPING.md). QUORVANE_WINEARCH=win32 makes a 32-bit prefix instead.
export WINEARCH=${QUORVANE_WINEARCH:-win64}
case $WINEARCH in
  win32) export WINELOADER=/usr/lib/wine/wine ;;
  win64) export WINELOADER=/usr/lib/wine/wine64 ;;
esac
export WINEPREFIX=$prefix WINEDEBUG=-all
# Wine takes its ANSI code page from LC_ALL: 936, as on a Chinese Windows,
# unless QUORVANE_WINE_LOCALE names another locale (en_US.UTF-8: 1252). Wine's
# processes get it through env, so that these shells do not try to use the
# locale themselves.
export QUORVANE_WINE_LOCALE=${QUORVANE_WINE_LOCALE:-zh_CN.UTF-8}
# mscoree and mshtml: skips the prompts to install Mono and Gecko, which
# nothing here uses. winedbg.exe: a program that faults ends at once with
# the exception as its status, instead of waiting for Wine's debugger
# (under qemu it waited for good, and the program's output was lost).
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# How long, in seconds, to wait for what is not the program: for a prefix's
# lock, which another run holds while it makes the template (wine-prefix.sh);
# and, once the program has ended, for the Windows processes still running.
# The launcher's check shortens both. 0 for the second leaves them running:
# for a run that another follows in the same Wine session, or one that
# leaves its program on screen.
export QUORVANE_WINE_LOCK_SECONDS=${QUORVANE_WINE_LOCK_SECONDS:-240}
linger_seconds=${QUORVANE_WINE_LINGER_SECONDS:-30}
for seconds in "$QUORVANE_WINE_LOCK_SECONDS" "$linger_seconds"; do
  [[ $seconds =~ ^[0-9]+(\.[0-9]+)?$ ]] || {
    echo "wine-run.sh: a wait must be a number of seconds, not '$seconds'" >&2
    exit 2
  }
done
# It says why where it fails.
"$here/wine-prefix.sh" "$prefix" || exit $?

name=$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
errors=$work/errors.txt
# shellcheck source=wine-exceptions.sh
. "$here/wine-exceptions.sh"

# Waits up to $2 seconds (a fraction too) for process $1 to end; fails if it
# still runs.
wait_for() {
  local ticks
  ticks=$(awk -v seconds="$2" 'BEGIN { print int(seconds * 20) }')
  while kill -0 "$1" 2>/dev/null; do
    [ $((ticks--)) -gt 0 ] || return 1
    sleep 0.05
  done
}

# Wine's processes that still run once the program has ended: the prefix's
# server ends them all.
end_wine_processes() {
  timeout 30 wineserver -k ||
    echo "wine-run.sh: wineserver -k did not end the processes in $prefix within 30 s" >&2
}

# Preparing leaves Wine's processes running for the program, with this
# run's own output.
if [ ${#prepare[@]} -gt 0 ]; then
  env LC_ALL="$QUORVANE_WINE_LOCALE" "$WINELOADER" "${prepare[@]}" </dev/null || {
    status=$?
    echo "wine-run.sh: $(basename "${prepare[0]}") ended with status $status" >&2
    exit "$status"
  }
fi

# Console output of Win32 programs ends lines with CRLF; ctest reads LF. Each
# line is passed on as it comes, so that a test that hangs and is killed
# keeps the line that names the case it hung in. Standard error passes
# through unchanged, and a copy of it is kept: Wine reports there an
# exception that ended a program. Both go through named pipes, so that the
# launcher waits for the program, not for whoever else holds its output.
mkfifo "$work/output" "$work/errors"
stdbuf -oL tr -d '\r' <"$work/output" &
copying_output=$!
tee "$errors" <"$work/errors" >&2 &
copying_errors=$!
status=0
env LC_ALL="$QUORVANE_WINE_LOCALE" "$WINELOADER" "$@" >"$work/output" 2>"$work/errors" || status=$?

# Windows processes may still run once the program has ended: ones it
# started that share its output hold that; and Wine's own processes, started
# with the program's standard error when this run started Wine, hold it
# until a second or two after the last program in the prefix has ended. Wait
# for both copies a while, then end the prefix's processes and say so.
if awk -v seconds="$linger_seconds" 'BEGIN { exit !(seconds > 0) }'; then
  if ! wait_for "$copying_output" "$linger_seconds"; then
    echo "wine-run.sh: a Windows process that $name started still held its output" \
      "$linger_seconds s after $name ended, so the processes in $prefix were ended" >&2
    end_wine_processes
  elif ! wait_for "$copying_errors" "$linger_seconds"; then
    echo "wine-run.sh: Windows processes still ran in $prefix $linger_seconds s after" \
      "$name ended (ones it started, or Wine's own kept by them), so they were ended" >&2
    end_wine_processes
  fi
fi

if [ "$status" != 0 ]; then
  # Wine reports the exception before the program ends, but the copy may lag
  # behind: wait for a report that is the program's own status, or for the
  # end of the copy, 5 s at most.
  for _ in $(seq 50); do
    kill -0 "$copying_errors" 2>/dev/null || break
    own_exception "$status" >/dev/null && break
    sleep 0.1
  done
  echo "wine-run.sh: $name ended with status $status$(meaning "$status")" >&2
fi
# Without a display, the private X server ends with this run: Wine's server
# must end before it.
if $own_display && ! timeout 60 wineserver -w; then
  echo "wine-run.sh: the wineserver of $prefix still ran 60 s after $name ended, so it was" \
    "ended" >&2
  end_wine_processes
fi
exit "$status"
