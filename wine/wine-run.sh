#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix, making the prefix
# on first use. It is the cross-compiling emulator of the Windows tests, so
# ctest runs Windows test programs like any other; the run command and the
# benchmark start the program through it too. A program that ends with a
# non-zero status gets one line on standard error that names it and says
# what the status means. Nothing here waits without a limit: each wait that
# runs out ends the run with a line that says what it waited for, and the
# program's own status stays the run's status.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
prefix=$1
shift

# Every Windows program here is 32-bit, as Quorvane.exe is, and 32-bit Wine
# runs it through 32-bit Linux programs.
if [ -z "${QUORVANE_32BIT_LINUX:-}" ]; then
  export QUORVANE_32BIT_LINUX=1
  exec "$here/with-32bit-linux.sh" "$0" "$prefix" "$@"
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
"$here/wine-prefix.sh" "$prefix"

# Windows need a display. Without one, run under a private X server, and let
# Wine's processes end before that server goes away.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$prefix" --wait-for-wineserver "$@"
fi
wait_for_wineserver=false
if [ "${1:-}" = --wait-for-wineserver ]; then
  wait_for_wineserver=true
  shift
fi

name=$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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

# The codes of the unhandled exceptions Wine reported, one a line, each with
# its name where it has one. Wine words its report "wine: Unhandled illegal
# instruction at address ... (thread 0024), starting debugger..." and names
# the commonest exceptions in words, the others by code.
reported_exceptions() {
  local what code
  sed -n 's/^wine: Unhandled \(.*\), starting debugger.*/\1/p' "$work/errors.txt" |
    while IFS= read -r what; do
      case $what in
        'page fault'*) echo '0xC0000005 (access violation)' ;;
        'illegal instruction'*) echo '0xC000001D (illegal instruction)' ;;
        'division by zero'*) echo '0xC0000094 (integer division by zero)' ;;
        'overflow'*) echo '0xC0000095 (integer overflow)' ;;
        'array bounds'*) echo '0xC000008C (array bounds exceeded)' ;;
        'stack overflow'*) echo '0xC00000FD (stack overflow)' ;;
        'privileged instruction'*) echo '0xC0000096 (privileged instruction)' ;;
        'alignment'*) echo '0x80000002 (datatype misalignment)' ;;
        '^C'*) echo '0xC000013A (Ctrl+C exit)' ;;
        'exception 0x'*)
          code=${what#exception 0x}
          code=0x${code%% *}
          case ${code,,} in
            0x80000003) echo '0x80000003 (breakpoint)' ;;
            0xc0000006) echo '0xC0000006 (in-page error)' ;;
            *) echo "0x$(printf '%08X' "$code")" ;;
          esac
          ;;
      esac
    done
}

# The exception that is the program's own status: Linux keeps the low byte
# of a Windows exit code, and a program that an exception ended exits with
# the exception's code. Reports that do not end in that byte came from
# another Windows process, one the program started or one of Wine's.
own_exception() {
  local code
  while IFS= read -r code; do
    [ $((${code%% *} & 0xFF)) = "$1" ] && echo "$code" && return
  done < <(reported_exceptions)
  return 1
}

# What a non-zero status means, for the line that reports it; it claims
# only what the run shows.
meaning() {
  local own other signal
  if own=$(own_exception "$1"); then
    echo ": an unhandled exception, $own"
    return
  fi
  # A status from 129 to 192 is an exit code, or a signal that killed the
  # Linux process that ran the program (Wine's loader, or qemu).
  if [ "$1" -gt 128 ] && signal=$(kill -l $(($1 - 128)) 2>/dev/null); then
    echo -n ": its exit code, or signal SIG$signal to the Linux process that ran it"
  fi
  other=$(reported_exceptions | head -n 1)
  if [ -n "$other" ]; then
    echo -n ", and another Windows process (one it started, or one of Wine's) reported an" \
      "unhandled exception, $other"
  fi
  echo
}

# Wine's processes that still run once the program has ended: the prefix's
# server ends them all.
end_wine_processes() {
  timeout 30 wineserver -k ||
    echo "wine-run.sh: wineserver -k did not end the processes in $prefix within 30 s" >&2
}

# Console output of Win32 programs ends lines with CRLF; ctest reads LF. Each
# line is passed on as it comes, so that a test that hangs and is killed
# keeps the line that names the case it hung in. Standard error passes
# through unchanged, and a copy of it is kept: Wine reports there an
# exception that ended a program. Both go through named pipes, so that the
# launcher waits for the program, not for whoever else holds its output.
mkfifo "$work/output" "$work/errors"
stdbuf -oL tr -d '\r' <"$work/output" &
copying_output=$!
tee "$work/errors.txt" <"$work/errors" >&2 &
copying_errors=$!
set +e
env LC_ALL="$QUORVANE_WINE_LOCALE" "$WINELOADER" "$@" >"$work/output" 2>"$work/errors"
status=$?
set -e

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
if $wait_for_wineserver && ! timeout 60 wineserver -w; then
  echo "wine-run.sh: the wineserver of $prefix still ran 60 s after $name ended, so it was" \
    "ended" >&2
  end_wine_processes
fi
exit "$status"
