#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only
# those that are missing: a second run installs nothing.
set -euo pipefail

packages=(
  cmake g++ make googletest libgtest-dev
  g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 wine64
  xvfb xauth fonts-wqy-microhei fonts-arphic-gbsn00lp imagemagick
  clang-format shellcheck
  # The documents' pictures (scripts/draw-pictures.py).
  python3-pil
  # The guide's offline copy (scripts/make-offline-guide.py).
  cmark-gfm tidy python3
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# A mirror caught mid-sync can fail one index (seen: bookworm-security's i386
# list). apt then keeps the others, but the amd64 and i386 halves of a
# multi-arch library can come out at different versions and wine32 cannot be
# installed. Debian 12's own suite is consistent across architectures, so
# after a failed update the packages are taken from it.
update_ok=true
update() {
  $sudo apt-get update -qq || { update_ok=false; echo "apt-get update failed in part" >&2; }
}
install() {
  local from=()
  $update_ok || from=(-t bookworm)
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${from[@]}" "$@" >/dev/null
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # wine32 comes from the i386 architecture.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  update
  install "${missing[@]}"
fi

# Where the kernel cannot execute 32-bit programs, Wine's 32-bit loader runs
# under qemu's user-mode emulator (wine/with-32bit-linux.sh). Debian 12's
# qemu 7.2 cannot run it; qemu-user 10 from bookworm-backports can. Only that
# package comes from there, and not its Recommends (qemu-user-binfmt would
# register the emulator for the whole machine). QUORVANE_FORCE_QEMU=1 asks
# for it where the kernel runs 32-bit programs too, to run them as a machine
# that refuses them would.
force_qemu=${QUORVANE_FORCE_QEMU:-0}
case $force_qemu in
  0 | 1) ;;
  *) echo "QUORVANE_FORCE_QEMU must be 0 or 1, not '$force_qemu'" >&2; exit 2 ;;
esac
if [ "$force_qemu" = 0 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exit 0
fi
version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || true)
if [ -n "$version" ] && dpkg --compare-versions "$version" ge 1:10; then
  exit 0
fi
if [ "$force_qemu" = 1 ]; then
  echo "QUORVANE_FORCE_QEMU=1: installing qemu-user from bookworm-backports"
else
  echo "This kernel cannot run 32-bit programs: installing qemu-user from bookworm-backports"
fi
backports=/etc/apt/sources.list.d/bookworm-backports.sources
if ! grep -rqs "bookworm-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  # The system's own Debian mirror, so that no host is named here.
  mirror=$(awk '$1 == "URIs:" { print $2; exit }' /etc/apt/sources.list.d/debian.sources \
    2>/dev/null || true)
  if [ -z "$mirror" ]; then
    mirror=$(awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }' /etc/apt/sources.list \
      2>/dev/null || true)
  fi
  printf '%s\n' "Types: deb" "URIs: $mirror" "Suites: bookworm-backports" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" | $sudo tee "$backports" >/dev/null
fi
update_ok=true
update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
  qemu-user/bookworm-backports >/dev/null
