#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix, making the prefix
# on first use. It is the cross-compiling emulator of the Windows tests, so
# ctest runs Windows test programs like any other; the run command and the
# benchmark start the program through it too. A program that ends with a
# non-zero status gets one line on standard error that names it and says
# what the status means.
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

# What a non-zero status means, for the line that reports it. Linux keeps
# the low byte of a Windows exit code; where Wine reported an unhandled
# exception, that is the low byte of the exception's code.
unhandled='^wine: .*starting debugger'
meaning() {
  local code
  if grep -q "$unhandled" "$errors"; then
    case $1 in
      2) code='0x80000002 (datatype misalignment)' ;;
      3) code='0x80000003 (breakpoint)' ;;
      5) code='0xC0000005 (access violation)' ;;
      6) code='0xC0000006 (in-page error)' ;;
      29) code='0xC000001D (illegal instruction)' ;;
      140) code='0xC000008C (array bounds exceeded)' ;;
      148) code='0xC0000094 (integer division by zero)' ;;
      149) code='0xC0000095 (integer overflow)' ;;
      150) code='0xC0000096 (privileged instruction)' ;;
      253) code='0xC00000FD (stack overflow)' ;;
      *) code=$(printf 'one whose code ends in 0x%02X' "$1") ;;
    esac
    echo ": an unhandled exception, $code"
  elif [ "$1" -gt 128 ] && signal=$(kill -l $(($1 - 128)) 2>/dev/null); then
    echo ": the process that ran it was killed by signal SIG$signal"
  fi
}

# Console output of Win32 programs ends lines with CRLF; ctest reads LF.
# Standard error passes through unchanged, and a copy of it is kept: Wine
# reports there an exception that ended the program.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
set +e
{
  env LC_ALL="$QUORVANE_WINE_LOCALE" "$WINELOADER" "$@" | tr -d '\r'
  status=${PIPESTATUS[0]}
} 2> >(tee "$errors" >&2)
copying=$!
set -e
if [ "$status" != 0 ]; then
  # Wine reports the exception before the program ends, but the copy may lag
  # behind; and Wine's own processes hold standard error open until its
  # server ends, a few seconds later. So wait for the report or for the end
  # of the copy, 5 s at most.
  for _ in $(seq 50); do
    kill -0 "$copying" 2>/dev/null || break
    grep -q "$unhandled" "$errors" && break
    sleep 0.1
  done
  echo "wine-run.sh: $(basename "$1") ended with status $status$(meaning "$status")" >&2
fi
if $wait_for_wineserver; then wineserver -w; fi
exit "$status"
