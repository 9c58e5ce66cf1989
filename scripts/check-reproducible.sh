#!/usr/bin/env bash
# Builds Quorvane.exe twice from scratch in two folders. The two builds must
# be byte-identical, and so must the file users download: the committed
# release/Quorvane.exe, its line in release/SHA256SUMS and every SHA-256 that
# README.md and the users' guide (README.zh-CN.md and guide/) give. The
# guide's offline copy, release/Quorvane-guide.mht, is made again from the
# guide's pages and must be the committed one, with its SHA-256 on the second
# line of release/SHA256SUMS.
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
scripts/make-offline-guide.py --output "$work/Quorvane-guide.mht"
guide=$(sha256sum "$work/Quorvane-guide.mht" | cut -d' ' -f1)

mismatches=()
if [ ! -f release/Quorvane.exe ]; then
  mismatches+=("release/Quorvane.exe is missing")
elif ! cmp -s "$work/first/Quorvane.exe" release/Quorvane.exe; then
  mismatches+=("release/Quorvane.exe differs from the build (SHA-256 $(sha256sum \
    release/Quorvane.exe | cut -d' ' -f1))")
fi
if [ ! -f release/Quorvane-guide.mht ]; then
  mismatches+=("release/Quorvane-guide.mht is missing")
elif ! cmp -s "$work/Quorvane-guide.mht" release/Quorvane-guide.mht; then
  committed=$(sha256sum release/Quorvane-guide.mht | cut -d' ' -f1)
  mismatches+=("release/Quorvane-guide.mht is not what the guide's pages make (SHA-256 $committed)")
fi
# Byte for byte: a missing final newline or a blank line is a difference too.
if ! cmp -s <(printf '%s  %s\n' "$built" Quorvane.exe "$guide" Quorvane-guide.mht) \
  release/SHA256SUMS; then
  mismatches+=("release/SHA256SUMS is not the two lines '$built  Quorvane.exe' and" \
    "'$guide  Quorvane-guide.mht'")
fi
for page in README.md guide/download.md; do
  published=$(sed -n 's/^SHA-256: `\([0-9a-f]*\)`$/\1/p' "$page")
  if [ "$published" != "$built" ]; then
    mismatches+=("$page's SHA-256 line gives '$published'")
  fi
done
# The guide gives it again in its commands and their sample output, once as
# Windows 7's certutil prints it, a space between each two characters. Any
# run of 16 hex digits or more, spaced so or not, must be one of those two
# forms exactly: a copy cut short, grown or split would fail the reader's own
# comparison.
spaced=$(echo "$built" | sed 's/../& /g; s/ $//')
for page in README.md README.zh-CN.md guide/*.md; do
  [ -f "$page" ] || { mismatches+=("$page is missing"); continue; }
  others=$(grep -oiE '([0-9a-f]{2} ){7,}[0-9a-f]{2}|[0-9a-f]{16,}' "$page" | tr 'A-F' 'a-f' |
    grep -vxF -e "$built" -e "$spaced" | sort -u || true)
  if [ -n "$others" ]; then
    mismatches+=("$page also gives $(echo "$others" | paste -sd '|')")
  fi
done

if [ ${#mismatches[@]} -gt 0 ]; then
  echo "NOT THE SOURCE'S: this commit builds Quorvane.exe with SHA-256 $built and" \
    "the guide's offline copy with SHA-256 $guide, but" >&2
  printf '  - %s\n' "${mismatches[@]}" >&2
  echo "A change to the product's bytes updates them all in the same commit, with the" \
    "reason in its message: copy the build to release/Quorvane.exe and write its" \
    "SHA-256 to every SHA-256 in README.md and the guide. A change to the guide's" \
    "pages runs scripts/make-offline-guide.py in the same commit. release/SHA256SUMS" \
    "then reads '$built  Quorvane.exe' and '$guide  Quorvane-guide.mht'," \
    "one line each." >&2
  exit 1
fi
echo "reproducible: two clean builds of Quorvane.exe are identical to release/Quorvane.exe," \
  "release/SHA256SUMS, README.md and the guide, SHA-256 $built; the guide's offline" \
  "copy is release/Quorvane-guide.mht, SHA-256 $guide"
