#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix, making the prefix
# on first use. It is the cross-compiling emulator of the Windows tests, so
# ctest runs Windows test programs like any other; the run command and the
# benchmark start the program through it too.
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
# Skips the prompts to install Mono and Gecko, which nothing here uses.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from LC_ALL: 936, as on a Chinese Windows,
# unless QUORVANE_WINE_LOCALE names another locale (en_US.UTF-8: 1252).
# Given through env, so that this shell does not try to use the locale itself.
wine=(env LC_ALL="${QUORVANE_WINE_LOCALE:-zh_CN.UTF-8}" "$WINELOADER")

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

# Console output of Win32 programs ends lines with CRLF; ctest reads LF.
set +e
"${wine[@]}" "$@" | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
if $wait_for_wineserver; then wineserver -w; fi
exit "$status"
