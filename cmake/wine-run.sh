#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix, making the prefix
# on first use. It is the cross-compiling emulator of the Windows tests, so
# ctest and GoogleTest's discovery run Windows test programs like any other.
# Usage: wine-run.sh ARCH PREFIX PROGRAM.exe [ARGS...], ARCH i686 or x86_64.
set -euo pipefail
arch=$1
prefix=$2
shift 2

case $arch in
  i686) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine ;;
  x86_64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 ;;
  *) echo "wine-run.sh: unknown architecture $arch" >&2; exit 2 ;;
esac
export WINEPREFIX=$prefix WINEDEBUG=-all
# Skips the prompts to install Mono and Gecko, which nothing here uses.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from LC_ALL: 936, as on a Chinese Windows,
# unless QUORVANE_WINE_LOCALE names another locale (en_US.UTF-8: 1252).
# Given through env, so that this shell does not try to use the locale itself.
wine=(env LC_ALL="${QUORVANE_WINE_LOCALE:-zh_CN.UTF-8}" "$WINELOADER")

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "${wine[@]}" wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
) 9>"$prefix.lock"

# Windows need a display. Without one, run under a private X server, and let
# Wine's processes end before that server goes away.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$arch" "$prefix" --wait-for-wineserver "$@"
fi
wait_for_wineserver=false
if [ "${1:-}" = --wait-for-wineserver ]; then
  wait_for_wineserver=true
  shift
fi

# Console output of Win32 programs ends lines with CRLF; ctest and the test
# discovery read LF.
set +e
"${wine[@]}" "$@" | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
if $wait_for_wineserver; then wineserver -w; fi
exit "$status"
