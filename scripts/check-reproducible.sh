#!/usr/bin/env bash
# Builds Quorvane.exe twice from scratch in two folders. The two builds must
# be byte-identical, and so must the file users download: the committed
# release/Quorvane.exe, its line in release/SHA256SUMS and every SHA-256 that
# README.md and the users' guide (README.zh-CN.md and guide/) give.
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
built=${sums[0]}

mismatches=()
if [ ! -f release/Quorvane.exe ]; then
  mismatches+=("release/Quorvane.exe is missing")
elif ! cmp -s "$work/first/Quorvane.exe" release/Quorvane.exe; then
  mismatches+=("release/Quorvane.exe differs from the build (SHA-256 $(sha256sum \
    release/Quorvane.exe | cut -d' ' -f1))")
fi
listed=$(cat release/SHA256SUMS 2>/dev/null || true)
if [ "$listed" != "$built  Quorvane.exe" ]; then
  mismatches+=("release/SHA256SUMS reads '$listed', not '$built  Quorvane.exe'")
fi
for page in README.md guide/download.md; do
  published=$(sed -n 's/^SHA-256: `\([0-9a-f]*\)`$/\1/p' "$page")
  if [ "$published" != "$built" ]; then
    mismatches+=("$page's SHA-256 line gives '$published'")
  fi
done
# The guide gives it again in its commands and their sample output, once as
# Windows 7's certutil prints it, a space between each two characters.
for page in README.md README.zh-CN.md guide/*.md; do
  others=$(grep -oiE '\b([0-9a-f]{2} ?){31}[0-9a-f]{2}\b' "$page" | tr -d ' ' | tr 'A-F' 'a-f' |
    grep -vx "$built" | sort -u || true)
  if [ -n "$others" ]; then
    mismatches+=("$page also gives $(echo "$others" | paste -sd ' ')")
  fi
done

if [ ${#mismatches[@]} -gt 0 ]; then
  echo "NOT THE SOURCE'S: this commit builds Quorvane.exe with SHA-256 $built, but" >&2
  printf '  - %s\n' "${mismatches[@]}" >&2
  echo "A change to the product's bytes updates them all in the same commit, with the" \
    "reason in its message: copy the build to release/Quorvane.exe, write" \
    "'$built  Quorvane.exe' to release/SHA256SUMS and to every SHA-256 in README.md and the guide." >&2
  exit 1
fi
echo "reproducible: two clean builds of Quorvane.exe are identical to release/Quorvane.exe," \
  "release/SHA256SUMS, README.md and the guide, SHA-256 $built"
