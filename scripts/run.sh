#!/usr/bin/env bash
# Builds Quorvane.exe and starts it in a Wine prefix under build/ that looks
# like a Windows 2000 SP4 machine: Wine reports Windows 2000 to the program,
# CSDVersion is service pack 4, the driver key exists without the program's
# value, and the locale is Simplified Chinese. Without a display it runs under
# Xvfb, leaves a screenshot at build/screenshot.png and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  cat <<'USAGE'
Usage: scripts/run.sh [--windows PROFILE] [--csd-version N] [--value absent|0|1]
  --windows PROFILE  Wine's version profile for the program: win2k (default),
                     winxp, win2003, nt40, win98, winme, win95
  --csd-version N    the service pack in CSDVersion, e.g. 0x400 (default) or 0x300
  --value V          the driver parameter before the run: absent (default), 0 or 1
USAGE
}

windows=win2k
csd_version=0x400
value=absent
while [ $# -gt 0 ]; do
  case $1 in
    --windows) windows=$2; shift 2 ;;
    --csd-version) csd_version=$2; shift 2 ;;
    --value) value=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done
scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null

exe=build/win32/Quorvane.exe
prefix=$PWD/build/run/wineprefix
# The machine state, through the tests' machine model (tests/win32/Machine.h).
cmake/wine-run.sh "$prefix" build/win32/tests/prepare_machine.exe \
  --windows "$windows" --csd-version "$csd_version" --value "$value"

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting $exe ($windows, CSDVersion $csd_version, value $value)."
  exec cmake/wine-run.sh "$prefix" "$exe"
fi

# No display: a private X server, a Wine desktop so that the dialog has its
# frame, and a screenshot once the dialog has had time to appear.
screenshot=$PWD/build/screenshot.png
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  prefix=$1 exe=$2 screenshot=$3
  cmake/wine-run.sh "$prefix" explorer /desktop=Quorvane,640x400 "$exe" &
  sleep 12
  import -window root -crop 640x400+0+0 +repage "$screenshot"
  WINEPREFIX=$prefix wineserver -k
  wait || true
' run "$prefix" "$exe" "$screenshot"
echo "No display: ran $exe under Xvfb ($windows, CSDVersion $csd_version, value $value);"
echo "screenshot at build/screenshot.png"
