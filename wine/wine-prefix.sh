#!/usr/bin/env bash
# Makes the Wine prefix PREFIX for wine/wine-run.sh, which sets Wine's
# environment (WINEARCH, WINELOADER, QUORVANE_WINE_LOCALE,
# QUORVANE_WINE_LOCK_SECONDS) before it calls this.
# Making a prefix takes Wine about 20 s, under qemu too (wineboot runs
# native in a 64-bit prefix); copying one, a second or two. So a new prefix
# is a copy of one template under build/, made once, as every prefix was
# made before: by wineboot where 32-bit programs run. Each test
# program's prefix is its own: their registries do not meet.
# The template and each prefix are made under a temporary name, marked
# complete and only then given their own: a prefix without the mark, one
# from a killed run or from before the mark, is made again. wineboot's
# output is kept beside the template, in build/wineprefix-template-ARCH.log.
# Every wait has a limit; a failure says what went wrong (with the end of
# that log where wineboot failed) and exits non-zero.
# Usage (through wine-run.sh only): wine-prefix.sh PREFIX; under a lock it
# runs itself again: wine-prefix.sh --locked PREFIX, or --locked-template PREFIX.
set -Eeuo pipefail
trap 'echo "wine-prefix.sh: line $LINENO: an unplanned exit, status $?, from: $BASH_COMMAND" >&2' ERR
mode=${1:-}
[[ $mode != --locked* ]] || shift
if [ $# != 1 ] || [ -z "${WINELOADER:-}" ] || [ -z "${QUORVANE_WINE_LOCALE:-}" ] ||
  [ -z "${QUORVANE_WINE_LOCK_SECONDS:-}" ]; then
  echo "wine-prefix.sh: run it through wine/wine-run.sh, which sets Wine's environment" >&2
  exit 2
fi
here=$(dirname "$(realpath "$0")")
prefix=${1:-}
wine=(env LC_ALL="$QUORVANE_WINE_LOCALE" "$WINELOADER")
template=$(realpath -m "$here/../build/wineprefix-template-$WINEARCH")
log=$template.log
# Written into a prefix once it is complete, just before it takes its name.
mark=quorvane-prefix-complete
# wineboot's limit, several times what it takes: a machine may be slow. A
# lock is held for that long at most, plus the wait for wineserver (60 s)
# and a copy; wine-run.sh's wait for a lock, 240 s, is longer.
boot_seconds=150
partial=

# Says what went wrong (with the end of wineboot's log when asked) and
# removes what this run had made.
fail() {
  echo "wine-prefix.sh: $1" >&2
  if [ "${2:-}" = with-log ]; then
    echo "wine-prefix.sh: the end of wineboot's log, $log:" >&2
    tail -n 20 "$log" >&2
  fi
  if [ -n "$partial" ]; then
    WINEPREFIX=$partial timeout 30 wineserver -k 2>/dev/null || true
    rm -rf "$partial"
  fi
  exit 1
}

# Runs this script again with ARGS, holding the lock file $1 (75: flock
# waited for it in vain). flock holds it and keeps its descriptor from the
# command (-o), so that no Wine command here inherits it: wineserver and the
# services wineboot starts outlive the run, and would hold the lock for
# every later run to wait on.
locked() {
  local lock=$1 status=0
  shift
  flock -o -E 75 -w "$QUORVANE_WINE_LOCK_SECONDS" "$lock" "$0" "$@" || status=$?
  [ "$status" != 75 ] ||
    fail "waited $QUORVANE_WINE_LOCK_SECONDS s for the lock $lock, which another run holds"
  return "$status"
}

# Complete: no wineserver runs on the prefix any more, and it has the three
# registry files, which the server writes as it ends. Then it is marked.
complete() {
  local f
  WINEPREFIX=$1 timeout 60 wineserver -w ||
    fail "a wineserver still runs on $1 after a minute of waiting for it to end"
  for f in system.reg user.reg userdef.reg; do
    [ -s "$1/$f" ] || fail "$1 is incomplete: it has no $f"
  done
  echo "made by wine/wine-prefix.sh" >"$1/$mark"
}

if [ "$mode" = --locked-template ]; then
  [ -f "$template/$mark" ] && exit 0
  rm -rf "$template" "$template.new"
  partial=$template.new
  : 2>/dev/null >"$log" || fail "cannot write wineboot's log, $log"
  status=0
  # Errors only, not the fixme lines: what a failure needs.
  WINEPREFIX=$partial WINEDEBUG=err+all,fixme-all timeout "$boot_seconds" \
    "${wine[@]}" wineboot -i </dev/null >"$log" 2>&1 || status=$?
  [ "$status" != 124 ] ||
    fail "wineboot -i did not end within $boot_seconds s making $partial" with-log
  [ "$status" = 0 ] || fail "wineboot -i ended with status $status making $partial" with-log
  complete "$partial"
  mv "$partial" "$template"
  exit 0
fi
if [ "$mode" != --locked ]; then
  mkdir -p "$(dirname "$prefix")"
  locked "$prefix.lock" --locked "$prefix" || exit $?
  exit 0
fi
if [ ! -f "$prefix/$mark" ]; then
  mkdir -p "$(dirname "$template")"
  locked "$template.lock" --locked-template "$prefix" || exit $?
  rm -rf "$prefix" "$prefix.new"
  partial=$prefix.new
  cp -a "$template" "$partial" || fail "copying $template to $partial failed"
  rm -f "$partial/$mark"
  complete "$partial"
  mv "$partial" "$prefix"
fi
# Under qemu, 32-bit Wine does not find the fonts Wine ships, Marlett
# among them, whose symbols draw the caption buttons (the close box would
# show the letter "r"). The prefix's own font folder serves every process;
# a prefix made before this was needed gets it too.
fonts=$prefix/drive_c/windows/Fonts
[ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
