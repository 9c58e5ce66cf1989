#!/usr/bin/env bash
# Builds Quorvane.exe twice from scratch in two folders: the two must be
# byte-identical, and their SHA-256 the one the README gives to users.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sums=()
for build in first second; do
  cmake --preset win32 -B "$work/$build" -DQUORVANE_WINDOWS_TESTS=OFF >/dev/null
  cmake --build "$work/$build" --target Quorvane --parallel 2 >/dev/null
  sums+=("$(sha256sum "$work/$build/Quorvane.exe" | cut -d' ' -f1)")
done
if [ "${sums[0]}" != "${sums[1]}" ]; then
  echo "NOT REPRODUCIBLE: two builds of one commit differ: ${sums[0]} ${sums[1]}" >&2
  exit 1
fi
published=$(sed -n 's/^SHA-256: `\([0-9a-f]*\)`$/\1/p' README.md)
if [ "$published" != "${sums[0]}" ]; then
  echo "README.md gives SHA-256 '$published' for Quorvane.exe, but this commit builds ${sums[0]}:" >&2
  echo "update the README's \"Download and use\" section." >&2
  exit 1
fi
echo "reproducible: two clean builds of Quorvane.exe are identical, SHA-256 ${sums[0]}"
