#!/usr/bin/env bash
# Runs a command in which 32-bit Linux programs can execute, as Wine needs for
# 32-bit Windows programs: as it is where the kernel runs them (most Linux
# desktops), otherwise in a private user and mount namespace in which qemu's
# user-mode emulator is the handler for 32-bit x86 ELF files. Nothing outside
# the namespace changes, and within it the emulator runs only 32-bit
# programs: 64-bit ones, wineserver among them, stay native.
# QUORVANE_FORCE_QEMU=1 takes the emulator's way even where the kernel runs
# 32-bit programs, as a machine that refuses them would; without qemu-user 10
# it then fails rather than run them natively.
# Usage: with-32bit-linux.sh COMMAND [ARGS...]
set -Eeuo pipefail
trap 'echo "with-32bit-linux.sh: line $LINENO: an unplanned exit, status $?, from: $BASH_COMMAND" >&2' ERR

force_qemu=${QUORVANE_FORCE_QEMU:-0}
case $force_qemu in
  0 | 1) ;;
  *) echo "with-32bit-linux.sh: QUORVANE_FORCE_QEMU must be 0 or 1, not '$force_qemu'" >&2
     exit 2 ;;
esac
# Wine's 32-bit loader is the program that must run.
if [ "$force_qemu" = 0 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exec "$@"
fi

# qemu-user 10 (bookworm-backports; scripts/install-deps.sh installs it where
# it is needed). Debian 12's own qemu 7.2 cannot run Wine.
registration=/usr/share/qemu/binfmt.d/qemu-i386.conf
if [ ! -r "$registration" ] ||
  ! /usr/bin/qemu-i386 --version | grep -q 'version \(1[0-9]\|[2-9][0-9]\)\.'; then
  if [ "$force_qemu" = 1 ]; then
    echo "with-32bit-linux.sh: QUORVANE_FORCE_QEMU=1, but qemu-user 10 is not installed" \
         "(QUORVANE_FORCE_QEMU=1 scripts/install-deps.sh installs it)" >&2
  else
    echo "with-32bit-linux.sh: this kernel cannot run 32-bit programs, and qemu-user 10 is" \
         "not installed (scripts/install-deps.sh installs it)" >&2
  fi
  exit 127
fi
# The registration line names the interpreter /usr/libexec/qemu-binfmt/
# i386-binfmt-P, a link to qemu-i386 whose name asks qemu to keep argv[0]
# (flag P); flag F opens it now, so that it serves wherever the kernel
# meets a 32-bit program in this namespace.
exec unshare --user --map-root-user --mount bash -c '
  set -e
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  cat "$0" > /proc/sys/fs/binfmt_misc/register
  # Where the kernel runs 32-bit programs itself, a registration that did
  # not take would go unnoticed: they would simply run natively.
  [ "$(head -n 1 /proc/sys/fs/binfmt_misc/qemu-i386)" = enabled ] || {
    echo "with-32bit-linux.sh: the emulator could not be registered" >&2
    exit 127
  }
  /usr/lib/wine/wine --version >/dev/null 2>&1 || {
    echo "with-32bit-linux.sh: Wine'"'"'s 32-bit loader does not run under qemu-i386" >&2
    exit 127
  }
  exec "$@"
' "$registration" "$@"
