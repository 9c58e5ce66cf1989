#!/usr/bin/env bash
# Makes the Wine prefix PREFIX for cmake/wine-run.sh, which has set Wine's
# environment (WINEARCH, WINELOADER, QUORVANE_WINE_LOCALE) before it calls
# this.
# Making a prefix takes Wine 10 to 20 s; copying one, a second or two. So a
# new prefix is a copy of one template under build/, made once, as every
# prefix was made before: by wineboot where 32-bit programs run. Each test
# program's prefix is its own: their registries do not meet.
# The template and each prefix are made under a temporary name and take
# their own only once they are complete, so a failure leaves nothing that a
# later run would trust. wineboot's output is kept beside the template, in
# build/wineprefix-template-ARCH.log; a failure says what went wrong, shows
# the end of that log and exits non-zero.
# Usage: wine-prefix.sh PREFIX
set -euo pipefail
here=$(dirname "$(realpath "$0")")
prefix=$1
wine=(env LC_ALL="$QUORVANE_WINE_LOCALE" "$WINELOADER")
template=$(realpath -m "$here/../build/wineprefix-template-$WINEARCH")
log=$template.log
partial=

fail() {
  echo "wine-prefix.sh: $1" >&2
  if [ -n "$partial" ]; then
    WINEPREFIX=$partial wineserver -k 2>/dev/null || true
    rm -rf "$partial"
  fi
  if [ -s "$log" ]; then
    echo "wine-prefix.sh: the end of $log:" >&2
    tail -n 20 "$log" >&2
  fi
  exit 1
}

# Complete: no wineserver runs on the prefix any more, and it has the three
# registry files, which the server writes as it ends.
check_complete() {
  local f
  WINEPREFIX=$1 timeout 60 wineserver -w ||
    fail "a wineserver still runs on $1 after a minute of waiting for it to end"
  for f in system.reg user.reg userdef.reg; do
    [ -s "$1/$f" ] || fail "$1 is incomplete: it has no $f"
  done
}

make_template() {
  mkdir -p "$(dirname "$template")"
  (
    flock 9
    [ -f "$template/system.reg" ] && exit 0
    rm -rf "$template" "$template.new"
    partial=$template.new
    local status=0
    WINEPREFIX=$partial "${wine[@]}" wineboot -i >"$log" 2>&1 || status=$?
    [ "$status" = 0 ] || fail "wineboot -i ended with status $status making $partial"
    check_complete "$partial"
    mv "$partial" "$template"
  ) 9>"$template.lock"
}

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    make_template
    rm -rf "$prefix" "$prefix.new"
    partial=$prefix.new
    cp -a "$template" "$partial" || fail "copying $template to $partial failed"
    check_complete "$partial"
    mv "$partial" "$prefix"
  fi
  # Under qemu, 32-bit Wine does not find the fonts Wine ships, Marlett
  # among them, whose symbols draw the caption buttons (the close box would
  # show the letter "r"). The prefix's own font folder serves every process;
  # a prefix made before this was needed gets it too.
  fonts=$prefix/drive_c/windows/Fonts
  [ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
) 9>"$prefix.lock"
