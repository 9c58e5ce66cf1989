#!/usr/bin/env bash
# Builds Quorvane.exe and starts it in a Wine prefix under build/ that looks
# like a Windows 2000 SP4 machine: Wine reports Windows 2000 to the program,
# CSDVersion is service pack 4, the driver key exists without the program's
# value, and the locale is Simplified Chinese; it has Windows 2000's look.
# Without a display (or with --screenshot) it runs under Xvfb, leaves a
# screenshot of the dialog at build/screenshot.png (or FILE) and ends the
# program. The pictures under docs/ are made so (docs/DEVELOPING.md says how).
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  cat <<'USAGE'
Usage: scripts/run.sh [--windows PROFILE] [--csd-version N] [--value absent|0|1]
                      [--screenshot FILE [--show main|about|question]]
  --windows PROFILE  Wine's version profile for the program: win2k (default),
                     winxp, win2003, nt40, win98, winme, win95
  --csd-version N    the service pack in CSDVersion, e.g. 0x400 (default) or 0x300
  --value V          the driver parameter before the run: absent (default), 0 or 1
  --screenshot FILE  run under Xvfb even where there is a display, and leave the
                     screenshot at FILE (default build/screenshot.png)
  --show WHAT        what the screenshot shows: the main dialog (default), the
                     About box, or the question after a click on 升级
USAGE
}

windows=win2k
csd_version=0x400
value=absent
screenshot=
show=main
while [ $# -gt 0 ]; do
  case $1 in
    --windows) windows=$2; shift 2 ;;
    --csd-version) csd_version=$2; shift 2 ;;
    --value) value=$2; shift 2 ;;
    --screenshot) screenshot=$2; shift 2 ;;
    --show) show=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done
case $show in
  main) then= ;;
  about|question) then=$show ;;
  *) usage >&2; exit 2 ;;
esac
scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Quorvane windows_tools >/dev/null

exe=build/win32/Quorvane.exe
prefix=$PWD/build/run/wineprefix
# The machine state, through the tests' machine model (wine/Machine.h).
prepare=build/win32/tools/wine/prepare_machine.exe
machine=(--windows "$windows" --csd-version "$csd_version" --value "$value")

if [ -n "${DISPLAY:-}" ] && [ -z "$screenshot" ]; then
  echo "Starting $exe ($windows, CSDVersion $csd_version, value $value)."
  exec wine/wine-run.sh "$prefix" --prepare "$prepare" "${machine[@]}" -- "$exe"
fi

# Under Xvfb: a private X server, on which scripts/screenshot.sh prepares
# the machine, starts the program, waits for its dialog and takes the
# screenshot.
screenshot=$(realpath -m "${screenshot:-build/screenshot.png}")
mkdir -p "$(dirname "$screenshot")"
rm -f "$screenshot"
windows_exe="Z:$(realpath "$exe" | tr / '\\')"
if ! xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshot.sh "$prefix" "$windows_exe" \
  "$screenshot" "$prepare" "$then" "${machine[@]}"; then
  echo "$exe did not show its dialog under Xvfb; no screenshot." >&2
  exit 1
fi
echo "Ran $exe under Xvfb ($windows, CSDVersion $csd_version, value $value; shown: $show);"
echo "screenshot at ${screenshot#"$PWD"/}"
