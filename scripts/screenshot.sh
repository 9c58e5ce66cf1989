#!/usr/bin/env bash
# The screenshot of scripts/run.sh, on the X server that it started: the
# machine prepared (with no window manager, Wine draws the frames itself),
# the program started in the same Wine session through show_program, which
# waits for its dialog, shows what was asked for and leaves it running; then
# a screenshot of that window with a small margin of the (black) screen,
# and the prefix's Wine processes ended.
# Usage: screenshot.sh PREFIX PROGRAM.exe SCREENSHOT PREPARE_MACHINE.exe THEN [MACHINE ARGS...]
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$1 exe=$2 screenshot=$3 prepare=$4 then=$5
shift 5
status=0
# show_program leaves the program running for the screenshot: the launcher
# must neither wait for Wine's processes nor end them.
rect=$(QUORVANE_WINE_LINGER_SECONDS=0 wine/wine-run.sh "$prefix" --prepare "$prepare" --framed-by-wine \
  "$@" -- build/win32/tools/wine/show_program.exe "$exe" 60 ${then:+"$then"}) || status=$?
if [ "$status" -eq 0 ]; then
  read -r left top width height <<<"$rect"
  # The dialog sits at the screen's corner: the part of the margin off the
  # screen is added in the screen's colour.
  margin=8
  size=$((width + 2 * margin))x$((height + 2 * margin))
  import -window root -crop "$(printf '%s%+d%+d' "$size" $((left - margin)) $((top - margin)))" \
    +repage miff:- | convert - -background black -gravity southeast -extent "$size" "$screenshot"
fi
WINEPREFIX=$prefix wineserver -k || true
exit "$status"
